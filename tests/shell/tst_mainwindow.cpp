// The main window: menu permissions, child windows, change of user, about.

#include "common/fakeseam.h"
#include "common/testdb.h"
#include "fixture.h"

#include "data/connection.h"
#include "shell/aboutwindow.h"
#include "shell/mainwindow.h"
#include "shell/operator.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QtTest>

class TestMainWindow : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    static QStringList enabledItems(MainWindow& w) {
        QStringList out;
        for (QAction* a : w.menuActions())
            if (a->isEnabled())
                out << a->objectName();
        out.sort();
        return out;
    }

private slots:
    void initTestCase() {
        QStringList fixture = organisationFixture();
        fixture
            << "INSERT INTO GroupPrivilege (GroupID, FormName, Popedom) VALUES ('A', '投诉管理', 1)"
            << "INSERT INTO GroupPrivilege (GroupID, FormName, Popedom) VALUES ('A', '投诉受理', 1)"
            << "INSERT INTO GroupPrivilege (GroupID, FormName, Popedom) VALUES ('B', '投诉受理', 0)"
            << "INSERT INTO GroupPrivilege (GroupID, FormName, Popedom) VALUES ('B', '投诉接待', 1)"
            << "INSERT INTO GroupPrivilege (GroupID, FormName, Popedom) VALUES ('C', "
               "'frm其它程序', 1)"
            << "INSERT INTO 岗位权限设置 (组代号, 岗位代号, 授权) VALUES ('A', 'P01', 1)"
            << "INSERT INTO 岗位权限设置 (组代号, 岗位代号, 授权) VALUES ('B', 'P01', 1)"
            << "INSERT INTO 岗位权限设置 (组代号, 岗位代号, 授权) VALUES ('A', 'P02', 0)"
            << "INSERT INTO 岗位权限设置 (组代号, 岗位代号, 授权) VALUES ('C', 'P03', 1)";
        const QString file = testdb::create(m_dir.path(), fixture);
        QVERIFY(!file.isEmpty());
        FakeSeam seam;
        QVERIFY(Connection::ConnectDatabase({}, {}, {}, file));
    }
    void init() { LauncherArgument().clear(); }

    void everythingEnabledAtStart() {
        MainWindow w;
        for (QAction* a : w.menuActions())
            QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
        for (const char* name :
             {"投诉管理", "投诉接待", "投诉受理", "投诉处理C", "H11", "投诉信息统计", "基础设置TS",
              "投诉类别设置", "投诉方式设置", "投诉回复设置", "其它模块", "退出系统", "退出",
              "注销", "关于", "关于软件", "联系我们"})
            QVERIFY2(w.menuAction(QString::fromUtf8(name)), name);
    }

    void permissions_data() {
        QTest::addColumn<QString>("position");
        QTest::addColumn<QStringList>("extra");
        QTest::newRow("no privilege rows") << "P99" << QStringList();
        QTest::newRow("administrator (no position)") << "" << QStringList();
        QTest::newRow("two groups disagree: enabled wins")
            << "P01" << QStringList({"投诉管理", "投诉受理", "投诉接待"});
        QTest::newRow("grant not 1 ignored") << "P02" << QStringList();
        QTest::newRow("foreign menu name ignored") << "P03" << QStringList();
    }
    void permissions() {
        QFETCH(QString, position);
        QFETCH(QStringList, extra);
        FakeSeam seam;
        MainWindow w;
        Operator().PositionCode = position;
        w.权限设置();
        QVERIFY(seam.messages.isEmpty());
        QStringList expected = QStringList({"注销", "关于", "关于软件", "联系我们", "退出",
                                            "退出系统", "其它模块", "H11"}) +
                               extra;
        expected.sort();
        QCOMPARE(enabledItems(w), expected);
    }

    void childWindowOpensOnce() {
        MainWindow w;
        QWidget* first = w.openChild(QStringLiteral("投诉受理"));
        QCOMPARE(first->objectName(), QStringLiteral("frm投诉受理"));
        QCOMPARE(first->windowTitle(), QStringLiteral("投诉受理"));
        w.openChild(QStringLiteral("投诉类别设置"));
        QCOMPARE(w.openChild(QStringLiteral("投诉受理")), first);
        QCOMPARE(w.mdiArea()->subWindowList().size(), 2);
        QCOMPARE(w.mdiArea()->activeSubWindow()->widget(), first);
    }

    void changeOfUserInLauncherMode() {
        FakeSeam seam;
        LauncherArgument() =
            QStringLiteral("1001,张丽,D01,客户服务中心,P01,接待员,L1,职能部门,G1,管理岗");
        const QString command =
            QDir(QCoreApplication::applicationDirPath()).filePath("Command.Dll");
        QFile::remove(command);
        MainWindow w;
        w.openChild(QStringLiteral("投诉受理"));
        w.openChild(QStringLiteral("关于软件"));
        w.注销();
        QTRY_VERIFY(w.mdiArea()->subWindowList().isEmpty());
        QFile file(command);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromLocal8Bit(file.readAll()).trimmed(), QStringLiteral("注销"));
        QCOMPARE(seam.activated, QStringList{QStringLiteral("Tallowmark系统2011版")});
        file.remove();
    }

    void otherModulesOutsideLauncher() {
        FakeSeam seam;
        MainWindow w;
        w.其它模块();
        QCOMPARE(seam.texts(), QStringList{QStringLiteral("对不起，您不属于多模块系统。")});
    }

    void exitEndsProgram() {
        FakeSeam seam;
        MainWindow w;
        QVERIFY_THROWS_EXCEPTION(ProgramEnded, w.退出());
    }

    void contactOpensMakersPage() {
        FakeSeam seam;
        MainWindow w;
        w.联系我们();
        QCOMPARE(seam.opened.size(), 1);
        QVERIFY(seam.opened[0].startsWith(QStringLiteral("http")));
    }

    void about() {
        QCOMPARE(AboutWindow::versionText(1, 2, 3), QStringLiteral("投诉管理系统1.2.3"));
        FakeSeam seam;
        MainWindow w;
        auto* about = qobject_cast<AboutWindow*>(w.openChild(QStringLiteral("关于软件")));
        QVERIFY(about);
        QCOMPARE(about->findChild<QLabel*>(QStringLiteral("Label7"))->text(),
                 QStringLiteral("投诉管理系统1.0.0"));
        QCOMPARE(about->findChild<QLabel*>(QStringLiteral("lblTitle"))->text(),
                 QStringLiteral("Tallowmark系统2011版的一部分"));
        // No system information tool on the path: the message.
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", m_dir.path().toLocal8Bit());
        about->cmdSysInfo_Click();
        qputenv("PATH", path);
        QCOMPARE(seam.texts(), QStringList{QStringLiteral("此时系统信息不可用")});
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
