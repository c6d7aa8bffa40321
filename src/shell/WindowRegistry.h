#pragma once

// Puts every window and command of the program into the opener, by name.
void registerWindows();
