// Quoting of values spliced into statements, the canonical date-time texts, and the SQL log.

#include "connection.h"

#include <QDateTime>
#include <QFile>
#include <QRegularExpression>

namespace desk {

QString sqlText(const QString& text) {
    QString out = text;
    out.replace(QLatin1Char('\''), QLatin1String("''"));
    return out;
}

QString sqlNumber(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^[+-]?[0-9]+(\\.[0-9]+)?$"));
    const QString trimmed = text.trimmed();
    if (!number.match(trimmed).hasMatch())
        throw DbError(DbError::NotANumber, QLatin1Char('"') + text + QStringLiteral("\" 不是数字"));
    return trimmed;
}

QString sqlNumber(qint64 value) {
    return QString::number(value);
}

QString sqlDateTime(const QDateTime& when) {
    return when.isValid() ? when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : QString();
}

QString sqlDate(const QDate& day) {
    return day.isValid() ? day.toString(QStringLiteral("yyyy-MM-dd")) : QString();
}

QDateTime parseSqlDateTime(const QString& text, bool allowCompact) {
    static const QRegularExpression separated(
        QStringLiteral("^([0-9]{4})([-/.])([0-9]{1,2})\\2([0-9]{1,2})"
                       "(?:[ T]([0-9]{1,2}):([0-9]{1,2})(?::([0-9]{1,2}))?)?$"));
    static const QRegularExpression compact(
        QStringLiteral("^([0-9]{4})([0-9]{2})([0-9]{2})(?: ([0-9]{1,2}):([0-9]{1,2})"
                       "(?::([0-9]{1,2}))?)?$"));
    QRegularExpressionMatch m = separated.match(text);
    int first = 3; // capture of the month; the separator takes capture 2
    if (!m.hasMatch()) {
        if (!allowCompact)
            return QDateTime();
        m = compact.match(text);
        if (!m.hasMatch())
            return QDateTime();
        first = 2;
    }
    const QDate day(m.captured(1).toInt(), m.captured(first).toInt(),
                    m.captured(first + 1).toInt());
    // The server's date-time type starts in 1753.
    if (!day.isValid() || day.year() < 1753)
        return QDateTime();
    QTime time(0, 0, 0);
    if (!m.captured(first + 2).isEmpty()) {
        time = QTime(m.captured(first + 2).toInt(), m.captured(first + 3).toInt(),
                     m.captured(first + 4).toInt());
        if (!time.isValid())
            return QDateTime();
    }
    return QDateTime(day, time);
}

bool sqlLogEnabled() {
    return !qEnvironmentVariableIsEmpty("COMPLAINT_DESK_SQL_LOG");
}

namespace {

void appendToLog(const QString& line) {
    const QString path = qEnvironmentVariable("COMPLAINT_DESK_SQL_LOG");
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return; // diagnostics never stop the work
    QString one = line;
    one.replace(QLatin1String("\r\n"), QLatin1String("\\n"));
    one.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    one.replace(QLatin1Char('\r'), QLatin1String("\\n"));
    file.write(one.toUtf8());
    file.write("\n");
}

} // namespace

void logStatement(const QString& text) {
    appendToLog(text);
}

void logMaskedStatement(const QString& text, const QString& secret) {
    if (!sqlLogEnabled())
        return;
    QString shown = text;
    if (!secret.isEmpty()) {
        // Prefer the quoted literal that holds the secret, so that an employee number or a
        // table name that happens to contain the same letters stays readable.
        const QString quoted = QLatin1Char('\'') + sqlText(secret) + QLatin1Char('\'');
        if (shown.contains(quoted))
            shown.replace(quoted, QStringLiteral("'***'"));
        else
            shown.replace(secret, QStringLiteral("***"));
    }
    appendToLog(shown);
}

} // namespace desk
