#pragma once
// The one database connection of the process and the statement rules on top of it.
//
// Every statement is written once, in SQL Server's dialect. On SQL Server it is sent
// as it stands; on SQLite the dialect object rewrites it to the same meaning first.
// Failures are thrown as DbError so that each window's error trap can show them in
// its own message form.

#include <QList>
#include <QPair>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>
#include <stdexcept>

class QDateTime;
class QDate;

namespace desk {

// A failed statement or connection. `number` follows the server's native error code
// where there is one, otherwise a fixed number of ours (see DbError::Generic).
class DbError : public std::runtime_error {
public:
    enum { Generic = -2147217900, NotANumber = 13, ItemNotFound = 3265, NotOpen = 3704 };
    DbError(int number, const QString& description)
        : std::runtime_error(description.toStdString()), number(number), description(description) {}
    int number;
    QString description;
};

enum class Engine { None, Sqlite, SqlServer };

// A fully read forward-only result. Field names compare without regard to case,
// as the server's identifiers do.
class Recordset {
public:
    int size() const { return m_rows.size(); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    int fieldCount() const { return m_names.size(); }
    QString fieldName(int col) const { return m_names.value(col); }
    int fieldIndex(const QString& name) const; // -1 when absent
    QVariant value(int row, int col) const;
    // Throws DbError(DbError::ItemNotFound, ...) for an unknown field, as do isNull() and text().
    QVariant value(int row, const QString& field) const;
    // True for a database null. An empty text or a binary value of 0 bytes is not null.
    bool isNull(int row, const QString& field) const;
    // The value as text; a null gives an empty text. Date-times come back, from value() too,
    // in the canonical text form of sqlDateTime() on both engines.
    QString text(int row, const QString& field) const;
    QString text(int row, int col) const; // by position, for row loops

private:
    int requireField(const QString& field) const; // throws DbError for an unknown field

public:
    QStringList m_names;
    QVector<QVector<QVariant>> m_rows;
};

// Everything that differs between the engines. Statements go in written for SQL Server;
// statements() gives what is actually sent, one entry per statement.
class Dialect {
public:
    virtual ~Dialect() = default;
    virtual Engine engine() const = 0;
    virtual QStringList statements(const QString& batch) const = 0;
};
// `dateTimeColumns` names (in any letter case) the database's date-time columns. On SQLite a
// date or date-time literal compared with one of them, or stored into one, is rewritten to
// the canonical text of sqlDateTime(), as SQL Server would read it as a date-time; the same
// literal anywhere else (a password, say) stays as written.
std::unique_ptr<Dialect> makeDialect(Engine engine, const QStringList& dateTimeColumns = {});

// Which engine a connection string's Data Source names: a file ending in .db, .sqlite
// or .sqlite3 is SQLite, anything else a SQL Server host.
Engine engineForDataSource(const QString& dataSource);
// The value of one key of a connection string ("Data Source", "Initial Catalog", ...),
// with the single quotes around it removed. Keys compare without regard to case; an absent
// key gives an empty text. A string laid out as Connection::BuildConnectionString() makes
// it is read by its fixed pieces, so a password or a name may hold ';' or '\''.
QString connectionStringValue(const QString& connectionString, const QString& key);
// The DSN-less ODBC string for the SQL Server that a connection string names. `driver` is
// the ODBC driver's name (empty: COMPLAINT_DESK_ODBC_DRIVER, else "FreeTDS").
QString odbcConnectionString(const QString& connectionString, const QString& driver = QString());

class SqlConnection {
public:
    SqlConnection();
    ~SqlConnection();
    SqlConnection(const SqlConnection&) = delete;
    SqlConnection& operator=(const SqlConnection&) = delete;

    // Opens with the given connection string; throws DbError on failure. An SQLite file that
    // does not exist, or is no database, is refused (never created). Each open registers a
    // database connection of its own name.
    void open(const QString& connectionString, int timeoutSeconds = 30);
    void close();
    bool isOpen() const;
    Engine engine() const;
    QString connectionString() const { return m_connectionString; }

    // A read (forward-only, read-only), one statement. Throws DbError.
    // `maskForLog`: a secret spliced into the statement (a password); the SQL log shows
    // "***" in its place. The statement sent is not changed.
    Recordset query(const QString& sql, const QString& maskForLog = QString());
    // One action: every statement of the batch in one transaction; all or nothing.
    // Returns the rows affected by the last statement. Throws DbError.
    int execute(const QString& batch);
    // Inserts one row field by field (values bound as parameters; a QByteArray is stored as
    // binary, a null QByteArray as 0 bytes, QDateTime/QDate as date-times) and returns
    // the identity the database gave it. Throws DbError.
    qint64 insertRow(const QString& table, const QList<QPair<QString, QVariant>>& fields);
    // Updates the columns of the rows matching `where` (a condition in the server's
    // dialect, already quoted); values bound as for insertRow(). Returns rows affected.
    // An empty `where` is refused (DbError) rather than changing every row.
    int updateRows(const QString& table, const QList<QPair<QString, QVariant>>& fields,
                   const QString& where);

    QSqlDatabase database() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
    QString m_connectionString;
};

// ---- quoting: every value spliced into a statement goes through these ----

// The text with each single quote doubled, for use between quotes: "'" + sqlText(x) + "'".
QString sqlText(const QString& text);
// A number spliced without quotes: the text trimmed, checked to be a (signed, decimal)
// number. Throws DbError(DbError::NotANumber, ...) when it is not.
QString sqlNumber(const QString& text);
QString sqlNumber(qint64 value);
// Canonical date-time text, the same on both engines: "yyyy-MM-dd HH:mm:ss".
QString sqlDateTime(const QDateTime& when);
// Canonical day text: "yyyy-MM-dd".
QString sqlDate(const QDate& day);
// Reads a date or date-time text as the server reads it for a date-time: year, month and day
// separated by '-', '/' or '.', month and day with or without a leading zero, optionally
// followed by a blank (or 'T') and hours:minutes[:seconds]. With `allowCompact` an
// unseparated "yyyyMMdd" is accepted too. Anything else gives an invalid QDateTime.
QDateTime parseSqlDateTime(const QString& text, bool allowCompact = false);

// ---- diagnostics ----
// True while COMPLAINT_DESK_SQL_LOG names a file.
bool sqlLogEnabled();
// When COMPLAINT_DESK_SQL_LOG names a file, each statement or batch sent is appended to it,
// one per line, as written (before any adaptation).
void logStatement(const QString& text);
// As logStatement(), with the secret (a password spliced into the text, as it stands or as
// sqlText() quoted it) shown as "***". The login's password check logs through this.
void logMaskedStatement(const QString& text, const QString& secret);

} // namespace desk

// Module `Connection`: the process-wide connection state.
namespace Connection {
// Builds ConnectionString from the four settings, releases SharedConnection's database
// connection and opens a new one. On failure shows "错误信息：" + description (title
// "信息文本") and returns false; ConnectionString keeps the new text. SharedConnection stays
// the same object throughout, so a reference to it never dangles.
bool ConnectDatabase(const QString& uid, const QString& pwd, const QString& dbName,
                     const QString& svr);
// Closes SharedConnection and opens it again with ConnectionString. Throws desk::DbError.
void ReopenConnection();
desk::SqlConnection& SharedConnection();
QString ConnectionString();
// The nine pieces, nothing trimmed or escaped.
QString BuildConnectionString(const QString& uid, const QString& pwd, const QString& dbName,
                              const QString& svr);
} // namespace Connection
