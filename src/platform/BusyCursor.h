#pragma once

// The hourglass: shown from the first nested "on" to the "off" that brings
// the depth back to 0.
namespace BusyCursor {
void on();
void off();
int depth();
bool showing();
}
