#pragma once
// The frame of every working window: menus, banner, background, change of user, exit.

#include <QHash>
#include <QMainWindow>
#include <QPixmap>
#include <functional>

class QMdiArea;
class QMdiSubWindow;
class QAction;
class QLabel;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Creates a working window for a menu command; the window's objectName is its design
    // name (e.g. "frm投诉接待") and its windowTitle the caption.
    using WindowFactory = std::function<QWidget*(QWidget* parent)>;
    // Each working window registers itself under its menu item's name, once, before the
    // main window is built. A menu command without one opens an empty placeholder window.
    static void registerWindow(const QString& menuName, WindowFactory factory);

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Applies the privileges of Operator().PositionCode to the menus.
    void 权限设置();

    // Opens (once) and brings to the front the child window of a menu item.
    QWidget* openChild(const QString& menuName);
    QWidget* findChildWindow(const QString& objectName) const;
    QMdiArea* mdiArea() const { return m_area; }
    QAction* menuAction(const QString& name) const;
    QList<QAction*> menuActions() const { return m_actions; }

    // Menu commands.
    void 注销();
    void 其它模块();
    void 退出();
    void 联系我们();
    void 关于软件();

    // The one main window of the process (nullptr before it exists).
    static MainWindow* instance();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* addMenuItem(QMenu* menu, const QString& name, const QString& caption);
    void buildMenus();
    void paintBackground();

    QMdiArea* m_area = nullptr;
    QWidget* m_banner = nullptr;
    QPixmap m_backgroundPicture; // "MDI.BMP" from the program's folder, as read at start
    QList<QAction*> m_actions;
    QList<QMenu*> m_menus;
};
