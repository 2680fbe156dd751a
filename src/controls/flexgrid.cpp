#include "controls/flexgrid.h"

#include "controls/twips.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QtGlobal>

namespace controls {

QList<LayoutColumn> parseLayoutString(const QString& layout) {
    QList<LayoutColumn> columns;
    if (layout.isEmpty())
        return columns;
    const QStringList sections = layout.split(QLatin1Char('|'), Qt::KeepEmptyParts);
    columns.reserve(sections.size());
    for (const QString& section : sections) {
        LayoutColumn column;
        QString caption = section;
        if (!caption.isEmpty()) {
            switch (caption.at(0).unicode()) {
            case '<':
                column.alignment = Qt::AlignLeft | Qt::AlignVCenter;
                caption.remove(0, 1);
                break;
            case '^':
                column.alignment = Qt::AlignHCenter | Qt::AlignVCenter;
                caption.remove(0, 1);
                break;
            case '>':
                column.alignment = Qt::AlignRight | Qt::AlignVCenter;
                caption.remove(0, 1);
                break;
            default:
                break;
            }
        }
        column.caption = caption;
        column.widthChars = int(caption.toUcs4().size());
        columns.append(column);
    }
    return columns;
}

namespace {

// Cells without an alignment or a colour of their own take their column's alignment and
// their row's colour, so that no item has to carry them.
class GridCellDelegate : public QStyledItemDelegate {
public:
    explicit GridCellDelegate(FlexGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!index.data(Qt::TextAlignmentRole).isValid())
            option->displayAlignment = m_grid->colAlignment(index.column());
        if (option->backgroundBrush.style() == Qt::NoBrush) {
            const QColor back = m_grid->rowBackColor(index.row() + 1);
            if (back.isValid())
                option->backgroundBrush = back;
        }
    }

private:
    FlexGrid* m_grid;
};

constexpr Qt::Alignment kDefaultAlignment = Qt::AlignLeft | Qt::AlignVCenter;

} // namespace

FlexGrid::FlexGrid(QWidget* parent) : QTableWidget(parent), m_metrics(font(), this) {
    verticalHeader()->hide();
    setSortingEnabled(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    QTableView::setWordWrap(false);
    setItemDelegate(new GridCellDelegate(this));
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumSectionSize(1); // as narrow as the layout asks
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);

    // Keep the per-row and per-column bookkeeping in step with the table, whoever changes it.
    connect(model(), &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) {
                m_rowState.insert(first, last - first + 1, RowState());
            });
    connect(model(), &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex&, int first, int last) {
                m_rowState.remove(first, last - first + 1);
            });
    connect(model(), &QAbstractItemModel::columnsInserted, this,
            [this](const QModelIndex&, int first, int last) {
                const int count = last - first + 1;
                m_colTwips.insert(first, count, -1);
                m_colAlignment.insert(first, count, kDefaultAlignment);
            });
    connect(model(), &QAbstractItemModel::columnsRemoved, this,
            [this](const QModelIndex&, int first, int last) {
                m_colTwips.remove(first, last - first + 1);
                m_colAlignment.remove(first, last - first + 1);
            });

    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { emit gridClick(index.row() + 1, index.column()); });
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        emit gridDoubleClick(index.row() + 1, index.column());
    });
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int col) { emit gridClick(0, col); });
    connect(horizontalHeader(), &QHeaderView::sectionDoubleClicked, this,
            [this](int col) { emit gridDoubleClick(0, col); });

    setColumnCount(1);
    ensureHeaderItems();
    updateMetrics();
}

void FlexGrid::updateMetrics() {
    m_metrics = QFontMetricsF(font(), this);
    m_advances.clear();
    // Rows as high as a line of text with a small margin, as the grids of the design have.
    const int line = qCeil(m_metrics.height()) + 4;
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(line);
}

void FlexGrid::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange)
        updateMetrics();
    QTableWidget::changeEvent(event);
}

void FlexGrid::ensureHeaderItems() {
    // A column without a header item would show its number as caption.
    for (int c = 0; c < columnCount(); ++c)
        headerCell(c);
}

QTableWidgetItem* FlexGrid::headerCell(int col) {
    QTableWidgetItem* item = horizontalHeaderItem(col);
    if (!item) {
        item = new QTableWidgetItem;
        const Qt::Alignment alignment =
            m_headerAlignment.toInt() != 0 ? m_headerAlignment : colAlignment(col);
        item->setTextAlignment(alignment);
        setHorizontalHeaderItem(col, item);
    }
    return item;
}

QTableWidgetItem* FlexGrid::cell(int row, int col) {
    QTableWidgetItem* item = this->item(row - 1, col);
    if (!item) {
        item = new QTableWidgetItem;
        setItem(row - 1, col, item);
    }
    return item;
}

// Layout strings pad captions with blanks, counting a blank as half a Chinese character, as
// the desk's fonts draw it. Proportional faces draw a blank far narrower, so blanks are
// measured as half an ideograph here and the columns keep their intended widths.
int FlexGrid::captionWidth(const QString& caption) const {
    const qreal halfIdeograph = m_metrics.horizontalAdvance(QChar(0x6C49)) / 2.0;
    const QString trimmed = caption.trimmed();
    const int blanks = int(caption.size() - trimmed.size());
    return qCeil(m_metrics.horizontalAdvance(trimmed) + blanks * halfIdeograph);
}

void FlexGrid::setFormatString(const QString& layout) {
    const QList<LayoutColumn> columns = parseLayoutString(layout);
    if (columns.isEmpty())
        return;
    setColumnCount(int(columns.size()));
    const int margin = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this) + 2;
    for (int c = 0; c < columns.size(); ++c) {
        const LayoutColumn& column = columns.at(c);
        m_colAlignment[c] = column.alignment;
        QTableWidgetItem* header = headerCell(c);
        header->setText(column.caption);
        header->setTextAlignment(column.alignment);
        setColumnHidden(c, false);
        setColumnWidth(c, captionWidth(column.caption) + margin);
        m_colTwips[c] = -1;
    }
    m_headerAlignment = {};
    viewport()->update();
}

int FlexGrid::rows() const {
    return rowCount() + 1;
}

void FlexGrid::setRows(int rows) {
    if (rows < 1) {
        qWarning("FlexGrid::setRows: %d rows requested, the header row stays", rows);
        rows = 1;
    }
    if (m_pendingRow >= rows)
        m_pendingRow = -1;
    setRowCount(rows - 1);
}

int FlexGrid::cols() const {
    return columnCount();
}

void FlexGrid::setCols(int cols) {
    if (cols < 1) {
        qWarning("FlexGrid::setCols: %d columns requested, the first column stays", cols);
        cols = 1;
    }
    setColumnCount(cols);
    ensureHeaderItems();
}

int FlexGrid::addRow() {
    const int row = rows();
    insertRow(rowCount());
    return row;
}

void FlexGrid::removeRowAt(int row) {
    if (row < 1 || row >= rows()) {
        qWarning("FlexGrid::removeRowAt: no data row %d", row);
        return;
    }
    if (m_pendingRow == row)
        m_pendingRow = -1;
    else if (m_pendingRow > row)
        --m_pendingRow;
    removeRow(row - 1);
}

QString FlexGrid::textMatrix(int row, int col) const {
    if (!validRow(row) || !validCol(col))
        return QString();
    const QTableWidgetItem* item = row == 0 ? horizontalHeaderItem(col) : this->item(row - 1, col);
    return item ? item->text() : QString();
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text) {
    if (!validRow(row) || !validCol(col)) {
        qWarning("FlexGrid::setTextMatrix: no cell (%d, %d)", row, col);
        return;
    }
    if (row == 0) {
        headerCell(col)->setText(text);
        return;
    }
    if (QTableWidgetItem* item = this->item(row - 1, col)) {
        item->setText(text);
    } else if (!text.isEmpty()) {
        // Filled before it joins the table, so that the table hears of it only once.
        setItem(row - 1, col, new QTableWidgetItem(text));
    }
}

namespace {

enum class Axis { X, Y };

int toPixels(Axis axis, int twips, const QWidget* grid) {
    return axis == Axis::X ? twipsToPixelsX(twips, grid) : twipsToPixelsY(twips, grid);
}

// The size last set in twips, as long as nobody (the operator's mouse) changed it since;
// otherwise the size shown.
int shownTwips(Axis axis, int setTwips, int pixels, const QWidget* grid) {
    if (setTwips > 0 && qMax(1, toPixels(axis, setTwips, grid)) == pixels)
        return setTwips;
    return axis == Axis::X ? pixelsToTwipsX(pixels, grid) : pixelsToTwipsY(pixels, grid);
}

// The pixels of a size set in twips (at least one); a negative size stands for the default.
int pixelsFor(Axis axis, int twips, int defaultPixels, const QWidget* grid) {
    return twips < 0 ? defaultPixels : qMax(1, toPixels(axis, twips, grid));
}

} // namespace

int FlexGrid::colWidth(int col) const {
    if (!validCol(col) || isColumnHidden(col))
        return 0;
    return shownTwips(Axis::X, m_colTwips.value(col, -1), columnWidth(col), this);
}

void FlexGrid::setColWidth(int col, int twips) {
    if (!validCol(col)) {
        qWarning("FlexGrid::setColWidth: no column %d", col);
        return;
    }
    setColumnHidden(col, twips == 0);
    if (twips != 0)
        setColumnWidth(col,
                       pixelsFor(Axis::X, twips, horizontalHeader()->defaultSectionSize(), this));
    m_colTwips[col] = qMax(-1, twips);
}

int FlexGrid::rowHeight(int row) const {
    if (!validRow(row))
        return 0;
    if (row == 0) {
        const QHeaderView* header = horizontalHeader();
        return pixelsToTwipsY(header->isVisible() ? header->height() : header->sizeHint().height(),
                              this);
    }
    if (isRowHidden(row - 1))
        return 0;
    return shownTwips(Axis::Y, m_rowState.value(row - 1).heightTwips,
                      QTableView::rowHeight(row - 1), this);
}

void FlexGrid::setRowHeight(int row, int twips) {
    if (!validRow(row)) {
        qWarning("FlexGrid::setRowHeight: no row %d", row);
        return;
    }
    if (row == 0) {
        QHeaderView* header = horizontalHeader();
        if (twips < 0) { // back to the header's own height
            header->setMinimumHeight(0);
            header->setMaximumHeight(QWIDGETSIZE_MAX);
        } else {
            header->setFixedHeight(twipsToPixelsY(twips, this));
        }
        return;
    }
    const int tableRow = row - 1;
    if (isRowHidden(tableRow) != (twips == 0))
        setRowHidden(tableRow, twips == 0);
    if (twips != 0)
        QTableView::setRowHeight(
            tableRow, pixelsFor(Axis::Y, twips, verticalHeader()->defaultSectionSize(), this));
    m_rowState[tableRow].heightTwips = qMax(-1, twips);
}

namespace {

// Characters whose width does not depend on their neighbours: Chinese characters, their
// punctuation and full-width forms, digits and blanks. Runs of them are measured character
// by character from a cache, which is many times quicker than laying the text out.
bool measuresAlone(char16_t ch) {
    return (ch >= u'0' && ch <= u'9') || ch == u' ' || (ch >= 0x3000 && ch <= 0x303f) ||
           (ch >= 0x3400 && ch <= 0x4dbf) || (ch >= 0x4e00 && ch <= 0x9fff) ||
           (ch >= 0xf900 && ch <= 0xfaff) || (ch >= 0xff00 && ch <= 0xffef);
}

} // namespace

int FlexGrid::textWidth(const QString& text) const {
    qreal width = 0;
    const qsizetype length = text.size();
    qsizetype i = 0;
    while (i < length) {
        const char16_t ch = text.at(i).unicode();
        if (measuresAlone(ch)) {
            auto it = m_advances.constFind(ch);
            if (it == m_advances.constEnd())
                it = m_advances.insert(ch, m_metrics.horizontalAdvance(QChar(ch)));
            width += it.value();
            ++i;
            continue;
        }
        // Anything else (Latin letters, marks, other scripts) is laid out as a whole run,
        // so that kerning and shaping count.
        qsizetype end = i + 1;
        while (end < length && !measuresAlone(text.at(end).unicode()))
            ++end;
        width += m_metrics.horizontalAdvance(text.mid(i, end - i));
        i = end;
    }
    return pixelsToTwipsX(qRound(width), this);
}

void FlexGrid::setColAlignment(int col, Qt::Alignment alignment) {
    if (!validCol(col))
        return;
    m_colAlignment[col] = alignment;
    viewport()->update();
}

Qt::Alignment FlexGrid::colAlignment(int col) const {
    return m_colAlignment.value(col, kDefaultAlignment);
}

void FlexGrid::setHeaderAlignment(Qt::Alignment alignment) {
    m_headerAlignment = alignment;
    for (int c = 0; c < columnCount(); ++c)
        headerCell(c)->setTextAlignment(alignment);
}

QColor FlexGrid::cellBackColor(int row, int col) const {
    if (!validRow(row) || !validCol(col))
        return QColor();
    const QTableWidgetItem* item = row == 0 ? horizontalHeaderItem(col) : this->item(row - 1, col);
    const QVariant value = item ? item->data(Qt::BackgroundRole) : QVariant();
    if (value.isValid())
        return value.value<QBrush>().color();
    return row == 0 ? QColor() : rowBackColor(row);
}

void FlexGrid::setCellBackColor(int row, int col, const QColor& color) {
    if (!validRow(row) || !validCol(col)) {
        qWarning("FlexGrid::setCellBackColor: no cell (%d, %d)", row, col);
        return;
    }
    QTableWidgetItem* item = row == 0 ? headerCell(col) : cell(row, col);
    item->setData(Qt::BackgroundRole, color.isValid() ? QVariant(QBrush(color)) : QVariant());
}

void FlexGrid::setRowBackColor(int row, const QColor& color) {
    if (!validRow(row)) {
        qWarning("FlexGrid::setRowBackColor: no row %d", row);
        return;
    }
    if (row == 0) {
        const QVariant value = color.isValid() ? QVariant(QBrush(color)) : QVariant();
        for (int c = 0; c < columnCount(); ++c)
            headerCell(c)->setData(Qt::BackgroundRole, value);
        return;
    }
    m_rowState[row - 1].back = color;
    // Every cell of the row takes the row's colour, as if each had been given it.
    for (int c = 0; c < columnCount(); ++c) {
        QTableWidgetItem* item = this->item(row - 1, c);
        if (item && item->data(Qt::BackgroundRole).isValid())
            item->setData(Qt::BackgroundRole, QVariant());
    }
    if (m_redraw)
        viewport()->update(QRect(0, rowViewportPosition(row - 1), viewport()->width(),
                                 QTableView::rowHeight(row - 1)));
}

QColor FlexGrid::rowBackColor(int row) const {
    return row >= 1 && row < rows() ? m_rowState.at(row - 1).back : QColor();
}

QColor FlexGrid::cellForeColor(int row, int col) const {
    if (!validRow(row) || !validCol(col))
        return QColor();
    const QTableWidgetItem* item = row == 0 ? horizontalHeaderItem(col) : this->item(row - 1, col);
    if (!item)
        return QColor();
    const QVariant value = item->data(Qt::ForegroundRole);
    return value.isValid() ? value.value<QBrush>().color() : QColor();
}

void FlexGrid::setCellForeColor(int row, int col, const QColor& color) {
    if (!validRow(row) || !validCol(col)) {
        qWarning("FlexGrid::setCellForeColor: no cell (%d, %d)", row, col);
        return;
    }
    QTableWidgetItem* item = row == 0 ? headerCell(col) : cell(row, col);
    item->setData(Qt::ForegroundRole, color.isValid() ? QVariant(QBrush(color)) : QVariant());
}

// The row's data lives on the row's first cell, so that it moves and goes with the row.
QVariant FlexGrid::rowData(int row) const {
    if (row < 1 || row >= rows() || columnCount() == 0)
        return QVariant();
    const QTableWidgetItem* item = this->item(row - 1, 0);
    return item ? item->data(Qt::UserRole) : QVariant();
}

void FlexGrid::setRowData(int row, const QVariant& value) {
    if (row < 1 || row >= rows() || columnCount() == 0) {
        qWarning("FlexGrid::setRowData: no data row %d", row);
        return;
    }
    cell(row, 0)->setData(Qt::UserRole, value);
}

void FlexGrid::setWordWrap(bool wrap) {
    QTableView::setWordWrap(wrap);
}

void FlexGrid::setRedraw(bool on) {
    if (on == m_redraw)
        return;
    m_redraw = on;
    if (!on) {
        setUpdatesEnabled(false);
        return;
    }
    setUpdatesEnabled(true);
    if (m_pendingRow >= 0) {
        const int row = m_pendingRow;
        const bool select = m_pendingSelect;
        m_pendingRow = -1;
        m_pendingSelect = false;
        if (row >= 1 && row < rows())
            setCurrentCellQuietly(row - 1, col(), select);
    }
    viewport()->update();
}

void FlexGrid::setCurrentCellQuietly(int tableRow, int col, bool selectWholeRow) {
    // The design's grid never scrolls to follow its current cell.
    const bool scrolls = hasAutoScroll();
    setAutoScroll(false);
    const QModelIndex index = model()->index(tableRow, qBound(0, col, columnCount() - 1));
    if (selectWholeRow) {
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                     QItemSelectionModel::Rows);
    } else {
        selectionModel()->setCurrentIndex(index, selectionCommand(index));
    }
    setAutoScroll(scrolls);
}

int FlexGrid::row() const {
    if (m_pendingRow >= 0)
        return m_pendingRow;
    const int current = currentRow();
    return current >= 0 ? current + 1 : 0;
}

void FlexGrid::setRow(int row) {
    if (!validRow(row)) {
        qWarning("FlexGrid::setRow: no row %d", row);
        return;
    }
    if (row == 0) {
        m_currentCol = col();
        m_pendingRow = -1;
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        return;
    }
    if (!m_redraw) {
        m_pendingRow = row;
        m_pendingSelect = false;
        return;
    }
    setCurrentCellQuietly(row - 1, col(), false);
}

int FlexGrid::col() const {
    if (m_pendingRow < 0) {
        const QModelIndex current = currentIndex();
        if (current.isValid())
            return current.column();
    }
    return m_currentCol;
}

void FlexGrid::setCol(int col) {
    if (!validCol(col)) {
        qWarning("FlexGrid::setCol: no column %d", col);
        return;
    }
    m_currentCol = col;
    const QModelIndex current = currentIndex();
    if (m_pendingRow < 0 && current.isValid()) {
        const bool scrolls = hasAutoScroll();
        setAutoScroll(false);
        selectionModel()->setCurrentIndex(model()->index(current.row(), col),
                                          QItemSelectionModel::NoUpdate);
        setAutoScroll(scrolls);
    }
}

void FlexGrid::selectRow(int row) {
    if (row < 1 || row >= rows()) {
        qWarning("FlexGrid::selectRow: no data row %d", row);
        return;
    }
    if (!m_redraw) {
        m_pendingRow = row;
        m_pendingSelect = true;
        return;
    }
    setCurrentCellQuietly(row - 1, col(), true);
}

int FlexGrid::topRow() const {
    if (rowCount() == 0)
        return 1;
    const_cast<FlexGrid*>(this)->executeDelayedItemsLayout();
    const int top = rowAt(0);
    return top >= 0 ? top + 1 : 1;
}

void FlexGrid::setTopRow(int row) {
    if (row < 1 || row >= rows()) {
        qWarning("FlexGrid::setTopRow: no data row %d", row);
        return;
    }
    // The scroll range must know of every row added so far.
    executeDelayedItemsLayout();
    updateGeometries();
    scrollTo(model()->index(row - 1, 0), QAbstractItemView::PositionAtTop);
}

bool FlexGrid::isRowVisible(int row) const {
    if (row < 1 || row >= rows() || isRowHidden(row - 1))
        return false;
    const_cast<FlexGrid*>(this)->executeDelayedItemsLayout();
    const int top = rowViewportPosition(row - 1);
    const int height = QTableView::rowHeight(row - 1);
    return height > 0 && top + height > 0 && top < viewport()->height();
}

} // namespace controls
