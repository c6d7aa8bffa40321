#include "platform/FileDialog.h"
#include <QFileDialog>

namespace FileDialog {
namespace {
Handler handler;
}

QString getOpenFileName(QWidget* parent, const QString& title, const QString& directory,
                        const QString& filter) {
    if (handler) return handler({Kind::Open, title, directory, filter});
    return QFileDialog::getOpenFileName(parent, title, directory, filter);
}

QString getSaveFileName(QWidget* parent, const QString& title, const QString& offered,
                        const QString& filter) {
    if (handler) return handler({Kind::Save, title, offered, filter});
    // The overwrite question is the caller's own.
    return QFileDialog::getSaveFileName(parent, title, offered, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

void setHandler(Handler h) { handler = std::move(h); }

}  // namespace FileDialog
