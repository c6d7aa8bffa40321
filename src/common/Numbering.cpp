#include "common/Numbering.h"
#include "common/Functions.h"

QString nextStartNumber(const QString& savedNumber, const QString& currentStart) {
    QString digits;
    for (QChar c : savedNumber)
        if (c >= '0' && c <= '9') digits += c;
    // Decimal increment on the text itself: no digit count can overflow it.
    int i = int(digits.size()) - 1;
    for (; i >= 0; --i) {
        if (digits[i] != '9') { digits[i] = QChar(digits[i].unicode() + 1); break; }
        digits[i] = '0';
    }
    if (i < 0) digits.prepend('1');
    return Zero_Pad(digits, int(currentStart.size()));
}
