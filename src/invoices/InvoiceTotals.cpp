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

// The discount percentage as the totals read it: none when the box is empty.
Currency discountRate(const QString& text) { return text.isEmpty() ? Currency() : wholeNumber(text); }

QString balanceOf(const QString& total, const QString& writtenOff, const QString& paid) {
    return moneyText(moneyValue(total) - moneyValue(writtenOff) - moneyValue(paid));
}

bool sameLines(const Entries& a, const Entries& b) {
    for (size_t i = 0; i < a.lines.size(); ++i) {
        const LineEntry& x = a.lines[i];
        const LineEntry& y = b.lines[i];
        if (ValCurrency(x.qty) != ValCurrency(y.qty) || ValCurrency(x.amount) != ValCurrency(y.amount)
            || x.taxable != y.taxable)
            return false;
    }
    return ValCurrency(a.taxRate) == ValCurrency(b.taxRate)
        && discountRate(a.discountPercent) == discountRate(b.discountPercent);
}

bool samePayments(const Entries& a, const Entries& b) {
    return moneyValue(a.paid) == moneyValue(b.paid) && moneyValue(a.writtenOff) == moneyValue(b.writtenOff);
}

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
        if (line.taxable && ValCurrency(line.amount) > Currency()) taxSum += product(shown, rate, 1, 4);
    }
    out.subtotal = moneyText(subtotal);
    out.vat = moneyText(taxSum);
    out.discount = in.discountPercent.isEmpty()
        ? moneyText(Currency())
        : Trim(moneyText(product(moneyValue(out.subtotal), discountRate(in.discountPercent), 1, 2)));
    out.total = moneyText(moneyValue(out.subtotal) + moneyValue(out.vat) - moneyValue(out.discount));
    out.balance = balanceOf(out.total, in.writtenOff, in.paid);
    return out;
}

Totals calculate(const Entries& in, const StoredAmounts& stored) {
    if (!sameLines(in, stored.entries)) return calculate(in);
    Totals out = stored.totals;
    if (!samePayments(in, stored.entries)) out.balance = balanceOf(out.total, in.writtenOff, in.paid);
    return out;
}

QString paidInFull(const QString& total, const QString& writtenOff) {
    return moneyText(moneyValue(total) - moneyValue(writtenOff));
}

bool taxColumnShown(bool taxEnabled, const QString& vat, const Entries& entries) {
    if (taxEnabled || moneyValue(vat) != Currency()) return true;
    if (ValCurrency(entries.taxRate) == Currency()) return false;
    for (const LineEntry& line : entries.lines)
        if (line.taxable) return true;
    return false;
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
