#pragma once
// A real SQLite database for the reception tests: the project's schema plus a small desk
// (one department with two clerks, three offices, a few buildings, rooms and occupants,
// categories and channels), opened as the shared connection with an operator logged in.

#include "data/connection.h"
#include "shell/operator.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

class ReceptionDb {
public:
    // Builds the file; false (with a QFAIL-able reason in `error`) when it could not.
    bool create(const QStringList& extraStatements = {}) {
        if (!m_dir.isValid())
            return fail(QStringLiteral("no temporary folder"));
        m_path = m_dir.filePath(QStringLiteral("desk.db"));
        const QString schemaPath =
            qEnvironmentVariable("DESK_DB_DIR", QStringLiteral(DESK_SOURCE_DIR "/db")) +
            QStringLiteral("/schema-sqlite.sql");
        QFile schema(schemaPath);
        if (!schema.open(QIODevice::ReadOnly))
            return fail(QStringLiteral("cannot read ") + schemaPath);
        QStringList statements;
        for (const QString& s : QString::fromUtf8(schema.readAll()).split(QStringLiteral(";\n")))
            statements << s;
        statements << fixture() << extraStatements;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"),
                                                        QStringLiteral("reception-fixture"));
            db.setDatabaseName(m_path);
            if (!db.open())
                return fail(db.lastError().text());
            for (const QString& s : statements) {
                QString sql = s;
                // drop the comment lines of the schema
                QStringList lines;
                for (const QString& line : sql.split(QLatin1Char('\n')))
                    if (!line.trimmed().startsWith(QLatin1String("--")))
                        lines << line;
                sql = lines.join(QLatin1Char('\n')).trimmed();
                if (sql.isEmpty())
                    continue;
                QSqlQuery q(db);
                if (!q.exec(sql))
                    return fail(q.lastError().text() + QStringLiteral(" in: ") + sql);
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("reception-fixture"));
        OperatorContext& op = Operator();
        op.clear();
        op.EmployeeNo = QStringLiteral("E01");
        op.EmployeeName = QStringLiteral("张三");
        op.DepartmentCode = QStringLiteral("D1");
        op.DepartmentName = QStringLiteral("客服中心");
        op.PositionCode = QStringLiteral("1");
        op.PositionName = QStringLiteral("接待员");
        if (!Connection::ConnectDatabase(QString(), QString(), QString(), m_path))
            return fail(QStringLiteral("ConnectDatabase failed"));
        return true;
    }

    desk::SqlConnection& db() { return Connection::SharedConnection(); }
    // One value of the first row of a query on the shared connection.
    QVariant scalar(const QString& sql) {
        const desk::Recordset rs = db().query(sql);
        return rs.isEmpty() ? QVariant() : rs.value(0, 0);
    }
    QString error;

private:
    bool fail(const QString& why) {
        error = why;
        return false;
    }
    static QStringList fixture() {
        return {
            // staff of the department D1 (two clerks) and of D2
            QStringLiteral("INSERT INTO 员工档案 (工号, 姓名) VALUES ('E01','张三'), "
                           "('E02','李四'), ('E03','王五')"),
            QStringLiteral(
                "INSERT INTO 岗位信息new (岗位代号, 岗位名称, 职能部门代号, 工号) VALUES "
                "('2','主管','D1','E02'), ('1','接待员','D1','E01'), "
                "('3','维修员','D2','E03')"),
            QStringLiteral("INSERT INTO 投诉类别 (编号, 类别) VALUES ('02','环境卫生'), "
                           "('01','物业服务'), ('03','设施设备')"),
            QStringLiteral("INSERT INTO 投诉方式 (编号, 方式) VALUES ('01','电话'), ('02','来访'), "
                           "('03','微信')"),
            // offices: two of D1, one of D2
            QStringLiteral("INSERT INTO 设置管理处 (GYD_DH, GYD_Name, 对应部门代号) VALUES "
                           "('G02','滨江花园','D1'), ('G01','翠苑小区','D1'), "
                           "('G03','金桥大厦','D2')"),
            QStringLiteral("INSERT INTO 楼表 (L_ID, 管理处, 地址1, 字1, 地址2, 字2) VALUES "
                           "(1,'G01','1','栋','2','单元'), (2,'G01','10','栋',NULL,NULL), "
                           "(3,'G01','2','栋',NULL,NULL), (4,'G02','A','座',NULL,NULL)"),
            QStringLiteral("INSERT INTO FWXZK (FWXZ_dh, FWXZ_xz) VALUES ('Z','住宅')"),
            QStringLiteral("INSERT INTO 室表 (S_ID, L_ID, 室, 字, 房屋性质) VALUES "
                           "(12,1,'102','室','Z'), (11,1,'101','室','Z'), (13,1,'103','室','Z'), "
                           "(21,2,'1001',NULL,'Z')"),
            QStringLiteral("INSERT INTO 业主表 (ZH_ID, S_ID, 姓名, 联系方式, 说明) VALUES "
                           "(501,11,'陈大文','13800000001','新进户'), "
                           "(502,12,'林小梅',NULL,'新进户'), "
                           "(503,13,'周老板','13900000003','已迁出')"),
            // the position "2" of D1 holds the special right over every office
            QStringLiteral("INSERT INTO 专项审核权限表 (类型, 部门代号, 岗位代号) VALUES "
                           "('投诉处理','D1','2'), ('其它','D1','1')"),
        };
    }
    QTemporaryDir m_dir;
    QString m_path;
};

// A control of a window by its design name; the test stops when it is missing.
template <class T> T* control(QObject* window, const QString& name) {
    T* found = window->findChild<T*>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}
