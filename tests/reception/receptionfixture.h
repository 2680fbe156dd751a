#pragma once
// A real SQLite database for the reception tests: the project's schema plus a small desk
// (one department with two clerks, three offices, a few buildings, rooms and occupants,
// categories and channels), opened as the shared connection with an operator logged in;
// and what every window test holds around it: the seam, the database and the window.

#include "../common/fakeseam.h"
#include "../common/testdb.h"
#include "controls/flexgrid.h"
#include "data/connection.h"
#include "reception/receptionwindow.h"
#include "shell/operator.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

class ReceptionDb {
public:
    // Builds the file and connects to it; false (after a warning) when it could not.
    bool create(const QStringList& extraStatements = {}) {
        if (!m_dir.isValid()) {
            qWarning("no temporary folder");
            return false;
        }
        m_path = testdb::create(m_dir.path(), fixture() + extraStatements);
        if (m_path.isEmpty())
            return false;
        OperatorContext& op = Operator();
        op.clear();
        op.EmployeeNo = QStringLiteral("E01");
        op.EmployeeName = QStringLiteral("张三");
        op.DepartmentCode = QStringLiteral("D1");
        op.DepartmentName = QStringLiteral("客服中心");
        op.PositionCode = QStringLiteral("1");
        op.PositionName = QStringLiteral("接待员");
        if (!Connection::ConnectDatabase(QString(), QString(), QString(), m_path)) {
            qWarning("ConnectDatabase failed");
            return false;
        }
        return true;
    }

    desk::SqlConnection& db() { return Connection::SharedConnection(); }
    // One value of the first row of a query on the shared connection.
    QVariant scalar(const QString& sql) {
        const desk::Recordset rs = db().query(sql);
        return rs.isEmpty() ? QVariant() : rs.value(0, 0);
    }

private:
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

// The seam (its clock at 2024-05-15 10:07:42), the database and the window of one test
// function: begin() in init(), end() in cleanup().
template <class Seam = FakeSeam> class ReceptionCase {
protected:
    void begin() {
        m_seam = std::make_unique<Seam>();
        m_seam->clock = QDateTime(QDate(2024, 5, 15), QTime(10, 7, 42));
        m_db = std::make_unique<ReceptionDb>();
    }
    void end() {
        m_window.reset();
        m_db.reset();
        m_seam.reset();
    }
    // Takes `window`, shows it at `size` and activates it; true when nothing was said.
    bool show(ReceptionWindow* window, const QSize& size = QSize(1400, 900)) {
        m_window.reset(window);
        m_window->resize(size);
        m_window->show();
        m_window->activate();
        return m_seam->messages.isEmpty();
    }
    template <class T> T* ctl(const QString& name) { return control<T>(m_window.get(), name); }
    QLineEdit* text1(int i) { return ctl<QLineEdit>(QStringLiteral("Text1(%1)").arg(i)); }
    controls::FlexGrid* list() { return ctl<controls::FlexGrid>("MSFlexGrid1"); }

    std::unique_ptr<Seam> m_seam;
    std::unique_ptr<ReceptionDb> m_db;
    std::unique_ptr<ReceptionWindow> m_window;
};
