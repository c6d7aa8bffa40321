#pragma once
#include "widgets/ElidedLabel.h"
#include <QFrame>
#include <QObject>
#include <array>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class Recordset;
struct SettingsValues;

// A miniature of a printed invoice whose delivery address, terms and
// statement parts follow the include boxes.
class SampleInvoice : public QFrame {
    Q_OBJECT
public:
    explicit SampleInvoice(QWidget* parent = nullptr);

    QFrame* Shape1;
    QLabel* Label12;
    QLabel* No;
    QFrame* company1;
    QLabel* company2;
    QFrame* billing1;
    QLabel* billing2;
    QFrame* shipping1;
    QLabel* shipping2;
    QFrame* terms2;
    QLabel* terms1;
    QFrame* statement2;
    QLabel* statement1;
    QFrame* Shape4;
    QFrame* Shape5;
    QFrame* Shape6;
    QFrame* Shape7;
};

// The invoice appearance controls: the four optional invoice header fields
// (include box and heading), the layout buttons, the logo, and the include
// boxes and texts of the printed invoice with the sample. The invoice
// settings dialog and the Options dialog place the same controls on their
// own pages and share their behaviour here.
class InvoiceLook : public QObject {
    Q_OBJECT
public:
    struct Style {
        QString layoutButtonName;   // "Opt" or "Option", followed by 1..6
        bool trimLogoPath;          // the logo path is stored trimmed
    };
    InvoiceLook(QWidget* window, Style style);

    std::array<QCheckBox*, 4> chk;            // chk1..chk4
    std::array<QLineEdit*, 4> Text;           // Text1..Text4
    std::array<QRadioButton*, 6> layoutButtons;
    QLabel* logopic;
    ElidedLabel* path_lbl;
    QPushButton* Select_cmd;
    QPushButton* Erase_cmd;
    QCheckBox* Shipping_chk;
    QCheckBox* Terms_Chk;
    QCheckBox* Statement_chk;
    QPlainTextEdit* terms_txt;
    QPlainTextEdit* statement_txt;
    SampleInvoice* sample;

    // The pieces each window puts on its pages.
    QWidget* layoutButtonsGrid();
    QWidget* logoPanel();
    QWidget* headingRows();
    QWidget* includeColumn();

    // The load step: the stored logo, when its file exists, in the preview.
    void showStoredLogo(const QString& logoPath);
    void loadFrom(const Recordset& row);
    void saveTo(Recordset& row) const;
    void copyTo(SettingsValues& values) const;

    void RefreshIncludeCaptions();
    void ShowInvoicePreview();
    void SetIncludeDefaults();
    void Select_cmd_Click();
    void Erase_cmd_Click();

    // "1".."6" for the first selected layout button; "" when none is.
    QString selectedLayout() const;

private:
    QString storedLogoPath() const;
    bool showPicture(const QString& path);

    QWidget* window_;
    Style style_;
    QButtonGroup* layouts_;
};
