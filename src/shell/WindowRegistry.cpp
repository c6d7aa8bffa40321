#include "shell/WindowRegistry.h"
#include "common/Opener.h"
#include "shell/Backup.h"
#include "shell/Help_frm.h"
#include "shell/frmBrowser.h"

void registerWindows() {
    Opener::addCommand("Backup", MnuSave_Click);
    Opener::addCommand("Restore", mnurestore_Click);
    Opener::add("Help_frm", [](QWidget* o) { return new Help_frm(o); });
    Opener::add("frmBrowser", [](QWidget* o) { return new frmBrowser(o); });
}
