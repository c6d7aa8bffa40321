#pragma once
#include "common/Opener.h"
#include <QDialog>
#include <QTimer>
#include <functional>

// Puts a stand-in window into the opener under a real window's name: when it
// is shown it runs onShow (which sees the hand-over values as the real window
// would) and closes at once with the given result.
inline void addFakeWindow(const QString& name, std::function<void()> onShow = {},
                          int result = QDialog::Accepted) {
    Opener::add(name, [onShow, result](QWidget* owner) {
        auto* window = new QDialog(owner);
        QTimer::singleShot(0, window, [window, onShow, result] {
            if (onShow) onShow();
            window->done(result);
        });
        return window;
    });
}
