// deskdb: the installers' command for the complaint desk database.
//
//   deskdb init FILE [--demo] [--force] [--today YYYY-MM-DD]
//       Creates an SQLite database file from db/schema-sqlite.sql, with the demonstration
//       data of db/demo-data.sql when --demo is given. The file is built under FILE.tmp and
//       renamed at the end, so a failed run leaves nothing behind; an existing FILE is only
//       replaced with --force. --today fixes the day the demonstration dates count from.
//   deskdb configure FILE
//       Writes the client's four connection settings so that it opens FILE.
//   deskdb schema sqlserver|sqlite
//       Prints the schema script for that engine.
//
// The db/ folder is found through the environment variable DESK_DB_DIR, else the folder
// compiled in at build time, else ../share/complaint-desk/db next to the executable.

#include "data/connection.h"
#include "data/settings.h"
#include "data/sqlscript.h"
#include "shell/platform.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>

#include <filesystem>
#include <system_error>

namespace {

enum ExitCode { Ok = 0, Failed = 1, BadUsage = 2 };

const char* const kUsage =
    "usage:\n"
    "  deskdb init FILE [--demo] [--force] [--today YYYY-MM-DD]\n"
    "      create an SQLite database FILE (with demonstration data when --demo);\n"
    "      an existing FILE is replaced only with --force\n"
    "  deskdb configure FILE\n"
    "      write the client's connection settings so that it opens the database FILE\n"
    "  deskdb schema sqlserver|sqlite\n"
    "      print the schema script for that engine\n"
    "  deskdb --help\n";

QTextStream& err() {
    static QTextStream stream(stderr);
    return stream;
}

QTextStream& out() {
    static QTextStream stream(stdout);
    return stream;
}

int fail(const QString& message) {
    err() << "deskdb: " << message << Qt::endl;
    return Failed;
}

int badUsage(const QString& message) {
    if (!message.isEmpty())
        err() << "deskdb: " << message << '\n';
    err() << kUsage << Qt::flush;
    return BadUsage;
}

// ---- locating and reading the scripts ----

QString dbFolder() {
    const QString fromEnv = qEnvironmentVariable("DESK_DB_DIR");
    if (!fromEnv.isEmpty())
        return fromEnv;
#ifdef DESK_DB_DIR
    const QString compiledIn = QString::fromUtf8(DESK_DB_DIR);
    if (QFileInfo(compiledIn).isDir())
        return compiledIn;
#endif
    return QDir(QCoreApplication::applicationDirPath())
        .absoluteFilePath(QStringLiteral("../share/complaint-desk/db"));
}

bool readScript(const QString& name, QByteArray* content, QString* error) {
    const QString path = QDir(dbFolder()).absoluteFilePath(name);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2")
                     .arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    *content = file.readAll();
    return true;
}

// ---- the demonstration data's relative dates ----

// Replaces {{TODAY}}, {{MONTH_START}}, {{DAYS_AGO:n}} and {{RECENT:n}} with a day
// "yyyy-MM-dd". RECENT is n days back but not before the first day of today's month.
bool expandDates(QString* text, const QDate& today, QString* error) {
    const QDate monthStart(today.year(), today.month(), 1);
    QString result;
    int from = 0;
    for (;;) {
        const int open = text->indexOf(QLatin1String("{{"), from);
        if (open < 0)
            break;
        const int close = text->indexOf(QLatin1String("}}"), open + 2);
        if (close < 0) {
            *error = QStringLiteral("placeholder is not closed: %1").arg(text->mid(open, 20));
            return false;
        }
        const QString name = text->mid(open + 2, close - open - 2).trimmed();
        const bool hasArg = name.contains(QLatin1Char(':'));
        const QString key = name.section(QLatin1Char(':'), 0, 0);
        bool numberOk = false;
        const int days = name.section(QLatin1Char(':'), 1).toInt(&numberOk);
        const bool daysOk = hasArg && numberOk && days >= 0;
        QDate day;
        if (key == QLatin1String("TODAY") && !hasArg)
            day = today;
        else if (key == QLatin1String("MONTH_START") && !hasArg)
            day = monthStart;
        else if (key == QLatin1String("DAYS_AGO") && daysOk)
            day = today.addDays(-days);
        else if (key == QLatin1String("RECENT") && daysOk)
            day = qMax(today.addDays(-days), monthStart);
        if (!day.isValid()) {
            *error = QStringLiteral("unknown placeholder {{%1}}").arg(name);
            return false;
        }
        result += QStringView(*text).mid(from, open - from);
        result += day.toString(QStringLiteral("yyyy-MM-dd"));
        from = close + 2;
    }
    result += QStringView(*text).mid(from);
    *text = result;
    return true;
}

// ---- init ----

std::filesystem::path fsPath(const QString& path) {
    return std::filesystem::path(QDir::toNativeSeparators(path).toStdU16String());
}

void removeQuietly(const QString& path) {
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-journal"));
}

// Runs every statement of one script; on failure says which statement failed.
bool runScript(QSqlDatabase& db, const QString& scriptName, const QDate* today, QString* error) {
    QByteArray bytes;
    if (!readScript(scriptName, &bytes, error))
        return false;
    QString why;
    QList<desk::ScriptStatement> statements = desk::splitSqlScript(QString::fromUtf8(bytes), &why);
    if (!why.isEmpty()) {
        *error = scriptName + QStringLiteral(", ") + why;
        return false;
    }
    for (desk::ScriptStatement& s : statements) {
        if (today && !expandDates(&s.text, *today, &why)) {
            *error = QStringLiteral("%1, line %2: %3").arg(scriptName).arg(s.line).arg(why);
            return false;
        }
        QSqlQuery query(db);
        if (!query.exec(s.text)) {
            *error = QStringLiteral("%1, statement at line %2: %3")
                         .arg(scriptName)
                         .arg(s.line)
                         .arg(query.lastError().text());
            return false;
        }
    }
    return true;
}

// Builds the database into `tmpPath`. The connection is closed on return.
bool buildDatabase(const QString& tmpPath, bool demo, const QDate& today, QString* error) {
    const QString connectionName = QStringLiteral("deskdb-init");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
        db.setDatabaseName(tmpPath);
        if (!db.open()) {
            *error = QStringLiteral("cannot create %1: %2")
                         .arg(QDir::toNativeSeparators(tmpPath), db.lastError().text());
        } else {
            // One transaction: much faster, and a failure leaves an empty file at worst.
            ok = db.transaction() &&
                 runScript(db, QStringLiteral("schema-sqlite.sql"), nullptr, error) &&
                 (!demo || runScript(db, QStringLiteral("demo-data.sql"), &today, error));
            if (ok && !db.commit()) {
                *error = QStringLiteral("cannot write %1: %2")
                             .arg(QDir::toNativeSeparators(tmpPath), db.lastError().text());
                ok = false;
            }
            if (!ok)
                db.rollback();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connectionName);
    return ok;
}

int runInit(const QString& file, bool demo, bool force, const QDate& today) {
    const QFileInfo target(file);
    const QString path = target.absoluteFilePath();
    if (target.isDir())
        return fail(QStringLiteral("%1 is a folder").arg(QDir::toNativeSeparators(path)));
    if (target.exists() && !force)
        return fail(QStringLiteral("%1 already exists; give --force to replace it")
                        .arg(QDir::toNativeSeparators(path)));
    if (!target.absoluteDir().exists())
        return fail(QStringLiteral("folder %1 does not exist")
                        .arg(QDir::toNativeSeparators(target.absolutePath())));
    if (desk::engineForDataSource(path) != desk::Engine::Sqlite)
        err() << "deskdb: note: the client opens a data source as a database file only when "
                 "its name ends in .db, .sqlite or .sqlite3"
              << Qt::endl;

    const QString tmpPath = path + QStringLiteral(".tmp");
    removeQuietly(tmpPath); // left over from an interrupted run
    QString error;
    if (!buildDatabase(tmpPath, demo, today, &error)) {
        removeQuietly(tmpPath);
        return fail(error);
    }
    // Replaces an existing file in one step on every platform.
    std::error_code ec;
    std::filesystem::rename(fsPath(tmpPath), fsPath(path), ec);
    if (ec) {
        removeQuietly(tmpPath);
        return fail(QStringLiteral("cannot move the new database to %1: %2")
                        .arg(QDir::toNativeSeparators(path), QString::fromStdString(ec.message())));
    }
    out() << "created " << QDir::toNativeSeparators(path)
          << (demo ? " with demonstration data" : "") << Qt::endl;
    return Ok;
}

// ---- configure ----

int runConfigure(const QString& file) {
    const QFileInfo target(file);
    const QString path = target.absoluteFilePath();
    if (!target.isFile())
        return fail(QStringLiteral("%1 does not exist; create it first with \"deskdb init\"")
                        .arg(QDir::toNativeSeparators(path)));
    if (desk::engineForDataSource(path) != desk::Engine::Sqlite)
        return fail(QStringLiteral("%1: the name must end in .db, .sqlite or .sqlite3, or the "
                                   "client takes it for a server name")
                        .arg(QDir::toNativeSeparators(path)));
    // The connection string carries the path between single quotes, unescaped, and uses ";"
    // between its parts.
    if (path.contains(QLatin1Char('\'')) || path.contains(QLatin1Char(';')))
        return fail(QStringLiteral("%1: the path must not contain ' or ;")
                        .arg(QDir::toNativeSeparators(path)));

    desk::DbSettings settings;
    settings.svr = QDir::toNativeSeparators(path);
    desk::writeDbSettings(settings);
    const desk::DbSettings back = desk::readDbSettings();
    const QString location = desk::dbSettingsLocation();
    if (back.svr != settings.svr || !back.uid.isEmpty() || !back.pwd.isEmpty() ||
        !back.dbname.isEmpty())
        return fail(QStringLiteral("cannot write the settings to %1").arg(location));
    out() << "wrote the connection settings to " << QDir::toNativeSeparators(location) << Qt::endl
          << "  Svr = " << settings.svr << Qt::endl;
    return Ok;
}

// ---- schema ----

int runSchema(const QString& engine) {
    QString name;
    if (engine == QLatin1String("sqlserver"))
        name = QStringLiteral("schema-sqlserver.sql");
    else if (engine == QLatin1String("sqlite"))
        name = QStringLiteral("schema-sqlite.sql");
    else
        return badUsage(QStringLiteral("unknown engine \"%1\"").arg(engine));
    QByteArray bytes;
    QString error;
    if (!readScript(name, &bytes, &error))
        return fail(error);
    QFile sink;
    if (!sink.open(stdout, QIODevice::WriteOnly) || sink.write(bytes) != bytes.size())
        return fail(QStringLiteral("cannot write to the standard output"));
    sink.flush();
    return Ok;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return badUsage(QString());
    const QString command = args.takeFirst();
    if (command == QLatin1String("--help") || command == QLatin1String("-h") ||
        command == QLatin1String("help")) {
        out() << kUsage << Qt::flush;
        return Ok;
    }

    if (command == QLatin1String("init")) {
        QString file;
        bool demo = false;
        bool force = false;
        QDate today = Platform::now().date();
        for (int i = 0; i < args.size(); ++i) {
            const QString& a = args.at(i);
            if (a == QLatin1String("--demo")) {
                demo = true;
            } else if (a == QLatin1String("--force")) {
                force = true;
            } else if (a == QLatin1String("--today")) {
                if (i + 1 >= args.size())
                    return badUsage(QStringLiteral("--today needs a day YYYY-MM-DD"));
                today = QDate::fromString(args.at(++i), QStringLiteral("yyyy-MM-dd"));
                if (!today.isValid())
                    return badUsage(QStringLiteral("--today needs a day YYYY-MM-DD, not \"%1\"")
                                        .arg(args.at(i)));
            } else if (a.startsWith(QLatin1String("--")) || !file.isEmpty()) {
                return badUsage(QStringLiteral("unexpected argument \"%1\"").arg(a));
            } else {
                file = a;
            }
        }
        if (file.isEmpty())
            return badUsage(QStringLiteral("init needs a FILE"));
        return runInit(file, demo, force, today);
    }
    if (command == QLatin1String("configure")) {
        if (args.size() != 1 || args.first().startsWith(QLatin1String("--")))
            return badUsage(QStringLiteral("configure needs exactly one FILE"));
        return runConfigure(args.first());
    }
    if (command == QLatin1String("schema")) {
        if (args.size() != 1)
            return badUsage(QStringLiteral("schema needs an engine: sqlserver or sqlite"));
        return runSchema(args.first());
    }
    return badUsage(QStringLiteral("unknown command \"%1\"").arg(command));
}
