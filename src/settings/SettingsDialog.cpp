#include "widgets/WindowPlacement.h"
#include "settings/SettingsDialog.h"
#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>

SettingsDialog::SettingsDialog(QWidget* owner) : QDialog(owner) {
    // A close button only: without the customize hint the window manager
    // picks the buttons itself.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);
}

void SettingsDialog::Form_Activate() {
    if (activated_) return;
    activated_ = true;
    activate();
}

void SettingsDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    centreOnScreen(this);
    Form_Activate();
}

void SettingsDialog::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous()) activated_ = false;
}

void SettingsDialog::done(int result) {
    SystemRs.close();
    QDialog::done(result);
}
