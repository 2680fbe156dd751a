#pragma once
// The reception list as a spreadsheet workbook (.xlsx): a title row, the date and the
// operator, the column heads with the list's widths, and one row per listed complaint.
// The window asks for the file, shows the progress and says how it went; this writes it.

#include <QDate>
#include <QString>
#include <functional>

namespace controls {
class FlexGrid;
}

namespace reception {

// What the save dialog proposes: "投诉信息表_" + the day as yyyymmdd.
QString proposedExportName(const QDate& today);
// The save dialog's filter, in the dialog's own form ("电子表|*.xls;*.xlsx" of the design).
QString exportFilter();
// The file written for the file chosen: only the name's extension replaced by ".xlsx"
// (added when the name has none).
QString workbookPath(const QString& chosenPath);

struct ExportResult {
    bool ok = false;
    QString path;  // the file written
    QString error; // why not, when not
};

// Called with (0, total) before the first row and (row, total) for each grid row written;
// total is the grid's row count.
using ExportProgress = std::function<void(int done, int total)>;

// Writes the list grid (its first cols() - 5 columns: the row number to 处理时间) to
// workbookPath(chosenPath), replacing a file of that name. The file appears only when it
// is complete; on failure a file that was there stays as it was. The grid does not redraw
// meanwhile.
ExportResult exportComplaintList(controls::FlexGrid& grid, const QString& chosenPath,
                                 const QDate& today, const QString& operatorName,
                                 const ExportProgress& progress = {});

} // namespace reception
