#include "widgets/BoxRules.h"
#include "widgets/LimitedTextBox.h"
#include "widgets/WidgetHelpers.h"
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLineEdit>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>
#include <memory>

namespace {
enum class Rule { Digits, Percentage, FileName, LimitOnly };

// A dialog with a box under the rule, a box after it, and the focus in the first.
struct Window {
    QDialog dialog;
    QLineEdit* box;
    QLineEdit* next;
    explicit Window(Rule rule, int limit = 8) {
        box = lineBox("box", limit);
        next = lineBox("next", 30);
        if (rule == Rule::Digits) BoxRules::digitsOnly(box);
        if (rule == Rule::Percentage) BoxRules::percentage(box);
        if (rule == Rule::FileName) BoxRules::fileNameOnly(box);
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(box);
        layout->addWidget(next);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        box->setFocus();
    }
};

void pasteInto(QLineEdit* box, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    box->paste();   // what Ctrl+V, the context menu's Paste and a middle click do
}
}  // namespace

Q_DECLARE_METATYPE(Rule)

class TestBoxRules : public QObject {
    Q_OBJECT
private slots:
    void typing_data() {
        QTest::addColumn<Rule>("rule");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("digits") << Rule::Digits << "1a 2.-3" << "123";
        QTest::newRow("digits, eight at most") << Rule::Digits << "1234567890" << "12345678";
        QTest::newRow("one point") << Rule::Percentage << "1.2.3" << "1.23";
        QTest::newRow("no letters, minus, comma or blank") << Rule::Percentage << "a-, 5" << "5";
        QTest::newRow("file name") << Rule::FileName << "a.b/c\\d&e" << "abcde";
        QTest::newRow("anything within the limit") << Rule::LimitOnly << "a.-b c d e" << "a.-b c d";
    }
    void typing() {
        QFETCH(Rule, rule);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        Window w(rule);
        QTest::keyClicks(w.box, typed);
        QCOMPARE(w.box->text(), expected);
    }

    // Keys that type nothing do what they do in any box.
    void navigationKeysPass_data() {
        QTest::addColumn<Rule>("rule");
        QTest::newRow("digits") << Rule::Digits;
        QTest::newRow("percentage") << Rule::Percentage;
    }
    void navigationKeysPass() {
        QFETCH(Rule, rule);
        {
            Window w(rule);
            QTest::keyClick(w.box, Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), w.next);
            QTest::keyClick(w.next, Qt::Key_Backtab, Qt::ShiftModifier);
            QCOMPARE(QApplication::focusWidget(), w.box);
            QSignalSpy enter(w.box, &QLineEdit::returnPressed);
            QTest::keyClick(w.box, Qt::Key_Return);
            QCOMPARE(enter.count(), 1);
            QTest::keyClick(w.box, Qt::Key_Escape);
            QVERIFY(!w.dialog.isVisible());
            QCOMPARE(w.dialog.result(), int(QDialog::Rejected));
        }
    }

    void standardShortcutsWork_data() { navigationKeysPass_data(); }
    void standardShortcutsWork() {
        QFETCH(Rule, rule);
        Window w(rule);
        QTest::keyClicks(w.box, "1234");
        QTest::keyClick(w.box, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(w.box->selectedText(), QString("1234"));
        QTest::keyClick(w.box, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("1234"));
        QTest::keyClick(w.box, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(w.box->text(), QString());
        QTest::keyClick(w.box, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(w.box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w.box->text(), QString("12341234"));
        QTest::keyClick(w.box, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.box->text(), QString("1234"));
    }

    // A paste goes through the rule that typing does, and is taken whole or not at all.
    void paste_data() {
        QTest::addColumn<Rule>("rule");
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("selectAll");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("expected");
        QTest::newRow("digits") << Rule::Digits << "1" << false << "234" << "1234";
        QTest::newRow("a letter refuses it all") << Rule::Digits << "1" << false << "23a4" << "1";
        QTest::newRow("blanks around a number") << Rule::Digits << "" << false << "  1234 " << "1234";
        QTest::newRow("blanks only") << Rule::Digits << "12" << true << "   " << "12";
        QTest::newRow("too long refused, not cut") << Rule::Digits << "12" << false << "1234567" << "12";
        QTest::newRow("filling the box") << Rule::Digits << "12" << false << "345678" << "12345678";
        QTest::newRow("a second point") << Rule::Percentage << "1.2" << false << ".5" << "1.2";
        QTest::newRow("over the selected text") << Rule::Percentage << "17.5" << true << "1.25" << "1.25";
        QTest::newRow("minus sign") << Rule::Percentage << "" << false << "-5" << "";
        QTest::newRow("file name with a point") << Rule::FileName << "ab" << false << "c.d" << "ab";
        QTest::newRow("file name keeps its blanks") << Rule::FileName << "ab" << false << " c d " << "ab c d ";
        QTest::newRow("plain box, too long") << Rule::LimitOnly << "abc" << false << "defghij" << "abc";
        QTest::newRow("plain box, anything that fits") << Rule::LimitOnly << "abc" << false << " d-e " << "abc d-e ";
    }
    void paste() {
        QFETCH(Rule, rule);
        QFETCH(QString, before);
        QFETCH(bool, selectAll);
        QFETCH(QString, pasted);
        QFETCH(QString, expected);
        Window w(rule);
        QTest::keyClicks(w.box, before);
        if (selectAll) w.box->selectAll();
        pasteInto(w.box, pasted);
        QCOMPARE(w.box->text(), expected);
    }

    // What the program puts in a box is shown whole and never judged; the
    // user's keys still are, also after undoing back to the program's text.
    void programTextStandsAndKeysAreStillJudged() {
        Window w(Rule::Percentage, 4);
        w.box->setText("   -1234.50");
        QCOMPARE(w.box->text(), QString("   -1234.50"));
        w.box->setCursorPosition(0);
        QTest::keyClick(w.box, Qt::Key_Delete);
        QTest::keyClick(w.box, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.box->text(), QString("   -1234.50"));
        w.box->end(false);
        QTest::keyClicks(w.box, "x.7");
        QCOMPARE(w.box->text(), QString("   -1234.50"));
        QTest::keyClick(w.box, Qt::Key_Backspace);
        QCOMPARE(w.box->text(), QString("   -1234.5"));
        w.box->selectAll();
        QTest::keyClicks(w.box, "1.23x4");
        QCOMPARE(w.box->text(), QString("1.23"));
    }

    void textBoxRefusesWhatDoesNotFit() {
        LimitedTextBox box(10, LimitedTextBox::LineBreaks::CountAsStored);
        box.show();
        QTest::keyClicks(&box, "abcdefg");
        QTest::keyClick(&box, Qt::Key_Return);   // a stored line break takes two
        QTest::keyClicks(&box, "hij");
        QCOMPARE(box.toPlainText(), QString("abcdefg\nh"));
        // Typing at the start of a full box cuts nothing off its end.
        box.moveCursor(QTextCursor::Start);
        QTest::keyClick(&box, 'z');
        QTest::keyClick(&box, Qt::Key_Return);
        QCOMPARE(box.toPlainText(), QString("abcdefg\nh"));
        QGuiApplication::clipboard()->setText("xy");
        box.paste();
        QCOMPARE(box.toPlainText(), QString("abcdefg\nh"));
        // Room made by a selection counts.
        box.selectAll();
        QGuiApplication::clipboard()->setText("0123456789");
        box.paste();
        QCOMPARE(box.toPlainText(), QString("0123456789"));
        // The program's text is shown whole, and can be shortened.
        box.setPlainText(QString(15, 'p'));
        QCOMPARE(box.toPlainText().size(), 15);
        box.moveCursor(QTextCursor::End);
        QTest::keyClick(&box, Qt::Key_Backspace);
        QCOMPARE(box.toPlainText().size(), 14);
        QTest::keyClick(&box, 'q');
        QCOMPARE(box.toPlainText().size(), 14);
    }
};

QTEST_MAIN(TestBoxRules)
#include "test_boxrules.moc"
