#pragma once
// The vocabulary of a complaint's 处理状态, and the code-and-name items of lists and combos.

#include <QString>

namespace desk {

inline QString statusNotAccepted() {
    return QStringLiteral("尚未受理");
}
inline QString statusAccepted() {
    return QStringLiteral("已受理");
}
// The waiting status names the department up to the first blank of its name.
inline QString waitingStatus(const QString& departmentName) {
    const int blank = departmentName.indexOf(QLatin1Char(' '));
    return QStringLiteral("等待 ") + (blank < 0 ? departmentName : departmentName.left(blank)) +
           QStringLiteral(" 处理");
}
inline QString statusAwaitingReply() {
    return QStringLiteral("处理完成，等待答复");
}
inline QString statusClosed() {
    return QStringLiteral("处理完成");
}

// An item shows the code, one blank and the name; the code is the text before the first blank.
inline QString codeOfItem(const QString& item) {
    const int blank = item.indexOf(QLatin1Char(' '));
    return blank < 0 ? item : item.left(blank);
}
inline QString nameOfItem(const QString& item) {
    const int blank = item.indexOf(QLatin1Char(' '));
    return blank < 0 ? QString() : item.mid(blank + 1);
}
inline QString itemText(const QString& code, const QString& name) {
    return code + QLatin1Char(' ') + name;
}

} // namespace desk
