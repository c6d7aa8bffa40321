#pragma once
#include <QColor>
#include <QImage>
#include <QPageLayout>
#include <QString>
#include <vector>

// A banded report design, read from a data file in the resources. Lengths
// are twips (1440 to the inch); positions are inside the control's section.

struct ReportFont {
    QString family = "Arial";
    double pointSize = 8.25;
    bool bold = false;
    bool italic = false;
};

enum class ControlKind { Label, TextBox, Line, Shape, Image, Function };
enum class ShapeKind { Rectangle, RoundedRectangle };
enum class FunctionKind { Sum, Count };

struct ReportControl {
    QString name;
    ControlKind kind = ControlKind::Label;
    int left = 0, top = 0, width = 0, height = 0;
    bool visible = true;

    // Labels, text boxes and functions.
    QString caption;
    Qt::Alignment alignment = Qt::AlignLeft;
    ReportFont font;
    QColor foreColor = Qt::black;
    QColor backColor = Qt::white;
    bool opaque = false;              // the background is painted
    // The blanks that pad a line at its end take no room on paper, so a
    // right-aligned line of a blank-padded value ends at the box's edge.
    bool trimLineEnds = false;

    // Text boxes and functions: the field, the child rows it is read from
    // (empty = the rows of the section), and the number or date format.
    QString dataField;
    QString dataMember;
    QString format;
    FunctionKind function = FunctionKind::Sum;

    // Shapes (and lines: the border colour).
    ShapeKind shape = ShapeKind::Rectangle;
    QColor fillColor;                 // invalid = no fill colour of its own
    QColor borderColor = Qt::black;
    bool border = true;

    // Images.
    QImage picture;
};

enum class SectionKind { ReportHeader, PageHeader, GroupHeader, Detail, GroupFooter, PageFooter, ReportFooter };

struct ReportSection {
    QString name;
    SectionKind kind = SectionKind::Detail;
    int height = 0;
    bool visible = true;
    // Every time it prints, the band starts a page of its own (unless it is
    // the first band below the page header): one letter per page, say.
    bool pageBreakBefore = false;
    // A detail under a group header repeats over the parent row's child rows of this name.
    QString dataMember;
    std::vector<ReportControl> controls;

    // By name, without regard to case; ItemNotFound when there is none.
    ReportControl& control(const QString& name);
    const ReportControl& control(const QString& name) const;
    bool hasControl(const QString& name) const;
};

struct ReportDesign {
    QString name;
    QString caption;
    int reportWidth = 0;
    int leftMargin = 1440, rightMargin = 1440, topMargin = 1440, bottomMargin = 1440;
    int gridX = 10, gridY = 10;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    ReportFont font;                  // the report's regular font
    std::vector<ReportSection> sections;

    // By name, without regard to case; ItemNotFound when there is none.
    ReportSection& section(const QString& name);
    const ReportSection& section(const QString& name) const;
    bool hasSection(const QString& name) const;

    // A design from its data file; InvalidUse when the file is not one.
    static ReportDesign fromJson(const QByteArray& json);
    // The design of that name (without regard to case) from the program's
    // resources (":/reports/<name>.json"), as designed: every call gives a
    // fresh copy. FileNotFound when there is none.
    static ReportDesign load(const QString& name);
};

// A colour of a design: "#RRGGBB" or "system:N".
QColor designColor(const QString& text);
