#pragma once
// Small routines that several windows use.

#include <QString>

class QWidget;

// Centres a child window in the main window's inner area.
void CenterInMainWindow(QWidget* window);

// "number text", OK button, no icon, default title.
void ShowErrorMessage(int number, const QString& text);
