#pragma once
#include <QString>

// The widest texts that the amount columns and labels of the windows must
// show whole, as Format_Number_Right writes them with 7 and 2.
//
// An amount beyond ten characters is kept whole, never cut, and the invoice
// editor refuses only what the money type cannot hold. Its boxes reach that
// limit: eight lines of 9999 at 9999999999 are 799919999920008.00 before
// tax, at a rate of up to 99999 %, and a discount of up to 9999 % turns a
// total into a credit. So a total, a balance or a payment can be any amount
// the money type holds, 15 digits before the point, negative included.
namespace WidestAmounts {

// Totals, balances, payments, subtotals, tax and discounts:
// "-922337203685477.57". A sum of them over many invoices (a MoneySum) is
// wider still: the labels and footers that show one grow with it.
QString anyAmount();
// An aged part of a balance: only balances above 0 are aged, so never
// negative: "922337203685477.57".
QString agedAmount();
// An item's price: ten digits, as the item editor's price box takes them,
// and two decimals: "9999999999.99".
QString itemPrice();

}  // namespace WidestAmounts
