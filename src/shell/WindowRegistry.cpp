#include "shell/WindowRegistry.h"
#include "common/Opener.h"

void registerWindows() {
}
