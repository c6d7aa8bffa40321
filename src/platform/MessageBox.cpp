#include "platform/MessageBox.h"
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

namespace Box {
namespace {
Handler handler;

struct Choice { QString caption; Answer answer; QMessageBox::ButtonRole role; };

std::vector<Choice> choicesFor(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok: return {{"OK", Answer::Ok, QMessageBox::AcceptRole}};
    case Buttons::OkCancel:
        return {{"OK", Answer::Ok, QMessageBox::AcceptRole}, {"Cancel", Answer::Cancel, QMessageBox::RejectRole}};
    case Buttons::YesNo:
        return {{"&Yes", Answer::Yes, QMessageBox::YesRole}, {"&No", Answer::No, QMessageBox::NoRole}};
    case Buttons::YesNoCancel:
        return {{"&Yes", Answer::Yes, QMessageBox::YesRole}, {"&No", Answer::No, QMessageBox::NoRole},
                {"Cancel", Answer::Cancel, QMessageBox::RejectRole}};
    case Buttons::AbortRetryIgnore:
        return {{"&Abort", Answer::Abort, QMessageBox::RejectRole},
                {"&Retry", Answer::Retry, QMessageBox::AcceptRole},
                {"&Ignore", Answer::Ignore, QMessageBox::ActionRole}};
    }
    return {};
}

QMessageBox::Icon qtIcon(Icon icon) {
    switch (icon) {
    case Icon::Information: return QMessageBox::Information;
    case Icon::Question: return QMessageBox::Question;
    case Icon::Exclamation: return QMessageBox::Warning;
    case Icon::Critical: return QMessageBox::Critical;
    case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

bool isBlank(QChar c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// A run of characters without a blank longer than this (a long path or file
// name) may break anywhere: the box wraps it to the screen instead of growing
// past it and cutting it off.
constexpr int LongestUnbrokenRun = 40;
const QChar MayBreakHere(0x200B);   // zero width space

QString breakable(const QString& text) {
    QString shown;
    shown.reserve(text.size() * 2);
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = start;
        while (end < text.size() && !isBlank(text[end])) ++end;
        for (qsizetype i = start; i < end; ++i) {
            shown += text[i];
            // Never inside a character or before a mark that belongs to the one before it.
            const bool inside = text[i].isHighSurrogate() || (i + 1 < end && text[i + 1].isMark());
            if (end - start > LongestUnbrokenRun && i + 1 < end && !inside) shown += MayBreakHere;
        }
        while (end < text.size() && isBlank(text[end])) shown += text[end++];
        start = end;
    }
    return shown;
}

// A box stands centred over the window it belongs to, or on the screen
// when that window is not shown yet (a second copy says so before its main
// window opens): a hidden owner would place it by its own unset place.
QWidget* ownerOf(QWidget* parent) {
    if (parent && parent->window()->isVisible()) return parent;
    return QApplication::activeWindow();
}

Answer showReal(const Request& r, QWidget* parent) {
    QMessageBox box(qtIcon(r.icon), r.title, breakable(r.text), QMessageBox::NoButton, ownerOf(parent));
    const auto choices = choicesFor(r.buttons);
    std::vector<QPushButton*> pushButtons;
    for (const auto& c : choices) pushButtons.push_back(box.addButton(c.caption, c.role));
    box.setDefaultButton(pushButtons.front());
    if (r.buttons == Buttons::YesNoCancel || r.buttons == Buttons::OkCancel)
        box.setEscapeButton(pushButtons.back());
    box.exec();
    for (size_t i = 0; i < choices.size(); ++i)
        if (box.clickedButton() == pushButtons[i]) return choices[i].answer;
    // Closed without a button: the box's escape answer, else its only one.
    return r.buttons == Buttons::YesNo ? Answer::No
         : r.buttons == Buttons::AbortRetryIgnore ? Answer::Abort
         : choices.back().answer;
}
}  // namespace

Answer ask(const QString& text, const QString& title, Buttons buttons, Icon icon, QWidget* parent) {
    const Request request{text, title, buttons, icon};
    if (handler) return handler(request);
    return showReal(request, parent);
}

void setHandler(Handler h) { handler = std::move(h); }

}  // namespace Box
