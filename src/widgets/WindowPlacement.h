#pragma once

class QSize;
class QWidget;

// Windows centre themselves on the screen when they load.
void centreOnScreen(QWidget* window);

// Lengths a design gives in twips (1440 to the inch), in the window's pixels.
int twipsToPixels(const QWidget* widget, int twips);
QSize twipsToPixels(const QWidget* widget, int widthTwips, int heightTwips);
