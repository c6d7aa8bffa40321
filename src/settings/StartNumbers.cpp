#include "settings/StartNumbers.h"
#include "platform/MessageBox.h"
#include "settings/EntryRules.h"
#include <QAbstractButton>
#include <QLineEdit>

QLineEdit* refuseShortStartNumber(std::initializer_list<StartNumberRow> rows) {
    for (const StartNumberRow& row : rows) {
        if (row.freeForm->isChecked() || !EntryRules::startNumberTooShort(row.startBox->text())) continue;
        Box::ask(EntryRules::startNumberTooShortMessage(), row.title, Box::Buttons::Ok, Box::Icon::Exclamation,
                 row.startBox->window());
        return row.startBox;
    }
    return nullptr;
}
