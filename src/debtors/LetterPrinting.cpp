#include "debtors/LetterPrinting.h"
#include "common/Functions.h"
#include "common/SettingsValues.h"
#include "invoices/InvoicePrinting.h"
#include "platform/AppError.h"
#include "platform/ShapeRecordset.h"
#include "platform/ShortDate.h"
#include "platform/Today.h"
#include "reports/PaperSize.h"
#include "reports/ReportDesign.h"
#include "reports/ReportInstance.h"
#include "reports/ReportLayout.h"

ReportInstance& letterReport(QWidget* owner) {
    // Runs once, when the run's letter instance is made.
    ReportInstance::setInitialisation("Letter_rpt", [owner](ReportInstance& letter) {
        checkLogoFound(owner);
        const QImage logo = readLogo(gSettings.logopath);
        if (!gSettings.logopath.isEmpty() && logo.isNull()) sayLogoNotLoaded("letter", owner);
        letter.section("header1").control("Image1").picture = logo;
    });
    return ReportInstance::of("Letter_rpt");
}

QString letterSenderBlock(const SettingsValues& s) {
    return s.BusinessName.text() + "\r\n" + s.Address + "\r\n" + s.Phone.text();
}

void fillLetter(ReportDesign& design, const LetterTexts& texts, const SettingsValues& s, const QDate& today) {
    design.section("Header1").control("Companyadd").caption = letterSenderBlock(s);
    ReportSection& details = design.section("details");
    details.control("Main_lbl").caption = texts.reminder;
    details.control("Signed1").caption = texts.closing;
    details.control("Signed").caption = texts.signature;
    details.control("date_lbl").caption = shortDate(today);
}

namespace {
// The letter bound to the rows of the shaping query (the Letters table),
// opened into rows, and filled for this printing; both let go of the rows
// when the release ends.
ReportInstance& bindLetters(const QString& query, std::shared_ptr<ShapeRecordset>& rows, const LetterTexts& texts,
                            QWidget* owner, ShapeRsRelease& release) {
    // Letters that cannot be read are an error, never an empty preview taken for a printing.
    if (!Open_Shape_Recordset(query, rows))
        raiseError(ErrorNo::ObjectClosed, "The letters to print could not be read.");
    ReportInstance& letter = letterReport(owner);
    letter.dataSource = rows;
    release.alsoHeldBy(letter.dataSource);
    fillLetter(letter.design, texts, gSettings, Today::date());
    return letter;
}
}  // namespace

ReportPages layoutLetters(const QString& query, std::shared_ptr<ShapeRecordset>& rows, const LetterTexts& texts,
                          QWidget* owner) {
    ShapeRsRelease release(rows);
    return bindLetters(query, rows, texts, owner, release).layout(currentPaperSize());
}

bool showLetters(const QString& query, std::shared_ptr<ShapeRecordset>& rows, const LetterTexts& texts,
                 QWidget* owner) {
    ShapeRsRelease release(rows);
    return bindLetters(query, rows, texts, owner, release).show(currentPaperSize(), owner);
}
