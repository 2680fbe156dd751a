#include "controls/flexgrid.h"
#include "controls/twips.h"

#include <QHeaderView>
#include <QImage>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

using namespace controls;

namespace {

const QString kReceptionLayout = QStringLiteral(
    "<序   |<编号                |<投诉类别        |<投诉方式      |<投诉时间                "
    "|<投诉人  |<地址                                         |<联系电话          "
    "|<投诉内容            |<对应项目                    |<接待    |<处理状态           "
    "|<处理结果|<处理时间                |^查看||||");

// A grid of four columns with `rows` data rows, cell (r, c) holding "r.c".
void fill(FlexGrid& grid, int rows) {
    grid.setFormatString(QStringLiteral("<序  |<名称        |^浏览  |>数量    "));
    grid.setRows(1);
    for (int i = 0; i < rows; ++i) {
        const int r = grid.addRow();
        for (int c = 0; c < grid.cols(); ++c)
            grid.setTextMatrix(r, c, QStringLiteral("%1.%2").arg(r).arg(c));
    }
}

// The part of a cell's rectangle covered by dark (text) pixels, in viewport coordinates.
QRect inkIn(const QImage& image, const QRect& cell) {
    QRect ink;
    const QRect inside = cell.adjusted(1, 1, -2, -2);
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

bool showSized(FlexGrid& grid, const QSize& size) {
    grid.resize(size);
    grid.show();
    return QTest::qWaitForWindowExposed(&grid);
}

// Shows the grid without keyboard focus, so that no focus frame paints over a cell.
bool showForPixels(FlexGrid& grid, const QSize& size) {
    grid.setFocusPolicy(Qt::NoFocus);
    return showSized(grid, size);
}

QImage paintedViewport(FlexGrid& grid) {
    QCoreApplication::processEvents();
    return grid.viewport()->grab().toImage();
}

} // namespace

class TstFlexGrid : public QObject {
    Q_OBJECT
private slots:
    void layoutStrings_data();
    void layoutStrings();
    void formatStringSetsCaptionsAndWidths();

    void headerRowAndDataRows();
    void removingARowRenumbersNothing();
    void cellsOutsideTheGridAreRefused();

    void widthsAndHeightsInTwips_data();
    void widthsAndHeightsInTwips();
    void hiddenColumnsKeepTheirText();

    void textWidthMatchesTheFont_data();
    void textWidthMatchesTheFont();

    void coloursRoundTrip();
    void rowColourIsPainted();
    void columnAlignmentIsPainted_data();
    void columnAlignmentIsPainted();

    void rowDataMovesWithItsRow();

    void currentRowAndSelection();
    void currentRowNeverScrolls();
    void topRowAndVisibility();
    void redrawOffThenOnShowsTheRows();

    void clicksReportDesignNumbering_data();
    void clicksReportDesignNumbering();
    void headerClickIsRowZero();
};

void TstFlexGrid::layoutStrings_data() {
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QString>("alignments"); // L, C, R per column

    QStringList reception = {"序   ",
                             "编号                ",
                             "投诉类别        ",
                             "投诉方式      ",
                             "投诉时间                ",
                             "投诉人  ",
                             "地址" + QString(41, QLatin1Char(' ')),
                             "联系电话          ",
                             "投诉内容            ",
                             "对应项目                    ",
                             "接待    ",
                             "处理状态           ",
                             "处理结果",
                             "处理时间                ",
                             "查看",
                             "",
                             "",
                             "",
                             ""};
    QTest::newRow("reception list")
        << kReceptionLayout << reception << QStringLiteral("LLLLLLLLLLLLLLCLLLL");
    QTest::newRow("attachments") << QStringLiteral("<序|<文件名|^浏览|")
                                 << QStringList{"序", "文件名", "浏览", ""}
                                 << QStringLiteral("LLCL");
    QTest::newRow("trailing empty sections")
        << QStringLiteral("<序   |<编号                |^查看||||")
        << QStringList{"序   ", "编号                ", "查看", "", "", "", ""}
        << QStringLiteral("LLCLLLL");
    QTest::newRow("empty section inside")
        << QStringLiteral("<a||>b") << QStringList{"a", "", "b"} << QStringLiteral("LLR");
    QTest::newRow("marks") << QStringLiteral("<左|^中|>右|无|^|>>x| <")
                           << QStringList{"左", "中", "右", "无", "", ">x", " <"}
                           << QStringLiteral("LCRLCRL");
    QTest::newRow("nothing") << QString() << QStringList() << QString();
}

void TstFlexGrid::layoutStrings() {
    QFETCH(QString, layout);
    QFETCH(QStringList, captions);
    QFETCH(QString, alignments);

    const QList<LayoutColumn> columns = parseLayoutString(layout);
    QCOMPARE(columns.size(), captions.size());
    for (int c = 0; c < columns.size(); ++c) {
        QCOMPARE(columns[c].caption, captions[c]);
        QCOMPARE(columns[c].widthChars, int(captions[c].size()));
        const QChar mark = alignments.at(c);
        const Qt::Alignment horizontal = columns[c].alignment & Qt::AlignHorizontal_Mask;
        const Qt::Alignment expected = mark == u'L'   ? Qt::AlignLeft
                                       : mark == u'C' ? Qt::AlignHCenter
                                                      : Qt::AlignRight;
        QCOMPARE(horizontal, expected);
    }
}

void TstFlexGrid::formatStringSetsCaptionsAndWidths() {
    FlexGrid grid;
    grid.setFormatString(kReceptionLayout);
    QCOMPARE(grid.cols(), 19);
    QCOMPARE(grid.rows(), 1);
    QCOMPARE(grid.textMatrix(0, 6), "地址" + QString(41, QLatin1Char(' ')));
    QCOMPARE(grid.horizontalHeaderItem(14)->text(), QStringLiteral("查看"));
    QCOMPARE(grid.colAlignment(14) & Qt::AlignHorizontal_Mask, Qt::Alignment(Qt::AlignHCenter));

    // Each column is as wide as its padded caption, and at least that wide.
    for (int c = 0; c < grid.cols(); ++c)
        QVERIFY(grid.colWidth(c) >= grid.textWidth(grid.textMatrix(0, c)));
    QVERIFY(grid.colWidth(6) > grid.colWidth(1));
    QVERIFY(grid.colWidth(1) > grid.colWidth(5));
    QVERIFY(grid.colWidth(18) > 0); // empty caption: narrow, but not hidden
    QVERIFY(grid.colWidth(18) < grid.colWidth(0));

    // Padding blanks count as half a Chinese character each: "编号" + 16 blanks is as wide
    // as ten Chinese characters, so a complaint time fits in its column.
    FlexGrid padded;
    padded.setFormatString(QStringLiteral("<编号                |<编号编号编号编号编号"));
    QVERIFY(qAbs(padded.colWidth(0) - padded.colWidth(1)) <= 30);
    QVERIFY(padded.colWidth(0) > padded.textWidth(QStringLiteral("2024-05-01 09:30")));
}

void TstFlexGrid::headerRowAndDataRows() {
    FlexGrid grid;
    QCOMPARE(grid.rows(), 1);
    QVERIFY(grid.verticalHeader()->isHidden());
    fill(grid, 0);
    QCOMPARE(grid.addRow(), 1);
    QCOMPARE(grid.addRow(), 2);
    QCOMPARE(grid.rows(), 3);
    QCOMPARE(grid.rowCount(), 2);

    // Data row r is table row r - 1; column 0 is an ordinary column; row 0 is the header.
    grid.setTextMatrix(2, 0, QStringLiteral("2"));
    grid.setTextMatrix(2, 1, QStringLiteral("文件.doc"));
    QCOMPARE(grid.item(1, 0)->text(), QStringLiteral("2"));
    QCOMPARE(grid.item(1, 1)->text(), QStringLiteral("文件.doc"));
    grid.setTextMatrix(0, 1, QStringLiteral("来源"));
    QCOMPARE(grid.horizontalHeaderItem(1)->text(), QStringLiteral("来源"));
    QCOMPARE(grid.textMatrix(0, 1), QStringLiteral("来源"));
    QCOMPARE(grid.textMatrix(1, 1), QString()); // never written

    grid.setRows(1);
    QCOMPARE(grid.rows(), 1);
    QCOMPARE(grid.rowCount(), 0);
    QCOMPARE(grid.textMatrix(0, 1), QStringLiteral("来源"));
    QCOMPARE(grid.addRow(), 1);
    QCOMPARE(grid.textMatrix(1, 1), QString()); // a fresh row, not the old one

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("setRows"));
    grid.setRows(0);
    QCOMPARE(grid.rows(), 1);
    QCOMPARE(grid.textMatrix(0, 1), QStringLiteral("来源"));
}

void TstFlexGrid::removingARowRenumbersNothing() {
    FlexGrid grid;
    fill(grid, 3);
    grid.removeRowAt(2);
    QCOMPARE(grid.rows(), 3);
    QCOMPARE(grid.textMatrix(1, 1), QStringLiteral("1.1"));
    QCOMPARE(grid.textMatrix(2, 0), QStringLiteral("3.0")); // the caller renumbers
    QCOMPARE(grid.textMatrix(2, 1), QStringLiteral("3.1"));

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("removeRowAt"));
    grid.removeRowAt(0); // the header stays
    QCOMPARE(grid.rows(), 3);
    QCOMPARE(grid.textMatrix(0, 1).trimmed(), QStringLiteral("名称"));

    grid.removeRowAt(1);
    grid.removeRowAt(1); // the only data row may go too
    QCOMPARE(grid.rows(), 1);
}

void TstFlexGrid::cellsOutsideTheGridAreRefused() {
    FlexGrid grid;
    fill(grid, 2);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("setTextMatrix"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("setTextMatrix"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("setTextMatrix"));
    grid.setTextMatrix(3, 0, QStringLiteral("x"));
    grid.setTextMatrix(1, 4, QStringLiteral("x"));
    grid.setTextMatrix(-1, 0, QStringLiteral("x"));
    QCOMPARE(grid.rows(), 3);
    QCOMPARE(grid.cols(), 4);
    QCOMPARE(grid.textMatrix(3, 0), QString());
    QCOMPARE(grid.textMatrix(1, 4), QString());
    QCOMPARE(grid.textMatrix(-1, -1), QString());
    QCOMPARE(grid.rowData(5), QVariant());
    QCOMPARE(grid.cellBackColor(9, 9), QColor());
}

void TstFlexGrid::widthsAndHeightsInTwips_data() {
    QTest::addColumn<int>("twips");
    QTest::newRow("one line") << 300;
    QTest::newRow("three lines") << 900;
    QTest::newRow("not a whole pixel") << 1607;
    QTest::newRow("under a pixel") << 3;
}

void TstFlexGrid::widthsAndHeightsInTwips() {
    QFETCH(int, twips);
    FlexGrid grid;
    fill(grid, 2);
    grid.setColWidth(1, twips);
    grid.setRowHeight(2, twips);
    QCOMPARE(grid.colWidth(1), twips);
    QCOMPARE(grid.rowHeight(2), twips);
    QCOMPARE(grid.columnWidth(1), qMax(1, twipsToPixelsX(twips, &grid)));
    QCOMPARE(grid.QTableView::rowHeight(1), qMax(1, twipsToPixelsY(twips, &grid)));
    QCOMPARE(grid.QTableView::rowHeight(0), grid.verticalHeader()->defaultSectionSize());

    // A width changed behind the grid's back (the operator's mouse) is read as it is.
    grid.setColumnWidth(1, 50);
    QCOMPARE(grid.colWidth(1), pixelsToTwipsX(50, &grid));
}

void TstFlexGrid::hiddenColumnsKeepTheirText() {
    FlexGrid grid;
    fill(grid, 2);
    grid.setColWidth(3, 0);
    QVERIFY(grid.isColumnHidden(3));
    QCOMPARE(grid.colWidth(3), 0);
    grid.setTextMatrix(2, 3, QStringLiteral("4711"));
    QCOMPARE(grid.textMatrix(2, 3), QStringLiteral("4711"));
    QCOMPARE(grid.textMatrix(1, 3), QStringLiteral("1.3"));

    grid.setColWidth(3, 1200);
    QVERIFY(!grid.isColumnHidden(3));
    QCOMPARE(grid.colWidth(3), 1200);

    grid.setRowHeight(1, 0);
    QVERIFY(grid.isRowHidden(0));
    QCOMPARE(grid.rowHeight(1), 0);
    QCOMPARE(grid.textMatrix(1, 1), QStringLiteral("1.1"));
    grid.setRowHeight(1, 600);
    QVERIFY(!grid.isRowHidden(0));
}

void TstFlexGrid::textWidthMatchesTheFont_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("chinese") << QStringLiteral("楼道灯已经坏了一个多星期，晚上回家很不方便。");
    QTest::newRow("kerned latin") << QStringLiteral("AVATAR WAVE To Yo");
    QTest::newRow("mixed") << QStringLiteral("翠湖花园3栋1单元502室 APP用户 Wang（已回访）");
    QTest::newRow("combining marks") << QStringLiteral("Cafe\u0301 re\u0301sume\u0301");
    QTest::newRow("beyond the basic plane") << QStringLiteral("𠀀𠀁 投诉");
}

void TstFlexGrid::textWidthMatchesTheFont() {
    QFETCH(QString, text);
    FlexGrid grid;
    const int laidOut =
        pixelsToTwipsX(qRound(QFontMetricsF(grid.font(), &grid).horizontalAdvance(text)), &grid);
    const int onePixel = pixelsToTwipsX(1, &grid);
    QVERIFY2(qAbs(grid.textWidth(text) - laidOut) <= onePixel,
             qPrintable(QStringLiteral("%1 against %2").arg(grid.textWidth(text)).arg(laidOut)));
    QFont bigger = grid.font();
    bigger.setPointSize(bigger.pointSize() * 3);
    grid.setFont(bigger);
    if (!text.isEmpty())
        QVERIFY(grid.textWidth(text) > 2 * laidOut); // the new font counts, not a stale cache
}

void TstFlexGrid::coloursRoundTrip() {
    FlexGrid grid;
    fill(grid, 3);
    const QColor unfinished(255, 238, 228);
    const QColor blue(0, 0, 255);

    QCOMPARE(grid.cellBackColor(1, 1), QColor()); // the grid's own
    grid.setCellBackColor(1, 1, blue);
    grid.setCellForeColor(1, 2, Qt::white);
    QCOMPARE(grid.cellBackColor(1, 1), blue);
    QCOMPARE(grid.cellForeColor(1, 2), QColor(Qt::white));
    QCOMPARE(grid.cellBackColor(1, 2), QColor());

    // A row colour reaches every cell, also those with a colour of their own before.
    grid.setRowBackColor(1, unfinished);
    for (int c = 0; c < grid.cols(); ++c)
        QCOMPARE(grid.cellBackColor(1, c), unfinished);
    QCOMPARE(grid.cellBackColor(2, 1), QColor());
    grid.setCellBackColor(1, 3, blue);
    QCOMPARE(grid.cellBackColor(1, 3), blue);
    QCOMPARE(grid.cellBackColor(1, 2), unfinished);

    // The colour stays with its row when an earlier row goes.
    grid.setRowBackColor(3, unfinished);
    grid.removeRowAt(2);
    QCOMPARE(grid.cellBackColor(2, 0), unfinished);
    QCOMPARE(grid.textMatrix(2, 0), QStringLiteral("3.0"));

    grid.setRowBackColor(1, QColor());
    QCOMPARE(grid.cellBackColor(1, 1), QColor());
    grid.setCellBackColor(0, 2, blue);
    QCOMPARE(grid.cellBackColor(0, 2), blue);
}

void TstFlexGrid::rowColourIsPainted() {
    FlexGrid grid;
    fill(grid, 3);
    grid.setTextMatrix(2, 1, QString());
    grid.setRowBackColor(2, QColor(255, 238, 228));
    QVERIFY(showForPixels(grid, QSize(500, 300)));
    const QImage image = paintedViewport(grid);
    const QRect empty = grid.visualRect(grid.model()->index(1, 1));
    QCOMPARE(QColor(image.pixel(empty.center())), QColor(255, 238, 228));
    const QRect other = grid.visualRect(grid.model()->index(0, 1));
    QVERIFY(QColor(image.pixel(other.topLeft() + QPoint(2, 2))) != QColor(255, 238, 228));
}

void TstFlexGrid::columnAlignmentIsPainted_data() {
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("side"); // -1 left, 0 centre, 1 right
    QTest::newRow("<") << QStringLiteral("<序|<文本                            ") << -1;
    QTest::newRow("^") << QStringLiteral("<序|^文本                            ") << 0;
    QTest::newRow(">") << QStringLiteral("<序|>文本                            ") << 1;
}

void TstFlexGrid::columnAlignmentIsPainted() {
    QFETCH(QString, layout);
    QFETCH(int, side);
    FlexGrid grid;
    grid.setFormatString(layout);
    grid.addRow();
    grid.setTextMatrix(1, 1, QStringLiteral("88"));
    QVERIFY(showForPixels(grid, QSize(600, 200)));
    const QRect cell = grid.visualRect(grid.model()->index(0, 1));
    const QRect ink = inkIn(paintedViewport(grid), cell);
    QVERIFY(!ink.isEmpty());
    const int third = cell.width() / 3;
    if (side < 0)
        QVERIFY(ink.right() < cell.left() + third);
    else if (side > 0)
        QVERIFY(ink.left() > cell.right() - third);
    else
        QVERIFY(qAbs(ink.center().x() - cell.center().x()) <= 3);
}

void TstFlexGrid::rowDataMovesWithItsRow() {
    FlexGrid grid;
    fill(grid, 3);
    grid.setRowData(1, 101);
    grid.setRowData(3, 303);
    QCOMPARE(grid.rowData(1).toInt(), 101);
    QVERIFY(!grid.rowData(2).isValid());
    grid.removeRowAt(1);
    QCOMPARE(grid.rowData(2).toInt(), 303);
    grid.setRows(1);
    grid.addRow();
    QVERIFY(!grid.rowData(1).isValid());
}

void TstFlexGrid::currentRowAndSelection() {
    FlexGrid grid;
    fill(grid, 0);
    QCOMPARE(grid.row(), 0);
    grid.setCol(0); // a grid with its header only takes a current column all the same
    QCOMPARE(grid.col(), 0);

    fill(grid, 4);
    grid.setCol(2);
    grid.setRow(3);
    QCOMPARE(grid.row(), 3);
    QCOMPARE(grid.col(), 2);
    QCOMPARE(grid.currentRow(), 2);
    QCOMPARE(grid.textMatrix(grid.row(), grid.col()), QStringLiteral("3.2"));

    grid.selectRow(2);
    QCOMPARE(grid.row(), 2);
    const QModelIndexList selected = grid.selectionModel()->selectedRows();
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected.first().row(), 1);
    QVERIFY(grid.selectionModel()->isRowSelected(1, QModelIndex()));
    QCOMPARE(grid.selectionModel()->selectedIndexes().size(), grid.cols());

    grid.removeRowAt(2);
    grid.setRows(1);
    QCOMPARE(grid.row(), 0);

    // Set while redraw is off, applied when it comes back on.
    fill(grid, 3);
    grid.setRedraw(false);
    grid.selectRow(3);
    QCOMPARE(grid.row(), 3);
    grid.setRedraw(true);
    QCOMPARE(grid.currentRow(), 2);
    QVERIFY(grid.selectionModel()->isRowSelected(2, QModelIndex()));
}

void TstFlexGrid::currentRowNeverScrolls() {
    FlexGrid grid;
    fill(grid, 200);
    QVERIFY(showSized(grid, QSize(400, 200)));
    grid.selectRow(150);
    grid.setRow(180);
    QCoreApplication::processEvents();
    QCOMPARE(grid.topRow(), 1);
    QVERIFY(!grid.isRowVisible(180));
}

void TstFlexGrid::topRowAndVisibility() {
    FlexGrid grid;
    QCOMPARE(grid.topRow(), 1);
    fill(grid, 100);
    QVERIFY(showSized(grid, QSize(400, 200)));
    QVERIFY(grid.isRowVisible(1));
    QVERIFY(!grid.isRowVisible(100));
    QVERIFY(!grid.isRowVisible(0));

    grid.setTopRow(50);
    QCOMPARE(grid.topRow(), 50);
    QVERIFY(grid.isRowVisible(50));
    QVERIFY(!grid.isRowVisible(1));

    // Rows added just now (nothing laid out yet) can be scrolled to at once.
    int added = 0;
    for (int i = 0; i < 100; ++i)
        added = grid.addRow();
    grid.setTopRow(150);
    QCOMPARE(grid.topRow(), 150);
    grid.setTopRow(added);
    QVERIFY(grid.isRowVisible(added));
}

void TstFlexGrid::redrawOffThenOnShowsTheRows() {
    FlexGrid grid;
    QVERIFY(showForPixels(grid, QSize(500, 300)));
    fill(grid, 0);
    grid.setRedraw(false);
    QVERIFY(!grid.redraw());
    QVERIFY(!grid.viewport()->updatesEnabled());
    for (int i = 0; i < 300; ++i) {
        const int r = grid.addRow();
        grid.setRow(r);
        grid.setTextMatrix(r, 1, QStringLiteral("第%1条").arg(r));
        grid.setRowHeight(r, 600);
    }
    grid.setRedraw(true);
    QVERIFY(grid.redraw());
    QVERIFY(grid.viewport()->updatesEnabled());
    const QImage image = paintedViewport(grid);
    QVERIFY(!inkIn(image, grid.visualRect(grid.model()->index(0, 1))).isEmpty());
    QCOMPARE(grid.QTableView::rowHeight(0), twipsToPixelsY(600, &grid));
    QVERIFY(grid.verticalScrollBar()->maximum() > 0);
    QCOMPARE(grid.row(), 300);
    QCOMPARE(grid.topRow(), 1);
}

void TstFlexGrid::clicksReportDesignNumbering_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::newRow("first cell") << 1 << 0;
    QTest::newRow("middle") << 2 << 1;
    QTest::newRow("last row, centred column") << 3 << 2;
}

void TstFlexGrid::clicksReportDesignNumbering() {
    QFETCH(int, row);
    QFETCH(int, col);
    FlexGrid grid;
    fill(grid, 3);
    QVERIFY(showSized(grid, QSize(500, 300)));
    QSignalSpy clicks(&grid, &FlexGrid::gridClick);
    QSignalSpy doubleClicks(&grid, &FlexGrid::gridDoubleClick);
    const QPoint at = grid.visualRect(grid.model()->index(row - 1, col)).center();

    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(clicks.size(), 1);
    QCOMPARE(clicks.first().at(0).toInt(), row);
    QCOMPARE(clicks.first().at(1).toInt(), col);
    QCOMPARE(grid.row(), row); // the clicked cell is current when the click is reported
    QCOMPARE(grid.col(), col);
    QVERIFY(grid.selectionModel()->isRowSelected(row - 1, QModelIndex()));

    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(doubleClicks.size(), 1);
    QCOMPARE(doubleClicks.first().at(0).toInt(), row);
    QCOMPARE(doubleClicks.first().at(1).toInt(), col);
    QCOMPARE(grid.textMatrix(row, col), QStringLiteral("%1.%2").arg(row).arg(col));
}

void TstFlexGrid::headerClickIsRowZero() {
    FlexGrid grid;
    fill(grid, 2);
    QVERIFY(showSized(grid, QSize(500, 300)));
    QSignalSpy clicks(&grid, &FlexGrid::gridClick);
    QHeaderView* header = grid.horizontalHeader();
    const QPoint at(header->sectionViewportPosition(1) + header->sectionSize(1) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(clicks.size(), 1);
    QCOMPARE(clicks.first().at(0).toInt(), 0);
    QCOMPARE(clicks.first().at(1).toInt(), 1);
    QCOMPARE(grid.textMatrix(0, 1).trimmed(), QStringLiteral("名称"));
}

QTEST_MAIN(TstFlexGrid)
#include "tst_flexgrid.moc"
