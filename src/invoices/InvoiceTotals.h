#pragma once
#include "platform/Currency.h"
#include <QString>
#include <array>

// The arithmetic of the invoice editor over its texts: every step writes a
// ten-character money text with two decimals and the next step reads that
// text back, so the texts' rounding is the invoice's rounding. Money is exact
// (ten-thousandths); halves round away from zero.
namespace InvoiceTotals {

constexpr int LineRows = 8;

struct LineEntry {
    QString qty;
    QString amount;       // unit price
    bool taxable = false;
};

struct Entries {
    std::array<LineEntry, LineRows> lines;
    // The rate this invoice is taxed at, in percent: the settings' rate for a
    // new invoice, its own stored rate for a stored one. 0 charges no tax.
    QString taxRate;
    QString discountPercent;
    QString paid;
    QString writtenOff;
};

struct Totals {
    std::array<QString, LineRows> lineTotals;
    QString subtotal;
    QString vat;
    QString discount;
    QString total;            // also the payment summary's total
    QString balance;
};

Totals calculate(const Entries& entries);

// A stored invoice as it was opened: what its amounts come from, and the
// amounts as stored (in the texts the editor shows them in).
struct StoredAmounts {
    Entries entries;
    Totals totals;
};

// The totals of a stored invoice. Its stored amounts stand, even where they
// are not what its lines would give now, until what they come from changes:
// while its lines, tax ticks and discount are as stored it keeps its line
// totals and summary, and while its payments are as stored also its balance.
Totals calculate(const Entries& entries, const StoredAmounts& stored);

// What "Paid In Full" puts in the paid box: the total less what was written
// off, so that nothing is owed.
QString paidInFull(const QString& total, const QString& writtenOff);

// Whether the editor shows the tax column: always with tax on in the
// settings; with tax off only while the invoice bears tax, or has a ticked
// line at a rate that would add tax, so that no hidden tick adds any.
bool taxColumnShown(bool taxEnabled, const QString& vat, const Entries& entries);

// What the paid / still-owes labels show for a total and a balance text.
struct BalanceState {
    bool paidInFull = false;
    bool stillOwes = false;
    QString stillOwesText;
};
BalanceState balanceState(const QString& total, const QString& balance);

// An amount as the editor shows it: right-aligned, two decimals, ten characters.
QString moneyText(Currency amount);
// A money text read back by its leading number.
Currency moneyValue(const QString& text);

// A rate as plain text: no leading blanks, no trailing zeros.
QString rateText(double rate);
// The caption of the tax amount: "VAT @  17.5%" (a blank before a rate of 0 or more).
QString taxCaption(const QString& taxName, const QString& rate);

// a × b ÷ 100^percentSteps, rounded once to the given decimals.
Currency product(Currency a, Currency b, int percentSteps, int decimals);

}  // namespace InvoiceTotals
