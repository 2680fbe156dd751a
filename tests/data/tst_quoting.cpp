// Values spliced into statements, the canonical date-time texts, and the status vocabulary.

#include "common/testdb.h"
#include "data/connection.h"
#include "data/status.h"

#include <QTemporaryDir>
#include <QtTest>

class TestQuoting : public QObject {
    Q_OBJECT

private slots:
    void quotedPasswordFindsNoRow_data();
    void quotedPasswordFindsNoRow();
    void sqlNumber_data();
    void sqlNumber();
    void dateTimeTexts();
    void parseDateTime_data();
    void parseDateTime();
    void statusVocabulary();
    void codeAndNameItems_data();
    void codeAndNameItems();
};

void TestQuoting::quotedPasswordFindsNoRow_data() {
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("found");
    QTest::newRow("injection") << "' or '1'='1" << false;
    QTest::newRow("comment") << "x' --" << false;
    QTest::newRow("right password with a quote") << "it's" << true;
    QTest::newRow("wrong password") << "its" << false;
}

void TestQuoting::quotedPasswordFindsNoRow() {
    QFETCH(QString, password);
    QFETCH(bool, found);
    QTemporaryDir dir;
    desk::SqlConnection c;
    QVERIFY(
        testdb::run(dir.filePath(QStringLiteral("staff.db")),
                    {QStringLiteral("CREATE TABLE 员工档案 (工号 TEXT, 姓名 TEXT, 帐号密码 TEXT)"),
                     QStringLiteral("INSERT INTO 员工档案 VALUES ('x', '张三', 'it''s')")}));
    c.open(QStringLiteral("Provider=SQLOLEDB.1;Password=;Persist Security Info=False;User ID=;"
                          "Initial Catalog='';Data Source='") +
           dir.filePath(QStringLiteral("staff.db")) + QStringLiteral("'"));
    const desk::Recordset rs =
        c.query(QStringLiteral("Select * From 员工档案 Where 工号 ='x' and 帐号密码='") +
                desk::sqlText(password) + QStringLiteral("'"));
    QCOMPARE(!rs.isEmpty(), found);
}

void TestQuoting::sqlNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("spliced"); // empty: refused
    QTest::newRow("blanks trimmed") << " 12 "
                                    << "12";
    QTest::newRow("signed decimal") << "-3.50"
                                    << "-3.50";
    QTest::newRow("plus") << "+7"
                          << "+7";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("statement") << "1; Delete 投诉信息"
                               << "";
    QTest::newRow("exponent") << "1e5"
                              << "";
    QTest::newRow("trailing point") << "1."
                                    << "";
    QTest::newRow("full-width digits") << "１２"
                                       << "";
    QTest::newRow("inner blank") << "1 2"
                                 << "";
}

void TestQuoting::sqlNumber() {
    QFETCH(QString, text);
    QFETCH(QString, spliced);
    if (!spliced.isEmpty()) {
        QCOMPARE(desk::sqlNumber(text), spliced);
        return;
    }
    try {
        desk::sqlNumber(text);
        QFAIL("not a number, but spliced");
    } catch (const desk::DbError& e) {
        QCOMPARE(e.number, int(desk::DbError::NotANumber));
        QCOMPARE(e.description, QStringLiteral("\"") + text + QStringLiteral("\" 不是数字"));
    }
}

void TestQuoting::dateTimeTexts() {
    QCOMPARE(desk::sqlText(QStringLiteral("a'b''c")), QStringLiteral("a''b''''c"));
    QCOMPARE(desk::sqlDateTime(QDateTime(QDate(2026, 1, 5), QTime(9, 5, 7, 999))),
             QStringLiteral("2026-01-05 09:05:07"));
    QCOMPARE(desk::sqlDate(QDate(2026, 1, 5)), QStringLiteral("2026-01-05"));
    QCOMPARE(desk::sqlNumber(qint64(-42)), QStringLiteral("-42"));
}

void TestQuoting::parseDateTime_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("compact");
    QTest::addColumn<QString>("canonical"); // empty: not a date-time
    QTest::newRow("no leading zeros") << "2026-1-5" << false << "2026-01-05 00:00:00";
    QTest::newRow("slashes, time") << "2026/1/5 9:05" << false << "2026-01-05 09:05:00";
    QTest::newRow("dots, seconds") << "2026.12.31 23:59:59" << false << "2026-12-31 23:59:59";
    QTest::newRow("T") << "2026-01-05T10:00:00" << false << "2026-01-05 10:00:00";
    QTest::newRow("mixed separators") << "2026-1/5" << false << "";
    QTest::newRow("no such day") << "2026-2-30" << false << "";
    QTest::newRow("no such hour") << "2026-2-3 24:00" << false << "";
    QTest::newRow("compact refused") << "20260105" << false << "";
    QTest::newRow("compact accepted") << "20260105" << true << "2026-01-05 00:00:00";
    QTest::newRow("text") << "明天" << true << "";
}

void TestQuoting::parseDateTime() {
    QFETCH(QString, text);
    QFETCH(bool, compact);
    QFETCH(QString, canonical);
    QCOMPARE(desk::sqlDateTime(desk::parseSqlDateTime(text, compact)), canonical);
}

void TestQuoting::statusVocabulary() {
    QCOMPARE(desk::statusNotAccepted(), QStringLiteral("尚未受理"));
    QCOMPARE(desk::statusAccepted(), QStringLiteral("已受理"));
    QCOMPARE(desk::statusAwaitingReply(), QStringLiteral("处理完成，等待答复"));
    QCOMPARE(desk::statusClosed(), QStringLiteral("处理完成"));
    QCOMPARE(desk::waitingStatus(QStringLiteral("工程部 维修班 夜班")),
             QStringLiteral("等待 工程部 处理"));
    QCOMPARE(desk::waitingStatus(QStringLiteral("客服中心")), QStringLiteral("等待 客服中心 处理"));
}

void TestQuoting::codeAndNameItems_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("name");
    QTest::newRow("code and name") << "01 物业 服务"
                                   << "01"
                                   << "物业 服务";
    QTest::newRow("code only") << "01"
                               << "01"
                               << "";
    QTest::newRow("empty name") << "01 "
                                << "01"
                                << "";
}

void TestQuoting::codeAndNameItems() {
    QFETCH(QString, item);
    QFETCH(QString, code);
    QFETCH(QString, name);
    QCOMPARE(desk::codeOfItem(item), code);
    QCOMPARE(desk::nameOfItem(item), name);
    if (!name.isEmpty())
        QCOMPARE(desk::itemText(code, name), item);
}

QTEST_GUILESS_MAIN(TestQuoting)
#include "tst_quoting.moc"
