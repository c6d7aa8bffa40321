#pragma once
#include <QString>

// Controls carry their names as objectName, so tests and the windows'
// error reports find them by the names the windows use.
template <class W>
W* named(W* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}
