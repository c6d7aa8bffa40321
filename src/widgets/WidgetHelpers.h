#pragma once
#include "widgets/BoxRules.h"
#include "widgets/LimitedTextBox.h"
#include <QDateEdit>
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

// A one-line box that takes at most `limit` characters by typing or pasting.
inline QLineEdit* lineBox(const QString& name, int limit, const QString& text = QString()) {
    auto* box = named(new QLineEdit(text), name);
    BoxRules::typingLimit(box, limit);
    return box;
}

// A many-line box that Tab leaves, holding at most `limit` characters, each
// line break counted once or, for texts stored with CR LF, twice.
inline LimitedTextBox* textBox(const QString& name, int limit,
                              LimitedTextBox::LineBreaks lineBreaks = LimitedTextBox::LineBreaks::CountAsStored) {
    auto* box = named(new LimitedTextBox(limit, lineBreaks), name);
    box->setTabChangesFocus(true);
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

// A date picker showing the short date, with a calendar to pick from.
inline QDateEdit* datePicker(const QString& name) {
    auto* picker = named(new QDateEdit, name);
    picker->setDisplayFormat("dd/MM/yyyy");
    picker->setCalendarPopup(true);
    return picker;
}
