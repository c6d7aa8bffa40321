#include "shell/WindowRegistry.h"
#include "common/Opener.h"
#include "settings/frm_setup.h"

void registerWindows() {
    Opener::add("frm_setup", [](QWidget* o) { return new frm_setup(o); });
}
