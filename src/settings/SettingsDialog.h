#pragma once
#include "widgets/WindowPlacement.h"
#include "platform/Recordset.h"
#include <QDialog>

// What the settings windows share: they centre themselves on the screen,
// keep one record set on System from their activation until they close, and
// run their activation step once per showing (Qt activates a window again
// after every message box, which must not reload the row over the edits).
class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    explicit SettingsDialog(QWidget* owner);

    // The activation step; a second call in the same showing does nothing.
    void Form_Activate();

    Recordset SystemRs;

protected:
    virtual void activate() = 0;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void done(int result) override;

private:
    bool activated_ = false;
};

