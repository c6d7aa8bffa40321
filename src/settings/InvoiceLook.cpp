#include "settings/InvoiceLook.h"
#include "widgets/BoxRules.h"
#include "widgets/BoxText.h"
#include "widgets/ElidedLabel.h"
#include "common/ErrorReport.h"
#include "common/Functions.h"
#include "common/SettingsValues.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/Recordset.h"
#include "settings/SettingsRow.h"
#include "widgets/WidgetHelpers.h"
#include <QButtonGroup>
#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr int headingLimit = 20;
constexpr int termsLimit = 200;
constexpr int statementLimit = 100;
constexpr int logoPathLimit = 200;
constexpr int logoPathWidth = 320;   // pixels

QFrame* shape(QWidget* page, const char* name, QRect place) {
    auto* frame = named(new QFrame(page), name);
    frame->setFrameShape(QFrame::Box);
    frame->setGeometry(place);
    return frame;
}

// A boxed area of the sample with its caption centred in it.
QLabel* boxedCaption(QFrame* box, const char* name, const char* caption) {
    auto* label = named(new QLabel(caption, box), name);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    QFont small = label->font();
    small.setPointSizeF(small.pointSizeF() * 0.75);
    label->setFont(small);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(label);
    return label;
}

void setPartVisible(QWidget* box, QWidget* caption, const QCheckBox* include) {
    box->setVisible(include->isChecked());
    caption->setVisible(include->isChecked());
}
}  // namespace

SampleInvoice::SampleInvoice(QWidget* parent) : QFrame(parent) {
    setFixedSize(200, 262);
    Shape1 = shape(this, "Shape1", QRect(0, 0, 200, 262));
    Shape1->setAutoFillBackground(true);
    QPalette white = Shape1->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    Shape1->setPalette(white);

    QFont bold = font();
    bold.setBold(true);
    Label12 = named(new QLabel("INVOICE", Shape1), "Label12");
    Label12->setFont(bold);
    Label12->setGeometry(10, 8, 90, 18);
    No = named(new QLabel("100001", Shape1), "No");
    No->setFont(bold);
    No->setGeometry(10, 28, 90, 16);

    company1 = shape(Shape1, "company1", QRect(110, 8, 80, 40));
    company2 = boxedCaption(company1, "company2", "Company Address");
    billing1 = shape(Shape1, "billing1", QRect(10, 56, 85, 42));
    billing2 = boxedCaption(billing1, "billing2", "Billing Address");
    shipping1 = shape(Shape1, "shipping1", QRect(105, 56, 85, 42));
    shipping2 = boxedCaption(shipping1, "shipping2", "Delivery Address");
    Shape4 = shape(Shape1, "Shape4", QRect(10, 106, 180, 10));
    Shape5 = shape(Shape1, "Shape5", QRect(10, 115, 180, 82));
    Shape6 = shape(Shape1, "Shape6", QRect(140, 203, 50, 12));
    Shape7 = shape(Shape1, "Shape7", QRect(140, 218, 50, 12));
    terms2 = shape(Shape1, "terms2", QRect(10, 203, 122, 28));
    terms1 = boxedCaption(terms2, "terms1", "Terms and Conditions");
    statement2 = shape(Shape1, "statement2", QRect(10, 237, 180, 18));
    statement1 = boxedCaption(statement2, "statement1", "Statement");
}

InvoiceLook::InvoiceLook(QWidget* window, Style style)
    : QObject(window), window_(window), style_(std::move(style)), layouts_(new QButtonGroup(this)) {
    for (int n = 0; n < 4; ++n) {
        chk[n] = named(new QCheckBox, QString("chk%1").arg(n + 1));
        Text[n] = lineBox(QString("Text%1").arg(n + 1), headingLimit);
        // Room for a whole heading: the layout may not squeeze it.
        Text[n]->setMinimumWidth(widthToShow(Text[n], QString(headingLimit, 'n')));
        BoxRules::afterKeyRelease(Text[n], [this] { RefreshIncludeCaptions(); });
    }
    for (int n = 0; n < 6; ++n) {
        layoutButtons[n] = named(new QRadioButton(QString("Invoice Type %1").arg(n + 1)),
                                 style_.layoutButtonName + QString::number(n + 1));
        layouts_->addButton(layoutButtons[n], n + 1);
    }
    logopic = named(new QLabel, "logopic");
    logopic->setFixedSize(96, 96);
    logopic->setFrameShape(QFrame::Box);
    logopic->setScaledContents(true);
    // A long path is shown shortened, so it cannot push the other frames aside.
    path_lbl = named(new ElidedLabel(logoPathWidth), "path_lbl");
    path_lbl->setFrameShape(QFrame::Panel);
    path_lbl->setFrameShadow(QFrame::Sunken);
    path_lbl->setMinimumWidth(160);
    Select_cmd = named(new QPushButton("Select Logo"), "Select_cmd");
    Erase_cmd = named(new QPushButton("Erase Logo"), "Erase_cmd");
    connect(Select_cmd, &QPushButton::clicked, this, [this] { guard(window_->objectName(), "Select_cmd_Click", [this] { Select_cmd_Click(); }); });
    connect(Erase_cmd, &QPushButton::clicked, this, [this] { Erase_cmd_Click(); });

    Shipping_chk = named(new QCheckBox("Include Delivery Address"), "Shipping_chk");
    Terms_Chk = named(new QCheckBox("Include Terms and Conditions"), "Terms_Chk");
    Statement_chk = named(new QCheckBox("Include Statement"), "Statement_chk");
    terms_txt = textBox("terms_txt", termsLimit);
    statement_txt = textBox("statement_txt", statementLimit);
    for (QPlainTextEdit* box : {terms_txt, statement_txt}) BoxRules::selectOnFocus(box);
    sample = new SampleInvoice;
    connect(Shipping_chk, &QCheckBox::toggled, this,
            [this] { setPartVisible(sample->shipping1, sample->shipping2, Shipping_chk); });
    connect(Terms_Chk, &QCheckBox::toggled, this,
            [this] { setPartVisible(sample->terms2, sample->terms1, Terms_Chk); });
    connect(Statement_chk, &QCheckBox::toggled, this,
            [this] { setPartVisible(sample->statement2, sample->statement1, Statement_chk); });
    const char* initialCaptions[] = {"Include Sales Person", "Include Sales Order", "Include Shipped By",
                                     "IncludeTracking No"};
    for (int n = 0; n < 4; ++n) chk[n]->setText(initialCaptions[n]);
}

QWidget* InvoiceLook::layoutButtonsGrid() {
    auto* grid = new QWidget;
    auto* layout = new QGridLayout(grid);
    for (int n = 0; n < 6; ++n) layout->addWidget(layoutButtons[n], n / 3, n % 3);
    return grid;
}

QWidget* InvoiceLook::logoPanel() {
    auto* panel = new QWidget;
    auto* layout = new QGridLayout(panel);
    layout->addWidget(logopic, 0, 0, 3, 1);
    layout->addWidget(new QLabel("Invoice Logo:"), 0, 1);
    layout->addWidget(path_lbl, 1, 1, 1, 2);
    layout->addWidget(Select_cmd, 2, 1);
    layout->addWidget(Erase_cmd, 2, 2);
    return panel;
}

QWidget* InvoiceLook::headingRows() {
    auto* rows = new QWidget;
    auto* layout = new QGridLayout(rows);
    for (int n = 0; n < 4; ++n) {
        layout->addWidget(chk[n], n, 0);
        layout->addWidget(Text[n], n, 1);
    }
    return rows;
}

QWidget* InvoiceLook::includeColumn() {
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->addWidget(Shipping_chk);
    layout->addWidget(Terms_Chk);
    layout->addWidget(new QLabel("Terms and Conditions:"));
    layout->addWidget(terms_txt);
    layout->addWidget(Statement_chk);
    layout->addWidget(new QLabel("Statement at the bottom:"));
    layout->addWidget(statement_txt);
    return column;
}

void InvoiceLook::showStoredLogo(const QString& logoPath) {
    // A missing or unreadable picture leaves the preview empty; printing
    // reports it.
    if (!logoPath.isEmpty() && QFileInfo(logoPath).isFile()) showPicture(logoPath);
}

void InvoiceLook::loadFrom(const Recordset& row) {
    for (int n = 0; n < 4; ++n) {
        const QString column = QString("Text%1").arg(n + 1);
        SettingsRow::tickFrom(chk[n], row.field(column + "Visible"));
        Text[n]->setText(Field_To_String(row.field(column + "Name")));
    }
    RefreshIncludeCaptions();
    const int layout = SettingsRow::layoutOf(Field_To_String(row.field("InvoiceType")));
    layouts_->setExclusive(false);
    for (int n = 0; n < 6; ++n) layoutButtons[n]->setChecked(n + 1 == layout);
    layouts_->setExclusive(true);
    SettingsRow::tickFrom(Shipping_chk, row.field("includeshipping"));
    SettingsRow::tickFrom(Terms_Chk, row.field("includeterms"));
    SettingsRow::tickFrom(Statement_chk, row.field("includestatement"));
    BoxRules::showStoredText(statement_txt, Field_To_String(row.field("Statement")));
    BoxRules::showStoredText(terms_txt, Field_To_String(row.field("Terms1")));
    path_lbl->setText(Field_To_String(row.field("logopath")));
}

void InvoiceLook::saveTo(Recordset& row) const {
    for (int n = 0; n < 4; ++n) {
        const QString column = QString("Text%1").arg(n + 1);
        row.setField(column + "Visible", SettingsRow::boxValue(chk[n]));
        row.setField(column + "Name", Trim(Text[n]->text()));
    }
    if (!selectedLayout().isEmpty()) row.setField("InvoiceType", selectedLayout());
    row.setField("includestatement", SettingsRow::boxValue(Statement_chk));
    row.setField("includeterms", SettingsRow::boxValue(Terms_Chk));
    row.setField("includeshipping", SettingsRow::boxValue(Shipping_chk));
    row.setField("Statement", Trim(BoxRules::storedText(statement_txt)));
    row.setField("Terms1", Trim(BoxRules::storedText(terms_txt)));
    row.setField("logopath", storedLogoPath());
}

void InvoiceLook::copyTo(SettingsValues& values) const {
    values.Text1Visible = SettingsRow::boxValue(chk[0]);
    values.Text2Visible = SettingsRow::boxValue(chk[1]);
    values.Text3Visible = SettingsRow::boxValue(chk[2]);
    values.Text4Visible = SettingsRow::boxValue(chk[3]);
    values.Text1Name = Trim(Text[0]->text());
    values.Text2Name = Trim(Text[1]->text());
    values.Text3Name = Trim(Text[2]->text());
    values.Text4Name = Trim(Text[3]->text());
    if (!selectedLayout().isEmpty()) values.InvoiceType = selectedLayout();
    values.includestatement = SettingsRow::boxValue(Statement_chk);
    values.includeterms = SettingsRow::boxValue(Terms_Chk);
    values.includeshipping = SettingsRow::boxValue(Shipping_chk);
    values.Statement = Trim(BoxRules::storedText(statement_txt));
    values.Terms1 = Trim(BoxRules::storedText(terms_txt));
    values.logopath = storedLogoPath();
}

void InvoiceLook::RefreshIncludeCaptions() {
    for (int n = 0; n < 4; ++n) {
        QString heading = Text[n]->text();
        chk[n]->setText("Include " + heading.replace('&', "&&"));
    }
}

void InvoiceLook::ShowInvoicePreview() {
    setPartVisible(sample->terms2, sample->terms1, Terms_Chk);
    setPartVisible(sample->shipping1, sample->shipping2, Shipping_chk);
    setPartVisible(sample->statement2, sample->statement1, Statement_chk);
}

void InvoiceLook::SetIncludeDefaults() {
    Terms_Chk->setChecked(true);
    Shipping_chk->setChecked(true);
    Statement_chk->setChecked(true);
}

void InvoiceLook::Select_cmd_Click() {
    const QString path = FileDialog::getOpenFileName(window_, "Select Logo", QString(),
                                                     "Picture File (*.bmp *.jpg *.BMP *.JPG)");
    if (path.isEmpty()) return;   // cancelled: the logo stays as it was
    if (path.size() > logoPathLimit) {
        Box::ask("Path too long. Move the picture to another location and try again.", "Path too Long",
                 Box::Buttons::Ok, Box::Icon::Exclamation, window_);
        return;
    }
    if (!showPicture(path)) {
        Box::ask("This file cannot be read as a picture. Please choose a .bmp or .jpg picture.",
                 "Picture Not Loaded", Box::Buttons::Ok, Box::Icon::Exclamation, window_);
        return;
    }
    path_lbl->setText(path);
}

void InvoiceLook::Erase_cmd_Click() {
    path_lbl->clear();
    logopic->clear();
}

QString InvoiceLook::selectedLayout() const {
    for (int n = 0; n < 6; ++n)
        if (layoutButtons[n]->isChecked()) return invoiceTypeOf(n + 1);
    return QString();
}

QString InvoiceLook::storedLogoPath() const {
    return style_.trimLogoPath ? Trim(path_lbl->text()) : path_lbl->text();
}

bool InvoiceLook::showPicture(const QString& path) {
    QPixmap picture;
    if (!picture.load(path)) return false;
    logopic->setPixmap(picture);
    return true;
}
