#include "widgets/ElidedLabel.h"
#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

ElidedLabel::ElidedLabel(int preferredWidth, QWidget* parent) : QLabel(parent), preferredWidth_(preferredWidth) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QString ElidedLabel::shownText() const {
    const int room = contentsRect().width() - 2 * margin() - 2 * indent();
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, std::max(room, 0));
}

QSize ElidedLabel::sizeHint() const {
    const QSize whole = QLabel::sizeHint();
    return {std::min(whole.width(), preferredWidth_), whole.height()};
}

QSize ElidedLabel::minimumSizeHint() const {
    const QSize whole = QLabel::minimumSizeHint();
    return {std::min(whole.width(), preferredWidth_), whole.height()};
}

bool ElidedLabel::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const QString shown = shownText();
        if (shown != text()) QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
        else QToolTip::hideText();
        return true;
    }
    return QLabel::event(event);
}

void ElidedLabel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect room = contentsRect().adjusted(margin() + indent(), margin(), -margin() - indent(), -margin());
    style()->drawItemText(&painter, room, int(alignment()), palette(), isEnabled(), shownText(), foregroundRole());
}
