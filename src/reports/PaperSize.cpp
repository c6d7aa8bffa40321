#include "reports/PaperSize.h"
#include <QPrinterInfo>
#include <map>
#include <set>

namespace {
std::function<QPageSize()>& source() {
    static std::function<QPageSize()> s;
    return s;
}
}

void setPaperSizeSource(std::function<QPageSize()> s) { source() = std::move(s); }

QPageSize localeDefaultPaperSize(const QLocale& locale) {
    static const std::set<QLocale::Territory> letter{
        QLocale::UnitedStates, QLocale::Canada,     QLocale::Mexico,     QLocale::Chile,
        QLocale::Colombia,     QLocale::Venezuela,  QLocale::Philippines, QLocale::PuertoRico,
        QLocale::Guatemala,    QLocale::CostaRica,  QLocale::Panama,     QLocale::DominicanRepublic,
        QLocale::ElSalvador,   QLocale::Nicaragua,  QLocale::Belize};
    return QPageSize(letter.count(locale.territory()) ? QPageSize::Letter : QPageSize::A4);
}

QPageSize currentPaperSize() {
    if (source()) return source()();
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (!printer.isNull()) {
        const QPageSize size = printer.defaultPageSize();
        if (size.isValid()) return size;
    }
    return localeDefaultPaperSize();
}

int paperSizeCode(const QPageSize& size) {
    static const std::map<QPageSize::PageSizeId, int> codes{
        {QPageSize::Letter, 1}, {QPageSize::Tabloid, 3}, {QPageSize::Ledger, 4}, {QPageSize::Legal, 5},
        {QPageSize::Executive, 7}, {QPageSize::A3, 8}, {QPageSize::A4, 9}, {QPageSize::A5, 11},
        {QPageSize::B4, 12}, {QPageSize::B5, 13}};
    const auto found = codes.find(size.id());
    return found == codes.end() ? 0 : found->second;
}
