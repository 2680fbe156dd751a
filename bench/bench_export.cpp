// Export of a long reception list to a workbook. Run: bench_export [rows] [folder]
// Prints the time of the export alone (the grid is filled first, outside the timing).

#include "controls/flexgrid.h"
#include "reception/export/listexport.h"
#include "reception/listcolumns.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qEnvironmentVariable("QT_QPA_PLATFORM", "offscreen").toUtf8());
    QApplication app(argc, argv);
    const int rows = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10000;
    QTemporaryDir dir;
    const QString folder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : dir.path();

    controls::FlexGrid grid;
    grid.setFormatString(reception::listcol::listLayout());
    grid.setRows(1);
    for (int c = reception::listcol::ColOwner; c <= reception::listcol::ColId; ++c)
        grid.setColWidth(c, 0);
    grid.setRedraw(false);
    for (int i = 1; i <= rows; ++i) {
        const int r = grid.addRow();
        const QStringList cells = {
            QString::number(r),
            QStringLiteral("%1").arg(i, 8, 10, QLatin1Char('0')),
            QStringLiteral("服务态度"),
            QStringLiteral("电话"),
            QStringLiteral("2024-01-%1 %2:30")
                .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                .arg(i % 24, 2, 10, QLatin1Char('0')),
            QStringLiteral("投诉人%1").arg(i),
            QStringLiteral("海景花园%1栋%2室").arg(i % 30).arg(i % 1000, 4, 10, QLatin1Char('0')),
            QStringLiteral("0755-%1").arg(i, 8, 10, QLatin1Char('0')),
            QStringLiteral("楼道灯坏了，已经三天没有修好，晚上出入很不方便，请尽快处理。"),
            QStringLiteral("01 海景花园"),
            QStringLiteral("王五"),
            i % 3 ? QStringLiteral("处理完成") : QStringLiteral("尚未受理"),
            i % 3 ? QStringLiteral("满意") : QString(),
            i % 3 ? QStringLiteral("2024-01-28 09:00") : QString(),
            QStringLiteral("查看")};
        for (int c = 0; c < cells.size(); ++c)
            grid.setTextMatrix(r, c, cells[c]);
    }
    grid.setRedraw(true);

    int calls = 0;
    QElapsedTimer timer;
    timer.start();
    const reception::ExportResult result = reception::exportComplaintList(
        grid, folder + QStringLiteral("/投诉信息表_bench.xls"), QDate::currentDate(),
        QStringLiteral("张三"), [&](int, int) { ++calls; });
    const qint64 ms = timer.elapsed();
    if (!result.ok) {
        std::fprintf(stderr, "export failed: %s\n", qPrintable(result.error));
        return 1;
    }
    std::printf("export of %d rows: %lld ms, %lld bytes, %d progress calls\n", rows,
                static_cast<long long>(ms), static_cast<long long>(QFileInfo(result.path).size()),
                calls);
    return 0;
}
