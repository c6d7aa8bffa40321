#pragma once
#include <QString>
#include <functional>

class QDialog;
class QWidget;

// Windows do not create each other: they open one another by name through
// this registry, so a test can put a fake window in place of a real one.
// A window is created when it is shown, shown modally, and destroyed when it
// closes.
namespace Opener {
using Factory = std::function<QDialog*(QWidget* owner)>;

void add(const QString& name, Factory factory);
void remove(const QString& name);
bool has(const QString& name);
// Shows the window modally and returns its exec() result; -1 when no window
// of that name is registered.
int show(const QString& name, QWidget* owner);

// Commands that are procedures, not windows (the backup, the restore).
using Command = std::function<void(QWidget* owner)>;
void addCommand(const QString& name, Command command);
void removeCommand(const QString& name);
bool hasCommand(const QString& name);
// Runs the command; false when none of that name is registered.
bool run(const QString& name, QWidget* owner);
}
