#include "settings/EntryRules.h"
#include "platform/FixedText.h"
#include "platform/MessageBox.h"
#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

namespace EntryRules {
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

class KeyReleaseAction : public QObject {
public:
    KeyReleaseAction(QObject* box, std::function<void()> action) : QObject(box), action_(std::move(action)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyRelease) action_();
        return false;
    }

private:
    std::function<void()> action_;
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

namespace {
qsizetype storedLength(const QString& plain) { return plain.size() + plain.count('\n'); }
}

QString storedText(const QPlainTextEdit* box) { return box->toPlainText().replace('\n', "\r\n"); }

void limitLength(QPlainTextEdit* box, int limit) {
    QObject::connect(box, &QPlainTextEdit::textChanged, box, [box, limit] {
        QString text = box->toPlainText();
        if (storedLength(text) <= limit) return;
        QTextCursor cursor = box->textCursor();
        const int position = cursor.position();
        while (storedLength(text) > limit) text.chop(1);
        box->setPlainText(text);
        cursor = box->textCursor();
        cursor.setPosition(std::min<int>(position, int(text.size())));
        box->setTextCursor(cursor);
    });
}

bool startNumberTooShort(const QString& startText) { return Trim(startText).size() < 4; }

QLineEdit* refuseShortStartNumber(const std::vector<StartNumberRow>& rows) {
    for (const StartNumberRow& row : rows) {
        if (row.freeForm->isChecked() || !startNumberTooShort(row.startBox->text())) continue;
        Box::ask(startNumberTooShortMessage(), row.title, Box::Buttons::Ok, Box::Icon::Exclamation,
                 row.startBox->window());
        return row.startBox;
    }
    return nullptr;
}

void onKeyRelease(QWidget* box, std::function<void()> action) {
    box->installEventFilter(new KeyReleaseAction(box, std::move(action)));
}

void followFreeForm(QAbstractButton* freeForm, QWidget* prefixBox, QWidget* startBox) {
    auto apply = [=] {
        prefixBox->setEnabled(!freeForm->isChecked());
        startBox->setEnabled(!freeForm->isChecked());
    };
    QObject::connect(freeForm, &QAbstractButton::toggled, freeForm, apply);
    apply();
}

CountryPreset countryPreset(Country country) {
    switch (country) {
    case Country::USA: return {"$", "Tax", ""};
    case Country::UK: return {QString::fromUtf8("£"), "Vat", "17.5"};
    case Country::Other: break;
    }
    return {"", "", ""};
}

Country countryOf(const QString& symbol) {
    const QString s = Trim(symbol);
    if (s == "$") return Country::USA;
    if (s == QString::fromUtf8("£")) return Country::UK;
    return Country::Other;
}

}  // namespace EntryRules
