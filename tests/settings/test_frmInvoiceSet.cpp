#include "SystemRowFixture.h"
#include "widgets/BoxRules.h"
#include "common/SettingsValues.h"
#include "settings/InvoiceLook.h"
#include "settings/frmInvoiceSet.h"
#include "support/TestSupport.h"
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QtTest>
#include <memory>

class TestFrmInvoiceSet : public QObject {
    Q_OBJECT


    QString picture(const TestProgram& program, const QString& name) {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::blue);
        const QString path = program.file(name);
        image.save(path);
        return path;
    }

    static const QStringList& itsColumns() {
        static const QStringList columns{"Text1Visible", "Text2Visible", "Text3Visible", "Text4Visible",
                                         "Text1Name", "Text2Name", "Text3Name", "Text4Name", "InvoiceType",
                                         "includestatement", "includeterms", "includeshipping", "Statement",
                                         "Terms1", "logopath"};
        return columns;
    }

private slots:
    void loadsAndSavesItsColumns() {
        TestProgram program;
        program.createDatabase();
        Fixture::insertSystemRow({{"Text1Visible", 2}, {"Text2Visible", -1}, {"Text3Visible", QVariant()},
                                  {"Text4Name", " Track "}, {"InvoiceType", ""}, {"includeshipping", 1},
                                  {"includeterms", QVariant()}, {"logopath", "/nowhere/logo.bmp "}});
        const QVariantMap before = Fixture::systemRow();
        ScriptedBoxes boxes;
        auto d = Fixture::shown<frmInvoiceSet>();
        QCOMPARE(d->windowTitle(), QString("Customize Options"));
        QVERIFY(!d->look->chk[0]->isChecked() && !d->look->chk[1]->isChecked() && !d->look->chk[2]->isChecked());
        QVERIFY(d->look->chk[3]->isChecked());
        QCOMPARE(d->look->chk[3]->text(), QString("Include  Track "));
        QVERIFY(d->look->layoutButtons[0]->isChecked());
        QCOMPARE(d->look->layoutButtons[0]->objectName(), QString("Option1"));
        QVERIFY(d->look->Shipping_chk->isChecked() && !d->look->Terms_Chk->isChecked());
        QVERIFY(d->look->logopic->pixmap().isNull());
        QCOMPARE(d->look->path_lbl->text(), QString("/nowhere/logo.bmp "));
        d->look->statement_txt->setPlainText("  Thanks  ");
        d->ok_cmd->click();
        QCOMPARE(d->result(), int(QDialog::Accepted));
        const QVariantMap after = Fixture::systemRow();
        for (const QString& column : Fixture::changedColumns(before, after))
            QVERIFY2(itsColumns().contains(column), qPrintable(column));
        QCOMPARE(after["Text1Visible"].toInt(), 0);
        QCOMPARE(after["Text2Visible"].toInt(), 0);
        QCOMPARE(after["Text3Visible"].toInt(), 0);
        QCOMPARE(after["Text4Name"].toString(), QString("Track"));
        QCOMPARE(after["InvoiceType"].toString(), QString("1"));
        QCOMPARE(after["includeterms"].toInt(), 0);
        QCOMPARE(after["Statement"].toString(), QString("Thanks"));
        QCOMPARE(after["Terms1"].toString(), DefaultTexts::terms());
        QCOMPARE(after["logopath"].toString(), QString("/nowhere/logo.bmp "));
        QCOMPARE(gSettings.Text4Name.trimmed(), QString("Track"));
        QCOMPARE(gSettings.InvoiceType, QString("1"));
        QCOMPARE(gSettings.Statement, QString("Thanks"));
        QCOMPARE(gSettings.includeshipping, 1);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
    }

    void unknownLayoutIsLeftAlone() {
        TestProgram program;
        program.createDatabase();
        Fixture::insertSystemRow({{"InvoiceType", "7"}});
        gSettings.InvoiceType = "7";
        ScriptedBoxes boxes;
        auto d = Fixture::shown<frmInvoiceSet>();
        for (QRadioButton* b : d->look->layoutButtons) QVERIFY(!b->isChecked());
        d->ok_cmd->click();
        QCOMPARE(Fixture::systemField("InvoiceType").toString(), QString("7"));
        QCOMPARE(gSettings.InvoiceType, QString("7"));
    }

    void pagesKeepTheEdits() {
        TestProgram program;
        program.createDatabase();
        Fixture::insertSystemRow();
        ScriptedBoxes boxes;
        auto d = Fixture::shown<frmInvoiceSet>();
        d->look->Text[0]->setText("Rep");
        d->customize_cmd->click();
        QCOMPARE(d->pages->currentWidget(), d->InvoiceFrame);
        QVERIFY(d->customize_cmd->isHidden() && !d->Back_cmd->isHidden());
        d->look->Terms_Chk->click();
        d->Back_cmd->click();
        QVERIFY(!d->customize_cmd->isHidden() && d->Back_cmd->isHidden());
        d->customize_cmd->click();
        d->ok_cmd->click();
        QCOMPARE(Fixture::systemField("Text1Name").toString(), QString("Rep"));
        QCOMPARE(Fixture::systemField("includeterms").toInt(), 0);
    }

    // A long logo path is shown shortened in the middle, whole in its tooltip
    // and in the settings; the dialog keeps its layout whatever the path.
    void longLogoPathKeepsTheLayout() {
        auto layoutWith = [](const QString& path, QString* shown) {
            TestProgram program;
            program.createDatabase();
            Fixture::insertSystemRow({{"logopath", path}});
            ScriptedBoxes boxes;
            auto d = Fixture::shown<frmInvoiceSet>();
            QApplication::processEvents();
            if (shown) *shown = d->look->path_lbl->shownText();
            QList<int> widths{d->width(), d->look->path_lbl->width()};
            for (QLineEdit* heading : d->look->Text) {
                // The longest heading shows whole, from its first letter.
                heading->setText("Sales Representative");
                heading->grab();
                heading->setCursorPosition(0);
                [heading] { QVERIFY(heading->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x() >= 0); }();
                widths << heading->width();
            }
            return widths;
        };
        const QString longPath = "/home/accounts/" + QString(168, 'f') + "/company logo.jpg";
        QCOMPARE(longPath.size(), 200);   // the longest a logo path may be
        QString shown;
        QCOMPARE(layoutWith(longPath, &shown), layoutWith("/logo.jpg", nullptr));
        QVERIFY2(shown.contains(QChar(0x2026)) && shown.startsWith("/home/") && shown.endsWith("logo.jpg"),
                 qPrintable(shown));
    }

    void statementAndTermsFitTheirColumns() {
        TestProgram program;
        program.createDatabase();
        Fixture::insertSystemRow({{"Terms1", QString("t").repeated(250)}});
        ScriptedBoxes boxes;
        auto d = Fixture::shown<frmInvoiceSet>();
        // A stored text longer than the box takes by typing is shown and saved whole.
        QCOMPARE(d->look->terms_txt->toPlainText().size(), 250);
        d->look->terms_txt->moveCursor(QTextCursor::End);
        QTest::keyClicks(d->look->terms_txt, "u");
        QCOMPARE(d->look->terms_txt->toPlainText().size(), 250);
        d->look->statement_txt->setPlainText(QString("s\n").repeated(33));   // 99 once stored
        d->look->statement_txt->moveCursor(QTextCursor::End);
        QTest::keyClicks(d->look->statement_txt, "xyz");
        QCOMPARE(BoxRules::storedText(d->look->statement_txt).size(), 100);
        QTest::keyClicks(d->look->Text[1], QString("h").repeated(25));
        QCOMPARE(d->look->Text[1]->text().size(), 20);
        d->ok_cmd->click();
        QCOMPARE(program.endings(), 0);
        QCOMPARE(Fixture::systemField("Statement").toString().size(), 100);
        QCOMPARE(Fixture::systemField("Terms1").toString(), QString("t").repeated(250));
    }

    void logoSelection_data() {
        QTest::addColumn<QString>("answer");   // "picture", "text file", "too long", "cancel"
        QTest::addColumn<QString>("box");      // the message expected, "" for none
        QTest::addColumn<bool>("taken");
        QTest::newRow("a picture") << "picture" << "" << true;
        QTest::newRow("not a picture") << "text file" << "Picture Not Loaded" << false;
        QTest::newRow("path of 201 characters") << "too long" << "Path too Long" << false;
        QTest::newRow("cancelled") << "cancel" << "" << false;
    }
    void logoSelection() {
        QFETCH(QString, answer);
        QFETCH(QString, box);
        QFETCH(bool, taken);
        TestProgram program;
        program.createDatabase();
        const QString stored = picture(program, "stored.jpg");
        Fixture::insertSystemRow({{"logopath", stored}});
        gSettings.logopath = stored;
        QString path = picture(program, "new.bmp");
        if (answer == "text file") {
            path = program.file("notes.bmp");
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("not a picture");
        } else if (answer == "too long") {
            path = "/" + QString("p").repeated(196) + ".bmp";
        } else if (answer == "cancel") {
            path.clear();
        }
        ScriptedBoxes boxes;
        if (!box.isEmpty()) boxes.expect(box, Box::Answer::Ok);
        ScriptedFileDialogs files;
        files.answer(path);
        auto d = Fixture::shown<frmInvoiceSet>();
        const QImage before = d->look->logopic->pixmap().toImage();
        QVERIFY(!before.isNull());
        d->look->Select_cmd->click();
        QCOMPARE(files.seen().at(0).filter.contains("*.bmp") && files.seen().at(0).filter.contains("*.jpg"), true);
        QCOMPARE(d->look->path_lbl->text(), taken ? path : stored);
        QCOMPARE(d->look->logopic->pixmap().toImage() == before, !taken);
        QVERIFY2(boxes.allAnswered(), qPrintable(boxes.report()));
        QVERIFY2(files.allAnswered(), qPrintable(files.report()));
    }

    void pathOfExactlyTwoHundredIsTaken() {
        TestProgram program;
        program.createDatabase();
        Fixture::insertSystemRow();
        const int folderAndSlash = int(program.folder().size()) + 1;
        const QString name = QString("q").repeated(200 - folderAndSlash - 4) + ".bmp";
        const QString path = picture(program, name);
        QCOMPARE(path.size(), 200);
        ScriptedBoxes boxes;
        ScriptedFileDialogs files;
        files.answer(path);
        auto d = Fixture::shown<frmInvoiceSet>();
        d->look->Select_cmd->click();
        d->ok_cmd->click();
        QCOMPARE(Fixture::systemField("logopath").toString(), path);
        QCOMPARE(gSettings.logopath, path);
    }

    void eraseThenCancelWritesNothing() {
        TestProgram program;
        program.createDatabase();
        Fixture::insertSystemRow({{"logopath", "/x/logo.jpg"}});
        gSettings.logopath = "/x/logo.jpg";
        const QVariantMap before = Fixture::systemRow();
        ScriptedBoxes boxes;
        auto d = Fixture::shown<frmInvoiceSet>();
        d->look->Erase_cmd->click();
        QCOMPARE(d->look->path_lbl->text(), QString());
        d->look->chk[0]->click();
        d->cancel_cmd->click();
        QCOMPARE(Fixture::changedColumns(before, Fixture::systemRow()), QStringList());
        QCOMPARE(gSettings.logopath, QString("/x/logo.jpg"));
    }

    void withoutASettingsRowNothingIsAdded() {
        TestProgram program;
        program.createDatabase();
        ScriptedBoxes boxes;
        auto d = Fixture::shown<frmInvoiceSet>();
        d->ok_cmd->click();
        QCOMPARE(Fixture::systemRowCount(), 0);
        QCOMPARE(program.endings(), 0);
    }
};

QTEST_MAIN(TestFrmInvoiceSet)
#include "test_frmInvoiceSet.moc"
