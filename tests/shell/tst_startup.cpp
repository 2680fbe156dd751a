// Start-up: the connection string, the launcher argument and the fall-back to the login.

#include "common/fakeseam.h"
#include "common/testdb.h"
#include "fixture.h"

#include "data/connection.h"
#include "data/settings.h"
#include "shell/loginwindow.h"
#include "shell/mainwindow.h"
#include "shell/operator.h"
#include "shell/startup.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void init() {
        Operator().clear();
        LauncherArgument().clear();
        delete MainWindow::instance();
    }

    // Missing settings: the open fails with the connection's message first, then ours.
    void openFailureShowsBothMessagesInOrder() {
        desk::writeDbSettings({});
        FakeSeam seam;
        QVERIFY(!Startup::OpenDatabase());
        QCOMPARE(seam.messages.size(), 2);
        QVERIFY(seam.messages[0].text.startsWith(QStringLiteral("错误信息：")));
        QCOMPARE(seam.messages[0].title, QStringLiteral("信息文本"));
        QCOMPARE(seam.messages[1].text, QStringLiteral("数据库连接失败!"));
        QCOMPARE(seam.messages[1].title, QStringLiteral("连接提示"));
        QCOMPARE(Connection::ConnectionString(),
                 QStringLiteral("Provider=SQLOLEDB.1;Password=;Persist Security Info=False;"
                                "User ID=;Initial Catalog='';Data Source=''"));
    }

    void launcherArgument_data() {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("employeeNo");
        QTest::addColumn<QString>("positionCategoryName");
        QTest::newRow("ten") << "1001,张丽,D01,客户服务中心,P01,接待员,L1,职能部门,G1,管理岗"
                             << true << "1001"
                             << "管理岗";
        QTest::newRow("eleventh ignored")
            << "1001,张丽,D01,客户服务中心,P01,接待员,L1,职能部门,G1,管理岗,extra" << true << "1001"
            << "管理岗";
        QTest::newRow("empty first field")
            << ",张丽,D01,客户服务中心,P01,接待员,L1,职能部门,G1, 管理岗 " << true << ""
            << " 管理岗 ";
        QTest::newRow("too few") << "1001,张丽,D01" << false << ""
                                 << "";
    }
    void launcherArgument() {
        QFETCH(QString, argument);
        QFETCH(bool, accepted);
        QFETCH(QString, employeeNo);
        QFETCH(QString, positionCategoryName);
        QTemporaryDir dir;
        const QString file = testdb::create(dir.path(), organisationFixture());
        QVERIFY(!file.isEmpty());
        desk::writeDbSettings({file, QString(), QString(), QString()});
        FakeSeam seam;
        LoginWindow login;
        QCOMPARE(Startup::run(&login, argument), accepted);
        QCOMPARE(LauncherArgument(), argument);
        if (accepted) {
            QVERIFY(MainWindow::instance());
            QCOMPARE(Operator().EmployeeNo, employeeNo);
            QCOMPARE(Operator().PositionCategoryName, positionCategoryName);
            QVERIFY(seam.messages.isEmpty());
        } else {
            QVERIFY(!MainWindow::instance());
            QCOMPARE(seam.messages.size(), 1);
            QVERIFY(seam.messages[0].text.contains(QStringLiteral("十项")));
            QCOMPARE(login.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                     QStringLiteral("V1.0版"));
        }
    }

    // A launcher start whose database fails shows the login, which can still log in.
    void launcherWithFailingDatabaseFallsBackToLogin() {
        QTemporaryDir dir;
        desk::writeDbSettings({dir.filePath(QStringLiteral("missing.db")), {}, {}, {}});
        FakeSeam seam;
        LoginWindow login;
        QVERIFY(
            !Startup::run(&login, "1001,张丽,D01,客户服务中心,P01,接待员,L1,职能部门,G1,管理岗"));
        QCOMPARE(seam.texts().last(), QStringLiteral("数据库连接失败!"));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("missing.db"))));
        QCOMPARE(Operator().EmployeeName, QStringLiteral("张丽"));

        const QString file = testdb::create(dir.path(), organisationFixture());
        desk::writeDbSettings({file, {}, {}, {}});
        login.userBox()->setText(QStringLiteral("1002"));
        login.passwordBox()->setText(QStringLiteral("abc"));
        login.cmdOK_Click();
        QCOMPARE(login.positionList()->count(), 2);
        QVERIFY(Operator().EmployeeNo.isEmpty()); // cleared by the attempt
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
