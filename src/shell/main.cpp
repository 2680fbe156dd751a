// The complaint desk client.

#include "fonts.h"
#include "loginwindow.h"
#include "mainwindow.h"
#include "startup.h"

#include "reception/receptionwindow.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("complaint-desk"));
    QApplication::setApplicationDisplayName(QString());
    applyChineseFont(app);

    MainWindow::registerWindow(QStringLiteral("投诉接待"),
                               [](QWidget* parent) { return new ReceptionWindow(parent); });

    // The launcher passes the operator as one argument; a shell may have split it at blanks.
    QStringList args = QApplication::arguments().mid(1);
    const QString argument = args.join(QLatin1Char(' '));

    LoginWindow login;
    if (!Startup::run(&login, argument))
        login.show();
    return app.exec();
}
