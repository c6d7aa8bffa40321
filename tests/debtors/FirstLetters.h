#pragma once
// The reminder letters of the first unpaid invoices, as the debtors window
// prints them: shared by the report tests and tools/render_reports.
#include "common/Functions.h"
#include "common/SettingsValues.h"
#include "debtors/DebtorRecord.h"
#include "debtors/LetterPrinting.h"
#include "platform/Database.h"
#include "reports/ReportLayout.h"

// The letters of the first count invoices with a balance, in table order,
// from the sender of the settings and with their first reminder.
inline ReportPages firstLetters(int count) {
    std::vector<LetterChoice> choices;
    Statement unpaid(Database::shared(), "SELECT CustNo, InvNo FROM Invoices WHERE Balance > 0 ORDER BY rowid LIMIT ?");
    unpaid.bind(1, count);
    while (unpaid.step()) choices.push_back({unpaid.value(0).toString(), unpaid.value(1).toString()});
    writeLetters(choices);
    return layoutLetters(LettersQuery, ShapeRs,
                         {gSettings.Reminder1, "Yours Sincerely", gSettings.BusinessName.text()}, nullptr);
}
