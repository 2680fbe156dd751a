// The department's complaint list: filling it, the grid's clicks, "刷新", finding a
// complainant, voiding a complaint, the spreadsheet export; the attachment routines of the
// complaint shown.

#include "receptionwindow.h"

#include "attachments/attachmentpanel.h"
#include "controls/flexgrid.h"
#include "data/connection.h"
#include "data/status.h"
#include "export/listexport.h"
#include "listcolumns.h"
#include "panelwidgets.h"
#include "receptionrules.h"
#include "shell/operator.h"
#include "shell/platform.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QFileInfo>
#include <QHash>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

using namespace reception::listcol;

namespace {

// Title of the refusal to void: the program's executable name.
QString executableName() {
    const QString path = QCoreApplication::applicationFilePath();
    return path.isEmpty() ? Platform::applicationTitle() : QFileInfo(path).completeBaseName();
}

} // namespace

// ---------------------------------------------------------------- attachments

QString ReceptionWindow::TpmePath() {
    return m_attachmentPanel->TpmePath();
}

void ReceptionWindow::资料列表() {
    m_attachmentPanel->资料列表();
}

void ReceptionWindow::删除资料() {
    m_attachmentPanel->删除资料();
}

// ---------------------------------------------------------------- the list

QString ReceptionWindow::dateRangeCondition(const QString& column) const {
    QString from, to;
    if (m_option1[1]->isChecked()) {
        from = desk::sqlDate(m_dtPicker1[0]->date());
        to = desk::sqlDate(m_dtPicker1[1]->date().addDays(1));
    } else {
        const QDate today = Platform::now().date();
        from = reception::monthStartText(today);
        to = reception::nextMonthStartText(today);
    }
    return QStringLiteral(" AND (") + column + QStringLiteral(" BETWEEN CONVERT(DATETIME, '") +
           desk::sqlText(from) + QStringLiteral("', 102) AND CONVERT(DATETIME, '") +
           desk::sqlText(to) + QStringLiteral("', 102))");
}

QString ReceptionWindow::listStatement() const {
    return QStringLiteral(
               "SELECT ID, 投诉编号, 投诉类别 , 投诉方式 ,投诉时间, 投诉人, 地址, 联系电话, "
               "投诉内容, 接待人, 处理状态, 处理结果, 处理时间, 管理处代号, 结果满意度, ") +
           QStringLiteral(" 微信号, AppID,ZH_ID") + QStringLiteral(" From 投诉信息") +
           QStringLiteral(" WHERE 部门编号 = '") + desk::sqlText(Operator().DepartmentCode) +
           QStringLiteral("' AND 撤销时间 Is Null") +
           dateRangeCondition(QStringLiteral("投诉时间")) + searchConditions() +
           QStringLiteral(" ORDER BY 投诉编号");
}

void ReceptionWindow::RefreshComplaintList() {
    m_entry->hide();
    desk::Recordset rs;
    try {
        rs = Connection::SharedConnection().query(listStatement());
    } catch (const desk::DbError& e) {
        showDbError(e);
        return;
    }

    // The office of each code as 对应管理处 gives it, looked up once per code.
    QHash<QString, QString> offices;
    auto officeText = [&](const QString& code) {
        auto found = offices.constFind(code);
        if (found == offices.constEnd())
            found = offices.insert(code, 对应管理处(code));
        return *found;
    };
    const int fieldIndex[] = {
        rs.fieldIndex(QStringLiteral("ID")),         rs.fieldIndex(QStringLiteral("投诉编号")),
        rs.fieldIndex(QStringLiteral("投诉类别")),   rs.fieldIndex(QStringLiteral("投诉方式")),
        rs.fieldIndex(QStringLiteral("投诉时间")),   rs.fieldIndex(QStringLiteral("投诉人")),
        rs.fieldIndex(QStringLiteral("地址")),       rs.fieldIndex(QStringLiteral("联系电话")),
        rs.fieldIndex(QStringLiteral("投诉内容")),   rs.fieldIndex(QStringLiteral("接待人")),
        rs.fieldIndex(QStringLiteral("处理状态")),   rs.fieldIndex(QStringLiteral("处理时间")),
        rs.fieldIndex(QStringLiteral("管理处代号")), rs.fieldIndex(QStringLiteral("结果满意度")),
        rs.fieldIndex(QStringLiteral("微信号")),     rs.fieldIndex(QStringLiteral("AppID")),
        rs.fieldIndex(QStringLiteral("ZH_ID"))};
    enum {
        FId,
        FNumber,
        FCategory,
        FChannel,
        FTime,
        FComplainant,
        FAddress,
        FPhone,
        FContent,
        FReceiver,
        FStatus,
        FReplyTime,
        FOffice,
        FSatisfied,
        FWechat,
        FApp,
        FOwner
    };

    for (int index : fieldIndex) {
        if (index < 0) {
            showDbError(desk::DbError(desk::DbError::ItemNotFound,
                                      QStringLiteral("结果中缺少列表所需的字段")));
            return;
        }
    }

    m_list->setRedraw(false);
    m_list->setWordWrap(true);
    m_list->setRows(1);
    const int contentWidth = m_list->colWidth(ColContent);
    const int statusWidth = m_list->colWidth(ColStatus);
    const QString view = QStringLiteral("查看");
    const QString satisfied = QStringLiteral("满意");
    const QString dissatisfied = QStringLiteral("不满意");
    for (int i = 0; i < rs.size(); ++i) {
        const int r = m_list->addRow();
        auto cell = [&](int col, const QString& text) { m_list->setTextMatrix(r, col, text); };
        auto field = [&](int f) { return rs.text(i, fieldIndex[f]); };
        const QString replyTime = field(FReplyTime);
        cell(ColNo, QString::number(r));
        cell(ColNumber, field(FNumber));
        cell(ColCategory, field(FCategory));
        cell(ColChannel, field(FChannel));
        cell(ColTime, reception::listTimeText(field(FTime)));
        cell(ColComplainant, field(FComplainant));
        cell(ColAddress, field(FAddress));
        cell(ColPhone, field(FPhone));
        const QString content = reception::listContent(field(FContent));
        cell(ColContent, content);
        int height = reception::listRowHeight(m_list->textWidth(content), contentWidth);
        const QString office = field(FOffice);
        cell(ColOffice, office.isEmpty() ? QString() : officeText(office));
        cell(ColReceiver, field(FReceiver));
        const QString status = field(FStatus);
        cell(ColStatus, status);
        const int statusHeight = reception::listRowHeight(m_list->textWidth(status), statusWidth);
        if (statusHeight > 0)
            height = statusHeight;
        if (height > 0)
            m_list->setRowHeight(r, height);
        if (!replyTime.isEmpty())
            cell(ColResult,
                 rs.value(i, fieldIndex[FSatisfied]).toInt() != 0 ? satisfied : dissatisfied);
        cell(ColReplyTime, reception::listTimeText(replyTime));
        cell(ColView, view);
        cell(ColOwner, field(FOwner));
        cell(ColWechat, field(FWechat));
        cell(ColApp, field(FApp));
        cell(ColId, field(FId));
        if (reception::isUnfinished(replyTime))
            m_list->setRowBackColor(r, reception::unfinishedColour());
    }
    if (m_list->rows() > 1)
        m_list->setRow(m_list->rows() - 1);
    m_list->setRedraw(true);
}

void ReceptionWindow::clickList(int row, int col) {
    m_entry->hide();
    m_addressPanel->hide();
    m_timePanel->hide();
    m_calendar->hide();
    if (m_list->rows() <= 1 || row < 1)
        return;
    m_list->setRow(row);
    if (col == ColView)
        OpenComplaintInPanel();
    m_list->selectRow(row);
}

void ReceptionWindow::refreshList() {
    RefreshComplaintList();
    resetLocate();
}

// ---------------------------------------------------------------- finding a complainant

void ReceptionWindow::resetLocate() {
    m_locateButton->setProperty("Tag", QStringLiteral("0"));
    m_locateButton->setText(QStringLiteral("定位"));
}

void ReceptionWindow::locateComplainant() {
    const int after = m_locateButton->property("Tag").toString().toInt();
    const QString wanted = m_locateText->text();
    for (int r = qMax(after, 0) + 1; r < m_list->rows(); ++r) {
        if (!m_list->textMatrix(r, ColComplainant).contains(wanted, Qt::CaseSensitive))
            continue;
        m_locateButton->setProperty("Tag", QString::number(r));
        m_locateButton->setText(QStringLiteral("下一条"));
        m_list->setRow(r);
        m_list->selectRow(r);
        if (!m_list->isRowVisible(r))
            m_list->setTopRow(r);
        return;
    }
    resetLocate();
    Platform::message(this, QStringLiteral("未找到匹配记录"));
}

// ---------------------------------------------------------------- voiding

void ReceptionWindow::voidComplaint() {
    if (m_list->rows() <= 1)
        return;
    // The complaint of the entry panel: normally the current row; when the current row has
    // moved on meanwhile, the row that holds the panel's number. A complaint not stored yet
    // has no row.
    const QString number = text1(5);
    int r = m_list->row();
    if (r < 1 || m_list->textMatrix(r, ColNumber) != number) {
        r = 0;
        for (int i = 1; i < m_list->rows() && m_entryMode != QLatin1String("New"); ++i) {
            if (m_list->textMatrix(i, ColNumber) == number) {
                r = i;
                break;
            }
        }
    }
    if (r < 1 || m_entryMode == QLatin1String("New"))
        return;
    const QString id = m_list->textMatrix(r, ColId).trimmed();
    if (id.isEmpty())
        return;
    if (!Platform::askYesNo(this, QStringLiteral("确认要作废编号为") + number +
                                      QStringLiteral("的投诉？")))
        return;
    if (m_list->textMatrix(r, ColStatus) != desk::statusNotAccepted()) {
        Platform::message(this, QStringLiteral("已经处理完成的投诉不能作废！"), executableName(),
                          Platform::Icon::Information);
        return;
    }
    try {
        Connection::SharedConnection().execute(QStringLiteral("Update 投诉信息 Set 撤销时间 = '") +
                                               desk::sqlDateTime(Platform::now()) +
                                               QStringLiteral("' where ID=") + desk::sqlNumber(id));
    } catch (const desk::DbError& e) {
        showDbError(e);
        return;
    }
    RefreshComplaintList();
}

// ---------------------------------------------------------------- export

void ReceptionWindow::exportList() {
    m_commandBar->setEnabled(false);
    const Platform::FileChoice choice = Platform::seam().saveFile(
        this, QString(), reception::proposedExportName(Platform::now().date()),
        reception::exportFilter());
    if (choice.cancelled) {
        m_commandBar->setEnabled(true);
        Platform::message(this, QStringLiteral("您取消了导出操作！"), QStringLiteral("系统提示"),
                          Platform::Icon::Information);
        return;
    }
    if (!choice.path.isEmpty()) {
        m_exportPath = choice.path;
        ExportComplaintList();
    }
    m_commandBar->setEnabled(true);
}

void ReceptionWindow::ExportComplaintList() {
    m_progress->setRange(0, qMax(1, m_list->rows()));
    m_progress->setValue(0);
    m_progress->show();
    m_progress->raise();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const reception::ExportResult result =
        reception::exportComplaintList(*m_list, m_exportPath, Platform::now().date(),
                                       Operator().EmployeeName, [this](int done, int total) {
                                           if (m_progress->maximum() != qMax(1, total))
                                               m_progress->setMaximum(qMax(1, total));
                                           m_progress->setValue(done);
                                       });
    if (result.ok)
        Platform::message(this, QStringLiteral("投诉信息表导出成功!"), QStringLiteral("系统提示"),
                          Platform::Icon::Information);
    else
        // Not the operator's doing: the reason goes with the message.
        Platform::message(this,
                          QStringLiteral("您取消了导出操作！") + QLatin1Char('\n') + result.error,
                          QStringLiteral("系统提示"), Platform::Icon::Information);
    m_progress->hide();
}
