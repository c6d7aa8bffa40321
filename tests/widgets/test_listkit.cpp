#include "widgets/ListKit.h"
#include "support/TestSupport.h"
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <QtTest>
#include <random>

using namespace ListKit;

namespace {
// Rows given as "a|b|c" texts.
std::vector<Row> rowsOf(const QStringList& texts) {
    std::vector<Row> rows;
    for (const QString& t : texts) rows.push_back({t.split('|')});
    return rows;
}

// A row whose one hidden sort key is a number.
Row keyed(const QString& text, qint64 key) { return {{text}, QString(), false, {SortKey::number(key)}}; }

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
        QTest::newRow("a date key sorts a shown header")
            << QList<int>{3} << QStringList{"c3", "C1", "C2"} << QStringList{"", "", "", "key1"};
    }
    void headerClicks() {
        QFETCH(QList<int>, clicks);
        QFETCH(QStringList, order);
        QFETCH(QStringList, pictures);
        // Columns: id, name, phone, date as shown (dd/MM/yyyy), which sorts by its date key.
        Model model({"ID", "Name", "Phone", "Date"}, 1);
        auto row = [](const QString& cells, const QDate& date) {
            return Row{cells.split('|'), QString(), false, {SortKey::date(date)}};
        };
        model.setRows({row("C1|smith|555 2|31/01/2025", {2025, 1, 31}), row("C2|Adams|555 9|01/02/2024", {2024, 2, 1}),
                       row("c3|jones|555 5|15/06/2026", {2026, 6, 15})});
        QTreeView view;
        setUpView(&view, &model);
        HeaderSort sort(&view, &model, true);
        sort.state().sortHeaderBy(3, model.sortKeyCell(0));
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

    // Hidden keys sort by their values where the shown text would not: dates
    // across years, amounts of other signs and widths. No key sorts first.
    // A column grows to its widest text; the givers give in order down to
    // what they keep, and what they cannot give is added to the columns.
    void fitColumnsTakesTheRoomFromTheGivers_data() {
        QTest::addColumn<int>("firstKeeps");
        QTest::addColumn<int>("secondKeeps");
        QTest::addColumn<QList<int>>("widths");   // of the givers, then how much the columns grew in all
        QTest::newRow("the first gives all") << 0 << 0 << QList<int>{100 - 60, 100, 0};
        QTest::newRow("the first down to what it keeps, the second the rest") << 70 << 0 << QList<int>{70, 100 - 30, 0};
        QTest::newRow("neither can give all") << 80 << 90 << QList<int>{80, 90, 30};
    }
    void fitColumnsTakesTheRoomFromTheGivers() {
        QFETCH(int, firstKeeps);
        QFETCH(int, secondKeeps);
        QFETCH(QList<int>, widths);
        Model model({"Amount", "Notes", "Name"});
        QTreeView view;
        setUpView(&view, &model);
        for (int c = 0; c < 3; ++c) view.setColumnWidth(c, 100);
        const QString widest = "-922337203685477.57";
        const int wanted = cellWidth(&view, widest);
        QVERIFY(wanted > 100);
        // The amount column wants 60 more than it has in the table's sums.
        view.setColumnWidth(0, wanted - 60);
        fitColumns(&view, {{0, widest}}, {{1, firstKeeps}, {2, secondKeeps}});
        QCOMPARE(view.columnWidth(0), wanted);
        QCOMPARE((QList<int>{view.columnWidth(1), view.columnWidth(2),
                             wanted + view.columnWidth(1) + view.columnWidth(2) - (wanted - 60) - 200}),
                 widths);
        // A column wide enough already stays as it is.
        fitColumns(&view, {{1, "a"}}, {{2, 0}});
        QCOMPARE(view.columnWidth(1), widths[0]);
    }

    void typedSortKeys() {
        Model model({"Shown"}, 2);
        auto row = [](const QString& text, const QDate& date, const char* amount) {
            return Row{{text}, QString(), false,
                       {SortKey::date(date), amount ? SortKey::amount(Currency::fromText(amount)) : SortKey()}};
        };
        model.setRows({row("a", {2025, 1, 31}, "100"), row("b", {2024, 2, 1}, "-20.5"), row("c", {}, nullptr),
                       row("d", {2026, 6, 15}, "5"), row("e", {2024, 2, 1}, "1000000000")});
        auto order = [&](int cell, bool descending) {
            model.sortRows(cell, descending);
            return firstColumn(model);
        };
        QCOMPARE(order(model.sortKeyCell(0), false), (QStringList{"c", "b", "e", "a", "d"}));
        QCOMPARE(order(model.sortKeyCell(0), true), (QStringList{"d", "a", "b", "e", "c"}));
        QCOMPARE(order(model.sortKeyCell(1), false), (QStringList{"c", "b", "d", "a", "e"}));
        QCOMPARE(order(model.sortKeyCell(1), true), (QStringList{"e", "a", "d", "b", "c"}));
        QCOMPARE(model.row(0).sortKeys, (std::vector<SortKey>{SortKey::date({2024, 2, 1}),
                                                              SortKey::amount(Currency::fromText("1000000000"))}));
    }

    // Texts sort exactly as QString compares them without regard to case,
    // beyond the plain letters too, and equal texts keep their order.
    void textOrderIsQtsCaseInsensitiveOrder() {
        const QStringList texts{"b", "B", "a", "_x", "Zed", "zed", "[", "~", "", "a1", "A10", "a2",
                                QString::fromUtf8("Ärger"), QString::fromUtf8("ärger"), QString::fromUtf8("éclair"),
                                "Eclair", QString::fromUtf8("straße"), "STRASSE", QString::fromUtf8("abcé"),
                                QString::fromUtf8("abcÉ"), QString::fromUtf8("x\U00010400"),
                                QString::fromUtf8("x\U00010428"), QString::fromUtf8("x\U00010401"),
                                QString::fromUtf8("\U0001F600a"), QString::fromUtf8("\U0001F600B")};
        std::vector<Row> rows;
        for (int i = 0; i < texts.size(); ++i) rows.push_back({{texts[i], QString::number(i)}});
        QStringList expected = texts;
        std::stable_sort(expected.begin(), expected.end(), [](const QString& a, const QString& b) {
            return QString::compare(a, b, Qt::CaseInsensitive) < 0;
        });
        Model model({"Text", "Was"});
        model.setRows(rows);
        model.sortRows(0, false);
        QCOMPARE(firstColumn(model), expected);
        // The two Deseret letters are one letter in two cases: equal, so in their old order.
        const int upper = int(firstColumn(model).indexOf(QString::fromUtf8("x\U00010400")));
        QCOMPARE(model.text(upper + 1, 0), QString::fromUtf8("x\U00010428"));
    }

    // A row added while the list is sorted goes to its sorted place, after
    // the rows equal to it; unsorted, to the end. A refill keeps the sort.
    void addedRowsTakeTheirSortedPlace_data() {
        QTest::addColumn<int>("sortCell");        // -1: never sorted
        QTest::addColumn<bool>("descending");
        QTest::addColumn<QString>("added");       // "text:key"
        QTest::addColumn<QStringList>("order");
        QTest::newRow("unsorted: at the end") << -1 << false << "B:0" << QStringList{"c", "a", "D", "B"};
        QTest::newRow("text ascending") << 0 << false << "B:0" << QStringList{"a", "B", "c", "D"};
        QTest::newRow("text descending") << 0 << true << "B:0" << QStringList{"D", "c", "B", "a"};
        QTest::newRow("after equal texts") << 0 << false << "A:0" << QStringList{"a", "A", "c", "D"};
        QTest::newRow("first place") << 0 << false << "0:0" << QStringList{"0", "a", "c", "D"};
        QTest::newRow("last place, descending") << 0 << true << "0:0" << QStringList{"D", "c", "a", "0"};
        QTest::newRow("by key ascending") << 1 << false << "x:25" << QStringList{"a", "x", "c", "D"};
        QTest::newRow("by key, after equal keys") << 1 << false << "x:30" << QStringList{"a", "c", "x", "D"};
        QTest::newRow("by key descending") << 1 << true << "x:25" << QStringList{"D", "c", "x", "a"};
    }
    void addedRowsTakeTheirSortedPlace() {
        QFETCH(int, sortCell);
        QFETCH(bool, descending);
        QFETCH(QString, added);
        QFETCH(QStringList, order);
        Model model({"Text"}, 1);
        model.setRows({keyed("c", 30), keyed("a", 20), keyed("D", 40)});
        if (sortCell >= 0) model.sortRows(sortCell, descending);
        const QStringList parts = added.split(':');
        const int position = model.addRow(keyed(parts[0], parts[1].toLongLong()));
        QCOMPARE(firstColumn(model), order);
        QCOMPARE(model.text(position, 0), parts[0]);
        if (sortCell < 0) return;
        model.clear();
        model.setRows({keyed("D", 40), keyed("a", 20), keyed("c", 30), keyed(parts[0], parts[1].toLongLong())});
        QCOMPARE(firstColumn(model), order);
    }

    // A refreshed row stays where it stands, with its new texts and keys;
    // the next sort puts it by them.
    void refreshedRowStaysUntilTheNextSort() {
        Model model({"Text"}, 1);
        model.setRows({keyed("a", 1), keyed("b", 2), keyed("c", 3)});
        model.sortRows(model.sortKeyCell(0), false);
        model.setRow(0, keyed("a2", 9));
        QCOMPARE(firstColumn(model), (QStringList{"a2", "b", "c"}));
        model.sortRows(model.sortKeyCell(0), false);
        QCOMPARE(firstColumn(model), (QStringList{"b", "c", "a2"}));
    }

    // Texts, keys, ticks and sort keys read back as written through long
    // runs of refreshes, additions and removals (the packed texts are
    // repacked on the way), and a cell longer than short lengths hold.
    void rowsReadBackAsWritten() {
        Model model({"A", "B", "C"}, 1);
        model.setCheckable(true);
        std::vector<Row> mirror;
        std::mt19937 random(7);
        auto makeRow = [&](int n) {
            const QString longCell = n % 97 == 0 ? QString(40000 + n, QChar(u'x')) : QString("cell %1").arg(n);
            return Row{{QString("r%1").arg(n), longCell}, n % 5 ? QString("K%1").arg(n) : QString(), n % 3 == 0,
                       {SortKey::number(n)}};
        };
        for (int n = 0; n < 200; ++n) mirror.push_back(makeRow(n));
        model.setRows(mirror);
        for (int n = 200; n < 5000; ++n) {
            const int position = int(random() % mirror.size());
            switch (random() % 3) {
            case 0: model.setRow(position, makeRow(n)); mirror[size_t(position)] = makeRow(n); break;
            case 1: model.removeRow(position); mirror.erase(mirror.begin() + position); break;
            default: model.addRow(makeRow(n)); mirror.push_back(makeRow(n)); break;
            }
        }
        QCOMPARE(model.rowCount(), int(mirror.size()));
        for (int i = 0; i < model.rowCount(); ++i) {
            const Row row = model.row(i);
            const Row& written = mirror[size_t(i)];
            QCOMPARE(row.cells, (QStringList{written.cells[0], written.cells[1], QString()}));
            QCOMPARE(row.key, written.key);
            QCOMPARE(model.key(i), written.key);
            QCOMPARE(model.checked(i), written.checked);
            QCOMPARE(row.sortKeys, written.sortKeys);
        }
        QCOMPARE(model.text(0, 3), QString());
    }
};

QTEST_MAIN(TestListKit)
#include "test_listkit.moc"
