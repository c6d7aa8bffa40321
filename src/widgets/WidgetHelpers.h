#pragma once
#include "widgets/BoxRules.h"
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
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
    BoxRules::limitStoredLength(box, storedLimit);
    return box;
}

inline QLabel* label(const QString& text, const QString& name = QString()) {
    return named(new QLabel(text), name);
}

inline QPushButton* button(const QString& caption, const QString& name) {
    return named(new QPushButton(caption), name);
}

// A wrapped explanatory label.
inline QLabel* note(const QString& text, const QString& name = QString()) {
    auto* label = named(new QLabel(text), name);
    label->setWordWrap(true);
    return label;
}
