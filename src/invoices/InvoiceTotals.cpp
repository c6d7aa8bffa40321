#include "invoices/InvoiceTotals.h"
#include "common/Functions.h"
#include "platform/AppError.h"
#include "platform/FixedText.h"
#include "platform/NumberText.h"

namespace InvoiceTotals {
namespace {
__int128 pow10(int n) {
    __int128 p = 1;
    while (n-- > 0) p *= 10;
    return p;
}

// The whole text as a number; a text that is none (a lone ".") reads as 0.
Currency wholeNumber(const QString& text) { return readDecimal(text).value_or(Currency()); }

Currency lineTotal(const LineEntry& line) {
    const Currency qty = ValCurrency(line.qty);
    const Currency price = ValCurrency(line.amount);
    // A line without a quantity counts as one unit.
    if (qty == Currency()) return price.rounded(2);
    return product(qty, price, 0, 2);
}
}  // namespace

Currency product(Currency a, Currency b, int percentSteps, int decimals) {
    const __int128 exact = static_cast<__int128>(a.raw()) * b.raw();   // scale 10^8
    const __int128 divisor = pow10(4 + 2 * percentSteps + 4 - decimals);
    const __int128 magnitude = exact < 0 ? -exact : exact;
    const __int128 rounded = (magnitude + divisor / 2) / divisor * pow10(4 - decimals);
    if (rounded > INT64_MAX) raiseError(ErrorNo::Overflow);
    return Currency::fromRaw(static_cast<std::int64_t>(exact < 0 ? -rounded : rounded));
}

QString moneyText(Currency amount) { return Format_Number_Right(QVariant::fromValue(amount), 7, 2); }

Currency moneyValue(const QString& text) { return ValCurrency(text); }

Totals calculate(const Entries& in) {
    Totals out;
    const Currency rate = ValCurrency(in.taxRate);
    Currency subtotal;
    Currency taxSum;   // kept to four decimals, rounded once on the sum
    for (int i = 0; i < LineRows; ++i) {
        const LineEntry& line = in.lines[size_t(i)];
        out.lineTotals[size_t(i)] = moneyText(lineTotal(line));
        const Currency shown = moneyValue(out.lineTotals[size_t(i)]);
        subtotal += shown;
        if (in.taxOn && line.taxable && ValCurrency(line.amount) > Currency())
            taxSum += product(shown, rate, 1, 4);
    }
    out.subtotal = moneyText(subtotal);
    out.vat = moneyText(in.taxOn ? taxSum : Currency());
    out.discount = in.discountPercent.isEmpty()
        ? moneyText(Currency())
        : Trim(moneyText(product(moneyValue(out.subtotal), wholeNumber(in.discountPercent), 1, 2)));
    out.total = moneyText(moneyValue(out.subtotal) + moneyValue(out.vat) - moneyValue(out.discount));
    out.balance = moneyText(moneyValue(out.total) - moneyValue(in.writtenOff) - moneyValue(in.paid));
    return out;
}

BalanceState balanceState(const QString& total, const QString& balance) {
    BalanceState state;
    if (wholeNumber(total) == Currency()) return state;
    if (wholeNumber(balance) == Currency()) {
        state.paidInFull = true;
    } else {
        state.stillOwes = true;
        state.stillOwesText = "BALANCE: " + Trim(balance);
    }
    return state;
}

QString rateText(double rate) { return Currency::fromDouble(rate).toText(); }

QString taxCaption(const QString& taxName, const QString& rate) {
    const Currency value = ValCurrency(rate);
    const QString number = value.toText();
    return Trim(taxName) + " @ " + (value >= Currency() ? " " : "") + number + "%";
}

}  // namespace InvoiceTotals
