#pragma once
// Small routines that several windows use.

#include <QString>

class QWidget;

// Centres a child window in the main window's inner area.
void CenterInMainWindow(QWidget* window);

// "number text", OK button, no icon, default title.
void ShowErrorMessage(int number, const QString& text);

// The client's message for a failed statement where a window has no form of its own:
// "错误号：" + number + line break + "错误描述：" + description, information icon, title "提示".
void ShowTrappedError(QWidget* parent, int number, const QString& description);
