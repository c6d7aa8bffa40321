#pragma once

class QWidget;

// Places a window in the middle of its screen, as every window does when it loads.
void centreOnScreen(QWidget* window);
