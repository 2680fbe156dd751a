// Numbering and saving of the reception window on a real database file: the checks,
// the number with its probe and the race with another desk, every column, the list row.

#include "../common/fakeseam.h"
#include "reception/receptionwindow.h"
#include "receptionfixture.h"

#include "controls/flexgrid.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

namespace {

// Another desk stores the number that this window's probe has just found free.
class RacingWindow : public ReceptionWindow {
public:
    using ReceptionWindow::ReceptionWindow;
    int races = 0;

protected:
    bool complaintNumberTaken(const QString& number) override {
        if (ReceptionWindow::complaintNumberTaken(number))
            return true;
        if (races > 0) {
            --races;
            Connection::SharedConnection().execute(
                QStringLiteral(
                    "INSERT INTO 投诉信息 (投诉编号, 流水号, 部门编号, 投诉人, 处理状态) "
                    "VALUES ('") +
                number + QStringLiteral("', ") + QString::number(number.toLongLong()) +
                QStringLiteral(", 'D9', '别的工作站', '尚未受理')"));
        }
        return false;
    }
};

const QString Stored = QStringLiteral(
    "SELECT 投诉编号, 流水号, 部门编号, 部门名称, 管理处代号, ZH_ID, 投诉人, 地址, 联系电话, "
    "投诉类别, 投诉方式, 投诉时间, 投诉内容, 接待人, 处理状态, 受理时间, 处理时间, 撤销时间 "
    "FROM 投诉信息 WHERE 部门编号 = 'D1' ORDER BY ID DESC");

} // namespace

class TestReceptionSave : public QObject, public ReceptionCase<> {
    Q_OBJECT
private slots:
    void init() { begin(); }
    void cleanup() { end(); }
    void numbering_data();
    void numbering();
    void raceWithAnotherDesk_data();
    void raceWithAnotherDesk();
    void checksInOrder_data();
    void checksInOrder();
    void storedColumnsAndListRow();
    void textsStoredExactly();
    void categoryWithoutBlankStoredWhole();
    void failedStoreIsReported();
    void updateWritesBack();
    void updateChecks_data();
    void updateChecks();

private:
    bool open(const QStringList& extra = {}, bool racing = false);
    // A new complaint with everything the checks need.
    void fillNew();
    QPlainTextEdit* content() { return control<QPlainTextEdit>(m_window.get(), "Text1(4)"); }
    QComboBox* combo(const char* name) { return control<QComboBox>(m_window.get(), name); }
    void clickOk() {
        QTest::mouseClick(control<QPushButton>(m_window.get(), "Command4"), Qt::LeftButton);
    }
};

bool TestReceptionSave::open(const QStringList& extra, bool racing) {
    return m_db->create(extra) && show(racing ? new RacingWindow : new ReceptionWindow);
}

void TestReceptionSave::fillNew() {
    m_window->newComplaint();
    text1(1)->setText(QStringLiteral("陈先生"));
    content()->setPlainText(QStringLiteral("楼道灯坏了"));
    combo("Combo4")->setCurrentIndex(0);
    combo("Combo5")->setCurrentIndex(0);
}

void TestReceptionSave::numbering_data() {
    QTest::addColumn<QStringList>("existing"); // number and serial of stored complaints
    QTest::addColumn<QString>("number");
    QTest::addColumn<qlonglong>("serial");
    QTest::newRow("empty table") << QStringList() << "00000001" << 1LL;
    QTest::newRow("gap: 00000005 taken, largest serial 4")
        << QStringList{"00000003", "3", "00000004", "4", "00000005", "NULL"} << "00000006" << 6LL;
    QTest::newRow("only rows without a serial")
        << QStringList{"00000001", "NULL"} << "00000002" << 2LL;
    QTest::newRow("nine digits") << QStringList{"123456789", "123456789"} << "123456790"
                                 << 123456790LL;
}

void TestReceptionSave::numbering() {
    QFETCH(QStringList, existing);
    QFETCH(QString, number);
    QFETCH(qlonglong, serial);
    QStringList rows;
    for (int i = 0; i + 1 < existing.size(); i += 2)
        rows << QStringLiteral("INSERT INTO 投诉信息 (投诉编号, 流水号, 部门编号, 处理状态) VALUES "
                               "('%1', %2, 'D2', '已受理')")
                    .arg(existing[i], existing[i + 1]);
    QVERIFY(open(rows));
    fillNew();
    clickOk();
    QCOMPARE(m_seam->texts(), QStringList());
    const desk::Recordset rs = m_db->db().query(Stored);
    QCOMPARE(rs.size(), 1);
    QCOMPARE(rs.text(0, "投诉编号"), number);
    QCOMPARE(rs.value(0, "流水号").toLongLong(), serial);
    QCOMPARE(text1(5)->text(), QStringLiteral("<保存时自动生成>"));
    QCOMPARE(list()->textMatrix(list()->rows() - 1, 1), number);
}

void TestReceptionSave::raceWithAnotherDesk_data() {
    QTest::addColumn<int>("races");
    QTest::addColumn<QString>("number"); // empty: not stored
    QTest::newRow("once") << 1 << "00000002";
    QTest::newRow("twice") << 2 << "00000003";
    QTest::newRow("at every try") << 1000 << "";
}

void TestReceptionSave::raceWithAnotherDesk() {
    QFETCH(int, races);
    QFETCH(QString, number);
    QVERIFY(open({}, true));
    static_cast<RacingWindow*>(m_window.get())->races = races;
    fillNew();
    clickOk();
    const desk::Recordset ours = m_db->db().query(Stored);
    if (number.isEmpty()) {
        QCOMPARE(ours.size(), 0);
        QCOMPARE(m_seam->messages.size(), 1);
        QVERIFY(m_seam->messages[0].text.contains(QStringLiteral("尚未保存")));
        QCOMPARE(m_window->entryMode(), QStringLiteral("New"));
        QVERIFY(control<QWidget>(m_window.get(), "Picture1")->isVisible());
    } else {
        QCOMPARE(m_seam->texts(), QStringList());
        QCOMPARE(ours.size(), 1);
        QCOMPARE(ours.text(0, "投诉编号"), number);
        QCOMPARE(ours.value(0, "流水号").toLongLong(), number.toLongLong());
        QCOMPARE(m_db->scalar("SELECT COUNT(*) FROM 投诉信息 WHERE 部门编号 = 'D9'").toInt(),
                 races);
    }
}

void TestReceptionSave::checksInOrder_data() {
    QTest::addColumn<QString>("complainant");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("category");
    QTest::addColumn<int>("channel");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("office");
    QTest::addColumn<QString>("message"); // its beginning
    QTest::newRow("nothing filled") << ""
                                    << "" << -1 << -1 << "x"
                                    << "x"
                                    << "请输入投诉人";
    QTest::newRow("no content") << "陈先生"
                                << "" << -1 << -1 << "x"
                                << "x"
                                << "请输入投诉内容";
    QTest::newRow("blanks count as content, no category") << " "
                                                          << " " << -1 << 0 << "x"
                                                          << "x"
                                                          << "请选择投诉类别！";
    QTest::newRow("no channel") << "陈先生"
                                << "漏水" << 0 << -1 << "x"
                                << "x"
                                << "请选择投诉方式！";
    QTest::newRow("time not a date-time") << "陈先生"
                                          << "漏水" << 0 << 0 << "2024-05-15 下午"
                                          << ""
                                          << "投诉时间“2024-05-15 下午”";
    QTest::newRow("no such day") << "陈先生"
                                 << "漏水" << 0 << 0 << "2024-02-30 10:00"
                                 << ""
                                 << "投诉时间";
    QTest::newRow("office without a code") << "陈先生"
                                           << "漏水" << 0 << 0 << "2024-05-15 10:07"
                                           << "翠苑小区"
                                           << "对应项目“翠苑小区”";
}

void TestReceptionSave::checksInOrder() {
    QFETCH(QString, complainant);
    QFETCH(QString, text);
    QFETCH(int, category);
    QFETCH(int, channel);
    QFETCH(QString, time);
    QFETCH(QString, office);
    QFETCH(QString, message);
    QVERIFY(open());
    m_window->newComplaint();
    text1(0)->setText(time);
    text1(1)->setText(complainant);
    content()->setPlainText(text);
    text1(6)->setText(office);
    combo("Combo4")->setCurrentIndex(category);
    combo("Combo5")->setCurrentIndex(channel);
    clickOk();
    QCOMPARE(m_seam->messages.size(), 1);
    QVERIFY2(m_seam->messages[0].text.startsWith(message), qPrintable(m_seam->messages[0].text));
    QCOMPARE(m_db->scalar("SELECT COUNT(*) FROM 投诉信息").toInt(), 0);
    QCOMPARE(m_window->entryMode(), QStringLiteral("New"));
    QVERIFY(control<QWidget>(m_window.get(), "Picture1")->isVisible());
    QCOMPARE(list()->rows(), 1);
}

void TestReceptionSave::storedColumnsAndListRow() {
    QVERIFY(open());
    fillNew();
    combo("Combo4")->setCurrentIndex(combo("Combo4")->findText(QStringLiteral("02 环境卫生")));
    combo("Combo5")->setCurrentIndex(combo("Combo5")->findText(QStringLiteral("02 来访")));
    text1(0)->setText(QStringLiteral("2024-5-14 9:30"));
    content()->setPlainText(QString(60, QChar(0x6F0F))); // wider than the content column
    clickOk();
    QCOMPARE(m_seam->texts(), QStringList());

    const desk::Recordset rs = m_db->db().query(Stored);
    QCOMPARE(rs.size(), 1);
    QCOMPARE(rs.text(0, "部门编号"), QStringLiteral("D1"));
    QCOMPARE(rs.text(0, "部门名称"), QStringLiteral("客服中心"));
    QCOMPARE(rs.text(0, "投诉类别"), QStringLiteral("环境卫生"));
    QCOMPARE(rs.text(0, "投诉方式"), QStringLiteral("来访"));
    QCOMPARE(rs.text(0, "投诉时间"), QStringLiteral("2024-05-14 09:30:00"));
    QCOMPARE(rs.text(0, "接待人"), QStringLiteral("张三"));
    QCOMPARE(rs.text(0, "处理状态"), QStringLiteral("尚未受理"));
    for (const char* column :
         {"管理处代号", "ZH_ID", "地址", "联系电话", "受理时间", "处理时间", "撤销时间"})
        QVERIFY2(rs.isNull(0, QString::fromUtf8(column)), column);

    // the new list row, without a query
    controls::FlexGrid* grid = list();
    QCOMPARE(grid->rows(), 2);
    QCOMPARE(grid->row(), 1);
    QCOMPARE(grid->textMatrix(1, 0), QStringLiteral("1"));
    QCOMPARE(grid->textMatrix(1, 1), QStringLiteral("00000001"));
    QCOMPARE(grid->textMatrix(1, 2), QStringLiteral("环境卫生"));
    QCOMPARE(grid->textMatrix(1, 5), QStringLiteral("陈先生"));
    QCOMPARE(grid->textMatrix(1, 6), QString());
    QCOMPARE(grid->textMatrix(1, 11), QStringLiteral("尚未受理"));
    QCOMPARE(grid->textMatrix(1, 14), QStringLiteral("查看"));
    QCOMPARE(grid->textMatrix(1, 18),
             m_db->scalar("SELECT ID FROM 投诉信息 WHERE 投诉编号 = '00000001'").toString());
    for (int c = 0; c < grid->cols(); ++c)
        QCOMPARE(grid->cellBackColor(1, c), QColor(255, 238, 228));
    QVERIFY(grid->rowHeight(1) > grid->rowHeight(0));

    QVERIFY(!control<QWidget>(m_window.get(), "Picture1")->isVisible());
    QCOMPARE(m_window->entryMode(), QString());
    QVERIFY(control<QPushButton>(m_window.get(), "Command10(0)")->isEnabled());

    // and the list read from the database shows it as well
    m_window->activate();
    QCOMPARE(grid->rows(), 2);
    QCOMPARE(grid->textMatrix(1, 1), QStringLiteral("00000001"));
    QCOMPARE(grid->textMatrix(1, 4), QStringLiteral("2024-05-14 09:30"));
}

void TestReceptionSave::textsStoredExactly() {
    QVERIFY(open());
    fillNew();
    const QString who = QStringLiteral("O'Neil");
    const QString where = QStringLiteral("1栋'; DROP TABLE 投诉信息; --");
    const QString what = QStringLiteral("他说：'明天修'\n第二行\r\n第三行 \"引号\"");
    text1(1)->setText(who);
    text1(2)->setText(where);
    text1(3)->setText(QStringLiteral("0755-1234"));
    content()->setPlainText(what);
    clickOk();
    QCOMPARE(m_seam->texts(), QStringList());
    const desk::Recordset rs = m_db->db().query(Stored);
    QCOMPARE(rs.size(), 1);
    QCOMPARE(rs.text(0, "投诉人"), who);
    QCOMPARE(rs.text(0, "地址"), where);
    QCOMPARE(rs.text(0, "联系电话"), QStringLiteral("0755-1234"));
    QCOMPARE(rs.text(0, "投诉内容"), content()->toPlainText());
}

void TestReceptionSave::categoryWithoutBlankStoredWhole() {
    QVERIFY(open());
    fillNew();
    combo("Combo4")->addItem(QStringLiteral("其他投诉"));
    combo("Combo4")->setCurrentIndex(combo("Combo4")->count() - 1);
    clickOk();
    QCOMPARE(m_db->scalar("SELECT 投诉类别 FROM 投诉信息").toString(), QStringLiteral("其他投诉"));
}

void TestReceptionSave::failedStoreIsReported() {
    QVERIFY(open({QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON 投诉信息 "
                                 "BEGIN SELECT RAISE(ABORT, '拒绝写入'); END")}));
    fillNew();
    clickOk();
    QCOMPARE(m_seam->messages.size(), 1);
    QCOMPARE(m_seam->messages[0].title, QStringLiteral("提示"));
    QVERIFY(m_seam->messages[0].text.startsWith(QStringLiteral("错误号：")));
    QVERIFY(m_seam->messages[0].text.contains(QStringLiteral("\n错误描述：")));
    QCOMPARE(m_window->entryMode(), QStringLiteral("New"));
    QVERIFY(control<QWidget>(m_window.get(), "Picture1")->isVisible());
    QCOMPARE(list()->rows(), 1);
    QCOMPARE(text1(1)->text(), QStringLiteral("陈先生"));
}

namespace {
const QString StoredComplaint = QStringLiteral(
    "INSERT INTO 投诉信息 (投诉编号, 流水号, 部门编号, 部门名称, 管理处代号, ZH_ID, 投诉人, 地址, "
    "投诉类别, 投诉方式, 投诉时间, 投诉内容, 接待人, 处理状态) VALUES ('00000007', 7, 'D1', "
    "'客服中心', 'G02', 502, '林小梅', 'A座', '物业服务', '电话', '2024-05-10 09:00:00', '旧内容', "
    "'李四', '尚未受理')");
}

void TestReceptionSave::updateWritesBack() {
    QVERIFY(open({StoredComplaint}));
    controls::FlexGrid* grid = list();
    QCOMPARE(grid->rows(), 2);
    grid->setRow(1);
    m_window->OpenComplaintInPanel();
    QCOMPARE(text1(6)->text(), QStringLiteral("G02 滨江花园"));
    QCOMPARE(m_window->ownerIdentifier(), QStringLiteral("502"));

    text1(6)->clear(); // an empty office leaves the stored one alone
    text1(2)->clear();
    content()->setPlainText(QStringLiteral("新内容：'加急'"));
    combo("Combo5")->setCurrentIndex(combo("Combo5")->findText(QStringLiteral("02 来访")));
    clickOk();
    QCOMPARE(m_seam->texts(), QStringList());

    const desk::Recordset rs = m_db->db().query(Stored);
    QCOMPARE(rs.size(), 1);
    QCOMPARE(rs.text(0, "管理处代号"), QStringLiteral("G02"));
    QCOMPARE(rs.value(0, "ZH_ID").toInt(), 502);
    QVERIFY(rs.isNull(0, "地址"));
    QCOMPARE(rs.text(0, "投诉内容"), QStringLiteral("新内容：'加急'"));
    QCOMPARE(rs.text(0, "投诉方式"), QStringLiteral("来访"));
    QCOMPARE(rs.text(0, "投诉时间"), QStringLiteral("2024-05-10 09:00:00"));
    QCOMPARE(rs.text(0, "接待人"), QStringLiteral("李四"));
    QCOMPARE(rs.text(0, "处理状态"), QStringLiteral("尚未受理"));

    QCOMPARE(grid->textMatrix(1, 8), QStringLiteral("新内容：'加急'"));
    QCOMPARE(grid->textMatrix(1, 3), QStringLiteral("来访"));
    QCOMPARE(grid->textMatrix(1, 9), QString());
    QVERIFY(control<QWidget>(m_window.get(), "Picture1")->isVisible());
    QCOMPARE(m_window->entryMode(), QString());

    // a complaint whose number is gone: nothing written, nothing shown
    m_db->db().execute(QStringLiteral("UPDATE 投诉信息 SET 投诉编号 = '00000099'"));
    content()->setPlainText(QStringLiteral("再改"));
    clickOk();
    QCOMPARE(m_seam->texts(), QStringList());
    QCOMPARE(grid->textMatrix(1, 8), QStringLiteral("新内容：'加急'"));
}

void TestReceptionSave::updateChecks_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");
    QTest::newRow("no complainant") << 1 << ""
                                    << "请输入投诉人";
    QTest::newRow("no content") << 4 << ""
                                << "请输入投诉内容";
    QTest::newRow("time not a date-time") << 0 << "上周五"
                                          << "投诉时间“上周五”";
}

void TestReceptionSave::updateChecks() {
    QFETCH(int, field);
    QFETCH(QString, value);
    QFETCH(QString, message);
    QVERIFY(open({StoredComplaint}));
    list()->setRow(1);
    m_window->OpenComplaintInPanel();
    if (field == 4)
        content()->setPlainText(value);
    else
        text1(field)->setText(value);
    text1(3)->setText(QStringLiteral("13700000000"));
    clickOk();
    QCOMPARE(m_seam->messages.size(), 1);
    QVERIFY(m_seam->messages[0].text.startsWith(message));
    const desk::Recordset rs = m_db->db().query(Stored);
    QVERIFY(rs.isNull(0, "联系电话"));
    QCOMPARE(rs.text(0, "投诉内容"), QStringLiteral("旧内容"));
}

QTEST_MAIN(TestReceptionSave)
#include "tst_receptionsave.moc"
