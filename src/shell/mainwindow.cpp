#include "mainwindow.h"

#include "aboutwindow.h"
#include "data/connection.h"
#include "loginwindow.h"
#include "module2.h"
#include "operator.h"
#include "platform.h"

#include "controls/twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QStringEncoder>
#include <QVBoxLayout>

namespace {

// The suite's launcher, found by the title of its main window.
const char* const kLauncherTitle = "Tallowmark系统2011版";
// The maker's web page, opened by "联系我们".
const char* const kMakerAddress = "https://tallowmark.example/";

struct ChildSpec {
    const char* menu;
    const char* objectName;
    const char* caption;
};
const ChildSpec kChildren[] = {
    {"投诉接待", "frm投诉接待", "投诉接待"},
    {"投诉受理", "frm投诉受理", "投诉受理"},
    {"投诉处理C", "frm投诉处理", "投诉处理"},
    {"投诉信息统计", "frm投诉信息统计", "投诉信息统计"},
    {"投诉类别设置", "frm投诉类别设置", "投诉类别设置"},
    {"投诉方式设置", "frm投诉方式设置", "投诉方式设置"},
    {"投诉回复设置", "frm回复方式设置", "回复方式设置"},
    {"关于软件", "frmAbout", "关于Tallowmark系统2011版"},
};

const ChildSpec* childSpec(const QString& menu) {
    for (const ChildSpec& c : kChildren)
        if (menu == QString::fromUtf8(c.menu))
            return &c;
    return nullptr;
}

QHash<QString, MainWindow::WindowFactory>& registry() {
    static QHash<QString, MainWindow::WindowFactory> factories = {
        {QStringLiteral("关于软件"), [](QWidget* parent) { return new AboutWindow(parent); }}};
    return factories;
}

MainWindow* g_instance = nullptr;

// The banner: the picture at its natural size from the left, its 300-twip strip at 8850
// repeated to fill a wide window, and its right-hand part squeezed into the last 4000 twips.
class Banner : public QWidget {
public:
    explicit Banner(QWidget* parent)
        : QWidget(parent), m_picture(QStringLiteral(":/shell/banner.png")) {
        setObjectName(QStringLiteral("Picture1"));
        setFixedHeight(controls::twipsToPixelsY(810, this));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(24, 74, 140));
        if (m_picture.isNull())
            return;
        const int split = controls::twipsToPixelsX(8850, this);
        const int strip = controls::twipsToPixelsX(300, this);
        const int tail = controls::twipsToPixelsX(4000, this);
        const int h = height();
        p.drawPixmap(0, 0, m_picture);
        const int innerTwips = controls::pixelsToTwipsX(width(), this);
        for (int i = 1; i <= 10000 && innerTwips - 4000 > i * 300 + 8850; ++i)
            p.drawPixmap(QRect(controls::twipsToPixelsX(i * 300 + 8850, this), 0, strip, h),
                         m_picture, QRect(split, 0, strip, m_picture.height()));
        p.drawPixmap(QRect(width() - tail, 0, tail, h), m_picture,
                     QRect(split, 0, m_picture.width() - split, m_picture.height()));
    }

private:
    QPixmap m_picture;
};

} // namespace

void MainWindow::registerWindow(const QString& menuName, WindowFactory factory) {
    registry().insert(menuName, std::move(factory));
}

MainWindow* MainWindow::instance() {
    return g_instance;
}

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    Q_INIT_RESOURCE(shell);
    g_instance = this;
    setObjectName(QStringLiteral("MDIForm1"));
    setWindowTitle(QStringLiteral("投诉处理"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_banner = new Banner(central);
    layout->addWidget(m_banner);
    m_area = new QMdiArea(central);
    m_area->setObjectName(QStringLiteral("mdiArea"));
    m_area->setBackground(palette().brush(QPalette::Dark));
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    layout->addWidget(m_area, 1);
    setCentralWidget(central);
    // Read once: the viewport is resized often, the picture does not change meanwhile.
    m_backgroundPicture =
        QPixmap(QDir(Platform::programFolder()).filePath(QStringLiteral("MDI.BMP")));
    m_area->viewport()->installEventFilter(this);

    buildMenus();
    resize(1280, 800);
}

MainWindow::~MainWindow() {
    if (g_instance == this)
        g_instance = nullptr;
}

QAction* MainWindow::addMenuItem(QMenu* menu, const QString& name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    m_actions.append(action);
    return action;
}

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    auto topMenu = [&](const QString& name, const QString& caption) {
        QMenu* menu = bar->addMenu(caption);
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(name);
        m_actions.append(menu->menuAction());
        m_menus.append(menu);
        return menu;
    };
    auto opener = [this](const QString& menuName) {
        return [this, menuName] { openChild(menuName); };
    };

    QMenu* complaints = topMenu(QStringLiteral("投诉管理"), QStringLiteral("投诉管理"));
    for (const char* name : {"投诉接待", "投诉受理"})
        connect(addMenuItem(complaints, QString::fromUtf8(name), QString::fromUtf8(name)),
                &QAction::triggered, this, opener(QString::fromUtf8(name)));
    connect(addMenuItem(complaints, QStringLiteral("投诉处理C"), QStringLiteral("投诉处理")),
            &QAction::triggered, this, opener(QStringLiteral("投诉处理C")));
    QAction* separator = complaints->addSeparator();
    separator->setObjectName(QStringLiteral("H11"));
    m_actions.append(separator);
    connect(addMenuItem(complaints, QStringLiteral("投诉信息统计"), QStringLiteral("投诉信息统计")),
            &QAction::triggered, this, opener(QStringLiteral("投诉信息统计")));

    QMenu* settings = topMenu(QStringLiteral("基础设置TS"), QStringLiteral("基础设置"));
    for (const char* name : {"投诉类别设置", "投诉方式设置", "投诉回复设置"})
        connect(addMenuItem(settings, QString::fromUtf8(name), QString::fromUtf8(name)),
                &QAction::triggered, this, opener(QString::fromUtf8(name)));

    QAction* others = bar->addAction(QStringLiteral("其它模块"));
    others->setObjectName(QStringLiteral("其它模块"));
    m_actions.append(others);
    connect(others, &QAction::triggered, this, [this] { 其它模块(); });

    QMenu* leave = topMenu(QStringLiteral("退出系统"), QStringLiteral("退出系统"));
    connect(addMenuItem(leave, QStringLiteral("退出"), QStringLiteral("退出")), &QAction::triggered,
            this, [this] { 退出(); });
    connect(addMenuItem(leave, QStringLiteral("注销"), QStringLiteral("注销")), &QAction::triggered,
            this, [this] { 注销(); });

    QMenu* about = topMenu(QStringLiteral("关于"), QStringLiteral("关于"));
    connect(addMenuItem(about, QStringLiteral("关于软件"), QStringLiteral("关于软件")),
            &QAction::triggered, this, [this] { 关于软件(); });
    connect(addMenuItem(about, QStringLiteral("联系我们"), QStringLiteral("联系我们")),
            &QAction::triggered, this, [this] { 联系我们(); });
    // The menu also lists the open child windows.
    QAction* windowSeparator = about->addSeparator();
    connect(about, &QMenu::aboutToShow, this, [this, about, windowSeparator] {
        const QList<QAction*> all = about->actions();
        for (int i = all.indexOf(windowSeparator) + 1; i < all.size(); ++i) {
            about->removeAction(all[i]);
            all[i]->deleteLater();
        }
        const QList<QMdiSubWindow*> windows = m_area->subWindowList();
        windowSeparator->setVisible(!windows.isEmpty());
        int n = 1;
        for (QMdiSubWindow* sub : windows) {
            QAction* a =
                about->addAction(QStringLiteral("&%1 %2").arg(n++).arg(sub->windowTitle()));
            a->setCheckable(true);
            a->setChecked(sub == m_area->activeSubWindow());
            connect(a, &QAction::triggered, this, [this, sub] { m_area->setActiveSubWindow(sub); });
        }
    });
}

QAction* MainWindow::menuAction(const QString& name) const {
    for (QAction* a : m_actions)
        if (a->objectName() == name)
            return a;
    return nullptr;
}

QWidget* MainWindow::findChildWindow(const QString& objectName) const {
    for (QMdiSubWindow* sub : m_area->subWindowList())
        if (sub->widget() && sub->widget()->objectName() == objectName)
            return sub->widget();
    return nullptr;
}

QWidget* MainWindow::openChild(const QString& menuName) {
    const ChildSpec* spec = childSpec(menuName);
    if (!spec)
        return nullptr;
    const QString objectName = QString::fromUtf8(spec->objectName);
    if (QWidget* open = findChildWindow(objectName)) {
        auto* sub = qobject_cast<QMdiSubWindow*>(open->parentWidget());
        if (sub) {
            sub->show();
            m_area->setActiveSubWindow(sub);
            sub->raise();
        }
        return open;
    }
    QWidget* window = nullptr;
    if (auto factory = registry().value(menuName)) {
        window = factory(nullptr);
    } else {
        // Not built yet: an empty window with the caption it will have.
        window = new QWidget;
        window->setObjectName(objectName);
        window->setWindowTitle(QString::fromUtf8(spec->caption));
        window->resize(640, 420);
    }
    window->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow* sub = m_area->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    if (auto* about = qobject_cast<AboutWindow*>(window)) {
        sub->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        sub->adjustSize();
        sub->setFixedSize(sub->sizeHint());
        about->load();
    }
    sub->show();
    m_area->setActiveSubWindow(sub);
    sub->raise();
    return window;
}

void MainWindow::权限设置() {
    static const QStringList kAlwaysOn = {QStringLiteral("注销"),     QStringLiteral("关于"),
                                          QStringLiteral("关于软件"), QStringLiteral("联系我们"),
                                          QStringLiteral("退出"),     QStringLiteral("退出系统"),
                                          QStringLiteral("其它模块")};
    for (QAction* a : m_actions)
        if (!kAlwaysOn.contains(a->objectName()) && !a->isSeparator())
            a->setEnabled(false);
    try {
        const desk::Recordset rows = Connection::SharedConnection().query(
            QStringLiteral("SELECT DISTINCT 岗位权限设置.ID , 岗位权限设置.组代号, "
                           "岗位权限设置.岗位代号, 岗位权限设置.授权, GroupPrivilege.FormName, "
                           "GroupPrivilege.Popedom") +
            QStringLiteral(" FROM  岗位权限设置 INNER JOIN GroupPrivilege ON 岗位权限设置.组代号 = "
                           "GroupPrivilege.GroupID") +
            QStringLiteral(" Where 授权 = 1 AND 岗位代号='") +
            desk::sqlText(Operator().PositionCode) + QStringLiteral("'") +
            QStringLiteral(" ORDER BY GroupPrivilege.Popedom"));
        QList<QPair<QString, bool>> pairs;
        for (int r = 0; r < rows.size(); ++r) {
            if (rows.isNull(r, QStringLiteral("Popedom")))
                throw desk::DbError(94, QStringLiteral("无效使用 Null"));
            pairs.append({rows.text(r, QStringLiteral("FormName")),
                          rows.value(r, QStringLiteral("Popedom")).toInt() != 0});
        }
        for (const auto& pair : pairs)
            if (QAction* a = menuAction(pair.first))
                a->setEnabled(pair.second);
    } catch (const desk::DbError& e) {
        Platform::showTrappedError(this, e.number, e.description);
    }
}

void MainWindow::注销() {
    m_area->closeAllSubWindows();
    if (!LauncherArgument().isEmpty()) {
        QFile file(QDir(Platform::programFolder()).filePath(QStringLiteral("Command.Dll")));
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            QStringEncoder ansi(QStringConverter::System);
            file.write(ansi.encode(QStringLiteral("注销\r\n")));
        }
        Platform::seam().activateWindowTitled(QString::fromUtf8(kLauncherTitle));
        return;
    }
    LoginWindow login(this);
    login.prepareForSwitch();
    login.exec();
    权限设置();
}

void MainWindow::其它模块() {
    if (!LauncherArgument().isEmpty()) {
        Platform::seam().activateWindowTitled(QString::fromUtf8(kLauncherTitle));
        return;
    }
    Platform::message(this, QStringLiteral("对不起，您不属于多模块系统。"));
}

void MainWindow::退出() {
    Platform::seam().endProgram(0);
}

void MainWindow::联系我们() {
    Platform::seam().openWithDesktop(QString::fromUtf8(kMakerAddress));
}

void MainWindow::关于软件() {
    openChild(QStringLiteral("关于软件"));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_area->viewport() && event->type() == QEvent::Resize)
        paintBackground();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::paintBackground() {
    // "MDI.BMP" stretched over the inner area; a missing or unreadable file leaves the
    // plain workspace colour.
    const QPixmap& picture = m_backgroundPicture;
    if (picture.isNull()) {
        m_area->setBackground(palette().brush(QPalette::Dark));
        return;
    }
    const QSize size = m_area->viewport()->size().expandedTo(QSize(1, 1));
    m_area->setBackground(picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    Platform::seam().endProgram(0);
}
