#include "widgets/BoxRules.h"
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

namespace BoxRules {
namespace {

// Only keys that type a character are filtered; Backspace always passes.
class KeyFilter : public QObject {
public:
    using Rule = bool (*)(const QString& typed, const QString& text);
    KeyFilter(QLineEdit* box, Rule rule) : QObject(box), box_(box), rule_(rule) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete) return false;
        if (key->text().isEmpty()) return false;
        return !rule_(key->text(), box_->text());
    }

private:
    QLineEdit* box_;
    Rule rule_;
};

class SelectAllOnFocus : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) {
            selectAll(watched);
            // A mouse click places the cursor after the focus arrives.
            QTimer::singleShot(0, watched, [watched] { selectAll(watched); });
        }
        return false;
    }

private:
    static void selectAll(QObject* box) {
        if (auto* line = qobject_cast<QLineEdit*>(box)) line->selectAll();
        else if (auto* text = qobject_cast<QPlainTextEdit*>(box)) text->selectAll();
    }
};

bool isDigit(const QString& typed) { return typed.size() == 1 && typed[0] >= '0' && typed[0] <= '9'; }
}  // namespace

bool startNumberKeyPasses(const QString& typed) { return typed == "\b" || isDigit(typed); }

bool percentageKeyPasses(const QString& typed, const QString& boxText) {
    if (typed == ".") return !boxText.contains('.');
    return typed == "\b" || isDigit(typed);
}

void digitsOnly(QLineEdit* box) {
    box->installEventFilter(new KeyFilter(box, [](const QString& typed, const QString&) {
        return startNumberKeyPasses(typed);
    }));
}

void percentage(QLineEdit* box) {
    box->installEventFilter(new KeyFilter(box, percentageKeyPasses));
}

void selectOnFocus(QWidget* box) { box->installEventFilter(new SelectAllOnFocus(box)); }

void limitLength(QPlainTextEdit* box, int limit) {
    QObject::connect(box, &QPlainTextEdit::textChanged, box, [box, limit] {
        const QString text = box->toPlainText();
        if (text.size() <= limit) return;
        QTextCursor cursor = box->textCursor();
        const int position = std::min<int>(cursor.position(), limit);
        box->setPlainText(text.left(limit));
        cursor = box->textCursor();
        cursor.setPosition(position);
        box->setTextCursor(cursor);
    });
}





}  // namespace BoxRules

namespace BoxRules {
namespace {
class KeyRelease : public QObject {
public:
    KeyRelease(QWidget* box, std::function<void()> reaction) : QObject(box), reaction_(std::move(reaction)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyRelease) reaction_();
        return false;
    }

private:
    std::function<void()> reaction_;
};

// What the box keeps of an overlong text: the characters typed or pasted
// last (those just before the cursor) go first, then the end of the text.
struct Kept {
    QString text;
    int cursor;
};
Kept fitStoredLength(QString text, int cursor, int limit) {
    int excess = storedLength(text) - limit;
    while (excess > 0 && cursor > 0) {
        excess -= text[cursor - 1] == '\n' ? 2 : 1;
        text.remove(--cursor, 1);
    }
    while (excess > 0 && !text.isEmpty()) {
        excess -= text.back() == '\n' ? 2 : 1;
        text.chop(1);
    }
    return {text, std::min<int>(cursor, int(text.size()))};
}
}  // namespace

void afterKeyRelease(QWidget* box, std::function<void()> reaction) {
    box->installEventFilter(new KeyRelease(box, std::move(reaction)));
}

QString storedText(const QPlainTextEdit* box) {
    QString text = box->toPlainText();
    return text.replace('\n', "\r\n");
}

void showStoredText(QPlainTextEdit* box, const QString& stored) {
    QString text = stored;
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    box->setPlainText(text);
}

int storedLength(const QString& boxText) { return int(boxText.size() + boxText.count('\n')); }

void limitStoredLength(QPlainTextEdit* box, int limit) {
    QObject::connect(box, &QPlainTextEdit::textChanged, box, [box, limit] {
        const QString text = box->toPlainText();
        if (storedLength(text) <= limit) return;
        const Kept kept = fitStoredLength(text, box->textCursor().position(), limit);
        box->setPlainText(kept.text);
        QTextCursor cursor = box->textCursor();
        cursor.setPosition(kept.cursor);
        box->setTextCursor(cursor);
    });
}

}  // namespace BoxRules
