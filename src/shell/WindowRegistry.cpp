#include "shell/WindowRegistry.h"
#include "common/Opener.h"
#include "shell/Backup.h"

void registerWindows() {
    Opener::addCommand("Backup", MnuSave_Click);
    Opener::addCommand("Restore", mnurestore_Click);
}
