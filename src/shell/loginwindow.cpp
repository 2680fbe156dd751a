#include "loginwindow.h"

#include "data/connection.h"
#include "operator.h"
#include "platform.h"
#include "startup.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace {
const char* const kAdministratorNo = "chiEf";
const char* const kAdministratorPassword = "quartz";

// Title of the OK routine's error message: the program's executable name.
QString executableName() {
    const QString path = QCoreApplication::applicationFilePath();
    return path.isEmpty() ? Platform::applicationTitle() : QFileInfo(path).completeBaseName();
}
} // namespace

LoginWindow::LoginWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("Tallowmark系统"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setFixedSize(480, 300);

    auto* title = new QLabel(QStringLiteral("投诉管理系统"), this);
    title->setObjectName(QStringLiteral("lblCaption"));
    title->setStyleSheet(QStringLiteral("color:white; font-size:22pt; font-weight:bold;"));
    title->setGeometry(32, 24, 420, 44);

    auto* userCaption = new QLabel(QStringLiteral("工号"), this);
    userCaption->setGeometry(90, 104, 60, 26);
    auto* passwordCaption = new QLabel(QStringLiteral("密码"), this);
    passwordCaption->setGeometry(90, 142, 60, 26);
    for (QLabel* l : {userCaption, passwordCaption})
        l->setStyleSheet(QStringLiteral("color:#1d3b66; font-weight:bold;"));

    m_user = new QLineEdit(this);
    m_user->setObjectName(QStringLiteral("TxtUser"));
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("txtPassword"));
    m_password->setEchoMode(QLineEdit::Password);
    for (QLineEdit* e : {m_user, m_password}) {
        e->setFrame(false);
        // A "*" for each character of the password, as the desk staff know it.
        e->setStyleSheet(QStringLiteral("background:white; padding:2px 4px; "
                                        "lineedit-password-character: 42;"));
        e->installEventFilter(this);
    }
    m_user->setGeometry(150, 104, 200, 26);
    m_password->setGeometry(150, 142, 200, 26);

    m_ok = new QPushButton(QStringLiteral("登录"), this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setGeometry(150, 186, 90, 30);
    m_ok->setAutoDefault(false);
    m_cancel = new QPushButton(QStringLiteral("取消"), this);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cancel->setGeometry(260, 186, 90, 30);
    m_cancel->setAutoDefault(false);

    m_label2 = new QLabel(QStringLiteral("请您选择要登录的岗位"), this);
    m_label2->setObjectName(QStringLiteral("Label2"));
    m_label2->setStyleSheet(QStringLiteral("color:rgb(255,128,0); font-weight:bold;"));
    m_label2->setGeometry(150, 222, 200, 22);
    m_label2->hide();
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setGeometry(150, 246, 300, 44);
    m_list->hide();

    m_label1 = new QLabel(this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setStyleSheet(QStringLiteral("color:blue;"));
    m_label1->setGeometry(380, 270, 90, 22);

    setTabOrder(m_user, m_password);
    setTabOrder(m_password, m_ok);
    setTabOrder(m_ok, m_cancel);

    connect(m_ok, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { List1_DblClick(); });

    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void LoginWindow::setVersionText(const QString& text) {
    m_label1->setText(text);
}

void LoginWindow::prepareForSwitch() {
    m_label2->hide();
    m_list->hide();
    m_password->clear();
    setModeText(QStringLiteral("切换"));
    // The same window as at start-up, so it carries the same version text.
    setVersionText(Startup::versionLabel(DESK_VERSION_MAJOR, DESK_VERSION_MINOR));
}

void LoginWindow::cmdOK_Click() {
    const QString user = m_user->text();
    const QString password = m_password->text();
    if (user.isEmpty()) {
        Platform::message(this, QStringLiteral("用户名不能为空!"), QString(),
                          Platform::Icon::Information);
        return;
    }
    if (password.isEmpty()) {
        Platform::message(this, QStringLiteral("密码不能为空!"), QString(),
                          Platform::Icon::Information);
        return;
    }
    Operator().clear();
    if (!Startup::OpenDatabase())
        Platform::seam().endProgram(0);

    if (user == QLatin1String(kAdministratorNo) &&
        password == QLatin1String(kAdministratorPassword)) {
        Operator().EmployeeNo = QStringLiteral("超级用户");
        finish();
        return;
    }

    try {
        desk::SqlConnection& db = Connection::SharedConnection();
        const QString trimmedPassword = password.trimmed();
        const desk::Recordset staff =
            db.query(QStringLiteral("Select * From 员工档案 Where 工号 ='") + desk::sqlText(user) +
                         QStringLiteral("' and 帐号密码='") + desk::sqlText(trimmedPassword) +
                         QStringLiteral("'"),
                     desk::sqlText(trimmedPassword));
        if (staff.isEmpty()) {
            Platform::message(this, QStringLiteral("用户名或密码不正确,请重新输入!"), QString(),
                              Platform::Icon::Information);
            return;
        }
        const desk::Recordset positions = db.query(
            QStringLiteral(
                "Select 员工档案.姓名,职能部门类别.部门类别代号,职能部门类别.部门类别名称,"
                "岗位类别.岗位类别编号,岗位类别名称,") +
            QStringLiteral(" 职能部门new.职能部门编号 , 职能部门new.职能部门名称, "
                           "岗位信息new.岗位代号, 岗位信息new.岗位名称,") +
            QStringLiteral(" 岗位员工new.主要岗位 From 岗位员工new") +
            QStringLiteral(
                " Inner joIn 岗位信息new on 岗位员工new.岗位代号 = 岗位信息new.岗位代号") +
            QStringLiteral(" Inner joIn 职能部门new on 岗位信息new.职能部门代号 = "
                           "职能部门new.职能部门编号") +
            QStringLiteral(
                " Inner joIn 岗位类别 on 岗位信息new.岗位类别代号 = 岗位类别.岗位类别编号") +
            QStringLiteral(" Inner joIn 职能部门类别 on 职能部门new.职能部门类别代号 = "
                           "职能部门类别.部门类别代号") +
            QStringLiteral(" Inner joIn 员工档案 on 岗位员工new.员工代号 = 员工档案.工号") +
            QStringLiteral(" Where 岗位员工new.员工代号='") + desk::sqlText(user) +
            QStringLiteral("' and 员工档案.离职日期 is null AND (岗位员工new.离岗日期 IS NULL)"));
        if (positions.isEmpty()) {
            Platform::message(this, QStringLiteral("对不起，您没有岗位，请选择系统管理员"));
            return;
        }
        m_list->clear();
        m_records.clear();
        for (int r = 0; r < positions.size(); ++r) {
            const bool main = positions.value(r, QStringLiteral("主要岗位")).toInt() != 0;
            m_list->addItem(positions.text(r, QStringLiteral("职能部门名称")) + QLatin1Char(' ') +
                            positions.text(r, QStringLiteral("岗位名称")) + QLatin1Char('(') +
                            (main ? QStringLiteral("主要") : QStringLiteral("兼职")) +
                            QLatin1Char(')'));
            m_records.append({user, positions.text(r, QStringLiteral("姓名")),
                              positions.text(r, QStringLiteral("职能部门编号")),
                              positions.text(r, QStringLiteral("职能部门名称")),
                              positions.text(r, QStringLiteral("岗位代号")),
                              positions.text(r, QStringLiteral("岗位名称")),
                              positions.text(r, QStringLiteral("部门类别代号")),
                              positions.text(r, QStringLiteral("部门类别名称")),
                              positions.text(r, QStringLiteral("岗位类别编号")),
                              positions.text(r, QStringLiteral("岗位类别名称"))});
        }
        if (m_list->count() == 1) {
            m_list->setCurrentRow(0);
            choosePosition(0);
            return;
        }
        const int rows = qMin(m_list->count(), 4);
        m_label2->show();
        m_list->resize(m_list->width(), qMax(44, rows * 22 + 6));
        if (height() < 246 + m_list->height() + 30)
            setFixedHeight(246 + m_list->height() + 30);
        m_label1->move(m_label1->x(), height() - 30);
        m_list->show();
    } catch (const desk::DbError& e) {
        Platform::message(this, QString::number(e.number) + QLatin1Char(' ') + e.description,
                          executableName(), Platform::Icon::Information);
    }
}

void LoginWindow::List1_DblClick() {
    const int line = m_list->currentRow();
    if (line >= 0)
        choosePosition(line);
}

void LoginWindow::choosePosition(int line) {
    if (line < 0 || line >= m_records.size())
        return;
    QStringList fields;
    for (const QString& f : m_records.at(line))
        fields << f.trimmed();
    Operator().setFields(fields);
    finish();
}

void LoginWindow::finish() {
    // accept(), not close(): closing a dialog rejects it, and rejecting is Cancel.
    if (m_mode.isEmpty())
        Startup::showMainWindow();
    accept();
}

void LoginWindow::cmdCancel_Click() {
    Platform::seam().endProgram(0);
}

void LoginWindow::reject() {
    cmdCancel_Click();
}

bool LoginWindow::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            focusNextChild(); // Enter acts as Tab
            return true;
        }
    } else if (edit && event->type() == QEvent::FocusIn) {
        QTimer::singleShot(0, edit, [edit] { edit->selectAll(); });
        if (edit == m_user) {
            m_label2->hide();
            m_list->hide();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void LoginWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient head(0, 0, 0, 90);
    head.setColorAt(0, QColor(38, 92, 160));
    head.setColorAt(1, QColor(120, 170, 220));
    p.fillRect(QRect(0, 0, width(), 90), head);
    QLinearGradient body(0, 90, 0, height());
    body.setColorAt(0, QColor(232, 240, 250));
    body.setColorAt(1, QColor(200, 218, 240));
    p.fillRect(QRect(0, 90, width(), height() - 90), body);
    p.setPen(QColor(30, 70, 130));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
