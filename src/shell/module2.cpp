#include "module2.h"

#include "mainwindow.h"
#include "platform.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>

void CenterInMainWindow(QWidget* window) {
    if (!window)
        return;
    QWidget* frame = window;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget()))
        frame = sub;
    QWidget* area = frame->parentWidget();
    if (MainWindow* main = MainWindow::instance(); main && !area)
        area = main->mdiArea()->viewport();
    if (!area)
        return;
    frame->move((area->width() - frame->width()) / 2, (area->height() - frame->height()) / 2);
}

void ShowErrorMessage(int number, const QString& text) {
    Platform::message(nullptr, QString::number(number) + QLatin1Char(' ') + text);
}
