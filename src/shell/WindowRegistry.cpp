#include "shell/WindowRegistry.h"
#include "common/Opener.h"
#include "customers/frmAddCust.h"
#include "customers/frmsearchCust.h"

void registerWindows() {
    Opener::add("frmAddCust", [](QWidget* o) { return new frmAddCust(o); });
    Opener::add("frmsearchCust", [](QWidget* o) { return new frmsearchCust(o); });
}
