#include "common/Opener.h"
#include "common/WindowNames.h"
#include <QDialog>
#include <map>
#include <memory>

namespace Opener {
namespace {
// A name that is no window of ours is a slip in the code: a debug build says so.
const QString& checked(const QString& name) {
    Q_ASSERT_X(Windows::known(name), "Opener", qPrintable("no window is called " + name));
    return name;
}

std::map<QString, Factory>& factories() {
    static std::map<QString, Factory> all;
    return all;
}
}

void add(const QString& name, Factory factory) { factories()[checked(name)] = std::move(factory); }
void remove(const QString& name) { factories().erase(name); }
bool has(const QString& name) { return factories().count(checked(name)) > 0; }

int show(const QString& name, QWidget* owner) {
    const auto it = factories().find(checked(name));
    if (it == factories().end()) return -1;
    std::unique_ptr<QDialog> window(it->second(owner));
    if (!window) return -1;
    return window->exec();
}

namespace {
std::map<QString, Command>& commands() {
    static std::map<QString, Command> all;
    return all;
}
}

void addCommand(const QString& name, Command command) { commands()[checked(name)] = std::move(command); }
void removeCommand(const QString& name) { commands().erase(name); }
bool hasCommand(const QString& name) { return commands().count(checked(name)) > 0; }

bool run(const QString& name, QWidget* owner) {
    const auto it = commands().find(checked(name));
    if (it == commands().end()) return false;
    it->second(owner);
    return true;
}
}
