#include "receptionrules.h"

#include <QRegularExpression>
#include <cmath>

namespace reception {

QString complaintNumber(qint64 serial) {
    return QStringLiteral("%1").arg(serial, 8, 10, QLatin1Char('0'));
}

qint64 serialAfter(const QVariant& largestSerial) {
    if (largestSerial.isNull() || !largestSerial.isValid())
        return 1;
    bool ok = false;
    const qint64 largest = largestSerial.toLongLong(&ok);
    return ok ? largest + 1 : 1;
}

qint64 firstFreeSerial(qint64 serial, const std::function<bool(const QString&)>& taken) {
    while (taken(complaintNumber(serial)))
        ++serial;
    return serial;
}

bool itemCode(const QString& item, QString* code) {
    const int blank = item.indexOf(QLatin1Char(' '));
    if (blank < 0) {
        code->clear();
        return false;
    }
    *code = item.left(blank);
    return true;
}

QString itemName(const QString& item) {
    const int blank = item.indexOf(QLatin1Char(' '));
    return blank < 0 ? item : item.mid(blank + 1);
}

bool isIdentity(const QString& text) {
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,18}$"));
    return digits.match(text).hasMatch();
}

QDateTime parseDateTime(const QString& text) {
    static const QRegularExpression form(
        QStringLiteral("^\\s*(\\d{4})[-/.](\\d{1,2})[-/.](\\d{1,2})"
                       "(?:(?:\\s+|T)(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2})(?:\\.\\d+)?)?)?\\s*$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return {};
    const QDate day(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    // The server's date-time type starts in 1753.
    if (!day.isValid() || day.year() < 1753)
        return {};
    QTime time(0, 0);
    if (!m.captured(4).isEmpty()) {
        time = QTime(m.captured(4).toInt(), m.captured(5).toInt(),
                     m.captured(6).isEmpty() ? 0 : m.captured(6).toInt());
        if (!time.isValid())
            return {};
    }
    return QDateTime(day, time);
}

QString minuteText(const QDateTime& when) {
    return when.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

QString listTimeText(const QString& stored) {
    if (stored.isEmpty())
        return {};
    const QDateTime when = parseDateTime(stored);
    return when.isValid() ? minuteText(when) : stored;
}

QColor unfinishedColour() {
    return QColor(255, 238, 228);
}

bool isUnfinished(const QString& replyTime) {
    return replyTime.isEmpty();
}

QString listContent(const QString& content) {
    QString out = content;
    out.remove(QStringLiteral("\r\n"));
    out.remove(QLatin1Char('\n'));
    out.remove(QLatin1Char('\r'));
    return out;
}

QString originNote(const QString& wechatId, const QString& appId) {
    QString note;
    if (!wechatId.isEmpty())
        note = QStringLiteral("本投诉来之微信平台。网友：") + wechatId;
    if (!appId.isEmpty())
        note = QStringLiteral("本投诉来之App平台。网友：") + appId;
    return note;
}

int newRowHeight(int textWidth, int colWidth, int lineHeight) {
    if (colWidth <= 0 || textWidth <= colWidth)
        return 0;
    return lineHeight * static_cast<int>(std::ceil(double(textWidth) / double(colWidth)));
}

int updatedRowHeight(int textWidth, int colWidth, int headerHeight) {
    if (colWidth <= 0 || textWidth <= colWidth)
        return 0;
    return (textWidth / colWidth + 1) * headerHeight;
}

int listRowHeight(int textWidth, int colWidth) {
    if (colWidth <= 0)
        return 0;
    const int n = textWidth / colWidth;
    return n >= 1 ? 300 * (n + 1) : 0;
}

QColor hourCellColour() {
    return QColor(0, 255, 255);
}

QColor minuteCellColour(int minute) {
    return minute % 5 == 0 ? QColor(255, 255, 128) : QColor(255, 192, 128);
}

QColor selectedCellColour() {
    return QColor(0, 0, 255);
}

QColor selectedCellTextColour() {
    return QColor(255, 255, 255);
}

QString monthStartText(const QDate& today) {
    return QString::number(today.year()) + QLatin1Char('-') + QString::number(today.month()) +
           QStringLiteral("-01");
}

QString nextMonthStartText(const QDate& today) {
    const QDate first(today.year(), today.month(), 1);
    return first.addMonths(1).toString(QStringLiteral("yyyy-MM-dd"));
}

} // namespace reception
