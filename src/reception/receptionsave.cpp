// Saving the entry panel: SaveData inserts a new complaint with the next number,
// UpdateData writes an opened one back; both bring the list row up to date in place.

#include "receptionwindow.h"

#include "controls/flexgrid.h"
#include "controls/twips.h"
#include "data/connection.h"
#include "data/status.h"
#include "listcolumns.h"
#include "panelwidgets.h"
#include "receptionrules.h"
#include "shell/operator.h"
#include "shell/platform.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace reception::listcol;
using reception::WaitCursor;

namespace {

using Fields = QList<QPair<QString, QVariant>>;

QVariant textOrNull(const QString& text) {
    return text.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(text);
}

QVariant ownerValue(const QString& ownerId) {
    bool ok = false;
    const qint64 id = ownerId.trimmed().toLongLong(&ok);
    return ok ? QVariant(id) : QVariant(QMetaType::fromType<qlonglong>());
}

QVariant timeValue(const QDateTime& when) {
    return when.isValid() ? QVariant(when) : QVariant(QMetaType::fromType<QString>());
}

const QString StoredColumns = QStringLiteral(
    "SELECT ID, 投诉编号, 流水号, 部门编号, 部门名称, 管理处代号, ZH_ID, 投诉人, 地址, "
    "联系电话, 投诉类别, 投诉方式, 投诉时间, 投诉内容, 接待人, 处理状态 ");

} // namespace

bool ReceptionWindow::complaintNumberTaken(const QString& number) {
    const desk::Recordset probe = Connection::SharedConnection().query(
        StoredColumns + QStringLiteral(" From 投诉信息") + QStringLiteral(" Where 投诉编号='") +
        desk::sqlText(number) + QStringLiteral("'"));
    return !probe.isEmpty();
}

bool ReceptionWindow::checkTimeAndOffice(QDateTime* when, QString* officeCode) {
    const QString time = text1(0);
    *when = QDateTime();
    if (!time.isEmpty()) {
        *when = reception::parseDateTime(time);
        if (!when->isValid()) {
            Platform::message(this, QStringLiteral("投诉时间“") + time +
                                        QStringLiteral("”不是有效的日期时间，请按“yyyy-mm-dd "
                                                       "hh:mm”的格式输入，或用“选择”设置时间。"));
            return false;
        }
    }
    officeCode->clear();
    const QString office = text1(6);
    if (!office.isEmpty() && !reception::itemCode(office, officeCode)) {
        Platform::message(this, QStringLiteral("对应项目“") + office +
                                    QStringLiteral("”不是“代号 名称”的形式，请从业户列表中选择"
                                                   "管理项目，或清空对应项目。"));
        return false;
    }
    return true;
}

void ReceptionWindow::showStoredInRow(int row, const desk::Recordset& stored) {
    auto field = [&](const char* name) { return stored.text(0, QString::fromUtf8(name)); };
    m_list->setTextMatrix(row, ColCategory, field("投诉类别"));
    m_list->setTextMatrix(row, ColChannel, field("投诉方式"));
    m_list->setTextMatrix(row, ColTime, field("投诉时间"));
    m_list->setTextMatrix(row, ColComplainant, field("投诉人"));
    m_list->setTextMatrix(row, ColAddress, field("地址"));
    m_list->setTextMatrix(row, ColPhone, field("联系电话"));
    m_list->setTextMatrix(row, ColContent, field("投诉内容"));
    m_list->setTextMatrix(row, ColOffice, text1(6));
    // Kept in step with the stored occupant, so that opening the row again carries it.
    m_list->setTextMatrix(row, ColOwner, field("ZH_ID"));
}

bool ReceptionWindow::SaveData() {
    if (text1(1).isEmpty()) {
        Platform::message(this, QStringLiteral("请输入投诉人"));
        return false;
    }
    if (text1(4).isEmpty()) {
        Platform::message(this, QStringLiteral("请输入投诉内容"));
        return false;
    }
    if (m_combo4->currentIndex() < 0) {
        Platform::message(this, QStringLiteral("请选择投诉类别！"));
        return false;
    }
    if (m_combo5->currentIndex() < 0) {
        Platform::message(this, QStringLiteral("请选择投诉方式！"));
        return false;
    }
    QDateTime when;
    QString officeCode;
    if (!checkTimeAndOffice(&when, &officeCode))
        return false;

    WaitCursor wait;
    const OperatorContext& op = Operator();
    desk::SqlConnection& db = Connection::SharedConnection();
    qint64 id = 0;
    QString number;
    try {
        const desk::Recordset largest = db.query(QStringLiteral("Select Max(流水号) as LSH") +
                                                 QStringLiteral(" From 投诉信息"));
        qint64 serial =
            reception::serialAfter(largest.isEmpty() ? QVariant() : largest.value(0, 0));
        bool stored = false;
        // Another desk may store the same number between our probe and our store; the
        // number's uniqueness then refuses ours and the next free number is taken.
        for (int attempt = 0; attempt < reception::MaxStoreAttempts && !stored; ++attempt) {
            serial = reception::firstFreeSerial(
                serial, [this](const QString& n) { return complaintNumberTaken(n); });
            number = reception::complaintNumber(serial);
            Fields fields;
            fields << qMakePair(QStringLiteral("投诉编号"), QVariant(number))
                   << qMakePair(QStringLiteral("投诉类别"),
                                QVariant(reception::itemName(m_combo4->currentText())))
                   << qMakePair(QStringLiteral("投诉方式"),
                                QVariant(reception::itemName(m_combo5->currentText())))
                   << qMakePair(QStringLiteral("流水号"), QVariant(serial))
                   << qMakePair(QStringLiteral("部门编号"), QVariant(op.DepartmentCode))
                   << qMakePair(QStringLiteral("部门名称"), QVariant(op.DepartmentName));
            if (!officeCode.isEmpty())
                fields << qMakePair(QStringLiteral("管理处代号"), QVariant(officeCode));
            fields << qMakePair(QStringLiteral("ZH_ID"), ownerValue(m_ownerId))
                   << qMakePair(QStringLiteral("投诉人"), QVariant(text1(1)))
                   << qMakePair(QStringLiteral("处理状态"), QVariant(desk::statusNotAccepted()))
                   << qMakePair(QStringLiteral("地址"), textOrNull(text1(2)))
                   << qMakePair(QStringLiteral("联系电话"), textOrNull(text1(3)))
                   << qMakePair(QStringLiteral("投诉内容"), textOrNull(text1(4)))
                   << qMakePair(QStringLiteral("投诉时间"), timeValue(when))
                   << qMakePair(QStringLiteral("接待人"), QVariant(m_combo2->currentText()));
            try {
                id = db.insertRow(QStringLiteral("投诉信息"), fields);
                stored = true;
            } catch (const desk::DbError&) {
                if (!complaintNumberTaken(number))
                    throw;
                ++serial;
            }
        }
        if (!stored) {
            Platform::message(this, QStringLiteral("投诉编号") + number +
                                        QStringLiteral("已被其他工作站同时占用，投诉尚未保存。"
                                                       "请再按一次“确定”。"));
            return false;
        }
    } catch (const desk::DbError& e) {
        showDbError(e);
        return false;
    }

    m_command10[0]->setEnabled(true);
    m_command10[1]->setEnabled(true);

    desk::Recordset stored;
    try {
        stored = db.query(StoredColumns + QStringLiteral(" From 投诉信息 Where ID=") +
                          desk::sqlNumber(id));
    } catch (const desk::DbError& e) {
        showDbError(e);
    }
    if (!stored.isEmpty()) {
        const int r = m_list->addRow();
        m_list->setTextMatrix(r, ColNo, QString::number(r));
        m_list->setTextMatrix(r, ColNumber, stored.text(0, QStringLiteral("投诉编号")));
        showStoredInRow(r, stored);
        m_list->setTextMatrix(r, ColReceiver, stored.text(0, QStringLiteral("接待人")));
        m_list->setTextMatrix(r, ColStatus, stored.text(0, QStringLiteral("处理状态")));
        m_list->setTextMatrix(r, ColView, QStringLiteral("查看"));
        m_list->setTextMatrix(r, ColId, stored.text(0, QStringLiteral("ID")));
        m_list->setRowBackColor(r, reception::unfinishedColour());
        const QFontMetrics metrics(font());
        const int lineHeight =
            controls::pixelsToTwipsY(metrics.boundingRect(QStringLiteral("高")).height(), this);
        const int height =
            reception::newRowHeight(m_list->textWidth(m_list->textMatrix(r, ColContent)),
                                    m_list->colWidth(ColContent), lineHeight);
        if (height > 0)
            m_list->setRowHeight(r, height);
        m_list->setRow(r);
        if (!m_list->isRowVisible(r))
            m_list->setTopRow(r);
    }
    m_entry->hide();
    return true;
}

void ReceptionWindow::UpdateData() {
    if (text1(1).isEmpty()) {
        Platform::message(this, QStringLiteral("请输入投诉人"));
        return;
    }
    if (text1(4).isEmpty()) {
        Platform::message(this, QStringLiteral("请输入投诉内容"));
        return;
    }
    QDateTime when;
    QString officeCode;
    if (!checkTimeAndOffice(&when, &officeCode))
        return;

    WaitCursor wait;
    desk::SqlConnection& db = Connection::SharedConnection();
    const QString number = text1(5);
    const QString rowOfNumber = QStringLiteral(" From 投诉信息") +
                                QStringLiteral(" Where 投诉编号='") + desk::sqlText(number) +
                                QStringLiteral("'");
    try {
        const desk::Recordset found = db.query(
            QStringLiteral("SELECT ID, 投诉编号, 部门编号, 部门名称, 管理处代号, ZH_ID, "
                           "投诉人, 地址, 联系电话, 投诉类别, 投诉方式, 投诉时间, 投诉内容, "
                           "接待人") +
            rowOfNumber);
        if (found.isEmpty())
            return;
        Fields fields;
        fields << qMakePair(QStringLiteral("投诉类别"),
                            QVariant(reception::itemName(m_combo4->currentText())))
               << qMakePair(QStringLiteral("投诉方式"),
                            QVariant(reception::itemName(m_combo5->currentText())));
        if (!officeCode.isEmpty())
            fields << qMakePair(QStringLiteral("管理处代号"), QVariant(officeCode));
        fields << qMakePair(QStringLiteral("投诉人"), QVariant(text1(1)))
               << qMakePair(QStringLiteral("ZH_ID"), ownerValue(m_ownerId))
               << qMakePair(QStringLiteral("地址"), textOrNull(text1(2)))
               << qMakePair(QStringLiteral("联系电话"), textOrNull(text1(3)))
               << qMakePair(QStringLiteral("投诉内容"), textOrNull(text1(4)))
               << qMakePair(QStringLiteral("投诉时间"), timeValue(when));
        db.updateRows(QStringLiteral("投诉信息"), fields,
                      QStringLiteral("投诉编号='") + desk::sqlText(number) + QStringLiteral("'"));
        const desk::Recordset stored = db.query(StoredColumns + rowOfNumber);
        const int r = m_list->row();
        if (stored.isEmpty() || r < 1 || r >= m_list->rows() ||
            m_list->textMatrix(r, ColNumber) != number)
            return;
        showStoredInRow(r, stored);
        const int height =
            reception::updatedRowHeight(m_list->textWidth(m_list->textMatrix(r, ColContent)),
                                        m_list->colWidth(ColContent), m_list->rowHeight(0));
        if (height > 0)
            m_list->setRowHeight(r, height);
    } catch (const desk::DbError& e) {
        Platform::message(this, QStringLiteral("出现错误") + QLatin1Char('\n') +
                                    QString::number(e.number) + QLatin1Char(' ') + e.description);
    }
}
