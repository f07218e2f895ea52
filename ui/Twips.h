// Twips, the unit of the window layouts: 1440 to the inch, converted at the screen's logical
// DPI (15 twips to a pixel at 96 DPI).
#pragma once

#include <QRect>

class QWidget;

namespace tavri {

int TwipsToPixels(int twips);
int PixelsToTwips(int pixels);
QRect TwipsRect(int left, int top, int width, int height);
// Places a widget at a layout position given in twips, relative to its parent.
void PlaceInTwips(QWidget* widget, int left, int top, int width, int height);

}  // namespace tavri
