#pragma once

class QWidget;

// Puts a window in the middle of the screen it is on, at its laid-out size.
void centreOnScreen(QWidget* window);
