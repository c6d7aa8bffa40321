#pragma once
#include <QString>
#include <functional>

class QWidget;

// The one seam for the open and save file dialogs. An empty answer means
// the user cancelled. Tests install a handler that answers from a script.
namespace FileDialog {

enum class Kind { Open, Save };

struct Request {
    Kind kind;
    QString title;
    QString directory;   // folder or offered file path
    QString filter;      // Qt filter text, such as "Database (*.mdb)"
};

QString getOpenFileName(QWidget* parent, const QString& title, const QString& directory,
                        const QString& filter);
QString getSaveFileName(QWidget* parent, const QString& title, const QString& offered,
                        const QString& filter);

using Handler = std::function<QString(const Request&)>;
void setHandler(Handler handler);

}  // namespace FileDialog
