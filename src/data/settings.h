#pragma once
// The four connection settings, kept per user where the suite's other programs keep them.

#include <QString>

namespace desk {

struct DbSettings {
    QString svr;    // "Svr": the server name, or the path of an SQLite database file
    QString uid;    // "UID": the login name
    QString pwd;    // "PWD": the login password
    QString dbname; // "DBname": the database (initial catalog)
};

// Reads the settings afresh; a missing key gives an empty text.
DbSettings readDbSettings();
// Writes all four settings (the installers' tool; the client only reads them).
void writeDbSettings(const DbSettings& settings);
// Where the settings are kept: the registry key on Windows, the settings file elsewhere
// (which follows XDG_CONFIG_HOME).
QString dbSettingsLocation();

} // namespace desk
