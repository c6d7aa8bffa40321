#include "settings/SettingsDialog.h"

SettingsDialog::SettingsDialog(QWidget* owner) : ActivatedDialog(owner) {
    // A close button only: without the customize hint the window manager
    // picks the buttons itself.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);
    setCentredOnShow(true);
}

void SettingsDialog::done(int result) {
    SystemRs.close();
    QDialog::done(result);
}
