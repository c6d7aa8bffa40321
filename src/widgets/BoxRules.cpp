#include "widgets/BoxRules.h"
#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSet>
#include <QTimer>
#include <QValidator>

namespace BoxRules {
namespace {

// Whether a character the user adds passes, given the text it is added to.
using CharRule = bool (*)(QChar added, const QString& text);

bool isDigit(QChar c) { return c >= '0' && c <= '9'; }
bool digitPasses(QChar added, const QString&) { return isDigit(added); }
bool fileNamePasses(QChar added, const QString&) {
    return added != '.' && added != '/' && added != '\\' && added != '&';
}
bool percentagePasses(QChar added, const QString& text) {
    // A "." is judged against the whole text, whatever part of it is selected.
    if (added == '.') return !text.contains('.');
    return isDigit(added);
}

// One change of a box's text: at `at`, `removed` characters gave way to `added`.
struct Edit {
    int at = 0;
    int removed = 0;
    QString added;
};

Edit editBetween(const QString& before, const QString& after) {
    int prefix = 0;
    const int shorter = int(std::min(before.size(), after.size()));
    while (prefix < shorter && before[prefix] == after[prefix]) ++prefix;
    int suffix = 0;
    while (suffix < shorter - prefix && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    return {prefix, int(before.size()) - prefix - suffix, after.mid(prefix, after.size() - prefix - suffix)};
}

// The box's one validator: it sees every change of the text, whatever made
// it (typing, a paste from the keyboard, the context menu or the mouse, a
// drop, an input method), and judges what the user added.
class EntryRule : public QValidator {
public:
    explicit EntryRule(QLineEdit* box) : QValidator(box), box_(box), before_(box->text()) {
        seen_.insert(before_);
        connect(box, &QLineEdit::textChanged, this, [this](const QString& text) {
            if (!box_->isModified()) seen_.clear();   // the program's own text starts afresh
            seen_.insert(text);
            before_ = text;
        });
        box->setValidator(this);
    }

    int limit = 0;   // 0: no limit
    CharRule rule = nullptr;
    bool trimsPaste = false;   // numbers: blanks around a paste are left out

    State validate(QString& input, int& cursor) const override {
        // The program's own text, and undo or redo back to a text the box
        // has held, are not the user adding anything.
        if (!box_->isModified() || seen_.contains(input)) return Acceptable;
        const Edit edit = editBetween(before_, input);
        if (edit.added.isEmpty()) return Acceptable;
        const bool pasted = edit.added.size() > 1;
        const QString added = pasted && trimsPaste ? edit.added.trimmed() : edit.added;
        const QString after = before_.left(edit.at) + added + before_.mid(edit.at + edit.removed);
        if (added.isEmpty() || !fits(after) || !passes(edit, added)) {
            if (pasted) QApplication::beep();
            return Invalid;
        }
        if (after != input) {
            input = after;
            cursor = edit.at + int(added.size());
        }
        return Acceptable;
    }

private:
    // A text already longer (put in by the program) may still be shortened.
    bool fits(const QString& after) const {
        return limit == 0 || after.size() <= limit || after.size() <= before_.size();
    }

    // A typed character is judged against the text as it stood, a selection
    // it replaces included; a pasted one as if typed in turn into the text
    // around the paste.
    bool passes(const Edit& edit, const QString& added) const {
        if (!rule) return true;
        if (added.size() == 1) return rule(added[0], before_);
        const QString head = before_.left(edit.at);
        const QString tail = before_.mid(edit.at + edit.removed);
        for (int i = 0; i < added.size(); ++i)
            if (!rule(added[i], head + added.left(i) + tail)) return false;
        return true;
    }

    QLineEdit* box_;
    QString before_;
    QSet<QString> seen_;
};

EntryRule* ruleOf(QLineEdit* box) {
    if (auto* rule = box->findChild<EntryRule*>(QString(), Qt::FindDirectChildrenOnly)) return rule;
    return new EntryRule(box);
}

void numberRule(QLineEdit* box, CharRule rule) {
    EntryRule* entry = ruleOf(box);
    entry->rule = rule;
    entry->trimsPaste = true;
}

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
}  // namespace

void typingLimit(QLineEdit* box, int limit) { ruleOf(box)->limit = limit; }
void digitsOnly(QLineEdit* box) { numberRule(box, digitPasses); }
void percentage(QLineEdit* box) { numberRule(box, percentagePasses); }
void fileNameOnly(QLineEdit* box) { ruleOf(box)->rule = fileNamePasses; }

void selectOnFocus(QWidget* box) { box->installEventFilter(new SelectAllOnFocus(box)); }

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

}  // namespace BoxRules
