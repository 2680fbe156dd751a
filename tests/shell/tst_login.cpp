// The login: checks, messages, positions and the administrator.

#include "common/fakeseam.h"
#include "common/testdb.h"
#include "fixture.h"

#include "data/settings.h"
#include "shell/loginwindow.h"
#include "shell/mainwindow.h"
#include "shell/operator.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>

class TestLogin : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_file;

private slots:
    void initTestCase() {
        m_file = testdb::create(m_dir.path(), organisationFixture());
        QVERIFY(!m_file.isEmpty());
        desk::writeDbSettings({m_file, {}, {}, {}});
    }
    void init() {
        Operator().clear();
        delete MainWindow::instance();
    }

    void refused_data() {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("message");
        const QString wrong = QStringLiteral("用户名或密码不正确,请重新输入!");
        const QString noPosition = QStringLiteral("对不起，您没有岗位，请选择系统管理员");
        QTest::newRow("empty number") << ""
                                      << "1234"
                                      << "用户名不能为空!";
        QTest::newRow("empty password") << "1001"
                                        << ""
                                        << "密码不能为空!";
        QTest::newRow("wrong password") << "1001"
                                        << "9999" << wrong;
        QTest::newRow("wrong number") << "9001"
                                      << "1234" << wrong;
        QTest::newRow("number with trailing blank") << "1001 "
                                                    << "1234" << wrong;
        QTest::newRow("injection in password") << "1001"
                                               << "' or '1'='1" << wrong;
        QTest::newRow("injection in number") << "' or '1'='1' --"
                                             << "x" << wrong;
        QTest::newRow("administrator in other case") << "CHIEF"
                                                     << "quartz" << wrong;
        QTest::newRow("employee who left") << "1003"
                                           << "1234" << noPosition;
        QTest::newRow("assignment ended") << "1004"
                                          << "1234" << noPosition;
    }
    void refused() {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(QString, message);
        FakeSeam seam;
        LoginWindow login;
        login.userBox()->setText(user);
        login.passwordBox()->setText(password);
        login.cmdOK_Click();
        QCOMPARE(seam.texts(), QStringList{message});
        QVERIFY(!MainWindow::instance());
        QVERIFY(login.positionList()->isHidden());
    }

    // Blanks around the password are dropped; one position opens the main window at once.
    void onePositionOpensMainWindow() {
        FakeSeam seam;
        LoginWindow login;
        login.show();
        login.userBox()->setText(QStringLiteral("1001"));
        login.passwordBox()->setText(QStringLiteral("  1234 "));
        login.cmdOK_Click();
        QVERIFY(seam.messages.isEmpty());
        QVERIFY(MainWindow::instance());
        QVERIFY(login.isHidden());
        QCOMPARE(Operator().fields(), QStringList({"1001", "张丽", "D01", "客户服务中心", "P01",
                                                   "接待员", "L1", "职能部门", "G1", "管理岗"}));
    }

    void twoPositionsAreListed() {
        FakeSeam seam;
        LoginWindow login;
        login.show();
        login.userBox()->setText(QStringLiteral("1002"));
        login.passwordBox()->setText(QStringLiteral("abc"));
        login.cmdOK_Click();
        QVERIFY(!MainWindow::instance());
        QListWidget* list = login.positionList();
        QVERIFY(!list->isHidden());
        QVERIFY(!login.positionLabel()->isHidden());
        QStringList lines;
        for (int i = 0; i < list->count(); ++i)
            lines << list->item(i)->text();
        lines.sort();
        QCOMPARE(lines, QStringList({"客户服务中心 客服主管(兼职)", "工程部 维修主管(主要)"}));

        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->text().contains(QStringLiteral("兼职")))
                list->setCurrentRow(i);
        login.List1_DblClick();
        QVERIFY(MainWindow::instance());
        QCOMPARE(Operator().DepartmentCode, QStringLiteral("D01"));
        QCOMPARE(Operator().PositionCode, QStringLiteral("P03"));
        QCOMPARE(Operator().EmployeeName, QStringLiteral("王强"));
    }

    // Focus back in the number box starts a new attempt from the two boxes.
    void focusOnNumberHidesPositions() {
        FakeSeam seam;
        LoginWindow login;
        login.show();
        login.userBox()->setText(QStringLiteral("1002"));
        login.passwordBox()->setText(QStringLiteral("abc"));
        login.cmdOK_Click();
        QVERIFY(login.positionList()->isVisible());
        login.passwordBox()->setFocus();
        login.userBox()->setFocus();
        QTRY_VERIFY(login.positionList()->isHidden());
        QVERIFY(login.positionLabel()->isHidden());
    }

    void enterActsAsTab() {
        FakeSeam seam;
        LoginWindow login;
        login.show();
        QVERIFY(QTest::qWaitForWindowActive(&login));
        login.userBox()->setFocus();
        QTest::keyClick(login.userBox(), Qt::Key_Return);
        QTRY_COMPARE(QApplication::focusWidget(), login.passwordBox());
        QVERIFY(seam.messages.isEmpty()); // Enter did not press OK
    }

    void administrator() {
        FakeSeam seam;
        Operator().setFields({"x", "x", "x", "x", "x", "x", "x", "x", "x", "x"});
        LoginWindow login;
        login.userBox()->setText(QStringLiteral("chiEf"));
        login.passwordBox()->setText(QStringLiteral("quartz"));
        login.cmdOK_Click();
        QVERIFY(seam.messages.isEmpty());
        QVERIFY(MainWindow::instance());
        QStringList expected(10);
        expected[0] = QStringLiteral("超级用户");
        QCOMPARE(Operator().fields(), expected);
    }

    void cancelEndsProgram() {
        FakeSeam seam;
        LoginWindow login;
        QVERIFY_THROWS_EXCEPTION(ProgramEnded, login.cmdCancel_Click());
    }
};

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
