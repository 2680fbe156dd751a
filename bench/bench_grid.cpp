// Fills the reception list grid with 10,000 complaints the way the list refresh does (row
// by row, redraw off, row heights from the content and status widths, the unfinished
// colour on rows without a reply time), then fills a bare QTableWidget with the same rows
// directly. Prints the median of five runs of each and their ratio.
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_grid [rows]

#include "controls/flexgrid.h"
#include "controls/twips.h"
#include "reception/receptionrules.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QRandomGenerator>
#include <QTableWidget>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {

const QString kLayout = QStringLiteral(
    "<序   |<编号                |<投诉类别        |<投诉方式      |<投诉时间                "
    "|<投诉人  |<地址                                         |<联系电话          "
    "|<投诉内容            |<对应项目                    |<接待    |<处理状态           "
    "|<处理结果|<处理时间                |^查看||||");
constexpr int kColumns = 19;
constexpr int kContentCol = 8;
constexpr int kStatusCol = 11;
constexpr int kReplyTimeCol = 13;
const QColor kUnfinished(255, 238, 228);

using Row = std::vector<QString>;

QString pick(QRandomGenerator& random, const QStringList& list) {
    return list.at(int(random.bounded(quint32(list.size()))));
}

// Complaints as the list query returns them, already formatted for the grid's columns.
std::vector<Row> makeComplaints(int count) {
    QRandomGenerator random(20110301);
    const QStringList surnames = {"王", "李", "张", "刘", "陈", "杨", "黄", "赵", "吴", "周",
                                  "徐", "孙", "马", "朱", "胡", "郭", "何", "高", "林", "罗"};
    const QStringList given = {"伟", "芳", "娜", "秀英", "敏", "静", "丽", "强", "磊",   "军",
                               "洋", "勇", "艳", "杰",   "娟", "涛", "明", "超", "秀兰", "霞"};
    const QStringList estates = {"翠湖花园", "金色家园", "阳光新城", "锦绣江南",
                                 "碧水湾",   "世纪名苑", "南山雅居", "东方明珠小区"};
    const QStringList categories = {"环境卫生", "设备维修", "安全秩序", "收费问题",
                                    "服务态度", "绿化养护", "停车管理"};
    const QStringList channels = {"电话", "来访", "微信", "信函", "APP"};
    const QStringList offices = {"0101 翠湖管理处", "0102 金色家园管理处", "0201 阳光新城管理处",
                                 "0202 锦绣江南管理处", "0301 碧水湾管理处"};
    const QStringList receivers = {"刘芳", "陈静", "王磊", "赵敏", "孙丽"};
    const QStringList statuses = {"尚未受理",           "已受理",
                                  "等待 工程部 处理",   "等待 保安部 处理",
                                  "处理完成，等待答复", "处理完成"};
    const QStringList phrases = {"楼道灯已经坏了一个多星期，晚上回家很不方便，",
                                 "地下车库入口的道闸经常失灵，车辆排队严重，",
                                 "楼上住户装修噪音太大，早上七点就开始施工，",
                                 "小区垃圾清运不及时，夏天气味很大，蚊蝇很多，",
                                 "电梯运行时有异响，担心存在安全隐患，",
                                 "物业费收据与实际缴费金额不符，请核实，",
                                 "保安巡逻不到位，单元门禁长期损坏无人修理，",
                                 "绿化带被部分业主占用种菜，影响小区环境，",
                                 "家中卫生间顶部渗水，怀疑楼上管道破裂，",
                                 "希望尽快安排人员上门查看并给予答复。",
                                 "已多次电话反映，至今没有处理结果，",
                                 "外来车辆随意停放，堵塞消防通道，"};

    std::vector<Row> rows;
    rows.reserve(size_t(count));
    const QDateTime start(QDate(2024, 3, 1), QTime(8, 0));
    for (int i = 0; i < count; ++i) {
        Row row(kColumns);
        const QDateTime at = start.addSecs(qint64(i) * 263);
        QString content;
        const int length = 20 + int(random.bounded(181u));
        while (content.size() < length)
            content += pick(random, phrases);
        content.truncate(length);
        const QString status = pick(random, statuses);
        const bool done = status == QStringLiteral("处理完成");
        row[0] = QString::number(i + 1);
        row[1] = QString::number(24000000 + i).rightJustified(8, QLatin1Char('0'));
        row[2] = pick(random, categories);
        row[3] = pick(random, channels);
        row[4] = at.toString(QStringLiteral("yyyy-MM-dd hh:mm"));
        row[5] = pick(random, surnames) + pick(random, given);
        row[6] = pick(random, estates) + QString::number(1 + random.bounded(30u)) + "栋" +
                 QString::number(1 + random.bounded(4u)) + "单元" +
                 QString::number(101 + random.bounded(2800u)) + "室";
        row[7] = "13" + QString::number(100000000 + random.bounded(899999999u));
        row[8] = content;
        row[9] = pick(random, offices);
        row[10] = pick(random, receivers);
        row[11] = status;
        row[12] = done ? (random.bounded(5u) ? QStringLiteral("满意") : QStringLiteral("不满意"))
                       : QString();
        row[13] = done ? at.addDays(2).toString(QStringLiteral("yyyy-MM-dd hh:mm")) : QString();
        row[14] = QStringLiteral("查看");
        row[15] = QString::number(5000 + i);
        row[16] = random.bounded(10u) == 0 ? "wx_" + QString::number(i) : QString();
        row[17] = random.bounded(20u) == 0 ? "app" + QString::number(i) : QString();
        row[18] = QString::number(100000 + i);
        rows.push_back(std::move(row));
    }
    return rows;
}

// Counts the paints of a viewport, so that a run is known to have reached the screen.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

void paintNow(QAbstractItemView& view, PaintCounter& counter) {
    const int before = counter.paints;
    for (int i = 0; i < 5 && counter.paints == before; ++i)
        QCoreApplication::processEvents();
    if (counter.paints == before)
        view.viewport()->repaint();
}

// The list refresh, through the grid stand-in.
void fillGrid(controls::FlexGrid& grid, const std::vector<Row>& data) {
    grid.setRedraw(false);
    grid.setWordWrap(true);
    grid.setRows(1);
    for (const Row& values : data) {
        const int r = grid.addRow();
        grid.setRow(r);
        for (int c = 0; c < kColumns; ++c) {
            grid.setTextMatrix(r, c, values[size_t(c)]);
            if (c == kContentCol || c == kStatusCol) {
                const int height =
                    reception::listRowHeight(grid.textWidth(values[size_t(c)]), grid.colWidth(c));
                if (height > 0)
                    grid.setRowHeight(r, height);
            }
        }
        if (values[kReplyTimeCol].isEmpty())
            grid.setRowBackColor(r, kUnfinished);
    }
    grid.setRedraw(true);
}

// The same rows straight into a QTableWidget, the quickest way it offers: all rows at once,
// every item filled before it joins the table. The row heights come from measuring each
// text with the font's metrics, or, when given, from a list worked out beforehand (then the
// figure is the table's own cost alone).
void fillBare(QTableWidget& table, const std::vector<Row>& data, const QList<int>& widthTwips,
              const std::vector<int>* givenHeights = nullptr) {
    const QFontMetricsF metrics(table.font(), &table);
    const QBrush unfinished(kUnfinished);
    table.setUpdatesEnabled(false);
    table.setWordWrap(true);
    table.setRowCount(0);
    table.setRowCount(int(data.size()));
    for (int r = 0; r < int(data.size()); ++r) {
        const Row& values = data[size_t(r)];
        const bool colour = values[kReplyTimeCol].isEmpty();
        int height = 0;
        for (int c = 0; c < kColumns; ++c) {
            auto* item = new QTableWidgetItem(values[size_t(c)]);
            if (colour)
                item->setBackground(unfinished);
            table.setItem(r, c, item);
            if (!givenHeights && (c == kContentCol || c == kStatusCol)) {
                const int width = controls::pixelsToTwipsX(
                    qRound(metrics.horizontalAdvance(values[size_t(c)])), &table);
                const int h = reception::listRowHeight(width, widthTwips.at(c));
                if (h > 0)
                    height = h;
            }
        }
        if (givenHeights)
            height = (*givenHeights)[size_t(r)];
        if (height > 0)
            table.setRowHeight(r, controls::twipsToPixelsY(height, &table));
    }
    table.setUpdatesEnabled(true);
}

// The client's own choice of a Simplified Chinese face, so that the texts are measured and
// painted as they are at the desk.
void useChineseFont(QApplication& app) {
    const QStringList families = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    for (const char* name : {"Microsoft YaHei", "Noto Sans CJK SC", "Source Han Sans SC",
                             "WenQuanYi Micro Hei", "SimSun", "Noto Serif CJK SC"}) {
        if (families.contains(QString::fromUtf8(name), Qt::CaseInsensitive)) {
            QFont font(QString::fromUtf8(name));
            font.setPointSize(10);
            app.setFont(font);
            return;
        }
    }
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    useChineseFont(app);
    const int count = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 10000;
    const int runs = 5;
    QTextStream out(stdout);

    const std::vector<Row> data = makeComplaints(count);

    controls::FlexGrid grid;
    grid.resize(1600, 800);
    grid.setFormatString(kLayout);
    grid.setHeaderAlignment(Qt::AlignCenter);
    for (int c = 15; c < kColumns; ++c)
        grid.setColWidth(c, 0);
    // The window gives the content column what the others leave of the grid's width.
    int others = 0;
    for (int c = 0; c <= 14; ++c)
        others += c == kContentCol ? 0 : grid.colWidth(c);
    const int spare = controls::pixelsToTwipsX(grid.width(), &grid) - others - 300;
    grid.setColWidth(kContentCol, spare > 1600 ? spare : 1600);
    grid.show();
    PaintCounter gridPaints;
    grid.viewport()->installEventFilter(&gridPaints);

    QTableWidget bare;
    bare.resize(1600, 800);
    bare.setColumnCount(kColumns);
    bare.setSelectionBehavior(QAbstractItemView::SelectRows);
    bare.setEditTriggers(QAbstractItemView::NoEditTriggers);
    bare.verticalHeader()->hide();
    QList<int> widthTwips;
    for (int c = 0; c < kColumns; ++c) {
        bare.setHorizontalHeaderItem(c, new QTableWidgetItem(grid.textMatrix(0, c)));
        bare.setColumnWidth(c, grid.columnWidth(c));
        bare.setColumnHidden(c, grid.isColumnHidden(c));
        widthTwips.append(qMax(1, grid.colWidth(c)));
    }
    bare.show();
    PaintCounter barePaints;
    bare.viewport()->installEventFilter(&barePaints);
    QCoreApplication::processEvents();

    // Heights as the list rule gives them, for the bare fill that does not measure.
    std::vector<int> heights;
    heights.reserve(data.size());
    for (const Row& values : data) {
        int height = 0;
        for (int c : {kContentCol, kStatusCol}) {
            const int h =
                reception::listRowHeight(grid.textWidth(values[size_t(c)]), widthTwips.at(c));
            if (h > 0)
                height = h;
        }
        heights.push_back(height);
    }

    std::vector<double> gridMs, bareMs, tableMs;
    QElapsedTimer timer;
    for (int i = 0; i < runs; ++i) {
        timer.start();
        fillGrid(grid, data);
        paintNow(grid, gridPaints);
        gridMs.push_back(timer.nsecsElapsed() / 1e6);

        timer.start();
        fillBare(bare, data, widthTwips);
        paintNow(bare, barePaints);
        bareMs.push_back(timer.nsecsElapsed() / 1e6);

        timer.start();
        fillBare(bare, data, widthTwips, &heights);
        paintNow(bare, barePaints);
        tableMs.push_back(timer.nsecsElapsed() / 1e6);
    }

    // The two tables must hold the same thing, or the comparison means nothing: the grid's
    // row heights against those the bare fill measured itself.
    fillBare(bare, data, widthTwips);
    int tallRows = 0, colouredRows = 0, mismatches = 0;
    const int gridDefault = grid.verticalHeader()->defaultSectionSize();
    const int bareDefault = bare.verticalHeader()->defaultSectionSize();
    for (int r = 1; r < grid.rows(); ++r) {
        const bool tall = grid.QTableView::rowHeight(r - 1) != gridDefault;
        const int bareHeight = bare.rowHeight(r - 1);
        if (tall ? bareHeight != grid.QTableView::rowHeight(r - 1) : bareHeight != bareDefault)
            ++mismatches;
        if (tall)
            ++tallRows;
        if (grid.cellBackColor(r, 1) == kUnfinished)
            ++colouredRows;
    }

    const double gridMedian = median(gridMs);
    const double bareMedian = median(bareMs);
    const double tableMedian = median(tableMs);
    out << "rows: " << count << " x " << kColumns << " columns, " << runs << " runs each\n";
    out << "rows made taller: " << tallRows << ", coloured: " << colouredRows
        << ", height differences against the bare fill: " << mismatches << "\n";
    out << "paints seen: grid " << gridPaints.paints << ", bare " << barePaints.paints << "\n";
    out << "grid runs (ms):";
    for (double ms : gridMs)
        out << " " << QString::number(ms, 'f', 1);
    out << "\nbare runs (ms):";
    for (double ms : bareMs)
        out << " " << QString::number(ms, 'f', 1);
    out << "\nbare runs, heights given (ms):";
    for (double ms : tableMs)
        out << " " << QString::number(ms, 'f', 1);
    out << "\nfont: " << QFontInfo(grid.font()).family() << " " << grid.font().pointSize() << " pt";
    out << "\nmedian grid fill: " << QString::number(gridMedian, 'f', 1) << " ms\n";
    out << "median bare fill: " << QString::number(bareMedian, 'f', 1) << " ms\n";
    out << "median bare fill, heights given: " << QString::number(tableMedian, 'f', 1) << " ms\n";
    out << "ratio grid / bare: " << QString::number(gridMedian / bareMedian, 'f', 2) << "\n";
    out << "ratio grid / bare with heights given: "
        << QString::number(gridMedian / tableMedian, 'f', 2) << "\n";
    return 0;
}
