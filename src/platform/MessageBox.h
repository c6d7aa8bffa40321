#pragma once
#include <QString>
#include <functional>

class QWidget;

// The one seam for message boxes. The program shows a QMessageBox with the
// first button as default; tests install a handler that answers from a script.
namespace Box {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, AbortRetryIgnore };
enum class Icon { None, Information, Question, Exclamation, Critical };
enum class Answer { Ok, Cancel, Yes, No, Abort, Retry, Ignore };

struct Request {
    QString text;
    QString title;
    Buttons buttons;
    Icon icon;
};

Answer ask(const QString& text, const QString& title, Buttons buttons = Buttons::Ok,
           Icon icon = Icon::None, QWidget* parent = nullptr);

using Handler = std::function<Answer(const Request&)>;
// Replaces how boxes are answered; an empty handler restores the real boxes.
void setHandler(Handler handler);

}  // namespace Box
