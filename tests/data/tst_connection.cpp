// The connection: its string, the engine it names, opening and re-opening, batches that are
// all or nothing, rows inserted and updated field by field, the SQL log and the settings.

#include "common/fakeseam.h"
#include "common/testdb.h"
#include "data/connection.h"
#include "data/settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using desk::DbError;
using desk::Engine;
using Field = QPair<QString, QVariant>;

class TestConnection : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void connectionString_data();
    void connectionString();
    void engineChoice_data();
    void engineChoice();
    void odbcString_data();
    void odbcString();

    void connectRefusesWhatIsNoDatabase_data();
    void connectRefusesWhatIsNoDatabase();
    void connectAndReopen();
    void closedConnectionRefusesWork();

    void batchIsAllOrNothing_data();
    void batchIsAllOrNothing();
    void insertRowKeepsBinaryAndGivesIdentity();
    void insertRowStoresDateTimesCanonically();
    void updateRows();
    void recordset();

    void sqlLog();
    void settingsRoundTrip();

private:
    QString makeDatabase(const QString& name = QStringLiteral("desk.db"));
    QTemporaryDir m_dir;
};

void TestConnection::initTestCase() {
    // Never the developer's own settings: without a settings folder of the test's own, use one
    // in the temporary folder.
    if (qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME"))
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("xdg"))));
}

void TestConnection::init() {
    QVERIFY(m_dir.isValid());
}

void TestConnection::cleanup() {
    desk::SqlConnection& shared = Connection::SharedConnection();
    shared.close();
    qunsetenv("COMPLAINT_DESK_SQL_LOG");
}

// A database file with the complaint tables the tests use.
QString TestConnection::makeDatabase(const QString& name) {
    const QString path = m_dir.filePath(name);
    QFile::remove(path);
    const bool made = testdb::run(
        path, {QStringLiteral("CREATE TABLE 投诉信息 (ID INTEGER PRIMARY KEY AUTOINCREMENT, "
                              "投诉编号 TEXT UNIQUE, 处理状态 TEXT, 投诉时间 DATETIME, 受理时间 "
                              "DATETIME, 地址 TEXT)"),
               QStringLiteral("CREATE TABLE 投诉信息处理 (ID INTEGER PRIMARY KEY AUTOINCREMENT, "
                              "投诉编号 TEXT NOT NULL, 顺序号 INTEGER, 接受时间 DATETIME)"),
               QStringLiteral("CREATE TABLE 投诉资料 (ID INTEGER PRIMARY KEY AUTOINCREMENT, "
                              "投诉编号 TEXT, 文件名 TEXT, 文件 BLOB, CZYDH TEXT, updatedate "
                              "DATETIME)"),
               QStringLiteral("INSERT INTO 投诉信息 (投诉编号, 处理状态) VALUES ('00000001', "
                              "'尚未受理')")});
    return made ? path : QString();
}

void TestConnection::connectionString_data() {
    QTest::addColumn<QString>("uid");
    QTest::addColumn<QString>("pwd");
    QTest::addColumn<QString>("db");
    QTest::addColumn<QString>("svr");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain") << "sa"
                           << "pw"
                           << "Desk"
                           << "SRV01"
                           << "Provider=SQLOLEDB.1;Password=pw;Persist Security Info=False;User "
                              "ID=sa;Initial Catalog='Desk';Data Source='SRV01'";
    QTest::newRow("separators and quotes kept")
        << "a;b'"
        << " p;w'd; "
        << "D'b;x"
        << "s;'v"
        << "Provider=SQLOLEDB.1;Password= p;w'd; ;Persist Security Info=False;User ID=a;b';"
           "Initial Catalog='D'b;x';Data Source='s;'v'";
    QTest::newRow("all empty") << ""
                               << ""
                               << ""
                               << ""
                               << "Provider=SQLOLEDB.1;Password=;Persist Security Info=False;User "
                                  "ID=;Initial Catalog='';Data Source=''";
}

void TestConnection::connectionString() {
    QFETCH(QString, uid);
    QFETCH(QString, pwd);
    QFETCH(QString, db);
    QFETCH(QString, svr);
    QFETCH(QString, expected);
    const QString cs = Connection::BuildConnectionString(uid, pwd, db, svr);
    QCOMPARE(cs, expected);
    // Each value reads back as it went in.
    QCOMPARE(desk::connectionStringValue(cs, QStringLiteral("Password")), pwd);
    QCOMPARE(desk::connectionStringValue(cs, QStringLiteral("user id")), uid);
    QCOMPARE(desk::connectionStringValue(cs, QStringLiteral("Initial Catalog")), db);
    QCOMPARE(desk::connectionStringValue(cs, QStringLiteral("Data Source")), svr);
}

void TestConnection::engineChoice_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<Engine>("engine");
    QTest::newRow("db") << "/srv/desk/desk.db" << Engine::Sqlite;
    QTest::newRow("SQLite3, any case") << "C:\\Desk\\Data.SQLite3" << Engine::Sqlite;
    QTest::newRow("sqlite") << "desk.sqlite" << Engine::Sqlite;
    QTest::newRow("host") << "SRV01" << Engine::SqlServer;
    QTest::newRow("host and port") << "10.0.0.5,1433" << Engine::SqlServer;
    QTest::newRow("instance") << "SRV01\\SQLEXPRESS" << Engine::SqlServer;
    QTest::newRow("look-alike") << "desk.dbx" << Engine::SqlServer;
}

void TestConnection::engineChoice() {
    QFETCH(QString, source);
    QFETCH(Engine, engine);
    QCOMPARE(desk::engineForDataSource(source), engine);
}

void TestConnection::odbcString_data() {
    QTest::addColumn<QString>("driver");
    QTest::addColumn<QString>("svr");
    QTest::addColumn<QString>("pwd");
    QTest::addColumn<QString>("expected");
    QTest::newRow("FreeTDS")
        << "FreeTDS"
        << "SRV01"
        << "pw"
        << "DRIVER={FreeTDS};SERVER=SRV01;DATABASE=Desk;UID=sa;PWD=pw;TDS_Version=7.4;"
           "ClientCharset=UTF-8";
    QTest::newRow("FreeTDS, port apart, braced password")
        << "FreeTDS"
        << "10.0.0.5,1433"
        << "a;b}c"
        << "DRIVER={FreeTDS};SERVER=10.0.0.5;PORT=1433;DATABASE=Desk;UID=sa;PWD={a;b}}c};"
           "TDS_Version=7.4;ClientCharset=UTF-8";
    QTest::newRow("Microsoft driver")
        << "ODBC Driver 18 for SQL Server"
        << "10.0.0.5,1433"
        << "pw"
        << "DRIVER={ODBC Driver 18 for SQL Server};SERVER={10.0.0.5,1433};DATABASE=Desk;UID=sa;"
           "PWD=pw";
}

void TestConnection::odbcString() {
    QFETCH(QString, driver);
    QFETCH(QString, svr);
    QFETCH(QString, pwd);
    QFETCH(QString, expected);
    const QString cs =
        Connection::BuildConnectionString(QStringLiteral("sa"), pwd, QStringLiteral("Desk"), svr);
    QCOMPARE(desk::odbcConnectionString(cs, driver), expected);
}

void TestConnection::connectRefusesWhatIsNoDatabase_data() {
    QTest::addColumn<QString>("file"); // created with `content` unless empty
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason"); // part of the message
    QTest::newRow("missing file") << "missing.db" << QByteArray() << "数据库文件不存在";
    QTest::newRow("not a database")
        << "notes.db" << QByteArray(4096, 'x') << "不是有效的数据库文件";
    QTest::newRow("all settings empty") << "" << QByteArray() << "Svr";
}

void TestConnection::connectRefusesWhatIsNoDatabase() {
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    const QString path = file.isEmpty() ? QString() : m_dir.filePath(file);
    if (!content.isEmpty()) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    FakeSeam seam;
    QVERIFY(!Connection::ConnectDatabase(QString(), QString(), QString(), path));
    QCOMPARE(seam.messages.size(), 1);
    QVERIFY2(seam.messages[0].text.startsWith(QStringLiteral("错误信息：")),
             qPrintable(seam.messages[0].text));
    QVERIFY2(seam.messages[0].text.contains(reason), qPrintable(seam.messages[0].text));
    QCOMPARE(seam.messages[0].title, QStringLiteral("信息文本"));
    QCOMPARE(seam.messages[0].icon, Platform::Icon::Information);
    // The new string is kept even though the open failed.
    QCOMPARE(Connection::ConnectionString(),
             Connection::BuildConnectionString(QString(), QString(), QString(), path));
    QVERIFY(!Connection::SharedConnection().isOpen());
    if (content.isEmpty() && !path.isEmpty())
        QVERIFY2(!QFile::exists(path), "an empty database was created");
    else if (!content.isEmpty())
        QCOMPARE(QFile(path).size(), qint64(content.size()));
}

void TestConnection::connectAndReopen() {
    const QString path = makeDatabase();
    FakeSeam seam;
    QVERIFY(Connection::ConnectDatabase(QStringLiteral("sa"), QStringLiteral("pw"),
                                        QStringLiteral("Desk"), path));
    QVERIFY(seam.messages.isEmpty());
    desk::SqlConnection& shared = Connection::SharedConnection();
    QVERIFY(shared.isOpen());
    QCOMPARE(shared.engine(), Engine::Sqlite);
    QCOMPARE(shared.connectionString(), Connection::ConnectionString());

    shared.execute(
        QStringLiteral("Update 投诉信息 Set 处理状态='已受理' Where 投诉编号='00000001'"));
    Connection::ReopenConnection();
    QVERIFY(shared.isOpen());
    QCOMPARE(shared.query(QStringLiteral("Select 处理状态 From 投诉信息"))
                 .text(0, QStringLiteral("处理状态")),
             QStringLiteral("已受理"));

    // A second connect replaces the connection; a failing one leaves it closed.
    QVERIFY(
        !Connection::ConnectDatabase(QString(), QString(), QString(), m_dir.filePath("gone.db")));
    QVERIFY(!shared.isOpen());
    QVERIFY_THROWS_EXCEPTION(DbError, Connection::ReopenConnection());
    QVERIFY(!QFile::exists(m_dir.filePath("gone.db")));
}

void TestConnection::closedConnectionRefusesWork() {
    desk::SqlConnection c;
    try {
        c.query(QStringLiteral("Select 1"));
        QFAIL("a closed connection ran a query");
    } catch (const DbError& e) {
        QCOMPARE(e.number, int(DbError::NotOpen));
    }
    QVERIFY_THROWS_EXCEPTION(DbError, c.execute(QStringLiteral("Delete 投诉信息 Where ID=1")));
}

void TestConnection::batchIsAllOrNothing_data() {
    QTest::addColumn<QString>("failing");
    QTest::newRow("constraint") << "Insert Into 投诉信息处理 (投诉编号, 顺序号) Values (Null, 1)";
    QTest::newRow("unknown column") << "Update 投诉信息 Set 没有 = 1 Where ID=1";
}

void TestConnection::batchIsAllOrNothing() {
    QFETCH(QString, failing);
    desk::SqlConnection c;
    c.open(Connection::BuildConnectionString(QString(), QString(), QString(), makeDatabase()));
    const QString batch = QStringLiteral("Update 投诉信息 Set 处理状态='已受理', 受理时间 = "
                                         "'2026-01-05 10:00:00' Where 投诉编号='00000001' ") +
                          failing;
    try {
        c.execute(batch);
        QFAIL("the failing batch was reported as done");
    } catch (const DbError& e) {
        QVERIFY(!e.description.isEmpty());
        QVERIFY(e.number != 0);
    }
    const desk::Recordset rs = c.query(QStringLiteral("Select 处理状态, 受理时间 From 投诉信息"));
    QCOMPARE(rs.text(0, QStringLiteral("处理状态")), QStringLiteral("尚未受理"));
    QVERIFY(rs.isNull(0, QStringLiteral("受理时间")));
    QCOMPARE(c.query(QStringLiteral("Select count(*) As n From 投诉信息处理")).text(0, "n"),
             QStringLiteral("0"));

    // The connection stays usable, and a sound batch writes both tables.
    c.execute(QStringLiteral("Update 投诉信息 Set 处理状态='已受理' Where 投诉编号='00000001' "
                             "Insert Into 投诉信息处理 (投诉编号, 顺序号) Values ('00000001', 1)"));
    QCOMPARE(c.query(QStringLiteral("Select count(*) As n From 投诉信息处理")).text(0, "n"),
             QStringLiteral("1"));
}

void TestConnection::insertRowKeepsBinaryAndGivesIdentity() {
    desk::SqlConnection c;
    c.open(Connection::BuildConnectionString(QString(), QString(), QString(), makeDatabase()));
    const QByteArray binary("\0\x01\xff\0tail\0", 9);
    const QList<QByteArray> contents{QByteArray(), QByteArray("", 0), binary};
    QList<qint64> ids;
    for (const QByteArray& content : contents)
        ids << c.insertRow(QStringLiteral("投诉资料"),
                           {Field(QStringLiteral("投诉编号"), QStringLiteral("00000001")),
                            Field(QStringLiteral("文件名"), QStringLiteral("a'b.bin")),
                            Field(QStringLiteral("文件"), content),
                            Field(QStringLiteral("CzyDH"), QStringLiteral("E01"))});
    QCOMPARE(ids, (QList<qint64>{1, 2, 3}));
    for (int i = 0; i < contents.size(); ++i) {
        const desk::Recordset rs = c.query(QStringLiteral("Select 文件 From 投诉资料 Where ID = ") +
                                           desk::sqlNumber(ids[i]));
        QCOMPARE(rs.size(), 1);
        QVERIFY2(!rs.isNull(0, QStringLiteral("文件")), "0 bytes came back as a null");
        QCOMPARE(rs.value(0, QStringLiteral("文件")).toByteArray(), contents[i]);
    }
}

void TestConnection::insertRowStoresDateTimesCanonically() {
    desk::SqlConnection c;
    c.open(Connection::BuildConnectionString(QString(), QString(), QString(), makeDatabase()));
    const QDateTime when(QDate(2026, 1, 5), QTime(9, 5, 7, 300));
    const qint64 id = c.insertRow(
        QStringLiteral("投诉信息"),
        {Field(QStringLiteral("投诉编号"), QStringLiteral("00000002")),
         Field(QStringLiteral("投诉时间"), QStringLiteral("2026-1-5 9:05")), // as typed
         Field(QStringLiteral("受理时间"), when),
         Field(QStringLiteral("地址"), QStringLiteral("2026-1-5 9:05"))}); // a text stays a text
    QCOMPARE(id, qint64(2));
    const desk::Recordset rs =
        c.query(QStringLiteral("Select 投诉时间, 受理时间, 地址 From 投诉信息 Where ID = 2"));
    QCOMPARE(rs.text(0, QStringLiteral("投诉时间")), QStringLiteral("2026-01-05 09:05:00"));
    QCOMPARE(rs.text(0, QStringLiteral("受理时间")), QStringLiteral("2026-01-05 09:05:07"));
    QCOMPARE(rs.text(0, QStringLiteral("地址")), QStringLiteral("2026-1-5 9:05"));
    // A duplicate complaint number is refused with the driver's message.
    QVERIFY_THROWS_EXCEPTION(
        DbError, c.insertRow(QStringLiteral("投诉信息"),
                             {Field(QStringLiteral("投诉编号"), QStringLiteral("00000002"))}));
}

void TestConnection::updateRows() {
    desk::SqlConnection c;
    c.open(Connection::BuildConnectionString(QString(), QString(), QString(), makeDatabase()));
    c.insertRow(QStringLiteral("投诉信息"),
                {Field(QStringLiteral("投诉编号"), QStringLiteral("00000002"))});
    const int n = c.updateRows(QStringLiteral("投诉信息"),
                               {Field(QStringLiteral("地址"), QStringLiteral("东区'3")),
                                Field(QStringLiteral("投诉时间"), QDate(2026, 2, 1))},
                               QStringLiteral("投诉编号 = N'00000002'"));
    QCOMPARE(n, 1);
    const desk::Recordset rs = c.query(QStringLiteral("Select * From 投诉信息 Order By ID"));
    QCOMPARE(rs.text(1, QStringLiteral("地址")), QStringLiteral("东区'3"));
    QCOMPARE(rs.text(1, QStringLiteral("投诉时间")), QStringLiteral("2026-02-01 00:00:00"));
    QVERIFY(rs.isNull(0, QStringLiteral("地址")));
    // Without a condition nothing is changed.
    QVERIFY_THROWS_EXCEPTION(DbError, c.updateRows(QStringLiteral("投诉信息"),
                                                   {Field(QStringLiteral("地址"), QString("x"))},
                                                   QStringLiteral("  ")));
    QCOMPARE(
        c.query(QStringLiteral("Select count(*) As n From 投诉信息 Where 地址 = 'x'")).text(0, "n"),
        QStringLiteral("0"));
}

void TestConnection::recordset() {
    desk::SqlConnection c;
    c.open(Connection::BuildConnectionString(QString(), QString(), QString(), makeDatabase()));
    const desk::Recordset rs =
        c.query(QStringLiteral("Select id, 投诉编号, 地址, 受理时间 From 投诉信息 Where ID = 1"));
    QCOMPARE(rs.size(), 1);
    QCOMPARE(rs.fieldIndex(QStringLiteral("ID")), 0);
    QCOMPARE(rs.text(0, QStringLiteral("Id")), QStringLiteral("1"));
    QCOMPARE(rs.text(0, QStringLiteral("地址")), QString());
    QVERIFY(rs.isNull(0, QStringLiteral("受理时间")));
    QCOMPARE(rs.fieldIndex(QStringLiteral("没有")), -1);
    try {
        rs.text(0, QStringLiteral("没有"));
        QFAIL("an unknown field gave a value");
    } catch (const DbError& e) {
        QCOMPARE(e.number, int(DbError::ItemNotFound));
    }
    // A query is one statement.
    QVERIFY_THROWS_EXCEPTION(DbError, c.query(QStringLiteral("Select 1 Select 2")));
}

void TestConnection::sqlLog() {
    const QString log = m_dir.filePath(QStringLiteral("sql.log"));
    QFile::remove(log);
    qputenv("COMPLAINT_DESK_SQL_LOG", QFile::encodeName(log));
    desk::SqlConnection c;
    c.open(Connection::BuildConnectionString(QString(), QString(), QString(), makeDatabase()));
    const QString batch = QStringLiteral("Update 投诉信息 Set 地址 =N'一行\n二行' Where "
                                         "投诉编号='00000001' Delete 投诉信息处理 Where ID=0");
    c.execute(batch);
    c.insertRow(QStringLiteral("投诉资料"),
                {Field(QStringLiteral("文件名"), QStringLiteral("a'b")),
                 Field(QStringLiteral("文件"), QByteArray("\0\1\2", 3))});
    const QString password = QStringLiteral("o'k");
    c.query(QStringLiteral("Select * From 投诉信息 Where 投诉编号 ='00000001' and 地址='") +
                desk::sqlText(password) + QStringLiteral("'"),
            password);
    QFile f(log);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    QCOMPARE(lines, (QStringList{
                        "Update 投诉信息 Set 地址 =N'一行\\n二行' Where 投诉编号='00000001' Delete "
                        "投诉信息处理 Where ID=0",
                        "INSERT INTO 投诉资料 (文件名, 文件) VALUES ('a''b', <3 bytes>)",
                        "Select * From 投诉信息 Where 投诉编号 ='00000001' and 地址='***'", ""}));
}

void TestConnection::settingsRoundTrip() {
    const QByteArray xdg = qgetenv("XDG_CONFIG_HOME");
    if (!xdg.isEmpty())
        QVERIFY2(desk::dbSettingsLocation().startsWith(QFile::decodeName(xdg)),
                 qPrintable(desk::dbSettingsLocation()));
    QFile::remove(desk::dbSettingsLocation());
    const desk::DbSettings empty = desk::readDbSettings();
    QVERIFY(empty.svr.isEmpty() && empty.uid.isEmpty() && empty.pwd.isEmpty() &&
            empty.dbname.isEmpty());
    desk::DbSettings s;
    s.svr = QStringLiteral("/srv/desk.db");
    s.uid = QStringLiteral("sa");
    s.pwd = QStringLiteral("p;w'd=");
    s.dbname = QStringLiteral("投诉");
    desk::writeDbSettings(s);
    const desk::DbSettings back = desk::readDbSettings();
    QCOMPARE(back.svr, s.svr);
    QCOMPARE(back.uid, s.uid);
    QCOMPARE(back.pwd, s.pwd);
    QCOMPARE(back.dbname, s.dbname);
    QFile file(desk::dbSettingsLocation());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("[DBConfig]"));
    QFile::remove(desk::dbSettingsLocation());
}

QTEST_MAIN(TestConnection)
#include "tst_connection.moc"
