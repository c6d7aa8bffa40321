#include "reports/ReportDesign.h"
#include "platform/AppError.h"
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <map>

namespace {
template <typename T>
auto& findByName(T& items, const QString& name, const char* what) {
    for (auto& item : items)
        if (item.name.compare(name, Qt::CaseInsensitive) == 0) return item;
    raiseError(ErrorNo::ItemNotFound, QString("The report has no %1 named %2.").arg(what, name));
}

template <typename T>
bool hasName(const T& items, const QString& name) {
    for (const auto& item : items)
        if (item.name.compare(name, Qt::CaseInsensitive) == 0) return true;
    return false;
}

[[noreturn]] void badDesign(const QString& why) {
    raiseError(ErrorNo::InvalidUse, "The report design cannot be read: " + why);
}

template <typename E>
E choice(const QJsonObject& o, const char* key, const std::map<QString, E>& names, E fallback) {
    if (!o.contains(key)) return fallback;
    const QString text = o.value(key).toString();
    const auto found = names.find(text);
    if (found == names.end()) badDesign(QString("unknown %1 \"%2\"").arg(key, text));
    return found->second;
}

QColor colorOr(const QJsonObject& o, const char* key, const QColor& fallback) {
    if (!o.contains(key)) return fallback;
    const QColor c = designColor(o.value(key).toString());
    if (!c.isValid()) badDesign(QString("bad colour \"%1\"").arg(o.value(key).toString()));
    return c;
}

ReportFont readFont(const QJsonObject& o, const ReportFont& fallback) {
    ReportFont f = fallback;
    f.family = o.value("family").toString(f.family);
    f.pointSize = o.value("size").toDouble(f.pointSize);
    f.bold = o.value("bold").toBool(f.bold);
    f.italic = o.value("italic").toBool(f.italic);
    return f;
}

ReportControl readControl(const QJsonObject& o, const ReportFont& reportFont) {
    static const std::map<QString, ControlKind> kinds{
        {"label", ControlKind::Label}, {"textBox", ControlKind::TextBox}, {"line", ControlKind::Line},
        {"shape", ControlKind::Shape}, {"image", ControlKind::Image}, {"function", ControlKind::Function}};
    static const std::map<QString, Qt::Alignment> alignments{
        {"left", Qt::AlignLeft}, {"right", Qt::AlignRight}, {"center", Qt::AlignHCenter}};
    static const std::map<QString, ShapeKind> shapes{
        {"rectangle", ShapeKind::Rectangle}, {"roundedRectangle", ShapeKind::RoundedRectangle}};
    static const std::map<QString, FunctionKind> functions{{"sum", FunctionKind::Sum}, {"count", FunctionKind::Count}};

    ReportControl c;
    c.name = o.value("name").toString();
    if (c.name.isEmpty()) badDesign("a control has no name");
    if (!o.contains("kind")) badDesign("the control " + c.name + " has no kind");
    c.kind = choice(o, "kind", kinds, ControlKind::Label);
    c.left = o.value("left").toInt();
    c.top = o.value("top").toInt();
    c.width = o.value("width").toInt();
    c.height = o.value("height").toInt();
    c.visible = o.value("visible").toBool(true);
    c.caption = o.value("caption").toString();
    c.alignment = choice(o, "align", alignments, Qt::Alignment(Qt::AlignLeft));
    c.font = readFont(o.value("font").toObject(), reportFont);
    c.foreColor = colorOr(o, "foreColor", Qt::black);
    c.backColor = colorOr(o, "backColor", Qt::white);
    c.opaque = o.value("opaque").toBool(false);
    c.trimLineEnds = o.value("trimLineEnds").toBool(false);
    c.dataField = o.value("dataField").toString();
    c.dataMember = o.value("dataMember").toString();
    c.format = o.value("format").toString();
    c.function = choice(o, "function", functions, FunctionKind::Sum);
    c.shape = choice(o, "shape", shapes, ShapeKind::Rectangle);
    c.fillColor = colorOr(o, "fillColor", QColor());
    c.borderColor = colorOr(o, "borderColor", Qt::black);
    c.border = o.value("border").toBool(true);
    return c;
}

ReportSection readSection(const QJsonObject& o, const ReportFont& reportFont) {
    static const std::map<QString, SectionKind> kinds{
        {"reportHeader", SectionKind::ReportHeader}, {"pageHeader", SectionKind::PageHeader},
        {"groupHeader", SectionKind::GroupHeader},   {"detail", SectionKind::Detail},
        {"groupFooter", SectionKind::GroupFooter},   {"pageFooter", SectionKind::PageFooter},
        {"reportFooter", SectionKind::ReportFooter}};
    ReportSection s;
    s.name = o.value("name").toString();
    if (s.name.isEmpty()) badDesign("a section has no name");
    s.kind = choice(o, "kind", kinds, SectionKind::Detail);
    s.height = o.value("height").toInt();
    s.visible = o.value("visible").toBool(true);
    s.pageBreakBefore = o.value("pageBreakBefore").toBool(false);
    s.dataMember = o.value("dataMember").toString();
    for (const auto& c : o.value("controls").toArray()) s.controls.push_back(readControl(c.toObject(), reportFont));
    return s;
}
}

ReportControl& ReportSection::control(const QString& name) { return findByName(controls, name, "control"); }
const ReportControl& ReportSection::control(const QString& name) const {
    return findByName(controls, name, "control");
}
bool ReportSection::hasControl(const QString& name) const { return hasName(controls, name); }

ReportSection& ReportDesign::section(const QString& name) { return findByName(sections, name, "section"); }
const ReportSection& ReportDesign::section(const QString& name) const {
    return findByName(sections, name, "section");
}
bool ReportDesign::hasSection(const QString& name) const { return hasName(sections, name); }

QColor designColor(const QString& text) {
    // The few system colours the designs name, as the classic desktop showed them.
    static const std::map<int, QColor> system{{1, QColor("#004E98")}};
    if (text.startsWith("system:")) {
        const auto found = system.find(text.mid(7).toInt());
        return found == system.end() ? QColor() : found->second;
    }
    return QColor::fromString(text);
}

ReportDesign ReportDesign::fromJson(const QByteArray& json) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (!doc.isObject()) badDesign(error.errorString());
    const QJsonObject o = doc.object();
    ReportDesign d;
    d.name = o.value("name").toString();
    d.caption = o.value("caption").toString();
    d.reportWidth = o.value("reportWidth").toInt();
    const QJsonObject margins = o.value("margins").toObject();
    d.leftMargin = margins.value("left").toInt(d.leftMargin);
    d.rightMargin = margins.value("right").toInt(d.rightMargin);
    d.topMargin = margins.value("top").toInt(d.topMargin);
    d.bottomMargin = margins.value("bottom").toInt(d.bottomMargin);
    d.gridX = o.value("gridX").toInt(d.gridX);
    d.gridY = o.value("gridY").toInt(d.gridY);
    d.orientation = choice(o, "orientation",
                           std::map<QString, QPageLayout::Orientation>{{"portrait", QPageLayout::Portrait},
                                                                       {"landscape", QPageLayout::Landscape}},
                           QPageLayout::Portrait);
    d.font = readFont(o.value("font").toObject(), ReportFont{});
    for (const auto& s : o.value("sections").toArray()) d.sections.push_back(readSection(s.toObject(), d.font));
    return d;
}

ReportDesign ReportDesign::load(const QString& name) {
    Q_INIT_RESOURCE(reports);   // the designs live in the static library
    static std::map<QString, ReportDesign> parsed;
    const QString key = name.toLower();
    auto found = parsed.find(key);
    if (found == parsed.end()) {
        QString fileName;
        for (const QString& entry : QDir(":/reports").entryList({"*.json"}, QDir::Files))
            if (entry.compare(name + ".json", Qt::CaseInsensitive) == 0) fileName = entry;
        QFile file(":/reports/" + fileName);
        if (fileName.isEmpty() || !file.open(QIODevice::ReadOnly))
            raiseError(ErrorNo::FileNotFound, QString("There is no report design %1.").arg(name));
        found = parsed.emplace(key, fromJson(file.readAll())).first;
    }
    return found->second;
}
