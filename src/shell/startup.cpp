#include "startup.h"

#include "data/connection.h"
#include "data/settings.h"
#include "loginwindow.h"
#include "mainwindow.h"
#include "operator.h"
#include "platform.h"

namespace Startup {

bool OpenDatabase() {
    const desk::DbSettings s = desk::readDbSettings();
    if (!Connection::ConnectDatabase(s.uid, s.pwd, s.dbname, s.svr)) {
        Platform::message(nullptr, QStringLiteral("数据库连接失败!"), QStringLiteral("连接提示"),
                          Platform::Icon::Information);
        return false;
    }
    return true;
}

LauncherFields parseLauncherArgument(const QString& argument) {
    LauncherFields out;
    const QStringList parts = argument.split(QLatin1Char(','));
    if (parts.size() < 10) {
        out.error = QStringLiteral("启动参数不完整：需要以逗号分隔的十项操作员资料，"
                                   "收到 %1 项。请在登录窗口登录。")
                        .arg(parts.size());
        return out;
    }
    out.ok = true;
    out.fields = parts.mid(0, 10);
    return out;
}

bool run(LoginWindow* login, const QString& argument) {
    LauncherArgument() = argument;
    if (!argument.isEmpty()) {
        const LauncherFields parsed = parseLauncherArgument(argument);
        if (!parsed.ok) {
            Platform::message(login, parsed.error, QString(), Platform::Icon::Information);
        } else {
            Operator().setFields(parsed.fields);
            if (OpenDatabase()) {
                showMainWindow();
                return true;
            }
        }
    }
    login->setVersionText(versionLabel(DESK_VERSION_MAJOR, DESK_VERSION_MINOR));
    return false;
}

void showMainWindow() {
    MainWindow* main = MainWindow::instance();
    if (!main)
        main = new MainWindow;
    main->showMaximized();
    main->raise();
    main->activateWindow();
}

QString versionLabel(int major, int minor) {
    return QStringLiteral("V%1.%2版").arg(major).arg(minor);
}

} // namespace Startup
