#pragma once
// Geometry in the design is in twips (1/1440 inch); the screen's logical DPI converts it.

class QWidget;
class QPoint;
class QRect;

namespace controls {
int twipsToPixelsX(int twips, const QWidget* reference = nullptr);
int twipsToPixelsY(int twips, const QWidget* reference = nullptr);
int pixelsToTwipsX(int pixels, const QWidget* reference = nullptr);
int pixelsToTwipsY(int pixels, const QWidget* reference = nullptr);
// Places a widget at a position and size given in twips, relative to its parent.
void setGeometryTwips(QWidget* widget, int left, int top, int width, int height);
} // namespace controls
