// The installers' command deskdb, run as a separate process: database creation, the
// demonstration data, the client's settings and the SQL Server script.

#include "data/connection.h"
#include "data/settings.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QUuid>
#include <QtTest>

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs deskdb; `dbDir` replaces the folder of the scripts when given.
Run deskdb(const QStringList& args, const QString& dbDir = QString(),
           const QString& workDir = QString()) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!dbDir.isEmpty())
        env.insert(QStringLiteral("DESK_DB_DIR"), dbDir);
    p.setProcessEnvironment(env);
    if (!workDir.isEmpty())
        p.setWorkingDirectory(workDir);
    p.start(QStringLiteral(DESKDB_EXE), args);
    Run r;
    if (!p.waitForFinished(120000))
        return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// A database file opened for the length of one test function.
class Db {
public:
    explicit Db(const QString& file) : m_name(QUuid::createUuid().toString()) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        db.open();
    }
    ~Db() {
        QSqlDatabase::database(m_name).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    QSqlDatabase db() const { return QSqlDatabase::database(m_name); }
    // All rows of a query, each as its columns' texts ("" for null).
    QList<QStringList> rows(const QString& sql) const {
        QList<QStringList> out;
        QSqlQuery q(db());
        if (!q.exec(sql)) {
            qWarning() << sql << q.lastError().text();
            return out;
        }
        while (q.next()) {
            QStringList row;
            for (int i = 0; i < q.record().count(); ++i)
                row << q.value(i).toString();
            out << row;
        }
        return out;
    }
    QString value(const QString& sql) const {
        const auto r = rows(sql);
        return r.isEmpty() ? QStringLiteral("<no row>") : r.first().value(0);
    }

private:
    QString m_name;
};

void writeFile(const QString& path, const QByteArray& content) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}

// The columns of each CREATE TABLE of a SQL Server script, by table.
QHash<QString, QStringList> sqlServerColumns(const QString& script) {
    QHash<QString, QStringList> tables;
    static const QRegularExpression table(QStringLiteral(R"(CREATE TABLE (\S+) \((.*?)\n\))"),
                                          QRegularExpression::DotMatchesEverythingOption);
    auto it = table.globalMatch(script);
    while (it.hasNext()) {
        const auto m = it.next();
        QStringList columns;
        for (const QString& line : m.captured(2).split(QLatin1Char('\n'))) {
            const QString def = line.trimmed();
            if (!def.isEmpty() && !def.startsWith(QLatin1String("PRIMARY KEY")))
                columns << def.section(QLatin1Char(' '), 0, 0);
        }
        tables.insert(m.captured(1), columns);
    }
    return tables;
}

const QStringList kMenuItems = {
    QStringLiteral("投诉管理"),     QStringLiteral("投诉接待"),     QStringLiteral("投诉受理"),
    QStringLiteral("投诉处理C"),    QStringLiteral("投诉信息统计"), QStringLiteral("基础设置TS"),
    QStringLiteral("投诉类别设置"), QStringLiteral("投诉方式设置"), QStringLiteral("投诉回复设置")};

// The positions a login offers: current assignments of an employee who has not left.
const char* const kPositionsOf =
    "Select 职能部门new.职能部门名称, 岗位信息new.岗位名称, 岗位员工new.主要岗位 From 岗位员工new"
    " Inner joIn 岗位信息new on 岗位员工new.岗位代号 = 岗位信息new.岗位代号"
    " Inner joIn 职能部门new on 岗位信息new.职能部门代号 = 职能部门new.职能部门编号"
    " Inner joIn 岗位类别 on 岗位信息new.岗位类别代号 = 岗位类别.岗位类别编号"
    " Inner joIn 职能部门类别 on 职能部门new.职能部门类别代号 = 职能部门类别.部门类别代号"
    " Inner joIn 员工档案 on 岗位员工new.员工代号 = 员工档案.工号"
    " Where 岗位员工new.员工代号='%1' and 帐号密码 = '1234'"
    " and 员工档案.离职日期 is null AND (岗位员工new.离岗日期 IS NULL)"
    " Order By 岗位员工new.主要岗位 Desc";

} // namespace

class TestDeskdb : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_demo; // built once with today's date

    QString path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        // Before anything reads settings: the tool and this process use this folder.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(path(QStringLiteral("xdg"))));
        m_demo = path(QStringLiteral("demo.db"));
        const Run r = deskdb({QStringLiteral("init"), m_demo, QStringLiteral("--demo")});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    }

    void schemaTable_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QStringList>("columns");
        QTest::addColumn<QString>("identity");
        auto row = [](const char* table, const char* columns, const char* identity) {
            QTest::newRow(table) << QString::fromUtf8(table)
                                 << QString::fromUtf8(columns).split(QLatin1Char(' '))
                                 << QString::fromUtf8(identity);
        };
        row("投诉信息",
            "ID 投诉编号 流水号 部门编号 部门名称 管理处代号 ZH_ID 投诉人 地址 联系电话 投诉类别 "
            "投诉方式 投诉时间 投诉内容 接待人 处理状态 受理时间 撤销时间 答复内容 答复方式 "
            "处理时间 "
            "结果满意度 原因 处理结果 微信号 微信名 AppID APP名",
            "ID");
        row("投诉信息处理",
            "ID 投诉编号 顺序号 处理部门 处理岗位 接受时间 处理结束时间 处理意见 调查情况 处理人 "
            "转呈原因 处理结果",
            "ID");
        row("投诉资料", "ID 投诉编号 类型 文件名 文件 CZYDH updatedate", "ID");
        row("员工档案", "工号 姓名 帐号密码 离职日期", "");
        row("岗位信息new", "岗位代号 岗位名称 职能部门代号 岗位类别代号 工号 部门主管 终止日期",
            "");
        row("岗位员工new", "员工代号 岗位代号 主要岗位 离岗日期", "");
        row("岗位类别", "岗位类别编号 岗位类别名称", "");
        row("职能部门new", "职能部门编号 职能部门名称 职能部门类别代号 终止日期", "");
        row("职能部门类别", "部门类别代号 部门类别名称", "");
        row("上级部门new", "职能部门编号 上级部门编号 起始日期", "");
        row("设置管理处", "GYD_DH GYD_Name GYD_DZ GYD_TEL 对应部门代号", "");
        row("楼表", "L_ID 管理处 地址1 字1 地址2 字2 地址3 字3 地址4 字4", "");
        row("室表", "S_ID L_ID 室 字 房屋性质", "");
        row("业主表", "ZH_ID S_ID 姓名 联系方式 说明", "");
        row("FWXZK", "FWXZ_dh FWXZ_xz", "");
        row("投诉类别", "id 编号 类别", "id");
        row("投诉方式", "id 编号 方式", "id");
        row("投诉接待部门设置", "ID 编号 部门", "ID");
        row("投诉回复方式", "id 回复方式", "id");
        row("岗位权限设置", "ID 组代号 岗位代号 授权", "ID");
        row("GroupPrivilege", "GroupID FormName Popedom", "");
        row("专项审核权限表", "ID 类型 部门代号 岗位代号", "ID");
    }
    // Both engines' scripts declare each table with exactly these columns, and the same
    // identity assigned by the database.
    void schemaTable() {
        QFETCH(QString, table);
        QFETCH(QStringList, columns);
        QFETCH(QString, identity);

        const QString file = path(QStringLiteral("plain.db"));
        if (!QFile::exists(file)) {
            const Run r = deskdb({QStringLiteral("init"), file});
            QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        }
        Db db(file);
        QSqlRecord record = db.db().record(table);
        QStringList sqlite;
        for (int i = 0; i < record.count(); ++i)
            sqlite << record.fieldName(i);
        QCOMPARE(sqlite, columns);

        const Run schema = deskdb({QStringLiteral("schema"), QStringLiteral("sqlserver")});
        QCOMPARE(schema.exitCode, 0);
        QCOMPARE(sqlServerColumns(schema.out).value(table), columns);

        const QString sqliteDef =
            db.value(QStringLiteral("SELECT sql FROM sqlite_master WHERE name = '%1'").arg(table));
        const QRegularExpression sqlServerDef(
            QStringLiteral(R"(CREATE TABLE %1 \(.*?\n\))").arg(table),
            QRegularExpression::DotMatchesEverythingOption);
        const QString serverDef = sqlServerDef.match(schema.out).captured(0);
        if (identity.isEmpty()) {
            QVERIFY(!sqliteDef.contains(QLatin1String("AUTOINCREMENT")));
            QVERIFY(!serverDef.contains(QLatin1String("IDENTITY")));
        } else {
            QVERIFY(QRegularExpression(
                        QStringLiteral(R"(\b%1\s+INTEGER PRIMARY KEY AUTOINCREMENT)").arg(identity))
                        .match(sqliteDef)
                        .hasMatch());
            QVERIFY(QRegularExpression(
                        QStringLiteral(R"(\b%1\s+INT IDENTITY\(1,1\) PRIMARY KEY)").arg(identity))
                        .match(serverDef)
                        .hasMatch());
        }
    }

    // The complaint number is unique; identities come from the database.
    void complaintNumberUnique() {
        const QString file = path(QStringLiteral("unique.db"));
        QCOMPARE(deskdb({QStringLiteral("init"), file}).exitCode, 0);
        const QString name = QUuid::createUuid().toString();
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(file);
            QVERIFY(db.open());
            QSqlQuery q(db);
            const QString insert =
                QStringLiteral("INSERT INTO 投诉信息 (投诉编号, 流水号) VALUES ('%1', %2)");
            QVERIFY(q.exec(insert.arg(QStringLiteral("00000001")).arg(1)));
            QCOMPARE(q.lastInsertId().toInt(), 1);
            QVERIFY(q.exec(insert.arg(QStringLiteral("00000002")).arg(2)));
            QCOMPARE(q.lastInsertId().toInt(), 2);
            QVERIFY(!q.exec(insert.arg(QStringLiteral("00000001")).arg(3)));
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    }

    // An existing file is kept unless --force, which replaces it whole.
    void existingFile() {
        const QString file = path(QStringLiteral("existing.db"));
        QCOMPARE(deskdb({QStringLiteral("init"), file, QStringLiteral("--demo")}).exitCode, 0);
        const QByteArray before = [&] {
            QFile f(file);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();

        const Run refused = deskdb({QStringLiteral("init"), file});
        QCOMPARE(refused.exitCode, 1);
        QVERIFY2(refused.err.contains(QLatin1String("--force")), qPrintable(refused.err));
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
        f.close();

        const Run forced = deskdb({QStringLiteral("init"), QStringLiteral("--force"), file});
        QVERIFY2(forced.exitCode == 0, qPrintable(forced.err));
        QVERIFY(!QFile::exists(file + QStringLiteral(".tmp")));
        Db db(file);
        QCOMPARE(db.value(QStringLiteral("SELECT COUNT(*) FROM 投诉信息")), QStringLiteral("0"));
        QCOMPARE(db.value(QStringLiteral("SELECT COUNT(*) FROM 员工档案")), QStringLiteral("0"));
    }

    void failedInit_data() {
        QTest::addColumn<QByteArray>("schema");
        QTest::addColumn<QByteArray>("demo");
        QTest::addColumn<QString>("message");
        const QByteArray good = "CREATE TABLE t (a TEXT);\n";
        QTest::newRow("bad statement")
            << QByteArray("CREATE TABLE t (a TEXT);\n\n-- the next one fails\nINSERT INTO nowhere "
                          "VALUES (1);\n")
            << QByteArray() << "line 4";
        QTest::newRow("literal not closed")
            << QByteArray("CREATE TABLE t (a TEXT);\nINSERT INTO t VALUES ('open;\n")
            << QByteArray() << "line 2";
        QTest::newRow("failure in the demo data")
            << good << QByteArray("INSERT INTO t VALUES ('x');\nINSERT INTO t VALUES (1, 2);\n")
            << "demo-data.sql, statement at line 2";
        QTest::newRow("unknown placeholder")
            << good << QByteArray("INSERT INTO t VALUES ('{{YESTERDAY}}');\n") << "{{YESTERDAY}}";
        QTest::newRow("scripts missing") << QByteArray() << QByteArray() << "schema-sqlite.sql";
    }
    // A failed init reports where, and leaves neither a new file nor a changed old one.
    void failedInit() {
        QFETCH(QByteArray, schema);
        QFETCH(QByteArray, demo);
        QFETCH(QString, message);
        QTemporaryDir scripts;
        if (!schema.isEmpty())
            writeFile(scripts.filePath(QStringLiteral("schema-sqlite.sql")), schema);
        if (!demo.isEmpty())
            writeFile(scripts.filePath(QStringLiteral("demo-data.sql")), demo);

        const QString fresh = path(QStringLiteral("fresh.db"));
        Run r = deskdb({QStringLiteral("init"), fresh, QStringLiteral("--demo")}, scripts.path());
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(!QFile::exists(fresh));
        QVERIFY(!QFile::exists(fresh + QStringLiteral(".tmp")));

        const QString kept = path(QStringLiteral("kept.db"));
        writeFile(kept, "old content");
        r = deskdb(
            {QStringLiteral("init"), kept, QStringLiteral("--demo"), QStringLiteral("--force")},
            scripts.path());
        QCOMPARE(r.exitCode, 1);
        QFile f(kept);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("old content"));
        QVERIFY(!QFile::exists(kept + QStringLiteral(".tmp")));
    }

    // Semicolons, quotes and dashes inside literals belong to the text; comments go.
    void scriptSplitting() {
        QTemporaryDir scripts;
        writeFile(scripts.filePath(QStringLiteral("schema-sqlite.sql")),
                  "-- a comment; with a semicolon and a quote '\n"
                  "CREATE TABLE t (n INTEGER, a TEXT); /* block; 'comment' */\n"
                  "INSERT INTO t VALUES (1, 'x;y'), (2, 'it''s -- kept');\n"
                  "INSERT INTO t VALUES (3, 'two\nlines;')\n"
                  ";INSERT INTO t VALUES (4, '{{TODAY}}')");
        const QString file = path(QStringLiteral("split.db"));
        const Run r = deskdb({QStringLiteral("init"), file}, scripts.path());
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        Db db(file);
        const QList<QStringList> expected = {{"1", "x;y"},
                                             {"2", "it's -- kept"},
                                             {"3", "two\nlines;"},
                                             {"4", "{{TODAY}}"}}; // only the demo is dated
        QCOMPARE(db.rows(QStringLiteral("SELECT n, a FROM t ORDER BY n")), expected);
    }

    void demoComplaints_data() {
        QTest::addColumn<QDate>("today");
        QTest::newRow("first day of a month") << QDate(2024, 3, 1);
        QTest::newRow("late in a month") << QDate(2024, 7, 28);
        QTest::newRow("new year's day") << QDate(2025, 1, 1);
    }
    // Numbers, statuses and processing steps of the demonstration complaints agree.
    void demoComplaints() {
        QFETCH(QDate, today);
        const QString file = path(QStringLiteral("demo-%1.db").arg(today.toString(Qt::ISODate)));
        const Run r = deskdb({QStringLiteral("init"), file, QStringLiteral("--demo"),
                              QStringLiteral("--today"), today.toString(Qt::ISODate)});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        Db db(file);

        QCOMPARE(db.value(QStringLiteral("SELECT COUNT(*) FROM 投诉信息处理 WHERE 投诉编号 NOT IN "
                                         "(SELECT 投诉编号 FROM 投诉信息)")),
                 QStringLiteral("0"));
        QCOMPARE(db.value(QStringLiteral(
                     "SELECT COUNT(*) FROM 投诉信息 WHERE 投诉编号 <> printf('%08d', 流水号)")),
                 QStringLiteral("0"));
        // Every date-time in the canonical form, so no placeholder was left.
        const QString canonical = QStringLiteral(
            "'[0-9][0-9][0-9][0-9]-[0-1][0-9]-[0-3][0-9] [0-2][0-9]:[0-5][0-9]:[0-5][0-9]'");
        for (const char* check :
             {"SELECT COUNT(*) FROM 投诉信息 WHERE 投诉时间 NOT GLOB %1 OR 受理时间 NOT GLOB %1"
              " OR 处理时间 NOT GLOB %1 OR 撤销时间 NOT GLOB %1",
              "SELECT COUNT(*) FROM 投诉信息处理 WHERE 接受时间 IS NULL OR 接受时间 NOT GLOB %1"
              " OR 处理结束时间 NOT GLOB %1"})
            QCOMPARE(db.value(QString::fromUtf8(check).arg(canonical)), QStringLiteral("0"));

        const QString monthStart = QDate(today.year(), today.month(), 1).toString(Qt::ISODate);
        const QString dayAfter = today.addDays(1).toString(Qt::ISODate);
        QCOMPARE(db.value(QStringLiteral("SELECT COUNT(*) FROM 投诉信息 WHERE 投诉时间 >= '%1'")
                              .arg(dayAfter)),
                 QStringLiteral("0"));
        const int thisMonth =
            db.value(QStringLiteral("SELECT COUNT(*) FROM 投诉信息 WHERE 处理状态 "
                                    "= '尚未受理' AND 撤销时间 IS NULL AND 投诉时间 "
                                    ">= '%1'")
                         .arg(monthStart))
                .toInt();
        QVERIFY(thisMonth >= 3);

        QSet<QString> kinds;
        const auto complaints = db.rows(QStringLiteral(
            "SELECT 投诉编号, 处理状态, 受理时间, 撤销时间, 处理时间, 结果满意度, 原因, 投诉方式, "
            "微信号, 微信名, AppID, APP名, 投诉时间 FROM 投诉信息"));
        for (const QStringList& c : complaints) {
            const QString& no = c[0];
            const QString& status = c[1];
            const auto steps = db.rows(
                QStringLiteral("SELECT 顺序号, 处理结束时间, 职能部门名称 FROM 投诉信息处理 "
                               "LEFT JOIN 职能部门new ON 处理部门 = 职能部门编号 "
                               "WHERE 投诉编号 = '%1' ORDER BY 顺序号")
                    .arg(no));
            for (int i = 0; i < steps.size(); ++i)
                QCOMPARE(steps[i][0], QString::number(i + 1));
            QStringList openDepartments; // open steps after the acceptance step
            for (int i = 1; i < steps.size(); ++i)
                if (steps[i][1].isEmpty())
                    openDepartments << steps[i][2].section(QLatin1Char(' '), 0, 0);
            const bool step1Open = !steps.isEmpty() && steps[0][1].isEmpty();
            if (!c[3].isEmpty())
                QCOMPARE(status, QStringLiteral("尚未受理"));
            if (c[7] == QStringLiteral("微信"))
                QVERIFY2(!c[8].isEmpty() && !c[9].isEmpty(), qPrintable(no));
            if (c[7] == QLatin1String("App"))
                QVERIFY2(!c[10].isEmpty() && !c[11].isEmpty(), qPrintable(no));

            if (status == QStringLiteral("尚未受理")) {
                QVERIFY2(steps.isEmpty() && c[2].isEmpty(), qPrintable(no));
                if (c[3].isEmpty())
                    QVERIFY2(c[12] >= monthStart, qPrintable(no));
                kinds << status;
                continue;
            }
            QVERIFY2(!steps.isEmpty() && !c[2].isEmpty() && c[3].isEmpty(), qPrintable(no));
            if (status == QStringLiteral("已受理")) {
                QVERIFY2(steps.size() == 1 && step1Open, qPrintable(no));
            } else if (status.startsWith(QStringLiteral("等待 "))) {
                QCOMPARE(openDepartments.size(), 1);
                QCOMPARE(status, QStringLiteral("等待 %1 处理").arg(openDepartments.first()));
                QVERIFY2(step1Open, qPrintable(no));
                kinds << QStringLiteral("等待");
                continue;
            } else if (status == QStringLiteral("处理完成，等待答复")) {
                QVERIFY2(steps.size() > 1 && openDepartments.isEmpty() && step1Open,
                         qPrintable(no));
            } else if (status == QStringLiteral("处理完成")) {
                QVERIFY2(openDepartments.isEmpty() && !step1Open, qPrintable(no));
                QVERIFY2(!c[4].isEmpty() &&
                             (c[5] == QLatin1String("1") || c[5] == QLatin1String("0")),
                         qPrintable(no));
                QCOMPARE(c[6].isEmpty(), c[5] == QLatin1String("1"));
                kinds << status + c[5];
                continue;
            } else {
                QFAIL(qPrintable(no + QStringLiteral(": status ") + status));
            }
            kinds << status;
        }
        const QSet<QString> expected = {
            QStringLiteral("尚未受理"),  QStringLiteral("已受理"),
            QStringLiteral("等待"),      QStringLiteral("处理完成，等待答复"),
            QStringLiteral("处理完成1"), QStringLiteral("处理完成0")};
        QCOMPARE(kinds, expected);
        QCOMPARE(
            db.value(QStringLiteral("SELECT COUNT(*) FROM 投诉信息 WHERE 撤销时间 IS NOT NULL")),
            QStringLiteral("1"));
    }

    void demoLogins_data() {
        QTest::addColumn<QString>("employee");
        QTest::addColumn<QStringList>("positions");
        QTest::newRow("desk clerk") << "1001" << QStringList{"翠湖苑管理处 客服前台 1"};
        QTest::newRow("two positions")
            << "1002" << QStringList{"客户服务中心 客服专员 1", "金桂园管理处 客服前台 0"};
        QTest::newRow("processing department") << "1003" << QStringList{"工程部 工程部经理 1"};
        QTest::newRow("supervisor") << "1004" << QStringList{"品质管理部 品质主管 1"};
        QTest::newRow("earlier assignment ended") << "1006" << QStringList{"工程部 维修技工 1"};
        QTest::newRow("has left") << "1009" << QStringList{};
    }
    // The logins listed in the demonstration file give these positions.
    void demoLogins() {
        QFETCH(QString, employee);
        QFETCH(QStringList, positions);
        Db db(m_demo);
        QStringList got;
        for (const QStringList& row : db.rows(QString::fromUtf8(kPositionsOf).arg(employee)))
            got << row.join(QLatin1Char(' '));
        QCOMPARE(got, positions);
    }

    // Privileges, special rights, occupants and the department tree of the demonstration.
    void demoOrganisation() {
        Db db(m_demo);
        for (const QStringList& row :
             db.rows(QStringLiteral("SELECT FormName FROM GroupPrivilege")))
            QVERIFY2(kMenuItems.contains(row.first()), qPrintable(row.first()));
        QCOMPARE(db.value(QStringLiteral("SELECT COUNT(*) FROM 岗位权限设置 WHERE 授权 = 0")),
                 QStringLiteral("1"));
        QCOMPARE(
            db.rows(QStringLiteral("SELECT 部门代号, 岗位代号 FROM 专项审核权限表 WHERE 类型 = "
                                   "'投诉处理'")),
            (QList<QStringList>{{"150", "151"}}));
        QCOMPARE(db.rows(QStringLiteral(
                     "SELECT 说明 = '新进户', COUNT(*) > 0 FROM 业主表 GROUP BY 1 ORDER BY 1")),
                 (QList<QStringList>{{"0", "1"}, {"1", "1"}}));
        // Each office belongs to an existing department; position codes are plain numbers.
        QCOMPARE(
            db.value(QStringLiteral("SELECT COUNT(*) FROM 设置管理处 WHERE 对应部门代号 NOT IN "
                                    "(SELECT 职能部门编号 FROM 职能部门new)")),
            QStringLiteral("0"));
        QCOMPARE(
            db.value(QStringLiteral("SELECT COUNT(*) FROM 岗位信息new WHERE CAST(CAST(岗位代号 "
                                    "AS INTEGER) AS TEXT) <> 岗位代号")),
            QStringLiteral("0"));
        // The department that moved hangs under its later parent.
        QCOMPARE(db.value(QStringLiteral(
                     "SELECT 上级部门编号 FROM 上级部门new WHERE 职能部门编号 = '130' "
                     "ORDER BY 起始日期 DESC LIMIT 1")),
                 QStringLiteral("160"));
    }

    void configure_data() {
        QTest::addColumn<bool>("relative");
        QTest::newRow("absolute path") << false;
        QTest::newRow("relative path") << true;
    }
    // The client reads back a data source that names the file and opens it as SQLite.
    void configure() {
        QFETCH(bool, relative);
        desk::writeDbSettings({QStringLiteral("old-server"), QStringLiteral("sa"),
                               QStringLiteral("secret"), QStringLiteral("desk")});
        const Run r = relative ? deskdb({QStringLiteral("configure"), QStringLiteral("demo.db")},
                                        QString(), m_dir.path())
                               : deskdb({QStringLiteral("configure"), m_demo});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        const desk::DbSettings s = desk::readDbSettings();
        QVERIFY(QFileInfo(s.svr).isAbsolute());
        QCOMPARE(QFileInfo(s.svr).canonicalFilePath(), QFileInfo(m_demo).canonicalFilePath());
        QVERIFY(s.uid.isEmpty() && s.pwd.isEmpty() && s.dbname.isEmpty());
        QCOMPARE(desk::engineForDataSource(s.svr), desk::Engine::Sqlite);
        QVERIFY(desk::dbSettingsLocation().startsWith(path(QStringLiteral("xdg"))));
        QVERIFY2(r.out.contains(QDir::toNativeSeparators(desk::dbSettingsLocation())),
                 qPrintable(r.out));
    }

    void configureRefused_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("create");
        QTest::newRow("missing file") << "missing.db" << false;
        QTest::newRow("not a database name") << "desk.txt" << true;
        QTest::newRow("quote in the path") << "o'neil.db" << true;
    }
    // A refused file leaves the settings as they were.
    void configureRefused() {
        QFETCH(QString, name);
        QFETCH(bool, create);
        if (create)
            writeFile(path(name), "");
        const desk::DbSettings before{QStringLiteral("server1"), QStringLiteral("sa"),
                                      QStringLiteral("pw"), QStringLiteral("desk")};
        desk::writeDbSettings(before);
        const Run r = deskdb({QStringLiteral("configure"), path(name)});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(!r.err.isEmpty());
        const desk::DbSettings after = desk::readDbSettings();
        QCOMPARE(after.svr, before.svr);
        QCOMPARE(after.dbname, before.dbname);
    }

    void usage_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("help") << QStringList{"--help"} << 0;
        QTest::newRow("nothing") << QStringList{} << 2;
        QTest::newRow("unknown command") << QStringList{"create", "x.db"} << 2;
        QTest::newRow("init without file") << QStringList{"init", "--demo"} << 2;
        QTest::newRow("init with two files") << QStringList{"init", "a.db", "b.db"} << 2;
        QTest::newRow("init unknown option") << QStringList{"init", "a.db", "--demos"} << 2;
        QTest::newRow("bad day") << QStringList{"init", "a.db", "--today", "2024-02-30"} << 2;
        QTest::newRow("configure without file") << QStringList{"configure"} << 2;
        QTest::newRow("unknown engine") << QStringList{"schema", "oracle"} << 2;
    }
    void usage() {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        const Run r = deskdb(args, QString(), m_dir.path());
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY((exitCode == 0 ? r.out : r.err).contains(QLatin1String("deskdb init FILE")));
        QVERIFY(!QFile::exists(path(QStringLiteral("a.db"))));
    }
};

QTEST_GUILESS_MAIN(TestDeskdb)
#include "tst_deskdb.moc"
