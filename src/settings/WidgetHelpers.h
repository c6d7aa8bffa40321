#pragma once
#include "settings/EntryRules.h"
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>

// Controls carry their names as objectName, so tests and the windows'
// error reports find them by the names the windows use.
template <class W>
W* named(W* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

inline QLineEdit* lineBox(const QString& name, int limit, const QString& text = QString()) {
    auto* box = named(new QLineEdit(text), name);
    box->setMaxLength(limit);
    return box;
}

// A many-line box that Tab leaves, holding at most storedLimit characters.
inline QPlainTextEdit* textBox(const QString& name, int storedLimit) {
    auto* box = named(new QPlainTextEdit, name);
    box->setTabChangesFocus(true);
    EntryRules::limitStoredLength(box, storedLimit);
    return box;
}

// A wrapped explanatory label.
inline QLabel* note(const QString& text, const QString& name = QString()) {
    auto* label = named(new QLabel(text), name);
    label->setWordWrap(true);
    return label;
}
