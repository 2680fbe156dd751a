#pragma once
// A real SQLite database for widget and logic tests: the schema from db/ plus a small
// fixture of the test's own.

#include "data/sqlscript.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QUuid>

namespace testdb {

inline QString dbDir() {
    const QString fromEnv = qEnvironmentVariable("DESK_DB_DIR");
    return fromEnv.isEmpty() ? QStringLiteral(DESK_SOURCE_DIR "/db") : fromEnv;
}

// Splits a script at ";" that ends a statement, outside literals and quoted names; drops
// comments.
inline QStringList splitScript(const QString& script) {
    QString error;
    QStringList out;
    for (const desk::ScriptStatement& s : desk::splitSqlScript(script, &error))
        out << s.text;
    if (!error.isEmpty())
        qWarning() << "script:" << error;
    return out;
}

// Runs statements (SQLite dialect) on a database file; fails the test on the first error.
inline bool run(const QString& file, const QStringList& statements) {
    const QString name = QUuid::createUuid().toString();
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        if (!db.open()) {
            qWarning() << db.lastError().text();
            ok = false;
        }
        QSqlQuery q(db);
        for (const QString& s : statements) {
            if (!ok)
                break;
            if (!q.exec(s)) {
                qWarning() << "fixture statement failed:" << s << q.lastError().text();
                ok = false;
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

// Creates `dir`/name from the schema, then runs the fixture statements. Returns the path.
inline QString create(const QString& dir, const QStringList& fixture = {},
                      const QString& name = QStringLiteral("desk.db")) {
    const QString path = QDir(dir).filePath(name);
    QFile::remove(path);
    QFile schema(QDir(dbDir()).filePath(QStringLiteral("schema-sqlite.sql")));
    if (!schema.open(QIODevice::ReadOnly))
        return QString();
    if (!run(path, splitScript(QString::fromUtf8(schema.readAll()))))
        return QString();
    if (!fixture.isEmpty() && !run(path, fixture))
        return QString();
    return path;
}

// A single value read straight from the file (for checking what the client wrote).
inline QVariant scalar(const QString& file, const QString& sql) {
    const QString name = QUuid::createUuid().toString();
    QVariant v;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        db.open();
        QSqlQuery q(db);
        if (q.exec(sql) && q.next())
            v = q.value(0);
        else
            qWarning() << "scalar failed:" << sql << q.lastError().text();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return v;
}

} // namespace testdb
