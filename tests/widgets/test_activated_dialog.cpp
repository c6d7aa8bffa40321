#include "widgets/ActivatedDialog.h"
#include <QApplication>
#include <QtTest>

namespace {
struct Counting : ActivatedDialog {
    int runs = 0;
    void Form_Activate() override { ++runs; }
};
}  // namespace

class TestActivatedDialog : public QObject {
    Q_OBJECT
private slots:
    // The step runs once per showing: not again when Qt re-activates the
    // window (after a message box), but again after a hide and a new show.
    void oncePerShowing() {
        Counting d;
        d.show();
        QCOMPARE(d.runs, 1);
        QEvent activation(QEvent::WindowActivate);
        QApplication::sendEvent(&d, &activation);
        d.activateOnce();
        QCOMPARE(d.runs, 1);
        d.hide();
        d.show();
        QCOMPARE(d.runs, 2);
        // A window may still run its step on purpose.
        d.Form_Activate();
        QCOMPARE(d.runs, 3);
    }
};

QTEST_MAIN(TestActivatedDialog)
#include "test_activated_dialog.moc"
