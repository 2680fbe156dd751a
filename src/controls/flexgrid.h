#pragma once
// Our stand-in for the platform's flex grid: a table with one fixed header row and one
// fixed first column, 1-based data rows, a layout string for columns and captions, cell
// texts and colours, row heights and column widths in twips, word wrap, row data and a
// redraw switch. The list grids of every window use it, so that their code reads like
// the design: grid.setRows(1); grid.setTextMatrix(r, c, text); ...
//
// Rows and columns count as the design does: row 0 is the header, column 0 the
// row-number column; rows() includes the header row.

#include <QColor>
#include <QFontMetrics>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QTableWidget>
#include <QVariant>

namespace controls {

// One parsed section of a layout string ("<编号    |^查看|...").
struct LayoutColumn {
    Qt::Alignment alignment =
        Qt::AlignLeft | Qt::AlignVCenter; // "<" left (default), "^" centre, ">" right
    QString caption;    // the section's text without its alignment mark, blanks included
    int widthChars = 0; // length of that text in characters (sets the initial width)
};
QList<LayoutColumn> parseLayoutString(const QString& layout);

class FlexGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit FlexGrid(QWidget* parent = nullptr);

    // The layout string: one column per "|"-separated section, header captions, alignments
    // and initial widths (each column as wide as its caption in the grid's font).
    void setFormatString(const QString& layout);

    int rows() const;       // including the header row
    void setRows(int rows); // setRows(1) leaves the header only
    int cols() const;
    void setCols(int cols);
    // Appends one row (becomes rows() - 1) and returns its index.
    int addRow();
    void removeRowAt(int row);

    QString textMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);

    // Twips and design numbering. rowHeight/setRowHeight stand in front of QTableView's
    // members of the same name, which count table rows in pixels (QTableView::rowHeight).
    // A height or width of 0 hides the row or column; a negative one restores the default.
    int colWidth(int col) const;          // twips
    void setColWidth(int col, int twips); // 0 hides the column
    int rowHeight(int row) const;         // twips
    void setRowHeight(int row, int twips);
    // Width of a text in the grid's font, in twips (for the row-height rules).
    int textWidth(const QString& text) const;

    void setColAlignment(int col, Qt::Alignment alignment);
    void setHeaderAlignment(Qt::Alignment alignment); // every header cell

    // An invalid colour stands for the grid's own. A cell without a colour of its own shows
    // its row's colour; setRowBackColor gives every cell of the row that colour.
    QColor cellBackColor(int row, int col) const;
    void setCellBackColor(int row, int col, const QColor& color);
    void setRowBackColor(int row, const QColor& color);
    QColor rowBackColor(int row) const;
    QColor cellForeColor(int row, int col) const;
    void setCellForeColor(int row, int col, const QColor& color);

    QVariant rowData(int row) const;
    void setRowData(int row, const QVariant& value);

    void setWordWrap(bool wrap); // off at start
    bool redraw() const { return m_redraw; }
    void setRedraw(bool on); // off: changes are collected and painted when switched on again

    // Current cell and selection, in design numbering. row() is 0 while no data row is
    // current. Setting the current row or selecting a row never scrolls (use setTopRow);
    // while redraw is off both are kept and applied when it is switched on again.
    int row() const;
    void setRow(int row);
    int col() const;
    void setCol(int col);
    void selectRow(int row); // the row selected across all columns
    int topRow() const;      // first data row in view (1 when there is none)
    void setTopRow(int row);
    bool isRowVisible(int row) const; // wholly or partly in view

    // The alignment of a column's data cells (from the layout string or setColAlignment).
    Qt::Alignment colAlignment(int col) const;

signals:
    // Emitted on a mouse click and double click on a data cell (design numbering); the
    // clicked cell is already current. A click on a header caption reports row 0.
    void gridClick(int row, int col);
    void gridDoubleClick(int row, int col);

protected:
    void changeEvent(QEvent* event) override;

private:
    int captionWidth(const QString& caption) const;
    bool validRow(int row) const { return row >= 0 && row < rows(); }
    bool validCol(int col) const { return col >= 0 && col < cols(); }
    QTableWidgetItem* headerCell(int col);    // created on demand
    QTableWidgetItem* cell(int row, int col); // data row (design numbering), created on demand
    void ensureHeaderItems();
    void setCurrentCellQuietly(int tableRow, int col, bool selectWholeRow);
    void updateMetrics();

    bool m_redraw = true;
    QList<Qt::Alignment> m_colAlignment; // per column
    QList<int> m_colTwips;               // last width set in twips, -1 when none
    struct RowState {
        int heightTwips = -1; // last height set in twips, -1 when none
        QColor back;          // the row's colour, invalid for the grid's own
    };
    QList<RowState> m_rowState;      // per table row
    Qt::Alignment m_headerAlignment; // for header cells created later; 0 = column's own
    QFontMetricsF m_metrics;
    mutable QHash<char16_t, qreal> m_advances; // widths of single characters in the font
    int m_currentCol = 0;                      // the current column while no data row is current
    int m_pendingRow = -1; // current row (design numbering) set while redraw is off
    bool m_pendingSelect = false;
};

} // namespace controls
