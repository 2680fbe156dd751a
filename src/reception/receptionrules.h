#pragma once
// The small rules of the reception desk that do not need a window: complaint numbers,
// code-and-name items, the complaint time as typed, list colours and row heights.

#include <QColor>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <functional>

namespace reception {

// ---- numbering ----

// 投诉编号 of a serial: its decimal digits, padded on the left with zeros to eight.
QString complaintNumber(qint64 serial);
// The serial after the largest stored one; 1 when the table has none (a null maximum).
qint64 serialAfter(const QVariant& largestSerial);
// Starting at `serial`, the first serial whose number `taken` reports free.
qint64 firstFreeSerial(qint64 serial, const std::function<bool(const QString& number)>& taken);
// How often a complaint is stored again with the next number when another desk took the
// number between the probe and the store.
constexpr int MaxStoreAttempts = 5;

// ---- code-and-name items ("01 物业服务") ----

// The code: the text before the first blank. False (code left empty) when there is no blank.
bool itemCode(const QString& item, QString* code);
// The name: everything after the first blank; a text without a blank is taken whole.
QString itemName(const QString& item);

// An identity spliced unquoted into a statement: decimal digits only.
bool isIdentity(const QString& text);

// ---- the complaint time ----

// A typed date-time: "yyyy-mm-dd hh:mm" and the usual variants (one-digit month, day and
// hour; "/" or "." between date parts; seconds; a date alone stands for its midnight).
// Invalid when the text is not a date-time.
QDateTime parseDateTime(const QString& text);
// "yyyy-mm-dd hh:mm", the form of the time field and of the list's time columns.
QString minuteText(const QDateTime& when);
// A stored date-time text shown to the minute; empty stays empty, anything unreadable is
// shown as it stands.
QString listTimeText(const QString& stored);

// ---- the list ----

// Colour of every cell of a complaint that has no reply yet (column 13 empty).
QColor unfinishedColour();
bool isUnfinished(const QString& replyTime);
// The content as the list shows it: line breaks removed.
QString listContent(const QString& content);
// The entry panel's origin note for complaints that came through the messaging platform or the
// mobile application; the application wins when both are set.
QString originNote(const QString& wechatId, const QString& appId);

// Row heights in twips; 0 means the row keeps its height. Widths are twips too.
// After a new complaint: the height of one line ("高") times the rounded-up quotient of the
// content's text width by the column width, when the text is wider than the column.
int newRowHeight(int textWidth, int colWidth, int lineHeight);
// After an update: (whole quotient + 1) times the header row's height, when wider.
int updatedRowHeight(int textWidth, int colWidth, int headerHeight);
// While the list is filled: 300 × (n + 1) where n is the whole quotient, when n ≥ 1.
int listRowHeight(int textWidth, int colWidth);

// ---- the time panel ----

QColor hourCellColour();
QColor minuteCellColour(int minute);
QColor selectedCellColour();     // blue
QColor selectedCellTextColour(); // white

// ---- the default month of the list ----

// The bounds of the current month as the list statement writes them: the first of the
// month as year-month-01 without a leading zero in the month, and the first of the next
// month as a date text.
QString monthStartText(const QDate& today);
QString nextMonthStartText(const QDate& today);

} // namespace reception
