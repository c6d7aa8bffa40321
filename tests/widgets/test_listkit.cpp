#include "widgets/ListKit.h"
#include "support/TestSupport.h"
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <QtTest>

using namespace ListKit;

namespace {
// Rows given as "a|b|c" texts.
std::vector<Row> rowsOf(const QStringList& texts) {
    std::vector<Row> rows;
    for (const QString& t : texts) rows.push_back({t.split('|'), QString(), false});
    return rows;
}

QStringList firstColumn(const Model& model) {
    QStringList cells;
    for (int i = 0; i < model.rowCount(); ++i) cells << model.text(i, 0);
    return cells;
}

QStringList pictures(const Model& model) {
    QStringList keys;
    for (int c = 0; c < model.columnCount(); ++c) keys << model.headerPicture(c);
    return keys;
}
}  // namespace

class TestListKit : public QObject {
    Q_OBJECT
private slots:
    // A run of header clicks on one fresh list: the direction flips on every
    // click whatever the column, the clicked header alone shows a picture.
    void headerClicks_data() {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QStringList>("order");
        QTest::addColumn<QStringList>("pictures");
        QTest::newRow("first click sorts descending")
            << QList<int>{2} << QStringList{"C2", "c3", "C1"} << QStringList{"", "", "key1", ""};
        QTest::newRow("same header again ascending")
            << QList<int>{2, 2} << QStringList{"C1", "c3", "C2"} << QStringList{"", "", "key2", ""};
        QTest::newRow("another header continues the flip")
            << QList<int>{2, 0} << QStringList{"C1", "C2", "c3"} << QStringList{"key2", "", "", ""};
        QTest::newRow("three clicks on three headers")
            << QList<int>{2, 0, 1} << QStringList{"C1", "c3", "C2"} << QStringList{"", "key1", "", ""};
        QTest::newRow("hidden cell sorts a shown header")
            << QList<int>{3} << QStringList{"c3", "C1", "C2"} << QStringList{"", "", "", "key1"};
    }
    void headerClicks() {
        QFETCH(QList<int>, clicks);
        QFETCH(QStringList, order);
        QFETCH(QStringList, pictures);
        // Columns: id, name, phone, date as shown (dd/MM/yyyy); hidden cell 4: yyyyMMdd.
        Model model({"ID", "Name", "Phone", "Date"});
        model.setRows(rowsOf({"C1|smith|555 2|31/01/2025|20250131", "C2|Adams|555 9|01/02/2024|20240201",
                              "c3|jones|555 5|15/06/2026|20260615"}));
        QTreeView view;
        setUpView(&view, &model);
        HeaderSort sort(&view, &model, true);
        sort.state().sortHeaderBy(3, 4);
        for (int header : clicks) sort.headerClicked(header);
        QCOMPARE(firstColumn(model), order);
        QCOMPARE(::pictures(model), pictures);
    }

    void sortWithoutPicturesCaseAndTies() {
        Model model({"ID", "Name"});
        model.setRows(rowsOf({"1|beta", "2|Alpha", "3|BETA", "4|alpha", "5|Gamma"}));
        QTreeView view;
        setUpView(&view, &model);
        selectRow(&view, 2);   // "3|BETA" stays selected wherever it goes
        HeaderSort sort(&view, &model, false);
        sort.headerClicked(1);
        QCOMPARE(firstColumn(model), (QStringList{"5", "1", "3", "2", "4"}));
        QCOMPARE(::pictures(model), (QStringList{"", ""}));
        QCOMPARE(model.text(selectedRow(&view), 0), QString("3"));
        sort.headerClicked(1);
        QCOMPARE(firstColumn(model), (QStringList{"2", "4", "1", "3", "5"}));
        QCOMPARE(model.text(selectedRow(&view), 0), QString("3"));
    }

    void findNext_data() {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("furtherCells");
        QTest::addColumn<int>("startPos");
        QTest::addColumn<int>("hit");          // 0-based, -1 none
        QTest::addColumn<bool>("notFound");
        QTest::addColumn<int>("endPos");
        const QStringList five{"C1|Smith|111|High St", "C2|Jones|222|Low Rd", "C3|SMITHSON|333|Mill Ln",
                               "C4||444|", "C5|Brown|555|Smithfield"};
        QTest::newRow("empty list") << QStringList{} << "x" << 3 << 0 << -1 << true << 1;
        QTest::newRow("fresh window starts at the top") << five << "jones" << 3 << 0 << 1 << false << 3;
        QTest::newRow("lower case finds capitals") << five << "smithson" << 3 << 1 << 2 << false << 4;
        QTest::newRow("continues after the last hit") << five << "smith" << 3 << 2 << 2 << false << 4;
        QTest::newRow("hit in the last tested cell") << five << "field" << 3 << 1 << 4 << false << 6;
        QTest::newRow("cells past the tested ones ignored") << five << "field" << 2 << 1 << -1 << true << 1;
        QTest::newRow("started at 5, only match in 2 wraps") << five << "jones" << 3 << 5 << 1 << false << 3;
        QTest::newRow("after a hit in the last row: one pass") << five << "brown" << 3 << 6 << 4 << false << 6;
        QTest::newRow("fruitless from the top") << five << "zzz" << 3 << 1 << -1 << true << 1;
        QTest::newRow("fruitless after wrapping") << five << "zzz" << 3 << 3 << -1 << true << 6;
        QTest::newRow("empty text skips empty cells")
            << QStringList{"||", "C2||"} << "" << 2 << 1 << 1 << false << 3;
        QTest::newRow("empty text, wraps to the first filled row")
            << QStringList{"C1|a", "|", "|"} << "" << 1 << 2 << 0 << false << 2;
    }
    void findNext() {
        QFETCH(QStringList, rows);
        QFETCH(QString, text);
        QFETCH(int, furtherCells);
        QFETCH(int, startPos);
        QFETCH(int, hit);
        QFETCH(bool, notFound);
        QFETCH(int, endPos);
        Model model({"ID", "Name", "Phone", "Address"});
        model.setRows(rowsOf(rows));
        int findPos = startPos;
        const FindResult result = ListKit::findNext(model, text, furtherCells, findPos);
        QCOMPARE(result.row, hit);
        QCOMPARE(result.notFound, notFound);
        QCOMPARE(findPos, endPos);
    }

    // The search box in a window: Enter searches, focus restarts the run,
    // "Not Found" shows and clears.
    void searchBoxInAWindow() {
        QDialog window;
        auto* search = new QLineEdit(&window);
        auto* button = new QPushButton("Find", &window);
        auto* found = new QLabel(&window);
        auto* other = new QPushButton("Other", &window);
        auto* view = new QTreeView(&window);
        auto* layout = new QVBoxLayout(&window);
        for (QWidget* w : std::initializer_list<QWidget*>{view, search, button, found, other}) layout->addWidget(w);
        Model model({"ID", "Name"});
        model.setRows(rowsOf({"A1|Kim", "A2|Lee", "A3|kimball"}));
        setUpView(view, &model);
        FindBox box("frmTest", view, &model, search, button, {1, found, true});
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        search->setFocus();
        QCOMPARE(box.findPos(), 1);
        QVERIFY(button->isDefault());
        QTest::keyClicks(search, "KIM");
        QTest::keyClick(search, Qt::Key_Return);
        QCOMPARE(selectedRow(view), 0);
        QTest::keyClick(search, Qt::Key_Return);
        QCOMPARE(selectedRow(view), 2);
        QVERIFY(search->hasFocus());
        search->setText("nobody");
        QTest::keyClick(search, Qt::Key_Return);
        QCOMPARE(found->text(), QString("Not Found"));
        other->setFocus();
        QVERIFY(!button->isDefault());
        search->setFocus();
        QCOMPARE(found->text(), QString());
        QCOMPARE(box.findPos(), 1);
    }

    void checkBoxes() {
        Model model({"Inv", "Total"});
        model.setCheckable(true);
        model.setRows(rowsOf({"I1|10", "I2|20"}));
        const QModelIndex first = model.index(1, 0);
        QVERIFY(model.flags(first) & Qt::ItemIsUserCheckable);
        QVERIFY(!(model.flags(model.index(1, 1)) & Qt::ItemIsUserCheckable));
        QVERIFY(model.setData(first, Qt::Checked, Qt::CheckStateRole));
        QVERIFY(model.row(1).checked);
        QVERIFY(!model.row(0).checked);
        QCOMPARE(model.data(first, Qt::CheckStateRole).toInt(), int(Qt::Checked));
    }
};

QTEST_MAIN(TestListKit)
#include "test_listkit.moc"
