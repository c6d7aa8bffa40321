#pragma once
// Catches the previews the reports would show, with their titles, on a
// paper of the test's choosing, so no test ever waits on a modal preview.
#include "reports/PaperSize.h"
#include "reports/ReportLayout.h"
#include "reports/ReportPreview.h"
#include <QStringList>
#include <vector>

struct ReportWatch {
    std::vector<ReportPages> shown;
    QStringList titles;
    QWidget* owner = nullptr;

    explicit ReportWatch(QPageSize::PageSizeId paper = QPageSize::Letter) {
        setPaperSizeSource([paper] { return QPageSize(paper); });
        setReportPreviewHook([this](const ReportPages& pages, const QString& title, QWidget* o) {
            shown.push_back(pages);
            titles << title;
            owner = o;
        });
    }
    ~ReportWatch() {
        setPaperSizeSource({});
        setReportPreviewHook({});
    }

    // The texts of every placed control of that name, on every page of the last preview, in order.
    QStringList texts(const QString& control) const {
        QStringList found;
        for (const ReportPage& page : shown.back().pages)
            for (const PlacedItem& item : page.items)
                if (item.control().name.compare(control, Qt::CaseInsensitive) == 0) found << item.text;
        return found;
    }
};
