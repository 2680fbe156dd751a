// The reception list through the real window on a real database file: the month and its
// ends, the search panel with its drop-downs, locating a complainant, voiding, attaching
// and opening a file, the export, the command bar's layout.

#include "../common/fakeseam.h"
#include "reception/receptionwindow.h"
#include "receptionfixture.h"

#include "controls/flexgrid.h"
#include "controls/twips.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using controls::twipsToPixelsX;

namespace {

using Columns = QMap<QString, QString>;

// A complaint of the department D1; `more` overrides or adds columns (values quoted, NULL
// stays a null).
QString complaint(const QString& number, const QString& time, const Columns& more = {}) {
    Columns c{{"投诉编号", number},     {"流水号", QString::number(number.toInt())},
              {"部门编号", "D1"},       {"投诉人", "客户" + QString::number(number.toInt())},
              {"投诉类别", "物业服务"}, {"投诉方式", "电话"},
              {"投诉时间", time},       {"投诉内容", "内容"},
              {"接待人", "张三"},       {"处理状态", "尚未受理"}};
    for (auto it = more.begin(); it != more.end(); ++it)
        c[it.key()] = it.value();
    QStringList values;
    for (const QString& v : c)
        values << (v == "NULL" ? v : "'" + QString(v).replace("'", "''") + "'");
    return "INSERT INTO 投诉信息 (" + c.keys().join(", ") + ") VALUES (" + values.join(", ") + ")";
}

// Records whether the command bar was usable while the save dialog was open.
class ExportSeam : public FakeSeam {
public:
    QWidget* bar = nullptr;
    bool barEnabledInDialog = true;
    Platform::FileChoice saveFile(QWidget* parent, const QString& title, const QString& proposed,
                                  const QString& filter) override {
        barEnabledInDialog = bar && bar->isEnabled();
        return FakeSeam::saveFile(parent, title, proposed, filter);
    }
};

} // namespace

class TestReceptionList : public QObject, public ReceptionCase<ExportSeam> {
    Q_OBJECT
private slots:
    void init() { begin(); }
    void cleanup() { end(); }
    void monthEnds_data();
    void monthEnds();
    void search_data();
    void search();
    void categoryAndChannelChoices();
    void locate();
    void voidComplaint_data();
    void voidComplaint();
    void attachFileAndOpenIt();
    void exportTheList_data();
    void exportTheList();
    void commandBarLayout_data();
    void commandBarLayout();

private:
    bool open(const QStringList& extra, int width = 1400);
    QStringList listed() {
        QStringList out;
        for (int r = 1; r < list()->rows(); ++r)
            out << list()->textMatrix(r, 1);
        return out;
    }
    void click(const QString& button) {
        QTest::mouseClick(ctl<QPushButton>(button), Qt::LeftButton);
    }
    void clickItem(QListWidget* l, int row) {
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {},
                          l->visualItemRect(l->item(row)).center());
    }
    QStringList selected(QListWidget* l) {
        QStringList out;
        for (int i = 0; i < l->count(); ++i)
            if (l->item(i)->isSelected())
                out << l->item(i)->text();
        return out;
    }
};

bool TestReceptionList::open(const QStringList& extra, int width) {
    if (!m_db->create(extra))
        return false;
    const bool quiet = show(new ReceptionWindow, QSize(width, 800));
    m_seam->bar = ctl<QWidget>("Picture2");
    return quiet;
}

void TestReceptionList::monthEnds_data() {
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QStringList>("times"); // of complaints 1, 2, ...
    QTest::addColumn<QStringList>("listed");
    const QStringList january = {"2023-12-31 23:59:00", "2024-01-01 00:00:00",
                                 "2024-01-31 23:59:00", "2024-02-01 00:00:00",
                                 "2024-02-01 00:01:00"};
    QTest::newRow("January") << QDate(2024, 1, 20) << january
                             << QStringList{"00000002", "00000003", "00000004"};
    const QStringList december = {"2024-11-30 23:59:00", "2024-12-01 00:00:00",
                                  "2024-12-31 23:59:00", "2025-01-01 00:00:00",
                                  "2025-01-01 00:01:00"};
    QTest::newRow("December") << QDate(2024, 12, 31) << december
                              << QStringList{"00000002", "00000003", "00000004"};
}

void TestReceptionList::monthEnds() {
    QFETCH(QDate, today);
    QFETCH(QStringList, times);
    QFETCH(QStringList, listed);
    m_seam->clock = QDateTime(today, QTime(9, 0));
    QStringList rows;
    for (int i = 0; i < times.size(); ++i)
        rows << complaint(QStringLiteral("%1").arg(i + 1, 8, 10, QLatin1Char('0')), times[i]);
    QVERIFY(open(rows));
    QCOMPARE(this->listed(), listed);
}

void TestReceptionList::search_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("status 等待处理: every waiting status")
        << "Combo1"
        << "等待处理" << QStringList{"00000003", "00000004"};
    QTest::newRow("status 处理完成: also waiting for the reply")
        << "Combo1"
        << "处理完成" << QStringList{"00000004", "00000005", "00000006", "00000007"};
    QTest::newRow("status 已受理") << "Combo1"
                                   << "已受理" << QStringList{"00000002"};
    QTest::newRow("satisfied, replied within the month") << "Combo6"
                                                         << "满意" << QStringList{"00000005"};
    QTest::newRow("dissatisfied") << "Combo6"
                                  << "不满意" << QStringList{"00000007"};
    QTest::newRow("complainant with a quote and trailing blanks")
        << "Text6"
        << "O'Brien  " << QStringList{"00000002"};
    QTest::newRow("telephone") << "Text7"
                               << "0755" << QStringList{"00000001"};
    QTest::newRow("address") << "Text8"
                             << "1栋" << QStringList{"00000001"};
    QTest::newRow("content") << "Text9"
                             << "灯" << QStringList{"00000001"};
    QTest::newRow("receiver") << "Text10"
                              << "李四" << QStringList{"00000002"};
    QTest::newRow("nothing matches") << "Text6"
                                     << "%无此人" << QStringList();
}

void TestReceptionList::search() {
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QStringList, listed);
    QVERIFY(open({
        complaint("00000001", "2024-05-02 08:00:00",
                  {{"投诉人", "陈大文"},
                   {"联系电话", "07551234"},
                   {"地址", "翠苑1栋"},
                   {"投诉内容", "楼道灯坏了"}}),
        complaint("00000002", "2024-05-03 08:00:00",
                  {{"投诉人", "O'Brien"}, {"处理状态", "已受理"}, {"接待人", "李四"}}),
        complaint("00000003", "2024-05-04 08:00:00", {{"处理状态", "等待 工程部 处理"}}),
        complaint("00000004", "2024-05-05 08:00:00", {{"处理状态", "处理完成，等待答复"}}),
        complaint(
            "00000005", "2024-05-06 08:00:00",
            {{"处理状态", "处理完成"}, {"处理时间", "2024-05-10 00:00:00"}, {"结果满意度", "1"}}),
        // replied after the month: its reply is outside the range
        complaint(
            "00000006", "2024-05-07 08:00:00",
            {{"处理状态", "处理完成"}, {"处理时间", "2024-06-02 00:00:00"}, {"结果满意度", "1"}}),
        complaint(
            "00000007", "2024-05-08 08:00:00",
            {{"处理状态", "处理完成"}, {"处理时间", "2024-05-09 00:00:00"}, {"结果满意度", "0"}}),
    }));
    QCOMPARE(list()->rows(), 8);
    click("Command12");
    QVERIFY(ctl<QWidget>("Picture5")->isVisible());
    if (field.startsWith("Combo"))
        ctl<QComboBox>(field)->setCurrentText(value);
    else
        ctl<QLineEdit>(field)->setText(value);
    click("Command18");
    QCOMPARE(m_seam->texts(), QStringList());
    QCOMPARE(this->listed(), listed);
    QVERIFY(!ctl<QWidget>("Picture5")->isVisible());
}

void TestReceptionList::categoryAndChannelChoices() {
    QVERIFY(open({
        "INSERT INTO 投诉类别 (编号, 类别) VALUES ('10', '租户''s房')",
        complaint("00000001", "2024-05-02 08:00:00"),
        complaint("00000002", "2024-05-03 08:00:00", {{"投诉类别", "设施设备"}}),
        complaint("00000003", "2024-05-04 08:00:00",
                  {{"投诉类别", "租户's房"}, {"投诉方式", "来访"}}),
        complaint("00000004", "2024-05-05 08:00:00", {{"投诉类别", "环境卫生"}}),
    }));
    QListWidget* list1 = ctl<QListWidget>("List1");
    QStringList items;
    for (int i = 0; i < list1->count(); ++i)
        items << list1->item(i)->text();
    // by the length of the code, then the code
    QCOMPARE(items, QStringList({"全部", "物业服务", "环境卫生", "设施设备", "租户's房"}));
    QCOMPARE(ctl<QLineEdit>("Text4")->text(), QStringLiteral("全部"));
    QCOMPARE(ctl<QLineEdit>("Text5")->text(), QStringLiteral("全部"));

    click("Command12");
    click("Command14");
    QWidget* drop = ctl<QWidget>("Picture11");
    QVERIFY(drop->isVisible());
    QLineEdit* text4 = ctl<QLineEdit>("Text4");
    const QRect field(text4->mapTo(ctl<QWidget>("Picture5"), QPoint(0, 0)), text4->size());
    QCOMPARE(drop->geometry().right(), field.right());
    QVERIFY(drop->y() >= field.bottom());

    clickItem(list1, 3);
    clickItem(list1, 4);
    QCOMPARE(selected(list1), QStringList({"设施设备", "租户's房"}));
    click("Command15");
    QVERIFY(!drop->isVisible());
    QCOMPARE(text4->text(), QStringLiteral("设施设备，租户's房"));
    QCOMPARE(m_window->categoryFilterList(), QStringLiteral("'设施设备','租户''s房'"));
    click("Command18");
    QCOMPARE(m_seam->texts(), QStringList());
    QCOMPARE(listed(), QStringList({"00000002", "00000003"}));

    // with a channel as well
    click("Command12");
    click("Command16");
    QListWidget* list2 = ctl<QListWidget>("List2");
    clickItem(list2, 2);
    QCOMPARE(selected(list2), QStringList({"来访"}));
    click("Command17");
    QCOMPARE(ctl<QLineEdit>("Text5")->text(), QStringLiteral("来访"));
    click("Command18");
    QCOMPARE(listed(), QStringList({"00000003"}));

    // "全部" takes back every other choice
    click("Command12");
    click("Command14");
    clickItem(list1, 0);
    QCOMPARE(selected(list1), QStringList({"全部"}));
    click("Command15");
    QCOMPARE(text4->text(), QStringLiteral("全部"));
    QCOMPARE(m_window->categoryFilterList(), QString());

    // nothing chosen narrows nothing: no empty In list reaches the database
    click("Command16");
    clickItem(list2, 2); // 来访 off again
    QCOMPARE(selected(list2), QStringList());
    click("Command17");
    QCOMPARE(ctl<QLineEdit>("Text5")->text(), QStringLiteral("全部"));
    QCOMPARE(selected(list2), QStringList({"全部"}));
    click("Command18");
    QCOMPARE(m_seam->texts(), QStringList());
    QCOMPARE(listed(), QStringList({"00000001", "00000002", "00000003", "00000004"}));

    // the close icon hides the panel and its drop-downs
    click("Command12");
    click("Command14");
    QLabel* close = ctl<QLabel>("Image3");
    QTest::mousePress(close, Qt::LeftButton);
    QTest::mouseRelease(close, Qt::LeftButton);
    QVERIFY(!ctl<QWidget>("Picture5")->isVisible());
    QVERIFY(drop->isHidden());
}

void TestReceptionList::locate() {
    QVERIFY(open({
        complaint("00000001", "2024-05-02 08:00:00", {{"投诉人", "王小明"}}),
        complaint("00000002", "2024-05-03 08:00:00", {{"投诉人", "李红"}}),
        complaint("00000003", "2024-05-04 08:00:00", {{"投诉人", "小王"}}),
    }));
    QPushButton* locate = ctl<QPushButton>("Command11");
    // an empty text finds every row in turn, then reports the end and starts again
    for (int r = 1; r <= 3; ++r) {
        click("Command11");
        QCOMPARE(list()->row(), r);
        QCOMPARE(locate->text(), QStringLiteral("下一条"));
    }
    click("Command11");
    QCOMPARE(m_seam->texts(), QStringList({"未找到匹配记录"}));
    QCOMPARE(locate->text(), QStringLiteral("定位"));
    QCOMPARE(locate->property("Tag").toString(), QStringLiteral("0"));
    click("Command11");
    QCOMPARE(list()->row(), 1);

    // a text: containment, case and all; typing starts again from the top
    m_seam->clear();
    click("Command11");
    QCOMPARE(list()->row(), 2);
    ctl<QLineEdit>("Text2")->setText(QStringLiteral("王"));
    QCOMPARE(locate->text(), QStringLiteral("定位"));
    click("Command11");
    QCOMPARE(list()->row(), 1);
    click("Command11");
    QCOMPARE(list()->row(), 3);
    // "刷新" starts again too
    click("Command2");
    QCOMPARE(locate->text(), QStringLiteral("定位"));
    click("Command11");
    QCOMPARE(list()->row(), 1);
    QCOMPARE(m_seam->texts(), QStringList());
}

void TestReceptionList::voidComplaint_data() {
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("newComplaint"); // the panel shows a new complaint instead
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QStringList>("questions");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("voided");
    const QStringList question{"确认要作废编号为00000002的投诉？"};
    QTest::newRow("not accepted, yes")
        << "尚未受理" << false << true << question << QStringList() << true;
    QTest::newRow("not accepted, no")
        << "尚未受理" << false << false << question << QStringList() << false;
    QTest::newRow("accepted") << "已受理" << false << true << question
                              << QStringList{"已经处理完成的投诉不能作废！"} << false;
    QTest::newRow("waiting for a department")
        << "等待 工程部 处理" << false << true << question
        << QStringList{"已经处理完成的投诉不能作废！"} << false;
    QTest::newRow("a new complaint is not stored yet")
        << "尚未受理" << true << true << QStringList() << QStringList() << false;
}

void TestReceptionList::voidComplaint() {
    QFETCH(QString, status);
    QFETCH(bool, newComplaint);
    QFETCH(bool, answer);
    QFETCH(QStringList, questions);
    QFETCH(QStringList, messages);
    QFETCH(bool, voided);
    QVERIFY(open({complaint("00000001", "2024-05-02 08:00:00"),
                  complaint("00000002", "2024-05-03 08:00:00", {{"处理状态", status}}),
                  complaint("00000003", "2024-05-04 08:00:00")}));
    emit list()->gridClick(2, 14);
    QVERIFY(ctl<QWidget>("Picture1")->isVisible());
    if (newComplaint)
        m_window->newComplaint();
    m_seam->answers.enqueue(answer);
    // the routine behind "投诉作废" (the button itself is off for an accepted complaint)
    m_window->voidComplaint();
    QCOMPARE(m_seam->questions, questions);
    QCOMPARE(m_seam->texts(), messages);
    if (!messages.isEmpty())
        QCOMPARE(m_seam->messages[0].icon, Platform::Icon::Information);
    const QVariant voidedAt =
        m_db->scalar("SELECT 撤销时间 FROM 投诉信息 WHERE 投诉编号 = '00000002'");
    QCOMPARE(!voidedAt.isNull(), voided);
    // no other complaint is touched
    QCOMPARE(m_db->scalar("SELECT COUNT(*) FROM 投诉信息 WHERE 撤销时间 IS NOT NULL").toInt(),
             voided ? 1 : 0);
    if (voided) {
        QCOMPARE(desk::parseSqlDateTime(voidedAt.toString()), m_seam->clock);
        QCOMPARE(listed(), QStringList({"00000001", "00000003"}));
        QVERIFY(!ctl<QWidget>("Picture1")->isVisible());
    } else {
        QCOMPARE(list()->rows(), 4);
    }
}

void TestReceptionList::attachFileAndOpenIt() {
    QVERIFY(open({complaint("00000001", "2024-05-02 08:00:00")}));
    QPushButton* add = ctl<QPushButton>("Command10(0)");
    // a new complaint takes files once it is stored
    click("Command3");
    QVERIFY(!add->isEnabled());
    ctl<QLineEdit>("Text1(1)")->setText(QStringLiteral("赵女士"));
    ctl<QPlainTextEdit>("Text1(4)")->setPlainText(QStringLiteral("电梯异响"));
    ctl<QComboBox>("Combo4")->setCurrentIndex(0);
    ctl<QComboBox>("Combo5")->setCurrentIndex(0);
    click("Command4");
    QCOMPARE(m_seam->texts(), QStringList());
    QCOMPARE(list()->textMatrix(2, 1), QStringLiteral("00000002"));
    emit list()->gridClick(2, 14);
    QVERIFY(add->isEnabled());

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("现场照片.jpg"));
    const QByteArray bytes("\x00\xff\xd8 photo", 10);
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    m_seam->files.enqueue({false, path});
    click("Command10(0)");
    QCOMPARE(m_seam->texts(), QStringList());
    auto* files = ctl<controls::FlexGrid>("MSFlexGrid2");
    QCOMPARE(files->rows(), 2);
    QCOMPARE(files->textMatrix(1, 1), QStringLiteral("现场照片.jpg"));
    QCOMPARE(
        m_db->scalar("SELECT 投诉编号 || '|' || 类型 || '|' || CZYDH FROM 投诉资料").toString(),
        QStringLiteral("00000002|投诉人提交|E01"));

    // the window lists the file again when the complaint is opened, and opens it from "浏览"
    emit list()->gridClick(1, 14);
    QCOMPARE(files->rows(), 1);
    emit list()->gridClick(2, 14);
    QCOMPARE(files->rows(), 2);
    emit files->gridClick(1, 2);
    QCOMPARE(m_seam->opened.size(), 1);
    QVERIFY(m_seam->opened[0].startsWith(m_window->TpmePath()));
    QFile written(m_seam->opened[0]);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), bytes);

    m_window->删除资料();
    QCOMPARE(files->rows(), 1);
    QCOMPARE(m_db->scalar("SELECT COUNT(*) FROM 投诉资料").toInt(), 0);
}

void TestReceptionList::exportTheList_data() {
    QTest::addColumn<bool>("cancelled");
    QTest::addColumn<QString>("message");
    QTest::newRow("chosen") << false << "投诉信息表导出成功!";
    QTest::newRow("cancelled") << true << "您取消了导出操作！";
}

void TestReceptionList::exportTheList() {
    QFETCH(bool, cancelled);
    QFETCH(QString, message);
    QVERIFY(open({complaint("00000001", "2024-05-02 08:00:00", {{"联系电话", "07551234"}}),
                  complaint("00000002", "2024-05-03 08:00:00")}));
    QTemporaryDir dir;
    const QString chosen = dir.filePath(QStringLiteral("五月.xls"));
    m_seam->files.enqueue({cancelled, cancelled ? QString() : chosen});
    click("Command20");
    QCOMPARE(m_seam->lastProposed, QStringLiteral("投诉信息表_20240515"));
    QVERIFY(m_seam->lastFilter.contains(QStringLiteral("*.xlsx")));
    QVERIFY(!m_seam->barEnabledInDialog);
    QCOMPARE(m_seam->texts(), QStringList{message});
    QCOMPARE(m_seam->messages[0].title, QStringLiteral("系统提示"));
    QCOMPARE(m_seam->messages[0].icon, Platform::Icon::Information);
    QCOMPARE(QFile::exists(dir.filePath(QStringLiteral("五月.xlsx"))), !cancelled);
    QVERIFY(ctl<QWidget>("Picture2")->isEnabled());
    QVERIFY(!ctl<QProgressBar>("ProgressBar1")->isVisible());
}

void TestReceptionList::commandBarLayout_data() {
    QTest::addColumn<int>("width");
    QTest::newRow("wide") << 1500;
    QTest::newRow("narrow") << 700;
}

void TestReceptionList::commandBarLayout() {
    QFETCH(int, width);
    QVERIFY(open({}, width));
    QWidget* bar = ctl<QWidget>("Picture2");
    controls::FlexGrid* grid = list();
    // the list reaches down to the command bar, which holds the commands
    QCOMPARE(grid->geometry().bottom() + 1, bar->y());
    QCOMPARE(grid->x() + grid->width() + twipsToPixelsX(45, m_window.get()), m_window->width());
    for (const char* name : {"Command3", "Command2", "Command12", "Command11", "Command20",
                             "Command5", "ProgressBar1"})
        QVERIFY2(bar->isAncestorOf(ctl<QWidget>(name)), name);

    int others = 0;
    for (int c = 0; c <= 14; ++c)
        if (c != 8)
            others += grid->colWidth(c);
    const int room = controls::pixelsToTwipsX(grid->width(), m_window.get()) - others - 300;
    QCOMPARE(grid->colWidth(8), room > 1600 ? room : 1600);

    QWidget* exit = ctl<QWidget>("Command5");
    const int fromRight = bar->width() - twipsToPixelsX(300, m_window.get()) - exit->width();
    QCOMPARE(exit->x(), qMax(fromRight, twipsToPixelsX(10890, m_window.get())));
    QWidget* exportButton = ctl<QWidget>("Command20");
    QWidget* progress = ctl<QWidget>("ProgressBar1");
    QCOMPARE(progress->x(),
             exportButton->geometry().right() + 1 + twipsToPixelsX(100, m_window.get()));
    QCOMPARE(progress->width(), bar->width() - 2 * progress->x());
}

QTEST_MAIN(TestReceptionList)
#include "tst_receptionlist.moc"
