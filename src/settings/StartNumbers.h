#pragma once
#include <QString>
#include <initializer_list>

class QAbstractButton;
class QLineEdit;

// A number row whose start box is checked unless its free-form box is ticked.
struct StartNumberRow {
    QAbstractButton* freeForm;
    QLineEdit* startBox;
    QString title;   // "Invoice Number", "Item Number", "Customer Number"
};

// Tests the rows in order and stops at the first start number too short: its
// message is shown under the row's title and its box is returned, so the
// caller can show its page and put the focus there. Null when all pass.
QLineEdit* refuseShortStartNumber(std::initializer_list<StartNumberRow> rows);
