// The exported workbook is read back from its XML (readxlsx.py) and checked cell by cell.

#include "controls/flexgrid.h"
#include "reception/export/listexport.h"
#include "reception/listcolumns.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The reception list as the window sets it up and fills it.
void setUpList(controls::FlexGrid& grid, const QList<QStringList>& rows) {
    grid.setFormatString(reception::listcol::listLayout());
    grid.setHeaderAlignment(Qt::AlignCenter);
    grid.setRows(1);
    for (int c = reception::listcol::ColOwner; c <= reception::listcol::ColId; ++c)
        grid.setColWidth(c, 0);
    for (const QStringList& cells : rows) {
        const int r = grid.addRow();
        grid.setTextMatrix(r, 0, QString::number(r));
        for (int c = 0; c < cells.size(); ++c)
            grid.setTextMatrix(r, c + 1, cells[c]);
    }
}

const QList<QStringList> kRows = {
    {QStringLiteral("00000012"), QStringLiteral("服务态度"), QStringLiteral("电话"),
     QStringLiteral("2024-01-05 10:30"), QStringLiteral("李四"), QStringLiteral("007栋0101"),
     QStringLiteral("0755-1234"), QStringLiteral("楼道灯坏了"), QStringLiteral("01 海景花园"),
     QStringLiteral("王五"), QStringLiteral("尚未受理"), QString(), QString(),
     QStringLiteral("查看"), QString(), QString(), QString(), QStringLiteral("7")},
    {QStringLiteral("00000013"), QStringLiteral("维修"), QStringLiteral("上门"), QString(),
     QStringLiteral("赵六"), QString(), QStringLiteral("13800000000"),
     QStringLiteral("厨房天花板漏水，楼上住户家中无人，物业已联系多次仍未解决，请尽快处理"),
     QString(), QStringLiteral("王五"), QStringLiteral("处理完成"), QStringLiteral("满意"),
     QStringLiteral("2024-01-08 09:00"), QStringLiteral("查看")},
};

QJsonObject readBack(const QString& path) {
    QProcess python;
    python.start(QStringLiteral("python3"), {QStringLiteral(READXLSX_SCRIPT), path});
    if (!python.waitForFinished(60000) || python.exitCode() != 0) {
        qWarning("%s", python.readAllStandardError().constData());
        return {};
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

QString columnName(int col) {
    return QString(QChar(u'A' + col));
}

} // namespace

class TestListExport : public QObject {
    Q_OBJECT
private slots:
    void writesTheSheet();
    void fileChosenIsFileWritten_data();
    void fileChosenIsFileWritten();
    void failureLeavesNoFile_data();
    void failureLeavesNoFile();

private:
    QTemporaryDir m_dir;
};

void TestListExport::writesTheSheet() {
    QCOMPARE(reception::proposedExportName(QDate(2024, 1, 5)),
             QStringLiteral("投诉信息表_20240105"));
    QCOMPARE(reception::exportFilter(), QStringLiteral("电子表 (*.xls *.xlsx)"));

    controls::FlexGrid grid;
    setUpList(grid, kRows);
    QList<QPair<int, int>> steps;
    const QString chosen = m_dir.filePath(QStringLiteral("投诉信息表_20240105.xls"));
    const reception::ExportResult result = reception::exportComplaintList(
        grid, chosen, QDate(2024, 1, 5), QStringLiteral("张三"), [&](int done, int total) {
            steps.append({done, total});
        });
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(result.path, m_dir.filePath(QStringLiteral("投诉信息表_20240105.xlsx")));
    QVERIFY(grid.redraw());
    QCOMPARE(steps, (QList<QPair<int, int>>{{0, 3}, {1, 3}, {2, 3}}));

    const QJsonObject book = readBack(result.path);
    QVERIFY(!book.isEmpty());
    QCOMPARE(book[QStringLiteral("sheets")].toArray(), QJsonArray{QStringLiteral("投诉信息")});
    const QJsonObject cells = book[QStringLiteral("cells")].toObject();
    const QJsonArray styles = book[QStringLiteral("styles")].toArray();
    auto cell = [&](const QString& ref) { return cells[ref].toObject(); };
    auto style = [&](const QString& ref) {
        return styles[cell(ref)[QStringLiteral("s")].toInt()].toObject();
    };
    auto text = [&](const QString& ref) { return cell(ref)[QStringLiteral("v")].toString(); };
    auto font = [&](const QString& ref) { return style(ref)[QStringLiteral("font")].toObject(); };
    auto bordered = [&](const QString& ref) {
        const QJsonObject b = style(ref)[QStringLiteral("border")].toObject();
        for (const char* side : {"left", "right", "top", "bottom"})
            if (b[QLatin1String(side)].toString() != QLatin1String("thin"))
                return false;
        return true;
    };

    // Title over the 14 columns, bold.
    QCOMPARE(text(QStringLiteral("A1")), QStringLiteral("投诉信息表"));
    const QJsonArray merges = book[QStringLiteral("merges")].toArray();
    QVERIFY(merges.contains(QStringLiteral("A1:N1")));
    QVERIFY(merges.contains(QStringLiteral("A3:D3")));
    QCOMPARE(style(QStringLiteral("A1"))[QStringLiteral("h")].toString(), QStringLiteral("center"));
    QCOMPARE(font(QStringLiteral("A1"))[QStringLiteral("name")].toString(),
             QStringLiteral("微软雅黑"));
    QVERIFY(font(QStringLiteral("A1"))[QStringLiteral("b")].toBool());
    QVERIFY(cell(QStringLiteral("O1")).isEmpty());
    // Row 2 empty, row 3 the day and the operator.
    QCOMPARE(text(QStringLiteral("A2")), QString());
    QCOMPARE(text(QStringLiteral("A3")), QStringLiteral(" 制表日期：2024-01-05      制表人：张三"));
    QCOMPARE(font(QStringLiteral("A3"))[QStringLiteral("sz")].toDouble(), 9.0);
    QVERIFY(!bordered(QStringLiteral("A3")));

    // Heads: the grid's header texts, widths and fill; nothing past 处理时间.
    for (int c = 0; c < 14; ++c) {
        const QString ref = columnName(c) + QLatin1Char('4');
        QCOMPARE(text(ref), grid.textMatrix(0, c));
        QCOMPARE(style(ref)[QStringLiteral("fill")].toString(), QStringLiteral("FFC0C0FF"));
        QCOMPARE(style(ref)[QStringLiteral("h")].toString(), QStringLiteral("center"));
        QVERIFY2(bordered(ref), qPrintable(ref));
    }
    QCOMPARE(text(QStringLiteral("N4")).trimmed(), QStringLiteral("处理时间"));
    QVERIFY(cell(QStringLiteral("O4")).isEmpty());
    const QJsonArray widths = book[QStringLiteral("cols")].toArray();
    QCOMPARE(widths.size(), 14);
    for (int c = 0; c < 14; ++c)
        QVERIFY(qAbs(widths[c].toObject()[QStringLiteral("width")].toDouble() -
                     grid.colWidth(c) / 110.0) < 1.0);

    // The first complaint.
    QCOMPARE(cell(QStringLiteral("A5"))[QStringLiteral("t")].toString(), QStringLiteral("n"));
    QCOMPARE(text(QStringLiteral("A5")), QStringLiteral("1"));
    QCOMPARE(text(QStringLiteral("B5")), QStringLiteral("00000012"));
    QCOMPARE(text(QStringLiteral("F5")), QStringLiteral("李四"));
    QCOMPARE(text(QStringLiteral("I5")), QStringLiteral("楼道灯坏了"));
    QCOMPARE(text(QStringLiteral("L5")), QStringLiteral("尚未受理"));
    QVERIFY(style(QStringLiteral("I5"))[QStringLiteral("wrap")].toBool());
    QCOMPARE(font(QStringLiteral("I5"))[QStringLiteral("sz")].toDouble(), 9.0);
    QCOMPARE(font(QStringLiteral("I5"))[QStringLiteral("name")].toString(),
             QStringLiteral("微软雅黑"));
    // Address and telephone are text cells with their leading zeros, no apostrophe.
    for (const QString& ref : {QStringLiteral("G5"), QStringLiteral("H5"), QStringLiteral("H6")})
        QCOMPARE(cell(ref)[QStringLiteral("t")].toString(), QStringLiteral("s"));
    QCOMPARE(text(QStringLiteral("G5")), QStringLiteral("007栋0101"));
    QCOMPARE(text(QStringLiteral("H5")), QStringLiteral("0755-1234"));
    // The complaint time: a date-time shown as a day, centred.
    QCOMPARE(cell(QStringLiteral("E5"))[QStringLiteral("t")].toString(), QStringLiteral("n"));
    QCOMPARE(text(QStringLiteral("E5")).toDouble(), 45296.4375); // 2024-01-05 10:30
    QCOMPARE(style(QStringLiteral("E5"))[QStringLiteral("numFmt")].toString(),
             QStringLiteral("yyyy-mm-dd"));
    QCOMPARE(style(QStringLiteral("E5"))[QStringLiteral("h")].toString(), QStringLiteral("center"));
    // A complaint without a time keeps an empty cell; the hidden columns are not written.
    QCOMPARE(text(QStringLiteral("E6")), QString());
    QCOMPARE(text(QStringLiteral("N6")), QStringLiteral("2024-01-08 09:00"));
    QVERIFY(cell(QStringLiteral("O5")).isEmpty());
    QVERIFY(cell(QStringLiteral("A7")).isEmpty() || text(QStringLiteral("A7")).isEmpty());

    // A row whose text wraps is tall enough for its lines; a one-line row keeps its height.
    const QJsonObject heights = book[QStringLiteral("heights")].toObject();
    QVERIFY(!heights.contains(QStringLiteral("5")));
    QVERIFY(heights[QStringLiteral("6")].toDouble() >= 2 * 12.0);

    // Borders on every cell from the heads to the last complaint.
    for (int r = 4; r <= 6; ++r)
        for (int c = 0; c < 14; ++c) {
            const QString ref = columnName(c) + QString::number(r);
            QVERIFY2(bordered(ref), qPrintable(ref));
        }
}

void TestListExport::fileChosenIsFileWritten_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("existing");
    QTest::newRow("extension replaced") << "a/表.xls"
                                        << "a/表.xlsx" << false;
    QTest::newRow("dot in a folder name") << "b.c/表"
                                          << "b.c/表.xlsx" << false;
    QTest::newRow("no extension") << "d/投诉信息表_20240105"
                                  << "d/投诉信息表_20240105.xlsx" << false;
    QTest::newRow("dots in the name") << "e/表.2024.01.xls"
                                      << "e/表.2024.01.xlsx" << false;
    QTest::newRow("existing longer file replaced") << "f/表.xlsx"
                                                   << "f/表.xlsx" << true;
}

void TestListExport::fileChosenIsFileWritten() {
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QFETCH(bool, existing);
    QCOMPARE(reception::workbookPath(chosen), written);

    const QString target = m_dir.filePath(written);
    QVERIFY(QDir().mkpath(QFileInfo(target).absolutePath()));
    if (existing) {
        QFile old(target);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(4 << 20, 'x'));
    }
    controls::FlexGrid grid;
    setUpList(grid, kRows);
    const reception::ExportResult result = reception::exportComplaintList(
        grid, m_dir.filePath(chosen), QDate(2024, 1, 5), QStringLiteral("张三"));
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(QFileInfo(result.path).absoluteFilePath(), QFileInfo(target).absoluteFilePath());
    const QJsonObject book = readBack(target);
    QCOMPARE(book[QStringLiteral("cells")]
                 .toObject()[QStringLiteral("B6")]
                 .toObject()[QStringLiteral("v")]
                 .toString(),
             QStringLiteral("00000013"));
    // Nothing else is left in the folder.
    QCOMPARE(QDir(QFileInfo(target).absolutePath()).entryList(QDir::Files),
             QStringList{QFileInfo(target).fileName()});
}

void TestListExport::failureLeavesNoFile_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("folderInTheWay");
    QTest::newRow("folder missing") << "missing/表.xls" << false;
    QTest::newRow("a folder of that name") << "g/表.xls" << true;
}

void TestListExport::failureLeavesNoFile() {
    QFETCH(QString, chosen);
    QFETCH(bool, folderInTheWay);
    const QString target = m_dir.filePath(reception::workbookPath(chosen));
    if (folderInTheWay)
        QVERIFY(QDir().mkpath(target));
    controls::FlexGrid grid;
    setUpList(grid, kRows);
    const reception::ExportResult result = reception::exportComplaintList(
        grid, m_dir.filePath(chosen), QDate(2024, 1, 5), QStringLiteral("张三"));
    QVERIFY(!result.ok);
    QVERIFY(!result.error.isEmpty());
    QVERIFY(grid.redraw());
    QCOMPARE(QFileInfo(target).isDir(), folderInTheWay);
    const QDir folder(QFileInfo(target).absolutePath());
    QCOMPARE(folder.entryList(QDir::Files), QStringList());
}

QTEST_MAIN(TestListExport)
#include "tst_listexport.moc"
