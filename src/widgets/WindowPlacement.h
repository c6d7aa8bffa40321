#pragma once

class QWidget;

// Windows centre themselves on the screen when they load.
void centreOnScreen(QWidget* window);
