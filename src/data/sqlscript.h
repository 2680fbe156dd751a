#pragma once
// Splitting an SQL script (a schema or data file) into the statements it holds.

#include <QList>
#include <QString>

namespace desk {

struct ScriptStatement {
    QString text; // trimmed, comments removed
    int line = 0; // where the statement starts, counting from 1
};

// Splits at every ";" outside literals, quoted names and comments. Comments are dropped;
// '' inside a literal is a quote, not its end. A final statement without ";" counts too.
// A literal, quoted name or block comment still open at the end sets *error (when given)
// to say so and where it began; the statements are returned all the same.
QList<ScriptStatement> splitSqlScript(const QString& script, QString* error = nullptr);

} // namespace desk
