#include "widgets/BoxText.h"
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

void setBoxText(QLineEdit* box, const QString& text) {
    if (text.size() > box->maxLength()) box->setMaxLength(int(text.size()));
    box->setText(text);
}

int widthToShow(const QLineEdit* box, const QString& text) {
    // What a line box spends around its text: the cursor's pixel, the
    // glyphs' overhang, its inner margin of two pixels a side, its text
    // margins and, through the style, its frame.
    constexpr int innerMargin = 2;
    const QFontMetrics metrics(box->font());
    const QMargins margins = box->textMargins();
    const int room = metrics.horizontalAdvance(text) + 1 + std::max(0, -metrics.minLeftBearing())
                     + std::max(0, -metrics.minRightBearing()) + 2 * innerMargin + margins.left() + margins.right();
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
    return box->style()->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(room, metrics.height()), box).width();
}
