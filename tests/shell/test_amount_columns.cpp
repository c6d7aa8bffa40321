// Every amount column of every list shows whole the widest amount a stored
// invoice can hold, a credit too, and the widest price an item can have;
// the list keeps every column in view.
#include "common/HandOver.h"
#include "customers/frmAddCust.h"
#include "customers/frm_Parts.h"
#include "debtors/frmDebtor.h"
#include "invoices/InvoiceFixture.h"
#include "invoices/frmAddInv.h"
#include "invoices/frmInvoice.h"
#include "platform/Currency.h"
#include "platform/Today.h"
#include "support/TableFixture.h"
#include "support/TestSupport.h"
#include "widgets/ListKit.h"
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QStyle>
#include <QTreeView>
#include <QtTest>

namespace {
const QDate FixedToday(2026, 12, 10);
// The largest amount of whole cents the money type can show, 922337203685477.57.
constexpr qint64 Largest = 9223372036854775700;

QVariant amount(qint64 raw) { return QVariant::fromValue(Currency::fromRaw(raw)); }

// One unpaid invoice of customer C1 whose every amount is the one given.
void addInvoice(qint64 raw, int daysOld = 0) {
    insertRow("Customers", {"CustID", "FirstName", "LastName", "Phone"}, {"C1", "Ann", "Lee", "0123"});
    insertRow("Invoices",
              {"InvNo", "CustNo", "CustomerName", "Date", "Subtotal", "Vat", "Total", "Paid", "WrittenOff",
               "Balance", "Notes"},
              {"INV0001", "C1", "Ann Lee", QDateTime(FixedToday.addDays(-daysOld), QTime(0, 0)), amount(raw), amount(raw),
               amount(raw), amount(raw), amount(raw), amount(raw), "Notes"});
}

// A window showing the amount in its list, with the labels that show it too.
struct Shown {
    std::unique_ptr<QWidget> window;
    QTreeView* list = nullptr;
    std::vector<QLabel*> labels;
};

Shown opened(const QString& window, qint64 raw) {
    Shown shown;
    if (window == "invoice list") {
        addInvoice(raw);
        auto* w = new frmInvoice;
        shown = {std::unique_ptr<QWidget>(w), w->Inv_lst, {}};
    } else if (window == "customer history") {
        addInvoice(raw);
        gHandOver.CustNewMode = 0;
        gHandOver.SelectedCustID = "C1";
        auto* w = new frmAddCust;
        shown = {std::unique_ptr<QWidget>(w), w->Inv_lst, {w->Total_lbl}};
    } else if (window.startsWith("aged debtors")) {
        const int days = window.endsWith("61+") ? 90 : window.endsWith("31-60") ? 40 : 0;
        addInvoice(raw, days);
        auto* w = new frmDebtor;
        shown = {std::unique_ptr<QWidget>(w), w->debtor_lst, {w->total30, w->total60, w->Total61, w->TotalG}};
    } else if (window == "item list" || window == "item picker") {
        insertRow("Parts", {"ID", "ShortDesc", "Desc", "Price", "Taxable"}, {"P1", "Nut", "Hex nut", amount(raw), 1});
        if (window == "item list") {
            auto* w = new frm_Parts;
            shown = {std::unique_ptr<QWidget>(w), w->Parts_lst, {}};
        } else {
            gHandOver.InvEditMode = 0;
            gHandOver.InvCustID = "C1";
            auto* w = new frmAddInv;
            w->show();
            w->Check1[0]->setChecked(true);   // opens the picker
            shown = {std::unique_ptr<QWidget>(w), w->parts_lst, {}};
        }
    }
    shown.window->show();
    shown.window->grab();   // lays everything out as the screen shows it
    return shown;
}

// Where the cell cannot show its text whole, as the list paints it: "" when it can.
QString cut(const QTreeView* list, int column) {
    const QModelIndex cell = list->model()->index(0, column);
    QStyleOptionViewItem option;
    option.initFrom(list);
    option.font = list->font();
    const int wanted = list->itemDelegate()->sizeHint(option, cell).width();
    if (wanted > list->columnWidth(column))
        return QString("\"%1\" wants %2 px, the column is %3").arg(cell.data().toString()).arg(wanted).arg(list->columnWidth(column));
    // In view with room for the scroll bar that a long list brings.
    const QHeaderView* header = list->header();
    const int last = header->logicalIndex(header->count() - 1);
    const int right = header->sectionPosition(last) + header->sectionSize(last);
    const int room = list->viewport()->width()
                     - (list->verticalScrollBar()->isVisible() ? 0 : list->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    if (right > room) return QString("the columns take %1 px of %2 in view").arg(right).arg(room);
    return QString();
}
}  // namespace

class AmountColumnsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<fixture::World> world;
private slots:
    void init() {
        world = std::make_unique<fixture::World>();
        Today::fix(FixedToday);
    }
    void cleanup() {
        Today::fix(std::nullopt);
        world.reset();
    }

    void widestAmountsShowWhole_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("column");
        QTest::addColumn<qint64>("raw");
        const qint64 price = 99999999999900;   // 9999999999.99, the widest price the item editor takes
        const struct {
            const char* window;
            const char* column;
            int index;
            bool credit;   // may be negative
            bool item;
        } columns[] = {
            {"invoice list", "Amount", 4, true, false},       {"invoice list", "Balance", 5, true, false},
            {"customer history", "Total", 2, true, false},    {"customer history", "Paid", 3, true, false},
            {"customer history", "Balance", 4, true, false},  {"aged debtors 0-30", "0-30 Days", 4, false, false},
            {"aged debtors 31-60", "31-60 Days", 5, false, false},
            {"aged debtors 61+", "61+ Days", 6, false, false}, {"item list", "Price", 3, false, true},
            {"item picker", "Price", 2, false, true},
        };
        for (const auto& c : columns) {
            const qint64 largest = c.item ? price : Largest;
            QTest::addRow("%s %s", c.window, c.column) << QString(c.window) << c.index << largest;
            if (c.credit) QTest::addRow("%s %s, a credit", c.window, c.column) << QString(c.window) << c.index << -largest;
        }
    }
    void widestAmountsShowWhole() {
        QFETCH(QString, window);
        QFETCH(int, column);
        QFETCH(qint64, raw);
        const Shown shown = opened(window, raw);
        QCOMPARE(shown.list->model()->rowCount(), 1);
        QCOMPARE(shown.list->model()->index(0, column).data().toString().trimmed(), Currency::fromRaw(raw).toFixed(2));
        QVERIFY2(cut(shown.list, column).isEmpty(), qPrintable(cut(shown.list, column)));
        for (QLabel* label : shown.labels)
            QVERIFY2(label->width() >= label->fontMetrics().horizontalAdvance(label->text()),
                     qPrintable(label->objectName() + " cuts " + label->text()));
    }
};

QTEST_MAIN(AmountColumnsTest)
#include "test_amount_columns.moc"
