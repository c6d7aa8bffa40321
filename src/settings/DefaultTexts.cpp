#include "settings/DefaultTexts.h"

namespace DefaultTexts {
QString reminder1() {
    return "We have not been able to register payment for the invoice listed above and assume there has "
           "been an oversight.We would appreciate payment in the coming days.";
}
QString reminder2() {
    return "The invoice listed above has not been paid in spite of a reminder. Please let us know if there "
           "is any question regarding it. Please note that we reserve the right to charge interest on "
           "overdue sums as well as invoice charge.";
}
QString reminder3() {
    return "This is the last (third) and final reminder on the invoice listed above. We reserve the right "
           "to take whatever legal action deemed necessary if the debt is not settled in the nearest future.";
}
QString statement() { return "Thank you for your business"; }
QString terms() {
    return "Terms & Conditions:\r\nTo edit terms & conditions goto Options on the main menu and select the "
           "Invoice tab.";
}
}
