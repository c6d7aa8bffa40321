#include "widgets/LimitedTextBox.h"
#include "widgets/BoxRules.h"
#include <QApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QPalette>
#include <QtMath>
#include <QTextDocumentFragment>

LimitedTextBox::LimitedTextBox(int limit, LineBreaks lineBreaks, QWidget* parent)
    : QPlainTextEdit(parent), limit_(limit), lineBreaks_(lineBreaks) {
    // As in a one-line box, the selection shows only while the box has the
    // focus: a box left with its whole text selected does not look chosen.
    QPalette colours = palette();
    colours.setBrush(QPalette::Inactive, QPalette::Highlight, Qt::transparent);
    colours.setBrush(QPalette::Inactive, QPalette::HighlightedText, colours.brush(QPalette::Inactive, QPalette::Text));
    setPalette(colours);
}

void LimitedTextBox::setLinesHigh(int lines) {
    // The margin goes round the text area instead of into the text: the
    // document's own margin stands only above its first line, so a scrolled
    // text would show part of one more line in its place.
    const int margin = qRound(document()->documentMargin());
    document()->setDocumentMargin(0);
    setViewportMargins(margin, margin, margin, margin);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    const int text = qCeil(lines * QFontMetricsF(font()).lineSpacing());
    setFixedHeight(text + 2 * margin + 2 * frameWidth());
}

int LimitedTextBox::length(const QString& text) const {
    return lineBreaks_ == LineBreaks::CountAsStored ? BoxRules::storedLength(text) : int(text.size());
}

bool LimitedTextBox::fitsWith(const QString& added) const {
    // As the box will hold it: the document's own reading of line breaks.
    const QString insert = QTextDocumentFragment::fromPlainText(added).toPlainText();
    const QString replaced = textCursor().selection().toPlainText();
    const int now = length(toPlainText());
    const int after = now - length(replaced) + length(insert);
    return after <= limit_ || after <= now;
}

void LimitedTextBox::keyPressEvent(QKeyEvent* event) {
    QString typed = event->text();
    const bool lineBreak = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
                           && !(event->modifiers() & Qt::ControlModifier);
    const bool tab = event->key() == Qt::Key_Tab && event->modifiers() == Qt::NoModifier && !tabChangesFocus();
    if (lineBreak) typed = "\n";
    if (tab) typed = "\t";
    const bool types = lineBreak || tab || (!typed.isEmpty() && typed[0].isPrint()
                                     && !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)));
    if (types && !isReadOnly() && !fitsWith(typed)) {
        event->accept();   // refused, as a full box refuses any key
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void LimitedTextBox::inputMethodEvent(QInputMethodEvent* event) {
    if (!event->commitString().isEmpty() && !fitsWith(event->commitString())) {
        event->accept();
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

void LimitedTextBox::insertFromMimeData(const QMimeData* source) {
    if (source->hasText() && !fitsWith(source->text())) {
        QApplication::beep();
        return;
    }
    QPlainTextEdit::insertFromMimeData(source);
}
