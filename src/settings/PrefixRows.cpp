#include "settings/PrefixRows.h"
#include "widgets/BoxRules.h"
#include "settings/EntryRules.h"
#include "widgets/WidgetHelpers.h"
#include <QCheckBox>
#include <QGridLayout>

namespace {
struct Row {
    const char* caption;
    const char* kind;
    const char* prefixText;
    const char* startText;
    const char* freeFormName;
    const char* freeFormCaption;
    QLineEdit*& prefix;
    QLineEdit*& start;
    QLabel*& example;
    QCheckBox*& freeForm;
};
}  // namespace

int PrefixRows::build(QGridLayout* grid, int headRow, const Look& look) {
    int column = 1;
    for (const char* head : {"Prefix", look.startHead, "Example"}) grid->addWidget(new QLabel(head), headRow, column++);

    const Row rows[] = {
        {"Invoice:", "Inv", "INV", "100001", "Inv_chk", "Use Free Form Invoice Creation", InvPrefix_txt,
         InvStart_txt, InvExample_lbl, Inv_chk},
        {"Credit:", "Crd", "CRD", "200001", "Crd_chk", "Use Free Form Credit Note Creation", CrdPrefix_txt,
         CrdStart_txt, CrdExample_lbl, Crd_chk},
        {look.itemCaption, "Prt", look.itemPrefix, "100001", "Part_chk", "Use Free Form Item\\Part No Creation",
         PrtPrefix_txt, PrtStart_txt, PrtExample_lbl, Part_chk},
        {"Customer:", "Cus", "CUS", "100001", "Cus_chk", "Use Free Form Customer No .Creation", CusPrefix_txt,
         CusStart_txt, CusExample_lbl, Cus_chk},
    };
    int line = headRow + 1;
    for (Kind kind : look.order) {
        const Row& row = rows[static_cast<int>(kind)];
        auto* caption = new QLabel(row.caption);
        row.prefix = lineBox(QString(row.kind) + "Prefix_txt", EntryRules::PrefixLength, row.prefixText);
        row.start = lineBox(QString(row.kind) + "Start_txt", EntryRules::StartNumberLength, row.startText);
        row.example = named(new QLabel, QString(row.kind) + "Example_lbl");
        row.freeForm = named(new QCheckBox(row.freeFormCaption), row.freeFormName);
        row.prefix->setMinimumWidth(row.prefix->fontMetrics().horizontalAdvance("WWWW") + 12);
        row.example->setMinimumWidth(row.example->fontMetrics().horizontalAdvance("WWWW00000000") + 12);
        BoxRules::digitsOnly(row.start);
        EntryRules::followFreeForm(row.freeForm, row.prefix, row.start);
        for (QLineEdit* box : {row.prefix, row.start}) BoxRules::afterKeyRelease(box, [this] { ShowPrefixExamples(); });
        const bool credit = kind == Kind::Credit;
        BoxRules::selectOnFocus(row.prefix);
        if (!credit) BoxRules::selectOnFocus(row.start);
        QWidget* cells[] = {caption, row.prefix, row.start, row.example, row.freeForm};
        for (int cell = 0; cell < 5; ++cell) {
            grid->addWidget(cells[cell], line, cell);
            if (credit) cells[cell]->setVisible(false);
        }
        ++line;
    }
    grid->setColumnStretch(4, 1);
    ShowPrefixExamples();
    return line;
}

void PrefixRows::ShowPrefixExamples() {
    InvExample_lbl->setText(EntryRules::prefixExample(InvPrefix_txt->text(), InvStart_txt->text()));
    CrdExample_lbl->setText(EntryRules::prefixExample(CrdPrefix_txt->text(), CrdStart_txt->text()));
    PrtExample_lbl->setText(EntryRules::prefixExample(PrtPrefix_txt->text(), PrtStart_txt->text()));
    CusExample_lbl->setText(EntryRules::prefixExample(CusPrefix_txt->text(), CusStart_txt->text()));
}
