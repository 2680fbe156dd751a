// RefreshComplaintList of the reception window with 10,000 complaints of the current month
// on SQLite, against the bare query that fetches the same rows on the shared connection.
// Prints the median of five runs of each and their ratio.
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_reception_list [complaints]

#include "common/testdb.h"
#include "controls/flexgrid.h"
#include "data/connection.h"
#include "reception/receptionwindow.h"
#include "shell/operator.h"
#include "shell/platform.h"

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {

// Messages go to the console instead of a box that nobody would close.
class QuietSeam : public Platform::Seam {
public:
    void message(QWidget*, const QString& text, const QString&, Platform::Icon) override {
        QTextStream(stderr) << "message: " << text << '\n';
    }
    bool askYesNo(QWidget*, const QString&, const QString&) override { return false; }
};

QString pick(QRandomGenerator& random, const QStringList& list) {
    return list.at(int(random.bounded(quint32(list.size()))));
}

bool fillDatabase(const QString& path, int count, const QDate& today) {
    const QFileInfo file(path);
    if (testdb::create(file.absolutePath(), {}, file.fileName()).isEmpty())
        return false;
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "bench-fill");
        db.setDatabaseName(path);
        if (!db.open())
            return false;
        QSqlQuery q(db);
        db.transaction();
        q.exec(QStringLiteral("INSERT INTO 设置管理处 (GYD_DH, GYD_Name, 对应部门代号) VALUES "
                              "('0101','翠湖管理处','D1'), ('0102','金色家园管理处','D1'), "
                              "('0201','阳光新城管理处','D1'), ('0202','锦绣江南管理处','D1'), "
                              "('0301','碧水湾管理处','D1')"));
        QRandomGenerator random(20110301);
        const QStringList names = {"王伟", "李芳", "张娜", "刘秀英", "陈敏",   "杨静",
                                   "黄丽", "赵强", "吴磊", "周军",   "欧阳明", "孙洋"};
        const QStringList estates = {"翠湖花园", "金色家园", "阳光新城", "锦绣江南", "碧水湾"};
        const QStringList categories = {"环境卫生", "设备维修", "安全秩序", "收费问题", "服务态度"};
        const QStringList channels = {"电话", "来访", "微信", "信函", "APP"};
        const QStringList offices = {"0101", "0102", "0201", "0202", "0301", ""};
        const QStringList receivers = {"刘芳", "陈静", "王磊", "赵敏"};
        const QStringList statuses = {"尚未受理", "已受理", "等待 工程部 处理",
                                      "处理完成，等待答复", "处理完成"};
        const QString phrase = QStringLiteral("楼道灯不亮，已经报修多次仍未处理，"
                                              "业主要求尽快安排维修人员上门。");
        q.prepare(QStringLiteral(
            "INSERT INTO 投诉信息 (投诉编号, 流水号, 部门编号, 管理处代号, 投诉人, 地址, 联系电话, "
            "投诉类别, 投诉方式, 投诉时间, 投诉内容, 接待人, 处理状态, 处理时间, 结果满意度) "
            "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
        const QDateTime monthStart(QDate(today.year(), today.month(), 1), QTime(0, 0));
        const int minutesInMonth = today.daysInMonth() * 24 * 60;
        for (int i = 1; i <= count && ok; ++i) {
            const QString status = pick(random, statuses);
            const QDateTime at = monthStart.addSecs(60LL * random.bounded(quint32(minutesInMonth)));
            const QString office = pick(random, offices);
            q.addBindValue(QStringLiteral("%1").arg(i, 8, 10, QLatin1Char('0')));
            q.addBindValue(i);
            q.addBindValue(QStringLiteral("D1"));
            q.addBindValue(office.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : office);
            q.addBindValue(pick(random, names));
            q.addBindValue(pick(random, estates) + QString::number(random.bounded(30) + 1) +
                           QStringLiteral("栋") + QString::number(random.bounded(2000) + 101) +
                           QStringLiteral("室"));
            q.addBindValue(QStringLiteral("0755") +
                           QString::number(10000000 + random.bounded(89999999)));
            q.addBindValue(pick(random, categories));
            q.addBindValue(pick(random, channels));
            q.addBindValue(at.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
            q.addBindValue(phrase.repeated(1 + int(random.bounded(4))));
            q.addBindValue(pick(random, receivers));
            q.addBindValue(status);
            const bool replied = status == QStringLiteral("处理完成");
            q.addBindValue(
                replied ? QVariant(at.addDays(2).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")))
                        : QVariant(QMetaType::fromType<QString>()));
            q.addBindValue(replied ? QVariant(int(random.bounded(2))) : QVariant());
            if (!q.exec()) {
                QTextStream(stderr) << q.lastError().text() << '\n';
                ok = false;
            }
        }
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-fill"));
    return ok;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10000;
    QuietSeam seam;
    Platform::setSeam(&seam);
    const QDate today = Platform::now().date();

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.db"));
    if (!fillDatabase(path, count, today))
        return 1;
    OperatorContext& op = Operator();
    op.EmployeeNo = QStringLiteral("E01");
    op.EmployeeName = QStringLiteral("张三");
    op.DepartmentCode = QStringLiteral("D1");
    op.DepartmentName = QStringLiteral("客服中心");
    if (!Connection::ConnectDatabase(QString(), QString(), QString(), path))
        return 1;

    ReceptionWindow window;
    window.resize(1600, 900);
    window.show();
    QApplication::processEvents();

    const QString sql = window.listStatement();

    std::vector<double> refresh, bare;
    int rows = 0, fetched = 0;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer t;
        t.start();
        window.RefreshComplaintList();
        QApplication::processEvents(); // the grid repaints once
        refresh.push_back(t.nsecsElapsed() / 1e6);
        rows = window.findChild<controls::FlexGrid*>(QStringLiteral("MSFlexGrid1"))->rows() - 1;

        t.restart();
        const desk::Recordset rs = Connection::SharedConnection().query(sql);
        bare.push_back(t.nsecsElapsed() / 1e6);
        fetched = rs.size();
    }
    const double r = median(refresh), b = median(bare);
    QTextStream out(stdout);
    out << "complaints listed:      " << rows << " (bare query " << fetched << ")\n";
    out << "RefreshComplaintList:   " << QString::number(r, 'f', 1) << " ms (median of 5)\n";
    out << "bare query:             " << QString::number(b, 'f', 1) << " ms (median of 5)\n";
    out << "ratio:                  " << QString::number(r / b, 'f', 2) << "x\n";
    Platform::setSeam(nullptr);
    return rows == fetched ? 0 : 2;
}
