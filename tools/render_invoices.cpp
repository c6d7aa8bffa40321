// Renders each of the six invoice layouts to PDF on Letter and on A4, filled
// once from the printing tests' sample invoice (invoice<N>-letter.pdf,
// invoice<N>-a4.pdf) and with the longest values the editors accept, once
// with their blanks (invoice<N>-letter-long.pdf, invoice<N>-a4-long.pdf), once
// as unbroken words (invoice<N>-letter-unbroken.pdf, ...) and once as runs of
// the widest letter of each text's font (invoice<N>-letter-widest.pdf, ...),
// in the folder named on the command line (the current folder when none). It
// names every text that prints cut.
#include "common/SettingsValues.h"
#include "invoices/InvoicePrinting.h"
#include "invoices/LongestValues.h"
#include "invoices/SampleValues.h"
#include "reports/ReportLayout.h"
#include "reports/ReportPainter.h"
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>

namespace {
// The sample company, with a logo.
SettingsValues withLogo(const QString& logoPath) {
    SettingsValues s = sampleSettings();
    s.logopath = logoPath;
    return s;
}

// Names the texts that print cut, ending in the mark, because even the
// smallest size is too big for their box.
void reportCutTexts(const ReportPages& pages, const QString& file) {
    for (const ReportPage& page : pages.pages)
        for (const PlacedItem& item : page.items)
            if (fittedText(page, item).cut)
                std::printf("%s: %s is cut: \"%s\"\n", qPrintable(file), qPrintable(item.control().name),
                            qPrintable(QString(item.text).replace("\r\n", " / ")));
}

QString sampleLogo(const QTemporaryDir& dir) {
    QImage logo(240, 200, QImage::Format_RGB32);
    logo.fill(Qt::white);
    QPainter p(&logo);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor("#2E7D32"));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRect(30, 10, 180, 180));
    p.setPen(Qt::white);
    p.setFont(QFont("Liberation Sans", 60, QFont::Bold));
    p.drawText(logo.rect(), Qt::AlignCenter, "K");
    p.end();
    const QString path = dir.filePath("logo.png");
    logo.save(path);
    return path;
}
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    if (!out.exists() && !QDir().mkpath(out.path())) {
        std::fprintf(stderr, "Cannot make the folder %s\n", qPrintable(out.path()));
        return 1;
    }
    QTemporaryDir scratch;
    const QString logo = sampleLogo(scratch);
    const struct { const char* suffix; SettingsValues settings; InvoiceOnScreen invoice; CustomerAddress customer; }
        cases[] = {{"", withLogo(logo), sampleScreen(), sampleCustomer()},
                   {"-long", longest::settings(withLogo(logo)), longest::invoice(sampleScreen()), longest::customer()},
                   {"-unbroken", longest::settings(withLogo(logo), longest::Words::Unbroken),
                    longest::invoice(sampleScreen(), longest::Words::Unbroken),
                    longest::customer(longest::Words::Unbroken)},
                   {"-widest", longest::settings(withLogo(logo), longest::Words::Widest),
                    longest::invoice(sampleScreen(), longest::Words::Widest),
                    longest::customer(longest::Words::Widest)}};
    const struct { const char* name; QPageSize size; } papers[] = {{"letter", QPageSize(QPageSize::Letter)},
                                                                   {"a4", QPageSize(QPageSize::A4)}};
    for (const auto& sample : cases) {
        for (int layout = 1; layout <= 6; ++layout) {
            for (const auto& paper : papers) {
                ReportDesign design = createInvoiceLayout(layout, sample.settings.logopath);
                fillInvoiceLayout(design, layout, sample.invoice, sample.settings, sample.customer,
                                  paper.size.id() == QPageSize::A4);
                ReportPages pages = layoutReport(design, nullptr, paper.size);
                longest::widen(pages);
                const QString file =
                    out.filePath(QString("invoice%1-%2%3.pdf").arg(layout).arg(paper.name, sample.suffix));
                if (!writeReportPdf(pages, file)) {
                    std::fprintf(stderr, "Cannot write %s\n", qPrintable(file));
                    return 1;
                }
                std::printf("%s: %d page(s)\n", qPrintable(file), int(pages.pages.size()));
                reportCutTexts(pages, file);
            }
        }
    }
    return 0;
}
