#pragma once
#include <QPlainTextEdit>

// A many-line box that holds at most `limit` characters. What the user adds
// is refused whole when it does not fit: a character typed into a full box,
// or a paste or drop too long (with a beep); nothing already in the box is
// cut to make room. Text the program puts in is shown whole. Its selection
// shows only while it has the focus.
class LimitedTextBox : public QPlainTextEdit {
    Q_OBJECT
public:
    // How line breaks count: once, or twice where the text is stored with CR LF.
    enum class LineBreaks { CountOnce, CountAsStored };
    LimitedTextBox(int limit, LineBreaks lineBreaks, QWidget* parent = nullptr);

    int limit() const { return limit_; }
    // Exactly `lines` lines high at its font, frame and margins included: no
    // part of a further line shows, whether the text is scrolled or not.
    void setLinesHigh(int lines);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // Whether the text fits once `added` replaces the selection.
    bool fitsWith(const QString& added) const;
    int length(const QString& text) const;

    int limit_;
    LineBreaks lineBreaks_;
};
