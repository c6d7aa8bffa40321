#pragma once
#include <QDialog>

// A window whose activation step runs once per showing. Qt activates a window
// again after every message box and every window it opens; the step must not
// run then (it would reload over the user's edits). Hiding the window arms it
// again, so the next showing runs the step afresh.
class ActivatedDialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;

    // The activation step itself; a window may also call it directly to
    // refresh what it sets.
    virtual void Form_Activate() = 0;

    // Runs the activation step unless it already ran in this showing.
    void activateOnce();

protected:
    // The window centres itself on the screen before its first activation
    // in each showing.
    void setCentredOnShow(bool centred) { centred_ = centred; }

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    bool activated_ = false;
    bool centred_ = false;
};
