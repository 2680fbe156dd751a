#include "controls/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace controls {
namespace {

constexpr double kTwipsPerInch = 1440.0;

// Logical DPI of the widget's screen, else of the primary screen; 96 without any screen.
double dpiX(const QWidget* reference) {
    if (reference)
        return reference->logicalDpiX();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return screen->logicalDotsPerInchX();
    return 96.0;
}

double dpiY(const QWidget* reference) {
    if (reference)
        return reference->logicalDpiY();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return screen->logicalDotsPerInchY();
    return 96.0;
}

int toPixels(int twips, double dpi) {
    return int(std::lround(twips * dpi / kTwipsPerInch));
}
int toTwips(int pixels, double dpi) {
    return dpi > 0 ? int(std::lround(pixels * kTwipsPerInch / dpi)) : 0;
}

} // namespace

int twipsToPixelsX(int twips, const QWidget* reference) {
    return toPixels(twips, dpiX(reference));
}
int twipsToPixelsY(int twips, const QWidget* reference) {
    return toPixels(twips, dpiY(reference));
}
int pixelsToTwipsX(int pixels, const QWidget* reference) {
    return toTwips(pixels, dpiX(reference));
}
int pixelsToTwipsY(int pixels, const QWidget* reference) {
    return toTwips(pixels, dpiY(reference));
}

void setGeometryTwips(QWidget* widget, int left, int top, int width, int height) {
    if (!widget)
        return;
    // Positions are relative to the parent, so the parent's screen converts them.
    const QWidget* reference = widget->parentWidget() ? widget->parentWidget() : widget;
    widget->setGeometry(twipsToPixelsX(left, reference), twipsToPixelsY(top, reference),
                        twipsToPixelsX(width, reference), twipsToPixelsY(height, reference));
}

} // namespace controls
