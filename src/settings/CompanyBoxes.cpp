#include "settings/CompanyBoxes.h"
#include "widgets/BoxRules.h"
#include "widgets/WidgetHelpers.h"
#include <QGridLayout>
#include <utility>

namespace {
constexpr int addressLimit = 150;
constexpr int addressLinesInView = 6;
}  // namespace

void CompanyBoxes::build(QGridLayout* grid, int firstRow) {
    Name_txt = lineBox("Name_txt", 30);
    Address_txt = textBox("Address_txt", addressLimit);
    Address_txt->setFixedHeight(Address_txt->fontMetrics().lineSpacing() * addressLinesInView);
    Phone_txt = lineBox("Phone_txt", 30);
    Mobile_txt = lineBox("Mobile_txt", 30);
    email_txt = lineBox("email_txt", 30);
    WebAddress_txt = lineBox("WebAddress_txt", 30);

    const std::pair<const char*, QWidget*> rows[] = {{"Name of Business:", Name_txt}, {"Address:", Address_txt},
                                                     {"Phone:", Phone_txt},           {"Mobile", Mobile_txt},
                                                     {"Email:", email_txt},           {"Web Address:", WebAddress_txt}};
    int row = firstRow;
    for (const auto& [caption, box] : rows) {
        grid->addWidget(new QLabel(caption), row, 0, box == Address_txt ? Qt::AlignTop : Qt::AlignVCenter);
        grid->addWidget(box, row, 1);
        BoxRules::selectOnFocus(box);
        ++row;
    }
    grid->addWidget(note("You can only enter a maximum of 5 lines for the address. Anything more will not "
                         "appear on the invoice."),
                    firstRow + 1, 2, Qt::AlignTop);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(row, 1);
}
