// The reception window as the desk uses it: start, activation, the list, the entry panel
// with "新投诉" and an opened complaint, the time panel, the panels' mouse handling.

#include "../common/fakeseam.h"
#include "reception/receptionwindow.h"
#include "receptionfixture.h"

#include "controls/flexgrid.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest>
#include <memory>

namespace {

// Complaints of May 2024 (the test clock's month) and around it.
QString complaint(const QString& number, const QString& dept, const QString& time,
                  const QString& status, const QString& more = QString(),
                  const QString& moreValues = QString()) {
    return QStringLiteral(
               "INSERT INTO 投诉信息 (投诉编号, 流水号, 部门编号, 投诉人, 投诉类别, 投诉方式, "
               "投诉时间, 投诉内容, 接待人, 处理状态%1) VALUES ('%2', %3, '%4', '客户%3', "
               "'环境卫生', '来访', %5, '内容%3', '李四', '%6'%7)")
        .arg(more.isEmpty() ? QString() : QStringLiteral(", ") + more, number,
             QString::number(number.toInt()), dept,
             time.isEmpty() ? QStringLiteral("NULL") : QLatin1Char('\'') + time + QLatin1Char('\''),
             status, moreValues.isEmpty() ? QString() : QStringLiteral(", ") + moreValues);
}

} // namespace

class TestReceptionEntry : public QObject, public ReceptionCase<> {
    Q_OBJECT
private slots:
    void init() { begin(); }
    void cleanup() { end(); }
    void startFillsTheWindow();
    void activationMaximisesAndLists();
    void listOfTheMonth();
    void newComplaintKeepsChoices();
    void openComplaint_data();
    void openComplaint();
    void recordThroughTheWindow();
    void loadTime_data();
    void loadTime();
    void timePanelSetsTheTime();
    void panelsFollowTheMouse();

private:
    bool open(const QStringList& extra = {});
};

bool TestReceptionEntry::open(const QStringList& extra) {
    return m_db->create(extra) && show(new ReceptionWindow);
}

void TestReceptionEntry::startFillsTheWindow() {
    QVERIFY(open());
    QCOMPARE(m_window->objectName(), QStringLiteral("frm投诉接待"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("投诉接待"));

    auto items = [](QComboBox* combo) {
        QStringList out;
        for (int i = 0; i < combo->count(); ++i)
            out << combo->itemText(i);
        return out;
    };
    QComboBox* category = ctl<QComboBox>("Combo4");
    QCOMPARE(items(category), QStringList({"01 物业服务", "02 环境卫生", "03 设施设备"}));
    QCOMPARE(category->currentIndex(), -1);
    QCOMPARE(items(ctl<QComboBox>("Combo5")), QStringList({"01 电话", "02 来访", "03 微信"}));
    QCOMPARE(ctl<QComboBox>("Combo5")->currentIndex(), -1);
    // receivers of the department in position order, the operator chosen
    QComboBox* receiver = ctl<QComboBox>("Combo2");
    QCOMPARE(items(receiver), QStringList({"张三", "李四"}));
    QCOMPARE(receiver->currentText(), QStringLiteral("张三"));

    QStatusBar* bar = ctl<QStatusBar>("StatusBar2");
    QStringList panels;
    for (int i = 1; i <= 9; ++i)
        panels << control<QLabel>(bar, QStringLiteral("Panel%1").arg(i))->text();
    QCOMPARE(panels, QStringList({"操作员", "张三", "部门", "客服中心", "岗位", "接待员", "",
                                  "2024-05-15", "10:07:42"}));

    for (int i = 0; i < 2; ++i) {
        QDateEdit* picker = ctl<QDateEdit>(QStringLiteral("DTPicker1(%1)").arg(i));
        QCOMPARE(picker->date(), QDate(2024, 5, 15));
        QCOMPARE(picker->displayFormat(), QStringLiteral("yyyy-MM-dd"));
    }
    QCOMPARE(list()->cols(), 19);
    for (int c = 15; c <= 18; ++c)
        QCOMPARE(list()->colWidth(c), 0);
    QVERIFY(!ctl<QWidget>("Picture1")->isVisible());
    QVERIFY(!ctl<QWidget>("Picture3")->isVisible());
    QVERIFY(!ctl<QWidget>("Picture4")->isVisible());
}

void TestReceptionEntry::activationMaximisesAndLists() {
    QVERIFY(m_db->create({complaint("00000001", "D1", "2024-05-02 08:00:00", "尚未受理")}));
    QMdiArea area;
    area.resize(1200, 800);
    auto* window = new ReceptionWindow;
    QMdiSubWindow* sub = area.addSubWindow(window);
    area.show();
    sub->show();
    area.setActiveSubWindow(sub);
    QTRY_VERIFY(sub->isMaximized());
    auto* grid = control<controls::FlexGrid>(window, "MSFlexGrid1");
    QTRY_COMPARE(grid->rows(), 2);
    QCOMPARE(m_seam->texts(), QStringList());

    // "退出" closes the child window
    QTest::mouseClick(control<QPushButton>(window, "Command5"), Qt::LeftButton);
    QTRY_VERIFY(area.subWindowList().isEmpty() || !sub->isVisible());
}

void TestReceptionEntry::listOfTheMonth() {
    QVERIFY(open({
        complaint("00000003", "D1", "2024-05-20 14:30:00", "处理完成",
                  "处理时间, 结果满意度, 管理处代号", "'2024-05-21 09:00:00', 1, 'G01'"),
        complaint("00000001", "D1", "2024-05-01 00:00:00", "尚未受理"),
        complaint("00000002", "D1", "2024-06-01 00:00:00", "已受理", "ZH_ID, 微信号, AppID",
                  "501, 'wx1', 'app1'"),
        complaint("00000004", "D1", "2024-04-30 23:59:00", "尚未受理"), // last month
        complaint("00000005", "D2", "2024-05-05 10:00:00", "尚未受理"), // other department
        complaint("00000006", "D1", "2024-05-06 10:00:00", "尚未受理", "撤销时间",
                  "'2024-05-07 10:00:00'"), // voided
        complaint("00000008", "D1", "2024-05-09 10:00:00", "处理完成", "处理时间, 结果满意度",
                  "'2024-05-10 10:00:00', 0"),
    }));
    controls::FlexGrid* grid = list();
    QStringList numbers;
    for (int r = 1; r < grid->rows(); ++r)
        numbers << grid->textMatrix(r, 1);
    // the first of next month at midnight still counts as this month
    QCOMPARE(numbers, QStringList({"00000001", "00000002", "00000003", "00000008"}));
    QCOMPARE(grid->textMatrix(1, 0), QStringLiteral("1"));
    QCOMPARE(grid->textMatrix(1, 4), QStringLiteral("2024-05-01 00:00"));
    QCOMPARE(grid->textMatrix(3, 9), QStringLiteral("G01 翠苑小区"));
    QCOMPARE(grid->textMatrix(3, 12), QStringLiteral("满意"));
    QCOMPARE(grid->textMatrix(4, 12), QStringLiteral("不满意"));
    QCOMPARE(grid->textMatrix(1, 12), QString());
    QCOMPARE(grid->textMatrix(3, 13), QStringLiteral("2024-05-21 09:00"));
    QCOMPARE(grid->textMatrix(2, 14), QStringLiteral("查看"));
    QCOMPARE(grid->textMatrix(2, 15), QStringLiteral("501"));
    QCOMPARE(grid->textMatrix(2, 16), QStringLiteral("wx1"));
    QCOMPARE(grid->textMatrix(2, 17), QStringLiteral("app1"));
    const QColor unfinished(255, 238, 228);
    QCOMPARE(grid->cellBackColor(1, 5), unfinished);
    QCOMPARE(grid->cellBackColor(2, 0), unfinished);
    QVERIFY(grid->cellBackColor(3, 5) != unfinished);

    // the chosen date range instead of the month
    ctl<QWidget>("Option1(1)")->setProperty("checked", true);
    ctl<QDateEdit>("DTPicker1(0)")->setDate(QDate(2024, 4, 30));
    ctl<QDateEdit>("DTPicker1(1)")->setDate(QDate(2024, 4, 30));
    m_window->RefreshComplaintList();
    numbers.clear();
    for (int r = 1; r < grid->rows(); ++r)
        numbers << grid->textMatrix(r, 1);
    // both bounds inclusive: midnight of the following day is in the range
    QCOMPARE(numbers, QStringList({"00000001", "00000004"}));
}

void TestReceptionEntry::newComplaintKeepsChoices() {
    QVERIFY(open({complaint("00000001", "D1", "2024-05-02 08:00:00", "尚未受理",
                            "ZH_ID, 管理处代号", "502, 'G02'")}));
    list()->setRow(1);
    m_window->OpenComplaintInPanel();
    QCOMPARE(m_window->ownerIdentifier(), QStringLiteral("502"));
    ctl<QComboBox>("Combo4")->setCurrentIndex(2);
    ctl<QComboBox>("Combo5")->setCurrentIndex(0);
    ctl<QComboBox>("Combo2")->setCurrentIndex(1);

    QTest::mouseClick(ctl<QPushButton>("Command3"), Qt::LeftButton);
    for (int i : {1, 2, 3, 4, 6})
        QVERIFY2(i == 4 ? ctl<QPlainTextEdit>("Text1(4)")->toPlainText().isEmpty()
                        : text1(i)->text().isEmpty(),
                 qPrintable(QString::number(i)));
    QCOMPARE(text1(0)->text(), QStringLiteral("2024-05-15 10:07"));
    QCOMPARE(text1(5)->text(), QStringLiteral("<保存时自动生成>"));
    QCOMPARE(ctl<QLabel>("Label1(18)")->text(), QString());
    // the earlier complaint's occupant does not travel with the new one
    QCOMPARE(m_window->ownerIdentifier(), QString());
    QCOMPARE(m_window->entryMode(), QStringLiteral("New"));
    QVERIFY(ctl<QWidget>("Picture1")->isVisible());
    // the choices stay; no attachments before the complaint is stored
    QCOMPARE(ctl<QComboBox>("Combo4")->currentIndex(), 2);
    QCOMPARE(ctl<QComboBox>("Combo5")->currentIndex(), 0);
    QCOMPARE(ctl<QComboBox>("Combo2")->currentText(), QStringLiteral("李四"));
    QVERIFY(!ctl<QPushButton>("Command10(0)")->isEnabled());
    QVERIFY(!ctl<QPushButton>("Command10(1)")->isEnabled());
    QVERIFY(ctl<QPushButton>("Command4")->isEnabled());
    QVERIFY(ctl<QPushButton>("Command13")->isEnabled());
    QCOMPARE(ctl<controls::FlexGrid>("MSFlexGrid2")->rows(), 1);
}

void TestReceptionEntry::openComplaint_data() {
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("origin"); // 微信号, AppID
    QTest::addColumn<bool>("editable");
    QTest::addColumn<QString>("note");
    QTest::newRow("not accepted") << "尚未受理"
                                  << "NULL, NULL" << true << "";
    QTest::newRow("accepted") << "已受理"
                              << "'wx7', NULL" << false << "本投诉来之微信平台。网友：wx7";
    QTest::newRow("waiting") << "等待 工程部 处理"
                             << "'wx7', 'app7'" << false << "本投诉来之App平台。网友：app7";
}

void TestReceptionEntry::openComplaint() {
    QFETCH(QString, status);
    QFETCH(QString, origin);
    QFETCH(bool, editable);
    QFETCH(QString, note);
    QVERIFY(open({complaint("00000009", "D1", "2024-05-03 16:45:00", status,
                            "地址, 联系电话, 管理处代号, 微信号, AppID",
                            "'A座', '8888', 'G02', " + origin)}));
    QCOMPARE(list()->rows(), 2);
    // a click in the "查看" column opens the row
    emit list()->gridClick(1, 14);
    QVERIFY(ctl<QWidget>("Picture1")->isVisible());
    QCOMPARE(m_window->entryMode(), QString());
    QCOMPARE(text1(0)->text(), QStringLiteral("2024-05-03 16:45"));
    QCOMPARE(text1(1)->text(), QStringLiteral("客户9"));
    QCOMPARE(text1(2)->text(), QStringLiteral("A座"));
    QCOMPARE(text1(3)->text(), QStringLiteral("8888"));
    QCOMPARE(ctl<QPlainTextEdit>("Text1(4)")->toPlainText(), QStringLiteral("内容9"));
    QCOMPARE(text1(5)->text(), QStringLiteral("00000009"));
    QCOMPARE(text1(6)->text(), QStringLiteral("G02 滨江花园"));
    QCOMPARE(ctl<QComboBox>("Combo3")->currentText(), QStringLiteral("G02 滨江花园"));
    QCOMPARE(ctl<QComboBox>("Combo4")->currentText(), QStringLiteral("02 环境卫生"));
    QCOMPARE(ctl<QComboBox>("Combo5")->currentText(), QStringLiteral("02 来访"));
    QCOMPARE(ctl<QComboBox>("Combo2")->currentText(), QStringLiteral("李四"));
    QCOMPARE(ctl<QLabel>("Label1(18)")->text(), note);
    QCOMPARE(ctl<QPushButton>("Command4")->isEnabled(), editable);
    QCOMPARE(ctl<QPushButton>("Command13")->isEnabled(), editable);
    QCOMPARE(ctl<QPushButton>("Command10(0)")->isEnabled(), editable);
    QVERIFY(!ctl<QPushButton>("Command10(1)")->isEnabled());

    // a click elsewhere in the list hides the panels
    emit list()->gridClick(1, 3);
    QVERIFY(!ctl<QWidget>("Picture1")->isVisible());
}

void TestReceptionEntry::recordThroughTheWindow() {
    QVERIFY(open({complaint("00000001", "D1", "2024-05-02 08:00:00", "尚未受理")}));
    QTest::mouseClick(ctl<QPushButton>("Command3"), Qt::LeftButton);
    text1(1)->setText(QStringLiteral("赵女士"));
    QTest::keyClicks(text1(3), QStringLiteral("13500000000"));
    ctl<QPlainTextEdit>("Text1(4)")->setPlainText(QStringLiteral("电梯异响"));
    ctl<QComboBox>("Combo4")->setCurrentIndex(0);
    ctl<QComboBox>("Combo5")->setCurrentIndex(0);
    QTest::mouseClick(ctl<QPushButton>("Command4"), Qt::LeftButton);
    QCOMPARE(m_seam->texts(), QStringList());
    QCOMPARE(m_window->entryMode(), QString());
    m_window->activate();
    QCOMPARE(list()->rows(), 3);
    QCOMPARE(list()->textMatrix(2, 1), QStringLiteral("00000002"));
    QCOMPARE(list()->textMatrix(2, 4), QStringLiteral("2024-05-15 10:07"));
    QCOMPARE(list()->textMatrix(2, 5), QStringLiteral("赵女士"));
    QCOMPARE(list()->textMatrix(2, 11), QStringLiteral("尚未受理"));

    // "新投诉" after opening a row inserts another complaint, it does not overwrite the row
    list()->setRow(2);
    m_window->OpenComplaintInPanel();
    QTest::mouseClick(ctl<QPushButton>("Command3"), Qt::LeftButton);
    text1(1)->setText(QStringLiteral("钱先生"));
    ctl<QPlainTextEdit>("Text1(4)")->setPlainText(QStringLiteral("噪音"));
    QTest::mouseClick(ctl<QPushButton>("Command4"), Qt::LeftButton);
    QCOMPARE(m_db->scalar("SELECT COUNT(*) FROM 投诉信息").toInt(), 3);
    QCOMPARE(m_db->scalar("SELECT 投诉人 FROM 投诉信息 WHERE 投诉编号 = '00000002'").toString(),
             QStringLiteral("赵女士"));
}

void TestReceptionEntry::loadTime_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("date");
    QTest::addColumn<int>("hour");
    QTest::addColumn<int>("minute");
    QTest::newRow("a time") << "2024-03-08 08:35"
                            << "2024-03-08" << 8 << 35;
    QTest::newRow("empty") << ""
                           << "2024-05-15" << 10 << 7;
    QTest::newRow("not a date") << "下午三点"
                                << "2024-05-15" << 10 << 7;
}

void TestReceptionEntry::loadTime() {
    QFETCH(QString, text);
    QFETCH(QString, date);
    QFETCH(int, hour);
    QFETCH(int, minute);
    QVERIFY(open());
    m_window->LoadTime(text);
    QCOMPARE(ctl<QLineEdit>("Text3(0)")->text(), date);
    QCOMPARE(ctl<QLineEdit>("Text3(1)")->text(),
             QStringLiteral("%1").arg(hour, 2, 10, QLatin1Char('0')));
    QCOMPARE(ctl<QLineEdit>("Text3(2)")->text(),
             QStringLiteral("%1").arg(minute, 2, 10, QLatin1Char('0')));
    const QColor blue(0, 0, 255), white(255, 255, 255);
    const QColor text0 = m_window->palette().color(QPalette::WindowText);
    for (int h = 0; h < 24; ++h) {
        QLabel* cell = ctl<QLabel>(QStringLiteral("Label2(%1)").arg(h));
        QCOMPARE(cell->text(), QStringLiteral("%1").arg(h, 2, 10, QLatin1Char('0')));
        QCOMPARE(cell->palette().color(QPalette::Window), h == hour ? blue : QColor(0, 255, 255));
        QCOMPARE(cell->palette().color(QPalette::WindowText), h == hour ? white : text0);
    }
    for (int m = 0; m < 60; ++m) {
        QLabel* cell = ctl<QLabel>(QStringLiteral("Label3(%1)").arg(m));
        const QColor back = m == minute  ? blue
                            : m % 5 == 0 ? QColor(255, 255, 128)
                                         : QColor(255, 192, 128);
        QCOMPARE(cell->palette().color(QPalette::Window), back);
    }
}

void TestReceptionEntry::timePanelSetsTheTime() {
    QVERIFY(open());
    m_window->newComplaint();
    text1(0)->setText(QStringLiteral("2024-05-01 08:30"));
    QTest::mouseClick(ctl<QPushButton>("Command9"), Qt::LeftButton);
    QWidget* panel = ctl<QWidget>("Picture4");
    QVERIFY(panel->isVisible());
    QCOMPARE(panel->x(), ctl<QWidget>("Picture1")->x());
    QVERIFY(panel->y() > ctl<QWidget>("Picture1")->y());

    QLabel* hour = ctl<QLabel>("Label2(14)");
    QTest::mouseClick(hour, Qt::LeftButton);
    QCOMPARE(hour->palette().color(QPalette::Window), QColor(0, 0, 255));
    QCOMPARE(ctl<QLabel>("Label2(8)")->palette().color(QPalette::Window), QColor(0, 255, 255));
    QLabel* minute = ctl<QLabel>("Label3(5)");
    QTest::mousePress(minute, Qt::LeftButton);
    QCOMPARE(minute->frameShape(), QFrame::Box); // pressed look
    QTest::mouseRelease(minute, Qt::LeftButton);
    QCOMPARE(minute->frameShape(), QFrame::NoFrame);
    QCOMPARE(ctl<QLabel>("Label3(30)")->palette().color(QPalette::Window), QColor(255, 255, 128));

    // a day from the calendar
    QTest::mouseClick(ctl<QPushButton>("Command6"), Qt::LeftButton);
    QCalendarWidget* calendar = ctl<QCalendarWidget>("MonthView1");
    QVERIFY(calendar->isVisible());
    QCOMPARE(calendar->selectedDate(), QDate(2024, 5, 1));
    emit calendar->clicked(QDate(2024, 4, 28));
    QVERIFY(!calendar->isVisible());

    QTest::mouseClick(ctl<QPushButton>("Command7"), Qt::LeftButton);
    QCOMPARE(text1(0)->text(), QStringLiteral("2024-04-28 14:05"));
    QVERIFY(!panel->isVisible());
}

void TestReceptionEntry::panelsFollowTheMouse() {
    QVERIFY(open());
    m_window->newComplaint();
    QWidget* entry = ctl<QWidget>("Picture1");
    const QPoint before = entry->pos();
    // a point of the panel's own background, between the fields
    const QPoint grab(entry->width() - 4, entry->height() - 4);
    QTest::mousePress(entry, Qt::LeftButton, {}, grab);
    QMouseEvent move(QEvent::MouseMove, QPointF(grab + QPoint(30, 20)),
                     QPointF(entry->mapToGlobal(grab + QPoint(30, 20))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(entry, &move);
    QTest::mouseRelease(entry, Qt::LeftButton, {}, grab + QPoint(30, 20));
    QCOMPARE(entry->pos(), before + QPoint(30, 20));

    // the close icon: pressed look while the button is down, then the panel is gone
    QLabel* close = ctl<QLabel>("Image2");
    QTest::mousePress(close, Qt::LeftButton);
    QCOMPARE(close->frameShape(), QFrame::Box);
    QTest::mouseRelease(close, Qt::LeftButton);
    QCOMPARE(close->frameShape(), QFrame::NoFrame);
    QVERIFY(!entry->isVisible());
    QCOMPARE(m_window->entryMode(), QStringLiteral("New"));
}

QTEST_MAIN(TestReceptionEntry)
#include "tst_receptionentry.moc"
