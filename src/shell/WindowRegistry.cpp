#include "shell/WindowRegistry.h"
#include "common/Opener.h"
#include "invoices/frmAddInv.h"

void registerWindows() {
    Opener::add("frmAddInv", [](QWidget* o) { return new frmAddInv(o); });
}
