#pragma once
// From process start to a known operator: the two start modes and the database open.

#include <QString>
#include <QStringList>

class LoginWindow;

namespace Startup {

// Reads the four connection settings and connects. On failure shows "数据库连接失败!"
// (after the connection's own message) and returns false.
bool OpenDatabase();

// The launcher argument split into its fields. Fewer than ten fields is refused: `error`
// then says why, and the caller shows the login window instead.
struct LauncherFields {
    bool ok = false;
    QStringList fields; // the first ten, as they stand
    QString error;
};
LauncherFields parseLauncherArgument(const QString& argument);

// The login window's load: stores the argument; in launcher mode fills the operator and
// opens the main window directly when the database opens. Returns true when the main
// window was opened (the login window is then closed), false when the login is shown.
bool run(LoginWindow* login, const QString& argument);

// Shows the main window (creating it once) and brings it to the front; the login window
// closes itself once it has shown it.
void showMainWindow();

// "V1.0版" for version 1.0.
QString versionLabel(int major, int minor);

} // namespace Startup
