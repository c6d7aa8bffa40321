#include "widgets/ActivatedDialog.h"
#include "widgets/WindowPlacement.h"
#include <QHideEvent>
#include <QShowEvent>

void ActivatedDialog::activateOnce() {
    if (activated_) return;
    activated_ = true;
    Form_Activate();
}

void ActivatedDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A restore from the task bar is not a new showing.
    if (event->spontaneous() || activated_) return;
    if (centred_) centreOnScreen(this);
    activateOnce();
}

void ActivatedDialog::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous()) activated_ = false;
}
