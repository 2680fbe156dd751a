#include "settings.h"

#include <QSettings>
#include <memory>

namespace desk {

namespace {

std::unique_ptr<QSettings> openStore() {
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Tallowmark2011"),
        QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("Tallowmark2011"),
                                       QStringLiteral("Tallowmark2011"));
#endif
}

} // namespace

DbSettings readDbSettings() {
    const auto store = openStore();
    store->beginGroup(QStringLiteral("DBConfig"));
    DbSettings s;
    s.svr = store->value(QStringLiteral("Svr"), QString()).toString();
    s.uid = store->value(QStringLiteral("UID"), QString()).toString();
    s.pwd = store->value(QStringLiteral("PWD"), QString()).toString();
    s.dbname = store->value(QStringLiteral("DBname"), QString()).toString();
    return s;
}

void writeDbSettings(const DbSettings& settings) {
    const auto store = openStore();
    store->beginGroup(QStringLiteral("DBConfig"));
    store->setValue(QStringLiteral("Svr"), settings.svr);
    store->setValue(QStringLiteral("UID"), settings.uid);
    store->setValue(QStringLiteral("PWD"), settings.pwd);
    store->setValue(QStringLiteral("DBname"), settings.dbname);
    store->endGroup();
    store->sync();
}

QString dbSettingsLocation() {
    return openStore()->fileName();
}

} // namespace desk
