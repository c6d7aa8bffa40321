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
    QString taxRate;          // the rate this invoice uses, in percent
    bool taxOn = false;       // the current tax setting is not 0
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
