#include "platform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>
#include <QWidget>
#include <cstdlib>

namespace Platform {

namespace {
Seam g_realSeam;
Seam* g_seam = nullptr;

QMessageBox::Icon boxIcon(Icon icon) {
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Warning:
        return QMessageBox::Warning;
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

Seam::~Seam() = default;

void Seam::message(QWidget* parent, const QString& text, const QString& title, Icon icon) {
    QMessageBox box(boxIcon(icon), title.isEmpty() ? applicationTitle() : title, text,
                    QMessageBox::Ok, parent);
    box.exec();
}

bool Seam::askYesNo(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::Question, title.isEmpty() ? applicationTitle() : title, text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setButtonText(QMessageBox::Yes, QStringLiteral("是(&Y)"));
    box.setButtonText(QMessageBox::No, QStringLiteral("否(&N)"));
    return box.exec() == QMessageBox::Yes;
}

FileChoice Seam::openFile(QWidget* parent, const QString& title, const QString& filter) {
    FileChoice choice;
    QString path = QFileDialog::getOpenFileName(parent, title, QString(), filter);
    choice.cancelled = path.isEmpty();
    choice.path = path;
    return choice;
}

FileChoice Seam::saveFile(QWidget* parent, const QString& title, const QString& proposedPath,
                          const QString& filter) {
    FileChoice choice;
    QString path = QFileDialog::getSaveFileName(parent, title, proposedPath, filter);
    choice.cancelled = path.isEmpty();
    choice.path = path;
    return choice;
}

bool Seam::openWithDesktop(const QString& pathOrUrl) {
    QUrl url =
        pathOrUrl.contains(QLatin1String("://")) ? QUrl(pathOrUrl) : QUrl::fromLocalFile(pathOrUrl);
    return QDesktopServices::openUrl(url);
}

bool Seam::startProgram(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

bool Seam::activateWindowTitled(const QString& title) {
    // Other programs' windows belong to the desktop; only our own top-level windows can be
    // raised portably.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->windowTitle() == title) {
            w->raise();
            w->activateWindow();
            return true;
        }
    }
    return false;
}

void Seam::endProgram(int exitCode) {
    std::exit(exitCode);
}

QDateTime Seam::now() {
    return QDateTime::currentDateTime();
}

void showTrappedError(QWidget* parent, int number, const QString& description) {
    message(parent,
            QStringLiteral("错误号：") + QString::number(number) + QLatin1Char('\n') +
                QStringLiteral("错误描述：") + description,
            QStringLiteral("提示"), Icon::Information);
}

void setSeam(Seam* seam) {
    g_seam = seam;
}
Seam& seam() {
    return g_seam ? *g_seam : g_realSeam;
}

QString applicationTitle() {
    return QStringLiteral("投诉处理");
}

QString programFolder() {
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

} // namespace Platform
