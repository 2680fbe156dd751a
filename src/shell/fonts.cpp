#include "fonts.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>

void applyChineseFont(QApplication& app) {
    const QStringList preferred = {
        QStringLiteral("Microsoft YaHei"),     QStringLiteral("微软雅黑"),
        QStringLiteral("Noto Sans CJK SC"),    QStringLiteral("Source Han Sans SC"),
        QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("SimSun"),
        QStringLiteral("Noto Serif CJK SC")};
    const QStringList families = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    for (const QString& name : preferred) {
        if (!families.contains(name, Qt::CaseInsensitive))
            continue;
        QFont font(name);
        font.setPointSize(10);
        app.setFont(font);
        // Faces that other code names explicitly (the spreadsheet font, for one) still
        // come out in the chosen Chinese face on this desktop.
        QFont::insertSubstitution(QStringLiteral("微软雅黑"), name);
        QFont::insertSubstitution(QStringLiteral("宋体"), name);
        return;
    }
}
