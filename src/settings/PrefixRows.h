#pragma once
#include <array>

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;

// The numbering rows (prefix, start number, example, free-form box) for
// invoices, items, customers and credit notes, built alike in the first-run
// wizard and the Options dialog into the window's own members. The
// credit-note row is carried through loading and saving but never shown.
struct PrefixRows {
    enum class Kind { Invoice, Credit, Item, Customer };
    // What the two windows word or order differently.
    struct Look {
        const char* startHead;
        const char* itemCaption;
        const char* itemPrefix;
        std::array<Kind, 4> order;
    };

    QLineEdit*& InvPrefix_txt;
    QLineEdit*& InvStart_txt;
    QLabel*& InvExample_lbl;
    QCheckBox*& Inv_chk;
    QLineEdit*& CrdPrefix_txt;
    QLineEdit*& CrdStart_txt;
    QLabel*& CrdExample_lbl;
    QCheckBox*& Crd_chk;
    QLineEdit*& PrtPrefix_txt;
    QLineEdit*& PrtStart_txt;
    QLabel*& PrtExample_lbl;
    QCheckBox*& Part_chk;
    QLineEdit*& CusPrefix_txt;
    QLineEdit*& CusStart_txt;
    QLabel*& CusExample_lbl;
    QCheckBox*& Cus_chk;

    // Lays the column heads into headRow and the rows below it; returns the
    // first row left free.
    int build(QGridLayout* grid, int headRow, const Look& look);
    void ShowPrefixExamples();
};
