// How long the customer search takes to open and show its list, and the
// customer editor to open with its history, on a large data set: 100,000 customers, 300,000 invoices, 1,000,000 invoice lines.
#include "DataGenerator.h"
#include "common/Functions.h"
#include "widgets/ListKit.h"
#include "common/HandOver.h"
#include "customers/frmAddCust.h"
#include "customers/frmsearchCust.h"
#include "platform/Database.h"
#include "platform/ProgramFolder.h"
#include "shell/CreateDatabase.h"
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir folder;
    ProgramFolder::setPath(folder.path());
    CreateDatabase();
    const QString path = QDir(folder.path()).filePath("data.mdb");
    Connections::openJet(path);
    QElapsedTimer timer;
    timer.start();
    generateDataSet(Database::shared(), {100000, 300000, 1000000});
    std::printf("data set generated in %.1f s\n", timer.elapsed() / 1000.0);

    for (int run = 1; run <= 3; ++run) {
        timer.restart();
        {
            frmsearchCust window;
            window.show();
            QApplication::processEvents();
            const qint64 shown = timer.elapsed();
            std::printf("run %d: customer search opened and shown with %d rows in %lld ms\n", run,
                        window.customers()->rowCount(), static_cast<long long>(shown));
            if (run > 1) continue;
            timer.restart();
            window.headerSort()->headerClicked(1);
            QApplication::processEvents();
            std::printf("  sort by last name: %lld ms\n", static_cast<long long>(timer.elapsed()));
            window.search_txt->setText("no such customer");
            timer.restart();
            window.findBox()->find();
            std::printf("  find over every row, nothing found: %lld ms\n", static_cast<long long>(timer.elapsed()));
        }
    }
    // The customer editor on the same data: one customer with its history.
    for (int run = 1; run <= 2; ++run) {
        gHandOver.CustNewMode = 0;
        gHandOver.SelectedCustID = "CUS150000";
        timer.restart();
        frmAddCust editor;
        editor.show();
        QApplication::processEvents();
        std::printf("run %d: customer editor opened with %d invoices in its history in %lld ms\n", run,
                    editor.invoices()->rowCount(), static_cast<long long>(timer.elapsed()));
    }
    Connections::closeJet();
    return 0;
}
