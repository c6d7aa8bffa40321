#include "reports/ReportInstance.h"
#include "reports/ReportPager.h"
#include "reports/ReportPreview.h"
#include <map>

namespace {
std::map<QString, std::unique_ptr<ReportInstance>>& instances() {
    static std::map<QString, std::unique_ptr<ReportInstance>> made;
    return made;
}

std::map<QString, ReportInstance::Initialisation>& initialisations() {
    static std::map<QString, ReportInstance::Initialisation> steps;
    return steps;
}
}  // namespace

ReportInstance& ReportInstance::of(const QString& designName) {
    const QString key = designName.toLower();
    auto& made = instances();
    if (const auto found = made.find(key); found != made.end()) return *found->second;
    auto instance = std::make_unique<ReportInstance>();
    instance->design = ReportDesign::load(designName);
    if (const auto init = initialisations().find(key); init != initialisations().end() && init->second)
        init->second(*instance);
    return *made.emplace(key, std::move(instance)).first->second;
}

void ReportInstance::setInitialisation(const QString& designName, Initialisation init) {
    initialisations()[designName.toLower()] = std::move(init);
}

void ReportInstance::forgetAll() { instances().clear(); }

ReportPages ReportInstance::layout(const QPageSize& paper) const {
    return layoutReport(design, dataSource.get(), paper);
}

bool ReportInstance::show(const QPageSize& paper, QWidget* owner) const {
    // The pages keep a copy of their own: the design may change for the next printing.
    ReportPager pages(std::make_shared<const ReportDesign>(design), dataSource, paper);
    return showReportPreview(pages, design.caption, owner);
}
