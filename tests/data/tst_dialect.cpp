// The SQLite dialect: statements written for SQL Server, rewritten to the same meaning.
// First as text, then run on a real SQLite database to check the meaning itself.

#include "data/connection.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

using desk::Engine;

class TestDialect : public QObject {
    Q_OBJECT

private slots:
    void sqlServerSendsBatchUnchanged();
    void translate_data();
    void translate();
    void split_data();
    void split();
    void meaning_data();
    void meaning();

private:
    QString run(const QString& batch);
};

void TestDialect::sqlServerSendsBatchUnchanged() {
    const auto dialect = desk::makeDialect(Engine::SqlServer);
    const QString batch = QStringLiteral(
        "Update 投诉信息 Set 处理状态='已受理' Where 投诉编号='1' Insert Into 投诉信息处理 "
        "(投诉编号) Values (N'1')");
    QCOMPARE(dialect->engine(), Engine::SqlServer);
    QCOMPARE(dialect->statements(batch), QStringList{batch});
}

void TestDialect::translate_data() {
    QTest::addColumn<QString>("tsql");
    QTest::addColumn<QStringList>("dateColumns");
    QTest::addColumn<QString>("sqlite");
    const QStringList none;
    const QStringList dates{QStringLiteral("处理时间"), QStringLiteral("接受时间"),
                            QStringLiteral("投诉时间")};

    QTest::newRow("N prefix") << "Select * From 投诉信息处理 Where 投诉编号 = N'0''1'" << none
                              << "Select * From 投诉信息处理 Where 投诉编号 = '0''1'";
    QTest::newRow("N inside a literal stays")
        << "Select * From t Where a = 'N''x' And b=n'y'" << none
        << "Select * From t Where a = 'N''x' And b='y'";
    QTest::newRow("convert text to date-time, no leading zeros")
        << " AND (投诉时间 BETWEEN CONVERT(DATETIME, '2026-1-01', 102) AND CONVERT(DATETIME, "
           "'2026/2/1', 102))"
        << none << "AND (投诉时间 BETWEEN '2026-01-01 00:00:00' AND '2026-02-01 00:00:00')";
    QTest::newRow("convert dotted date with time")
        << "Select * From t Where x > convert(datetime,'2026.3.4 5:06',102)" << none
        << "Select * From t Where x > '2026-03-04 05:06:00'";
    QTest::newRow("convert a column to date-time")
        << "Select CONVERT(DATETIME, 投诉时间, 102) From 投诉信息" << none
        << "Select datetime(投诉时间) From 投诉信息";
    QTest::newRow("style 112, Char")
        << " WHERE (CONVERT(Char,投诉信息.投诉时间,112) BETWEEN '20260101' and '20260131')" << none
        << "WHERE (strftime('%Y%m%d', 投诉信息.投诉时间) BETWEEN '20260101' and '20260131')";
    QTest::newRow("style 112, char(8), spaced")
        << "And Convert ( char(8) , 处理结束时间 , 112 ) Between '20260101' And '20260102'" << none
        << "And strftime('%Y%m%d', 处理结束时间) Between '20260101' And '20260102'";
    QTest::newRow("len ignores trailing blanks")
        << "select * From 投诉类别 order by len(编号),编号,类别" << none
        << "select * From 投诉类别 order by length(rtrim(编号)),编号,类别";
    QTest::newRow("delete without from")
        << "Delete 投诉回复方式 Where ID= 5" << none << "DELETE FROM 投诉回复方式 Where ID= 5";
    QTest::newRow("delete with from stays")
        << "delete  FROM 投诉类别 where 编号='1'" << none << "delete  FROM 投诉类别 where 编号='1'";
    QTest::newRow("case groups joined by +")
        << "select (case when [地址1] is not null then [地址1] else '' end) + (case when [字1] is "
           "not null then [字1] else '' end) as DZ,L_ID FROM 楼表"
        << none
        << "select (case when [地址1] is not null then [地址1] else '' end) || (case when [字1] "
           "is not null then [字1] else '' end) as DZ,L_ID FROM 楼表";
    QTest::newRow("numeric + stays") << "Select Max(流水号)+1 As n, a + 2 From 投诉信息" << none
                                     << "Select Max(流水号)+1 As n, a + 2 From 投诉信息";
    QTest::newRow("a chain with one text operand")
        << "Select 姓名 + ' ' + 工号, x+1 From 员工档案" << none
        << "Select 姓名 || ' ' || 工号, x+1 From 员工档案";
    QTest::newRow("conversion to text joined")
        << "Select Convert(Char, t.d, 112) + '-' From t" << none
        << "Select strftime('%Y%m%d', t.d) || '-' From t";
    QTest::newRow("brackets and literals are opaque")
        << "Select [a+b] + 1, 'len(x) + N''y''' From [Delete]" << none
        << "Select [a+b] + 1, 'len(x) + N''y''' From [Delete]";
    QTest::newRow("server functions")
        << "Select IsNull(a, ''), GetDate(), Cast('2026-1-5' As DateTime) From t" << none
        << "Select ifnull(a, ''), datetime('now', 'localtime'), '2026-01-05 00:00:00' From t";
    QTest::newRow("top n") << "Select top 5 * From t Order By a" << none
                           << "Select * From t Order By a LIMIT 5";
    QTest::newRow("date literal set into a date-time column")
        << "Update 投诉信息 Set 处理时间 ='2026/1/5', 答复内容 ='2026/1/5' Where 投诉编号='1'"
        << dates
        << "Update 投诉信息 Set 处理时间 ='2026-01-05 00:00:00', 答复内容 ='2026/1/5' Where "
           "投诉编号='1'";
    QTest::newRow("date-like password stays")
        << "Select * From 员工档案 Where 工号 ='1' and 帐号密码='1990-1-1'" << dates
        << "Select * From 员工档案 Where 工号 ='1' and 帐号密码='1990-1-1'";
    QTest::newRow("inserted date-time by position")
        << "Insert Into 投诉信息处理 (投诉编号, 顺序号, 接受时间) Values ('2026-1-5', 1, "
           "'2026-1-5 9:05')"
        << dates
        << "Insert Into 投诉信息处理 (投诉编号, 顺序号, 接受时间) Values ('2026-1-5', 1, "
           "'2026-01-05 09:05:00')";
    QTest::newRow("qualified date-time column, between")
        << "Select * From 投诉信息 B Where B.投诉时间 Between '2026/1/1' And '2026/1/31 23:59:59'"
        << dates
        << "Select * From 投诉信息 B Where B.投诉时间 Between '2026-01-01 00:00:00' And "
           "'2026-01-31 23:59:59'";
    QTest::newRow("unreadable date-time text stays")
        << "Update 投诉信息 Set 处理时间 ='明天' Where ID=1" << dates
        << "Update 投诉信息 Set 处理时间 ='明天' Where ID=1";
}

void TestDialect::translate() {
    QFETCH(QString, tsql);
    QFETCH(QStringList, dateColumns);
    QFETCH(QString, sqlite);
    const auto dialect = desk::makeDialect(Engine::Sqlite, dateColumns);
    QCOMPARE(dialect->statements(tsql), QStringList{sqlite});
}

void TestDialect::split_data() {
    QTest::addColumn<QString>("batch");
    QTest::addColumn<QStringList>("statements");

    QTest::newRow("update then insert, blanks only")
        << "Update 投诉信息 Set 处理状态='已受理', 受理时间 = '2026-01-05 10:00:00' Where "
           "投诉编号='00000001' Insert Into 投诉信息处理 (投诉编号, 顺序号) Values ('00000001', 1)"
        << QStringList{"Update 投诉信息 Set 处理状态='已受理', 受理时间 = '2026-01-05 10:00:00' "
                       "Where 投诉编号='00000001'",
                       "Insert Into 投诉信息处理 (投诉编号, 顺序号) Values ('00000001', 1)"};
    QTest::newRow("three statements")
        << "Update a Set x='等待 工程部 处理' Where n='1' Insert Into b (n, r) Values ('1', "
           "'Update it') Update b Set y =Null Where n='1' And 顺序号 = 1"
        << QStringList{"Update a Set x='等待 工程部 处理' Where n='1'",
                       "Insert Into b (n, r) Values ('1', 'Update it')",
                       "Update b Set y =Null Where n='1' And 顺序号 = 1"};
    QTest::newRow("insert ... select is one")
        << "Insert Into t (a) Select b From u" << QStringList{"Insert Into t (a) Select b From u"};
    QTest::newRow("insert ... values then select")
        << "Insert into t(a) Values(1) Select * From t"
        << QStringList{"Insert into t(a) Values(1)", "Select * From t"};
    QTest::newRow("subquery is not a statement")
        << "Select a From t Where b In (Select c From u) Order By a"
        << QStringList{"Select a From t Where b In (Select c From u) Order By a"};
    QTest::newRow("union") << "Select a From t Union Select a From u"
                           << QStringList{"Select a From t Union Select a From u"};
    QTest::newRow("semicolons") << "Update t Set a = 1; Update t Set a = 2;;"
                                << QStringList{"Update t Set a = 1", "Update t Set a = 2"};
    QTest::newRow("nothing") << " ;  " << QStringList{};
}

void TestDialect::split() {
    QFETCH(QString, batch);
    QFETCH(QStringList, statements);
    QCOMPARE(desk::makeDialect(Engine::Sqlite)->statements(batch), statements);
}

// Runs every statement of the batch on the fixture; gives the last one's rows as
// "a|b;c|d" (nulls as "~").
QString TestDialect::run(const QString& batch) {
    QSqlDatabase db = QSqlDatabase::database(QStringLiteral("dialect"));
    const auto dialect =
        desk::makeDialect(Engine::Sqlite, {QStringLiteral("投诉时间"), QStringLiteral("处理时间")});
    QStringList rows;
    for (const QString& statement : dialect->statements(batch)) {
        QSqlQuery q(db);
        if (!q.exec(statement)) {
            qWarning() << statement << q.lastError().text();
            return QStringLiteral("error");
        }
        rows.clear();
        while (q.next()) {
            QStringList cells;
            for (int i = 0; i < q.record().count(); ++i)
                cells << (q.isNull(i) ? QStringLiteral("~") : q.value(i).toString());
            rows << cells.join(QLatin1Char('|'));
        }
    }
    return rows.join(QLatin1Char(';'));
}

void TestDialect::meaning_data() {
    QTest::addColumn<QString>("batch");
    QTest::addColumn<QString>("rows");

    QTest::newRow("len") << "Select len('ab  '), len('  ab'), len(Null)"
                         << "2|4|~";
    QTest::newRow("day range by style 102, inclusive bounds")
        << "Select 投诉编号 From 投诉信息 Where 投诉时间 BETWEEN CONVERT(DATETIME, '2026-1-01', "
           "102) AND CONVERT(DATETIME, '2026-2-1', 102) Order By 投诉编号"
        << "00000002;00000003;00000004";
    QTest::newRow("day range by style 112")
        << "Select 投诉编号 From 投诉信息 WHERE (CONVERT(Char,投诉信息.投诉时间,112) BETWEEN "
           "'20260101' and '20260131') Order By 投诉编号"
        << "00000002;00000003";
    QTest::newRow("style 112 into char(8)")
        << "Select 投诉编号 From 投诉信息 Where Convert(char(8),投诉时间,112) Between '20260201' "
           "And '20260201' Order By 投诉编号"
        << "00000004;00000005";
    QTest::newRow("address of a building, nulls as empty, natural order")
        << "select (case when [地址1] is not null then [地址1] else '' end) + (case when [字1] is "
           "not null then [字1] else '' end) + (case when [地址2] is not null then [地址2] else "
           "'' end) + (case when [字2] is not null then [字2] else '' end) as DZ,L_ID FROM 楼表 "
           "where  管理处='01'ORDER BY len(地址1),地址1,len(地址2),地址2"
        << "2栋|2;10栋1单元|3;10栋2单元|1";
    QTest::newRow("identifiers in any letter case")
        << "Select id, CzyDH, 文件名 From 投诉资料 Where Id = 1 And czydh = 'E01'"
        << "1|E01|a.txt";
    QTest::newRow("N literal with a quote")
        << "Select 投诉编号 From 投诉信息 Where 地址 = N'东区''3'"
        << "00000003";
    QTest::newRow("next serial") << "Select Max(流水号)+1 as LSH From 投诉信息"
                                 << "6";
    QTest::newRow("delete without from, then count")
        << "Delete 投诉信息 Where 投诉编号='00000001' Select count(*) From 投诉信息"
        << "4";
    QTest::newRow("typed reply date found by its day")
        << "Update 投诉信息 Set 处理时间 ='2026/1/5' Where 投诉编号='00000003' Select 投诉编号, "
           "处理时间 From 投诉信息 Where Convert(char(8),处理时间,112) Between '20260105' And "
           "'20260105'"
        << "00000003|2026-01-05 00:00:00";
    QTest::newRow("top") << "Select top 2 投诉编号 From 投诉信息 Order By 投诉编号"
                         << "00000001;00000002";
}

void TestDialect::meaning() {
    QFETCH(QString, batch);
    QFETCH(QString, rows);
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("dialect"));
        db.setDatabaseName(QStringLiteral(":memory:"));
        QVERIFY(db.open());
        const QStringList fixture = {
            "CREATE TABLE 投诉信息 (ID INTEGER PRIMARY KEY, 投诉编号 TEXT, 流水号 INTEGER, "
            "投诉时间 DATETIME, 处理时间 DATETIME, 地址 TEXT)",
            "INSERT INTO 投诉信息 VALUES (1, '00000001', 1, '2025-12-31 23:59:00', NULL, NULL)",
            "INSERT INTO 投诉信息 VALUES (2, '00000002', 2, '2026-01-01 00:00:00', NULL, '')",
            "INSERT INTO 投诉信息 VALUES (3, '00000003', 3, '2026-01-15 10:00:00', NULL, "
            "'东区''3')",
            "INSERT INTO 投诉信息 VALUES (4, '00000004', 4, '2026-02-01 00:00:00', NULL, NULL)",
            "INSERT INTO 投诉信息 VALUES (5, '00000005', 5, '2026-02-01 00:00:01', NULL, NULL)",
            "CREATE TABLE 楼表 (L_ID INTEGER PRIMARY KEY, 管理处 TEXT, 地址1 TEXT, 字1 TEXT, "
            "地址2 TEXT, 字2 TEXT)",
            "INSERT INTO 楼表 VALUES (1, '01', '10', '栋', '2', '单元')",
            "INSERT INTO 楼表 VALUES (2, '01', '2', '栋', NULL, NULL)",
            "INSERT INTO 楼表 VALUES (3, '01', '10', '栋', '1', '单元')",
            "INSERT INTO 楼表 VALUES (4, '02', '1', '栋', NULL, NULL)",
            "CREATE TABLE 投诉资料 (ID INTEGER PRIMARY KEY, 文件名 TEXT, CZYDH TEXT)",
            "INSERT INTO 投诉资料 VALUES (1, 'a.txt', 'E01')",
        };
        QSqlQuery q(db);
        for (const QString& s : fixture)
            QVERIFY2(q.exec(s), qPrintable(q.lastError().text()));
        QCOMPARE(run(batch), rows);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("dialect"));
}

QTEST_GUILESS_MAIN(TestDialect)
#include "tst_dialect.moc"
