#include "listexport.h"

#include "controls/flexgrid.h"
#include "reception/listcolumns.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cmath>
#include <filesystem>
#include <system_error>
#include <xlsxwriter.h>

namespace reception {

namespace {

// Grid columns with their own cell rules.
constexpr int kNumberColumn = listcol::ColNo;
constexpr int kTimeColumn = listcol::ColTime;
// Columns not written: 查看 and the four hidden ones.
constexpr int kColumnsLeftOut = 5;
// Grid widths are twips; sheet widths are characters of the sheet's default font.
constexpr double kTwipsPerCharacter = 110.0;
constexpr lxw_color_t kHeadFill = 0xC0C0FF;
constexpr int kMaxCellText = 32767; // longest text a sheet cell holds

const char* const kFont = "微软雅黑";

QByteArray utf8(const QString& text) {
    return text.left(kMaxCellText).toUtf8();
}

lxw_format* sheetFormat(lxw_workbook* book, bool bordered) {
    lxw_format* f = workbook_add_format(book);
    format_set_font_name(f, kFont);
    format_set_font_size(f, 9);
    if (bordered)
        format_set_border(f, LXW_BORDER_THIN);
    return f;
}

// The complaint time as the sheet's date-time, or false when the text is not one.
bool sheetDateTime(const QString& text, lxw_datetime* out) {
    QDateTime when = QDateTime::fromString(text.trimmed(), QStringLiteral("yyyy-MM-dd HH:mm"));
    if (!when.isValid())
        when = QDateTime::fromString(text.trimmed(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!when.isValid()) {
        const QDate day = QDate::fromString(text.trimmed(), QStringLiteral("yyyy-MM-dd"));
        if (!day.isValid())
            return false;
        when = QDateTime(day, QTime(0, 0));
    }
    if (when.date().year() < 1900)
        return false;
    *out = {when.date().year(), when.date().month(),  when.date().day(),
            when.time().hour(), when.time().minute(), double(when.time().second())};
    return true;
}

// Sheet rows do not grow by themselves for wrapped text: the height of a row is set from the
// number of lines its longest cell needs. Widths count characters of the sheet's default
// font; a CJK character of the list's font takes about one and a half.
constexpr double kPointsPerLine = 12.0;
constexpr double kRowPadding = 3.0;

int linesNeeded(const QString& text, double columnChars) {
    if (columnChars <= 0.5 || text.isEmpty())
        return 1;
    double chars = 0;
    for (const QChar ch : text)
        chars += ch.unicode() >= 0x2E80 ? 1.45 : 0.9;
    return qMax(1, int(std::ceil(chars / (columnChars - 0.5))));
}

QString errorText(lxw_error error) {
    return QString::fromUtf8(lxw_strerror(error));
}

// Replaces `target` with `written` in one step where the system allows it.
bool replaceFile(const QString& written, const QString& target, QString* error) {
    std::error_code code;
    std::filesystem::rename(std::filesystem::path(written.toStdU16String()),
                            std::filesystem::path(target.toStdU16String()), code);
    if (code) {
        *error = target + QStringLiteral(": ") + QString::fromStdString(code.message());
        return false;
    }
    return true;
}

} // namespace

QString proposedExportName(const QDate& today) {
    return QStringLiteral("投诉信息表") + QLatin1Char('_') +
           today.toString(QStringLiteral("yyyyMMdd"));
}

QString exportFilter() {
    return QStringLiteral("电子表 (*.xls *.xlsx)");
}

QString workbookPath(const QString& chosenPath) {
    const QFileInfo info(chosenPath);
    const QString name = info.fileName();
    const QString folder = chosenPath.left(chosenPath.size() - name.size());
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return folder + (dot >= 0 ? name.left(dot) : name) + QStringLiteral(".xlsx");
}

ExportResult exportComplaintList(controls::FlexGrid& grid, const QString& chosenPath,
                                 const QDate& today, const QString& operatorName,
                                 const ExportProgress& progress) {
    ExportResult result;
    result.path = workbookPath(chosenPath);
    const QFileInfo target(result.path);
    if (target.fileName() == QLatin1String(".xlsx") || chosenPath.trimmed().isEmpty()) {
        result.error = QStringLiteral("没有文件名");
        return result;
    }
    if (!target.absoluteDir().exists()) {
        result.error = target.absolutePath() + QStringLiteral(": 文件夹不存在");
        return result;
    }

    // Written beside the target under a name of its own, then put in its place.
    QTemporaryFile part(target.absolutePath() + QStringLiteral("/~") + target.completeBaseName() +
                        QStringLiteral("-XXXXXX.xlsx"));
    if (!part.open()) {
        result.error = target.absoluteFilePath() + QStringLiteral(": ") + part.errorString();
        return result;
    }
    part.close();

    const int rows = grid.rows();                   // header included
    const int cols = grid.cols() - kColumnsLeftOut; // N
    const bool redraw = grid.redraw();
    grid.setRedraw(false);

    const QByteArray partName = QFile::encodeName(part.fileName());
    const QByteArray tmpDir = QFile::encodeName(QDir::tempPath());
    lxw_workbook_options options = {LXW_FALSE, const_cast<char*>(tmpDir.constData()), LXW_FALSE};
    lxw_workbook* book = workbook_new_opt(partName.constData(), &options);
    if (!book) {
        grid.setRedraw(redraw);
        result.error = errorText(LXW_ERROR_MEMORY_MALLOC_FAILED);
        return result;
    }
    lxw_worksheet* sheet = workbook_add_worksheet(book, "投诉信息");

    lxw_format* title = workbook_add_format(book);
    format_set_font_name(title, kFont);
    format_set_bold(title);
    format_set_align(title, LXW_ALIGN_CENTER);
    lxw_format* plain = sheetFormat(book, false);
    lxw_format* head = sheetFormat(book, true);
    format_set_align(head, LXW_ALIGN_CENTER);
    format_set_bg_color(head, kHeadFill);
    lxw_format* cell = sheetFormat(book, true);
    format_set_text_wrap(cell);
    lxw_format* time = sheetFormat(book, true);
    format_set_text_wrap(time);
    format_set_num_format(time, "yyyy-mm-dd");
    format_set_align(time, LXW_ALIGN_CENTER);

    const int lastCol = qMax(cols - 1, 0);
    // Row 1: the title over the whole width. Row 2 stays empty.
    worksheet_merge_range(sheet, 0, 0, 0, lastCol, "投诉信息表", title);
    for (int c = 0; c < cols; ++c)
        worksheet_write_blank(sheet, 1, c, plain);
    // Row 3: the day and who made the sheet.
    const QByteArray made =
        utf8(QStringLiteral(" 制表日期：") + today.toString(QStringLiteral("yyyy-MM-dd")) +
             QStringLiteral("      制表人：") + operatorName);
    worksheet_merge_range(sheet, 2, 0, 2, 3, made.constData(), plain);
    for (int c = 4; c < cols; ++c)
        worksheet_write_blank(sheet, 2, c, plain);
    // Row 4: the column heads, as wide as the list's columns.
    for (int c = 0; c < cols; ++c) {
        worksheet_set_column(sheet, c, c, grid.colWidth(c) / kTwipsPerCharacter, nullptr);
        worksheet_write_string(sheet, 3, c, utf8(grid.textMatrix(0, c)).constData(), head);
    }

    if (progress)
        progress(0, rows);
    for (int r = 1; r < rows; ++r) {
        if (progress)
            progress(r, rows);
        const lxw_row_t sheetRow = lxw_row_t(r + 3);
        int lines = 1;
        for (int c = 0; c < cols; ++c) {
            const QString text = grid.textMatrix(r, c);
            bool isNumber = false;
            const double number = c == kNumberColumn ? text.toDouble(&isNumber) : 0.0;
            lxw_datetime when;
            if (isNumber) {
                worksheet_write_number(sheet, sheetRow, c, number, cell);
            } else if (c == kTimeColumn && sheetDateTime(text, &when)) {
                worksheet_write_datetime(sheet, sheetRow, c, &when, time);
            } else {
                // Everything else, address and telephone included, stays text as shown:
                // leading zeros are kept.
                worksheet_write_string(sheet, sheetRow, c, utf8(text).constData(),
                                       c == kTimeColumn ? time : cell);
            }
            if (c != kNumberColumn && c != kTimeColumn)
                lines = qMax(lines, linesNeeded(text, grid.colWidth(c) / kTwipsPerCharacter));
        }
        if (lines > 1)
            worksheet_set_row(sheet, sheetRow, lines * kPointsPerLine + kRowPadding, nullptr);
    }
    // The sheet's font reaches one row past the list.
    for (int c = 0; c < cols; ++c)
        worksheet_write_blank(sheet, lxw_row_t(rows + 3), c, plain);

    const lxw_error closed = workbook_close(book);
    grid.setRedraw(redraw);
    if (closed != LXW_NO_ERROR) {
        result.error = errorText(closed);
        return result;
    }
    if (!replaceFile(part.fileName(), target.absoluteFilePath(), &result.error))
        return result;
    part.setAutoRemove(false);
    result.ok = true;
    return result;
}

} // namespace reception
