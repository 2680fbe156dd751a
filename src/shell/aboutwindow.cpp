#include "aboutwindow.h"

#include "module2.h"
#include "platform.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QVBoxLayout>

AboutWindow::AboutWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("关于Tallowmark系统2011版"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 12);
    auto* banner = new QLabel(this);
    banner->setObjectName(QStringLiteral("picBanner"));
    banner->setPixmap(QPixmap(QStringLiteral(":/shell/banner.png")).copy(0, 0, 480, 54));
    banner->setFixedHeight(54);
    layout->addWidget(banner);

    m_label7 = new QLabel(this);
    m_label7->setObjectName(QStringLiteral("Label7"));
    m_label7->setStyleSheet(QStringLiteral("font-size:16pt; font-weight:bold; color:#1d3b66;"));
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("lblTitle"));
    for (QLabel* l : {m_label7, m_title}) {
        l->setContentsMargins(24, 8, 24, 0);
        layout->addWidget(l);
    }
    layout->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    auto* sysInfo = new QPushButton(QStringLiteral("系统信息"), this);
    sysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    buttons->addWidget(ok);
    buttons->addWidget(sysInfo);
    buttons->setContentsMargins(24, 0, 24, 0);
    layout->addLayout(buttons);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(sysInfo, &QPushButton::clicked, this, [this] { cmdSysInfo_Click(); });
    setFixedSize(480, 220);
}

QString AboutWindow::versionText(int major, int minor, int revision) {
    return QStringLiteral("投诉管理系统%1.%2.%3").arg(major).arg(minor).arg(revision);
}

void AboutWindow::load() {
    CenterInMainWindow(this);
    m_label7->setText(versionText(DESK_VERSION_MAJOR, DESK_VERSION_MINOR, DESK_VERSION_PATCH));
    m_title->setText(QStringLiteral("Tallowmark系统2011版的一部分"));
}

void AboutWindow::cmdOK_Click() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}

void AboutWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Escape) {
        cmdOK_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void AboutWindow::cmdSysInfo_Click() {
    QString program;
#ifdef Q_OS_WIN
    const QSettings msinfo(
        QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
        QSettings::NativeFormat);
    program = msinfo.value(QStringLiteral("PATH")).toString();
    if (program.isEmpty()) {
        const QSettings location(
            QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location"),
            QSettings::NativeFormat);
        const QString folder = location.value(QStringLiteral("MSINFO")).toString();
        const QString exe = folder + QStringLiteral("\\MSINFO32.EXE");
        if (!folder.isEmpty() && QFileInfo::exists(exe))
            program = exe;
    }
#else
    // The nearest equivalents on other desktops.
    for (const char* name : {"gnome-system-monitor", "kinfocenter", "hardinfo", "xfce4-taskmanager",
                             "mate-system-monitor", "lxtask"}) {
        program = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!program.isEmpty())
            break;
    }
#endif
    if (program.isEmpty() || !Platform::seam().startProgram(program, {}))
        Platform::message(this, QStringLiteral("此时系统信息不可用"));
}
