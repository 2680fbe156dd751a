// A fully read result: rows by index, fields by name without regard to case.

#include "connection.h"

#include <QDate>
#include <QDateTime>

namespace desk {

int Recordset::fieldIndex(const QString& name) const {
    for (int i = 0; i < m_names.size(); ++i)
        if (m_names[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant Recordset::value(int row, int col) const {
    if (row < 0 || row >= m_rows.size())
        return QVariant();
    return m_rows[row].value(col);
}

int Recordset::requireField(const QString& field) const {
    const int col = fieldIndex(field);
    if (col < 0)
        throw DbError(DbError::ItemNotFound, QStringLiteral("结果中没有字段：") + field);
    return col;
}

QVariant Recordset::value(int row, const QString& field) const {
    return value(row, requireField(field));
}

bool Recordset::isNull(int row, const QString& field) const {
    const QVariant v = value(row, field);
    return !v.isValid() || v.isNull();
}

QString Recordset::text(int row, const QString& field) const {
    return text(row, requireField(field));
}

QString Recordset::text(int row, int col) const {
    const QVariant v = value(row, col);
    if (!v.isValid() || v.isNull())
        return QString();
    switch (v.typeId()) {
    case QMetaType::QDateTime:
        return sqlDateTime(v.toDateTime());
    case QMetaType::QDate:
        return sqlDate(v.toDate());
    default:
        return v.toString();
    }
}

} // namespace desk
