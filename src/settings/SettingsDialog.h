#pragma once
#include "widgets/ActivatedDialog.h"
#include "platform/Recordset.h"

// What the settings windows share: they centre themselves on the screen,
// keep one record set on System from their activation until they close, and
// run their activation step once per showing.
class SettingsDialog : public ActivatedDialog {
    Q_OBJECT
public:
    explicit SettingsDialog(QWidget* owner);

    Recordset SystemRs;

protected:
    void done(int result) override;
};
