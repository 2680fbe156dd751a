#pragma once
class QApplication;
// Chooses a Simplified Chinese face for the whole client whatever the locale, so that
// Chinese text never falls back to Japanese or Korean glyph shapes.
void applyChineseFont(QApplication& app);
