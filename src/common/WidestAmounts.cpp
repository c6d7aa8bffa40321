#include "common/WidestAmounts.h"
#include "common/Functions.h"
#include "platform/Currency.h"
#include <limits>

namespace WidestAmounts {
namespace {
// The largest amount of whole cents that the money type can round to two
// decimals: 922337203685477.57.
constexpr std::int64_t Largest = (std::numeric_limits<std::int64_t>::max() - Currency::Scale / 200) / 100 * 100;

QString amountText(std::int64_t raw) {
    return Format_Number_Right(QVariant::fromValue(Currency::fromRaw(raw)), 7, 2);
}
}  // namespace

QString anyAmount() { return amountText(-Largest); }
QString agedAmount() { return amountText(Largest); }
QString itemPrice() { return amountText(99999999999900); }

}  // namespace WidestAmounts
