// The database connection: the engine named by the connection string, the statement rules
// on top of it, and the process-wide connection of module Connection.

#include "connection.h"

#include "shell/platform.h"

#include <QDate>
#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <atomic>

namespace desk {

namespace {

const QLatin1String kProvider("Provider=SQLOLEDB.1;Password=");
const QLatin1String kAfterPassword(";Persist Security Info=False;User ID=");
const QLatin1String kAfterUser(";Initial Catalog='");
const QLatin1String kAfterCatalog("';Data Source='");

struct BuiltParts {
    bool ok = false;
    QString password, user, catalog, source;
};

// Reads a string laid out as BuildConnectionString() makes it. Each value runs up to the
// fixed piece that follows it, so a value may hold ';' or '\''.
BuiltParts splitBuilt(const QString& cs) {
    BuiltParts p;
    if (!cs.startsWith(kProvider) || !cs.endsWith(QLatin1Char('\'')))
        return p;
    const int passwordAt = kProvider.size();
    const int userPiece = cs.indexOf(kAfterPassword, passwordAt);
    if (userPiece < 0)
        return p;
    const int userAt = userPiece + kAfterPassword.size();
    const int catalogPiece = cs.indexOf(kAfterUser, userAt);
    if (catalogPiece < 0)
        return p;
    const int catalogAt = catalogPiece + kAfterUser.size();
    const int sourcePiece = cs.indexOf(kAfterCatalog, catalogAt);
    if (sourcePiece < 0)
        return p;
    const int sourceAt = sourcePiece + kAfterCatalog.size();
    if (sourceAt > cs.size() - 1)
        return p;
    p.password = cs.mid(passwordAt, userPiece - passwordAt);
    p.user = cs.mid(userAt, catalogPiece - userAt);
    p.catalog = cs.mid(catalogAt, sourcePiece - catalogAt);
    p.source = cs.mid(sourceAt, cs.size() - 1 - sourceAt);
    p.ok = true;
    return p;
}

// Any other "key=value;..." string; a value may stand in single or double quotes.
QString genericValue(const QString& cs, const QString& key) {
    int i = 0;
    while (i < cs.size()) {
        const int eq = cs.indexOf(QLatin1Char('='), i);
        if (eq < 0)
            break;
        const QString name = cs.mid(i, eq - i).trimmed();
        int j = eq + 1;
        while (j < cs.size() && cs[j] == QLatin1Char(' '))
            ++j;
        QString value;
        if (j < cs.size() && (cs[j] == QLatin1Char('\'') || cs[j] == QLatin1Char('"'))) {
            const QChar quote = cs[j];
            ++j;
            while (j < cs.size()) {
                if (cs[j] == quote) {
                    if (j + 1 < cs.size() && cs[j + 1] == quote) {
                        value += quote;
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                value += cs[j++];
            }
            const int semi = cs.indexOf(QLatin1Char(';'), j);
            j = semi < 0 ? cs.size() : semi;
        } else {
            const int semi = cs.indexOf(QLatin1Char(';'), j);
            const int end = semi < 0 ? cs.size() : semi;
            value = cs.mid(j, end - j).trimmed();
            j = end;
        }
        if (name.compare(key, Qt::CaseInsensitive) == 0)
            return value;
        i = j + 1;
    }
    return QString();
}

// An ODBC attribute value; one holding a separator stands in braces.
QString odbcValue(const QString& v) {
    static const QString special = QStringLiteral(";{}=[](),?*!@");
    bool needsBraces =
        !v.isEmpty() && (v.front() == QLatin1Char(' ') || v.back() == QLatin1Char(' '));
    for (QChar c : v)
        needsBraces = needsBraces || special.contains(c);
    if (!needsBraces)
        return v;
    QString inner = v;
    inner.replace(QLatin1Char('}'), QLatin1String("}}"));
    return QLatin1Char('{') + inner + QLatin1Char('}');
}

DbError errorOf(const QSqlError& e, const QString& fallback = QString()) {
    bool numeric = false;
    const int native =
        e.nativeErrorCode().section(QLatin1Char(';'), 0, 0).trimmed().toInt(&numeric);
    QString text = e.text().trimmed();
    if (text.isEmpty())
        text = fallback.isEmpty() ? QStringLiteral("数据库操作失败") : fallback;
    // 0 would read as "no error" to the windows' error traps.
    return DbError(numeric && native != 0 ? native : int(DbError::Generic), text);
}

QString nextConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("desk-connection-%1").arg(++counter);
}

QString quotedIdentifier(const QString& name) {
    QString inner = name;
    inner.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

// A value as the SQL log shows it, in the server's dialect.
QString loggedValue(const QVariant& v) {
    if (!v.isValid() || v.isNull())
        return QStringLiteral("NULL");
    switch (v.typeId()) {
    case QMetaType::QByteArray:
        return QStringLiteral("<%1 bytes>").arg(v.toByteArray().size());
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
        return v.toString();
    case QMetaType::QDateTime:
        return QLatin1Char('\'') + sqlDateTime(v.toDateTime()) + QLatin1Char('\'');
    case QMetaType::QDate:
        return QLatin1Char('\'') + sqlDate(v.toDate()) + QLatin1Char('\'');
    default:
        return QLatin1Char('\'') + sqlText(v.toString()) + QLatin1Char('\'');
    }
}

QString columnList(const QList<QPair<QString, QVariant>>& fields) {
    QStringList names;
    for (const auto& f : fields)
        names << f.first;
    return names.join(QLatin1String(", "));
}

} // namespace

Engine engineForDataSource(const QString& dataSource) {
    const QString lower = dataSource.toLower();
    if (lower.endsWith(QLatin1String(".db")) || lower.endsWith(QLatin1String(".sqlite")) ||
        lower.endsWith(QLatin1String(".sqlite3")))
        return Engine::Sqlite;
    return Engine::SqlServer;
}

QString connectionStringValue(const QString& connectionString, const QString& key) {
    const BuiltParts p = splitBuilt(connectionString);
    if (!p.ok)
        return genericValue(connectionString, key);
    const QString k = key.trimmed();
    auto is = [&](const char* name) {
        return k.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
    };
    if (is("Provider"))
        return QStringLiteral("SQLOLEDB.1");
    if (is("Password") || is("PWD"))
        return p.password;
    if (is("Persist Security Info"))
        return QStringLiteral("False");
    if (is("User ID") || is("UID"))
        return p.user;
    if (is("Initial Catalog") || is("Database"))
        return p.catalog;
    if (is("Data Source") || is("Server"))
        return p.source;
    return QString();
}

QString odbcConnectionString(const QString& connectionString, const QString& driver) {
    QString name = driver;
    if (name.isEmpty())
        name = qEnvironmentVariable("COMPLAINT_DESK_ODBC_DRIVER");
    if (name.isEmpty()) {
#ifdef Q_OS_WIN
        name = QStringLiteral("SQL Server"); // the driver every Windows installation has
#else
        name = QStringLiteral("FreeTDS");
#endif
    }
    const bool freeTds = name.contains(QLatin1String("freetds"), Qt::CaseInsensitive) ||
                         name.contains(QLatin1String("tdsodbc"), Qt::CaseInsensitive);
    QString server = connectionStringValue(connectionString, QStringLiteral("Data Source"));
    QString port;
    if (freeTds && server.contains(QLatin1Char(','))) {
        // "host,port" as the server's own tools write it; FreeTDS takes the port apart.
        port = server.section(QLatin1Char(','), 1).trimmed();
        server = server.section(QLatin1Char(','), 0, 0).trimmed();
    }
    QString out =
        QStringLiteral("DRIVER={") + name + QStringLiteral("};SERVER=") + odbcValue(server);
    if (!port.isEmpty())
        out += QStringLiteral(";PORT=") + odbcValue(port);
    const QString catalog =
        connectionStringValue(connectionString, QStringLiteral("Initial Catalog"));
    if (!catalog.isEmpty())
        out += QStringLiteral(";DATABASE=") + odbcValue(catalog);
    out += QStringLiteral(";UID=") +
           odbcValue(connectionStringValue(connectionString, QStringLiteral("User ID")));
    out += QStringLiteral(";PWD=") +
           odbcValue(connectionStringValue(connectionString, QStringLiteral("Password")));
    if (freeTds)
        out += QStringLiteral(";TDS_Version=7.4;ClientCharset=UTF-8");
    return out;
}

// ---- SqlConnection ----

struct SqlConnection::Impl {
    QString name; // the QSqlDatabase connection name; empty while none is registered
    Engine engine = Engine::None;
    std::unique_ptr<Dialect> dialect;
    int schemaVersion = -1;
    QHash<QString, QSet<QString>> dateColumnsOfTable; // table (lower case) -> columns

    QSqlDatabase db() const { return QSqlDatabase::database(name, false); }

    void release() {
        if (name.isEmpty())
            return;
        {
            QSqlDatabase d = db();
            if (d.isOpen())
                d.close();
        }
        QSqlDatabase::removeDatabase(name);
        name.clear();
    }

    // Drops the connection just registered and throws `e`; the handle goes first, as
    // removeDatabase() wants no handle left.
    [[noreturn]] void abandon(QSqlDatabase& handle, const DbError& e) {
        handle = QSqlDatabase();
        release();
        throw e;
    }

    // Registers a connection of its own name and opens it. On failure nothing stays
    // registered and `failure` describes what could not be opened.
    QSqlDatabase connect(const QString& driver, const QString& databaseName, const QString& options,
                         const QString& failure) {
        name = nextConnectionName();
        QSqlDatabase d = QSqlDatabase::addDatabase(driver, name);
        d.setDatabaseName(databaseName);
        d.setConnectOptions(options);
        if (!d.open())
            abandon(d, errorOf(d.lastError(), failure));
        return d;
    }

    QSqlDatabase requireOpen() const {
        QSqlDatabase d = db();
        if (name.isEmpty() || !d.isOpen())
            throw DbError(DbError::NotOpen, QStringLiteral("对象关闭时，不允许操作。"));
        return d;
    }

    // On SQLite the dialect learns the date-time columns from the schema, read again
    // whenever the schema has changed.
    void refreshSchema(QSqlDatabase& d) {
        if (engine != Engine::Sqlite)
            return;
        int version = -2;
        {
            QSqlQuery q(d);
            if (q.exec(QStringLiteral("PRAGMA schema_version")) && q.next())
                version = q.value(0).toInt();
        }
        if (dialect && version == schemaVersion)
            return;
        schemaVersion = version;
        dateColumnsOfTable.clear();
        QStringList tables;
        {
            QSqlQuery q(d);
            q.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
            while (q.next())
                tables << q.value(0).toString();
        }
        QStringList all;
        for (const QString& table : tables) {
            QSqlQuery q(d);
            if (!q.exec(QStringLiteral("PRAGMA table_info(") + quotedIdentifier(table) +
                        QLatin1Char(')')))
                continue;
            QSet<QString>& columns = dateColumnsOfTable[table.toLower()];
            while (q.next()) {
                const QString type = q.value(2).toString().toUpper();
                if (type.contains(QLatin1String("DATE")) || type.contains(QLatin1String("TIME"))) {
                    columns.insert(q.value(1).toString().toLower());
                    all << q.value(1).toString();
                }
            }
        }
        dialect = makeDialect(Engine::Sqlite, all);
    }

    QStringList adapt(QSqlDatabase& d, const QString& sql) {
        refreshSchema(d);
        return dialect->statements(sql);
    }

    // Prepares a statement with one "?" per field and runs it with the fields' values bound.
    void execBound(QSqlQuery& q, const QString& sql, const QString& table,
                   const QList<QPair<QString, QVariant>>& fields) const {
        if (!q.prepare(sql))
            throw errorOf(q.lastError());
        for (int i = 0; i < fields.size(); ++i)
            q.bindValue(i, bindable(table, fields[i].first, fields[i].second));
        if (!q.exec())
            throw errorOf(q.lastError());
    }

    // A value as it is bound. SQLite keeps date-times as canonical text; a null binary is
    // stored as 0 bytes, not as a null.
    QVariant bindable(const QString& table, const QString& column, const QVariant& v) const {
        if (!v.isValid())
            return v;
        switch (v.typeId()) {
        case QMetaType::QByteArray: {
            const QByteArray bytes = v.toByteArray();
            return bytes.isNull() ? QVariant(QByteArray("", 0)) : v;
        }
        case QMetaType::QDateTime: {
            QDateTime when = v.toDateTime();
            when.setTime(QTime(when.time().hour(), when.time().minute(), when.time().second()));
            return engine == Engine::Sqlite ? QVariant(sqlDateTime(when)) : QVariant(when);
        }
        case QMetaType::QDate: {
            const QDateTime midnight(v.toDate(), QTime(0, 0));
            return engine == Engine::Sqlite ? QVariant(sqlDateTime(midnight)) : QVariant(midnight);
        }
        case QMetaType::QString: {
            if (engine != Engine::Sqlite || v.isNull())
                return v;
            const auto columns = dateColumnsOfTable.constFind(table.toLower());
            if (columns == dateColumnsOfTable.constEnd() || !columns->contains(column.toLower()))
                return v;
            const QDateTime when = parseSqlDateTime(v.toString().trimmed(), true);
            return when.isValid() ? QVariant(sqlDateTime(when)) : v;
        }
        default:
            return v;
        }
    }
};

SqlConnection::SqlConnection() : d(std::make_unique<Impl>()) {}

SqlConnection::~SqlConnection() {
    d->release();
}

void SqlConnection::open(const QString& connectionString, int timeoutSeconds) {
    d->release();
    m_connectionString = connectionString;
    d->dialect.reset();
    d->schemaVersion = -1;
    const QString source = connectionStringValue(connectionString, QStringLiteral("Data Source"));
    d->engine = engineForDataSource(source);
    if (source.trimmed().isEmpty())
        throw DbError(DbError::Generic,
                      QStringLiteral("没有设置数据库服务器（Svr 为空），无法连接数据库。"));

    if (d->engine == Engine::Sqlite) {
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
            throw DbError(DbError::Generic, QStringLiteral("缺少 SQLite 数据库驱动（QSQLITE）。"));
        const QFileInfo file(source);
        // SQLite would create an empty database for a missing file; refuse that instead.
        if (!file.exists())
            throw DbError(DbError::Generic, QStringLiteral("数据库文件不存在：") + source);
        if (!file.isFile())
            throw DbError(DbError::Generic, QStringLiteral("不是数据库文件：") + source);
        QSqlDatabase db =
            d->connect(QStringLiteral("QSQLITE"), file.absoluteFilePath(),
                       QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(timeoutSeconds * 1000),
                       QStringLiteral("无法打开数据库文件：") + source);
        // Opening is lazy; reading the catalogue tells a database from any other file.
        QString problem;
        {
            QSqlQuery probe(db);
            if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
                problem = probe.lastError().text().trimmed();
        }
        if (!problem.isEmpty())
            d->abandon(db, DbError(DbError::Generic, QStringLiteral("不是有效的数据库文件：") +
                                                         source + QStringLiteral("（") + problem +
                                                         QStringLiteral("）")));
        d->refreshSchema(db);
        return;
    }

    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC")))
        throw DbError(DbError::Generic,
                      QStringLiteral("缺少 ODBC 数据库驱动（QODBC），无法连接 SQL Server：") +
                          source);
    d->connect(QStringLiteral("QODBC"), odbcConnectionString(connectionString),
               QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1").arg(timeoutSeconds),
               QStringLiteral("无法连接数据库服务器：") + source);
    d->dialect = makeDialect(Engine::SqlServer);
}

void SqlConnection::close() {
    d->release();
}

bool SqlConnection::isOpen() const {
    return !d->name.isEmpty() && d->db().isOpen();
}

Engine SqlConnection::engine() const {
    return d->engine;
}

QSqlDatabase SqlConnection::database() const {
    return d->db();
}

Recordset SqlConnection::query(const QString& sql, const QString& maskForLog) {
    logMaskedStatement(sql, maskForLog);
    QSqlDatabase db = d->requireOpen();
    QString statement = sql;
    if (d->engine == Engine::Sqlite) {
        const QStringList statements = d->adapt(db, sql);
        if (statements.size() != 1)
            throw DbError(DbError::Generic, statements.isEmpty()
                                                ? QStringLiteral("查询语句为空。")
                                                : QStringLiteral("一次查询只能有一条语句：") + sql);
        statement = statements.first();
    }
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(statement))
        throw errorOf(q.lastError());
    Recordset rs;
    const QSqlRecord record = q.record();
    for (int i = 0; i < record.count(); ++i)
        rs.m_names << record.fieldName(i);
    while (q.next()) {
        QVector<QVariant> row;
        row.reserve(record.count());
        for (int i = 0; i < record.count(); ++i) {
            QVariant v = q.value(i);
            if (q.isNull(i)) {
                v = QVariant();
            } else if (v.typeId() == QMetaType::QDateTime) {
                v = sqlDateTime(v.toDateTime());
            } else if (v.typeId() == QMetaType::QDate) {
                v = sqlDate(v.toDate());
            } else if (v.typeId() == QMetaType::QByteArray && v.toByteArray().isNull()) {
                v = QByteArray("", 0); // 0 bytes, not a null
            }
            row.append(v);
        }
        rs.m_rows.append(row);
    }
    if (q.lastError().isValid())
        throw errorOf(q.lastError());
    return rs;
}

int SqlConnection::execute(const QString& batch) {
    logStatement(batch);
    QSqlDatabase db = d->requireOpen();
    const QStringList statements = d->adapt(db, batch);
    if (statements.isEmpty())
        return 0;
    if (!db.transaction())
        throw errorOf(db.lastError(), QStringLiteral("无法开始事务。"));
    int affected = 0;
    for (const QString& statement : statements) {
        QSqlError failure;
        {
            QSqlQuery q(db);
            if (q.exec(statement)) {
                affected = q.numRowsAffected();
                // A batch sent whole reports a failing later statement with its result.
                while (q.nextResult())
                    affected = q.numRowsAffected();
                if (q.lastError().isValid())
                    failure = q.lastError();
            } else {
                failure = q.lastError();
                if (!failure.isValid())
                    failure = QSqlError(QString(), QStringLiteral("语句执行失败"));
            }
        }
        if (failure.isValid()) {
            db.rollback();
            throw errorOf(failure);
        }
    }
    if (!db.commit()) {
        const DbError e = errorOf(db.lastError(), QStringLiteral("无法提交事务。"));
        db.rollback();
        throw e;
    }
    return affected;
}

qint64 SqlConnection::insertRow(const QString& table,
                                const QList<QPair<QString, QVariant>>& fields) {
    QStringList shown, marks;
    const bool logging = sqlLogEnabled();
    for (const auto& f : fields) {
        if (logging)
            shown << loggedValue(f.second);
        marks << QStringLiteral("?");
    }
    const auto statement = [&](const QStringList& values) {
        const QString head = QStringLiteral("INSERT INTO ") + table;
        return fields.isEmpty() ? head + QStringLiteral(" DEFAULT VALUES")
                                : head + QStringLiteral(" (") + columnList(fields) +
                                      QStringLiteral(") VALUES (") +
                                      values.join(QLatin1String(", ")) + QLatin1Char(')');
    };
    if (logging)
        logStatement(statement(shown));
    QSqlDatabase db = d->requireOpen();
    d->refreshSchema(db);
    QString sql = statement(marks);
    if (d->engine == Engine::SqlServer)
        sql = QStringLiteral("SET NOCOUNT ON; ") + sql +
              QStringLiteral("; SELECT CAST(SCOPE_IDENTITY() AS BIGINT) AS NewID");
    QSqlQuery q(db);
    d->execBound(q, sql, table, fields);
    if (d->engine == Engine::Sqlite)
        return q.lastInsertId().toLongLong();
    // The identity comes back as the batch's result set, after any row counts.
    do {
        if (q.isSelect() && q.next())
            return q.value(0).toLongLong();
    } while (q.nextResult());
    if (q.lastError().isValid())
        throw errorOf(q.lastError());
    return 0;
}

int SqlConnection::updateRows(const QString& table, const QList<QPair<QString, QVariant>>& fields,
                              const QString& where) {
    QStringList shown, marks;
    const bool logging = sqlLogEnabled();
    for (const auto& f : fields) {
        if (logging)
            shown << f.first + QStringLiteral(" = ") + loggedValue(f.second);
        marks << f.first + QStringLiteral(" = ?");
    }
    const auto statement = [&](const QStringList& assignments) {
        return QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") +
               assignments.join(QLatin1String(", ")) + QStringLiteral(" WHERE ") + where;
    };
    if (logging)
        logStatement(statement(shown));
    if (where.trimmed().isEmpty())
        throw DbError(DbError::Generic, QStringLiteral("更新 ") + table +
                                            QStringLiteral(" 缺少条件，没有做任何更改。"));
    QSqlDatabase db = d->requireOpen();
    if (fields.isEmpty())
        return 0;
    QString sql = statement(marks);
    if (d->engine == Engine::Sqlite) {
        const QStringList statements = d->adapt(db, sql);
        if (statements.size() != 1)
            throw DbError(DbError::Generic, QStringLiteral("更新条件不是一个条件：") + where);
        sql = statements.first();
    }
    QSqlQuery q(db);
    d->execBound(q, sql, table, fields);
    return q.numRowsAffected();
}

} // namespace desk

// ---- module Connection ----

namespace Connection {

namespace {
// The one connection object of the process. It is never freed: the process ends with it
// open, and windows may keep a reference to it across a reconnect.
desk::SqlConnection* g_shared = nullptr;
QString g_connectionString;
} // namespace

desk::SqlConnection& SharedConnection() {
    if (!g_shared)
        g_shared = new desk::SqlConnection;
    return *g_shared;
}

QString ConnectionString() {
    return g_connectionString;
}

QString BuildConnectionString(const QString& uid, const QString& pwd, const QString& dbName,
                              const QString& svr) {
    return desk::kProvider + pwd + desk::kAfterPassword + uid + desk::kAfterUser + dbName +
           desk::kAfterCatalog + svr + QLatin1Char('\'');
}

bool ConnectDatabase(const QString& uid, const QString& pwd, const QString& dbName,
                     const QString& svr) {
    desk::SqlConnection& connection = SharedConnection();
    // The previous database connection is released before the new one is made.
    connection.close();
    g_connectionString = BuildConnectionString(uid, pwd, dbName, svr);
    try {
        connection.open(g_connectionString, 30);
        return true;
    } catch (const desk::DbError& e) {
        Platform::message(nullptr, QStringLiteral("错误信息：") + e.description,
                          QStringLiteral("信息文本"), Platform::Icon::Information);
        return false;
    }
}

void ReopenConnection() {
    desk::SqlConnection& connection = SharedConnection();
    connection.close();
    connection.open(g_connectionString, 30);
}

} // namespace Connection
