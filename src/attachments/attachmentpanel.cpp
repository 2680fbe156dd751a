#include "attachmentpanel.h"

#include "controls/flexgrid.h"
#include "data/connection.h"
#include "shell/operator.h"
#include "shell/platform.h"

#include <QAbstractButton>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QWidget>

namespace attachments {

namespace {

const QString kBrowse = QStringLiteral("浏览");
const QString kComplainantType = QStringLiteral("投诉人提交");
const QString kInvestigationType = QStringLiteral("调查处理");

// The error numbers the operator sees: the file dialog's cancellation, and a file that
// could not be read or written.
constexpr int kCancelled = 32755;
constexpr int kFileAccess = 75;

const QString kComplainantFormat =
    QStringLiteral("序  |<文件名%1|^浏览     |").arg(QString(103, QLatin1Char(' ')));
const QString kInvestigationFormat =
    QStringLiteral("序  |<来源          |<文件名%1|^浏览     |").arg(QString(67, QLatin1Char(' ')));

bool folderIsWritable(const QString& folder) {
    if (!QDir().mkpath(folder))
        return false;
    // Permissions alone do not tell (ACLs, read-only media): try a file.
    QTemporaryFile probe(folder + QStringLiteral("/probe-XXXXXX"));
    return probe.open();
}

} // namespace

AttachmentConfig AttachmentConfig::reception() {
    AttachmentConfig c; // complainant layout; adds and deletes without asking
    c.formatString = kComplainantFormat;
    c.typeWritten = kComplainantType;
    c.listClosingPiece = QStringLiteral("' And 类型 = '投诉人提交'");
    c.listDisablesDelete = true;
    return c;
}

AttachmentConfig AttachmentConfig::complainantReadOnly() {
    AttachmentConfig c = reception();
    c.listClosingPiece = QStringLiteral("'  And 类型 = '投诉人提交' ");
    c.reopenBeforeAdd = true;
    c.onlyUploaderDeletes = true;
    c.clickEnablesDelete = false;
    c.listDisablesDelete = false;
    return c;
}

AttachmentConfig AttachmentConfig::investigation() {
    AttachmentConfig c = complainantReadOnly(); // the same windows' other grid
    c.layout = Layout::Investigation;
    c.formatString = kInvestigationFormat;
    c.typeWritten = kInvestigationType;
    c.clickEnablesDelete = true;
    return c;
}

QString dialogFilter(const QString& designFilter) {
    const QStringList parts = designFilter.split(QLatin1Char('|'));
    QStringList choices;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : patterns)
            p = p.trimmed();
        choices << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    return choices.join(QStringLiteral(";;"));
}

QString attachmentFilter() {
    return QStringLiteral("Office 文件|*.doc;*.docx;*.xls;*.xlsx|图片文件|*.Jpg;*.Jpeg;*.Bmp|"
                          "视频文件|*.mp4;*.avi|所有文件|*.*");
}

QString plainFileName(const QString& storedName) {
    QString name = storedName;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    name = name.section(QLatin1Char('/'), -1);
    // A drive prefix ("C:x") names a folder on some systems.
    const int colon = name.lastIndexOf(QLatin1Char(':'));
    if (colon >= 0)
        name = name.mid(colon + 1);
    name = name.trimmed();
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("attachment");
    return name;
}

QString temporaryFolder(const QString& programFolder) {
    const QString own = programFolder + QStringLiteral("/Temp");
    if (folderIsWritable(own))
        return own;
    QString base = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (base.isEmpty())
        base = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    const QString user = base + QStringLiteral("/Temp");
    return QDir().mkpath(user) ? user : QString();
}

bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = path + QStringLiteral(": ") + file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

AttachmentPanel::AttachmentPanel(controls::FlexGrid* grid, QAbstractButton* addButton,
                                 QAbstractButton* deleteButton,
                                 std::function<QString()> complaintShown,
                                 const AttachmentConfig& config, QObject* parent)
    : QObject(parent), m_grid(grid), m_add(addButton), m_delete(deleteButton),
      m_complaintShown(std::move(complaintShown)), m_config(config) {
    m_grid->setFormatString(m_config.formatString);
    m_grid->setHeaderAlignment(Qt::AlignCenter);
    m_grid->setRows(1);
    m_grid->setColWidth(m_grid->cols() - 1, 0);
    m_grid->viewport()->installEventFilter(this);

    connect(m_grid, &controls::FlexGrid::gridClick, this, &AttachmentPanel::onGridClick);
    connect(m_grid, &controls::FlexGrid::gridDoubleClick, this,
            &AttachmentPanel::onGridDoubleClick);
    if (m_add)
        connect(m_add, &QAbstractButton::clicked, this, [this] { AddAttachment(); });
    if (m_delete)
        connect(m_delete, &QAbstractButton::clicked, this, [this] { 删除资料(); });
}

bool AttachmentPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_grid->viewport() && event->type() == QEvent::Resize)
        fitFileNameColumn();
    return QObject::eventFilter(watched, event);
}

// The file-name column takes what the other columns leave of the grid's width, so that the
// "浏览" link stays in view however small the panel holding the grid is.
void AttachmentPanel::fitFileNameColumn() {
    const int name = fileNameColumn();
    int others = 0;
    for (int c = 0; c < m_grid->cols(); ++c)
        if (c != name && !m_grid->isColumnHidden(c))
            others += m_grid->columnWidth(c);
    const int available = m_grid->viewport()->width() - others;
    const int minimum = m_grid->fontMetrics().horizontalAdvance(QStringLiteral("文件名文件名"));
    m_grid->setColumnWidth(name, qMax(available, minimum));
}

int AttachmentPanel::fileNameColumn() const {
    return m_config.layout == Layout::Complainant ? 1 : 2;
}

int AttachmentPanel::browseColumn() const {
    return m_config.layout == Layout::Complainant ? 2 : 3;
}

qint64 AttachmentPanel::rowId(int row) const {
    return rowIdText(row).toLongLong();
}

// The complainant layout keeps the ID in its hidden last column, the investigation layout
// as the row's data value (its last column holds the uploader).
QString AttachmentPanel::rowIdText(int row) const {
    if (m_config.layout == Layout::Complainant)
        return m_grid->textMatrix(row, m_grid->cols() - 1);
    return m_grid->rowData(row).toString();
}

QWidget* AttachmentPanel::window() const {
    return m_grid ? m_grid->window() : nullptr;
}

void AttachmentPanel::showError(int number, const QString& description) const {
    Platform::message(window(), QString::number(number) + QStringLiteral(" |") + description);
}

void AttachmentPanel::setDeleteEnabled(bool on) {
    if (m_delete)
        m_delete->setEnabled(on);
}

QString AttachmentPanel::TpmePath() {
    return temporaryFolder(Platform::programFolder());
}

int AttachmentPanel::appendRow(qint64 id, const QString& fileName, const QString& source,
                               const QString& uploader) {
    const int row = m_grid->addRow();
    const int last = m_grid->cols() - 1;
    m_grid->setTextMatrix(row, 0, QString::number(row));
    if (m_config.layout == Layout::Complainant) {
        m_grid->setTextMatrix(row, 1, fileName);
        m_grid->setTextMatrix(row, 2, kBrowse);
        if (id > 0)
            m_grid->setTextMatrix(row, last, QString::number(id));
    } else {
        m_grid->setTextMatrix(row, 1, source);
        m_grid->setTextMatrix(row, 2, fileName);
        m_grid->setTextMatrix(row, 3, kBrowse);
        m_grid->setTextMatrix(row, last, uploader);
        if (id > 0)
            m_grid->setRowData(row, id);
    }
    return row;
}

void AttachmentPanel::资料列表() {
    try {
        const QString sql = QStringLiteral("Select ID, 文件名 From 投诉资料 Where 投诉编号 = '") +
                            desk::sqlText(m_complaintShown()) + m_config.listClosingPiece;
        const desk::Recordset rs = Connection::SharedConnection().query(sql);
        m_grid->setRows(1);
        m_grid->setVisible(false);
        m_grid->setCol(0);
        for (int i = 0; i < rs.size(); ++i)
            appendRow(rs.value(i, QStringLiteral("ID")).toLongLong(),
                      rs.text(i, QStringLiteral("文件名")), kComplainantType);
        m_grid->setVisible(true);
        if (m_config.listDisablesDelete)
            setDeleteEnabled(false);
    } catch (const desk::DbError& e) {
        m_grid->setVisible(true);
        showError(e.number, e.description);
    }
}

void AttachmentPanel::AddAttachment() {
    try {
        if (m_config.reopenBeforeAdd)
            Connection::ReopenConnection();
        const Platform::FileChoice choice =
            Platform::seam().openFile(window(), QString(), dialogFilter(attachmentFilter()));
        if (choice.cancelled) {
            showError(kCancelled, QStringLiteral("选定“取消”"));
            return;
        }
        if (choice.path.isEmpty())
            return;
        QString fileName = choice.path;
        fileName.replace(QLatin1Char('\\'), QLatin1Char('/'));
        fileName = fileName.section(QLatin1Char('/'), -1);
        TpmePath();

        // The whole file in one piece, read once.
        QFile file(choice.path);
        if (!file.open(QIODevice::ReadOnly)) {
            showError(kFileAccess, choice.path + QStringLiteral(": ") + file.errorString());
            return;
        }
        QByteArray content = file.readAll();
        if (file.error() != QFileDevice::NoError || content.size() != file.size()) {
            showError(kFileAccess, choice.path + QStringLiteral(": ") + file.errorString());
            return;
        }
        file.close();
        // A null array would be stored as a null value; an empty file is a file all the same.
        if (content.isNull())
            content = QByteArray("");

        // Stored first, then shown: a row that failed to store never appears in the grid.
        const QString employee = Operator().EmployeeNo;
        const qint64 id = Connection::SharedConnection().insertRow(
            QStringLiteral("投诉资料"),
            {{QStringLiteral("投诉编号"), m_complaintShown()},
             {QStringLiteral("类型"), m_config.typeWritten},
             {QStringLiteral("文件名"), fileName},
             {QStringLiteral("文件"), content},
             {QStringLiteral("CzyDH"), employee},
             {QStringLiteral("updatedate"), desk::sqlDateTime(Platform::now())}});
        content.clear();

        const int row = appendRow(id, fileName, m_config.typeWritten, employee);
        m_grid->setRow(row);
        if (!m_grid->isRowVisible(row))
            m_grid->setTopRow(row);
    } catch (const desk::DbError& e) {
        showError(e.number, e.description);
    }
}

void AttachmentPanel::OpenAttachment() {
    const int row = m_grid->row();
    if (m_grid->rows() <= 1 || row < 1)
        return;
    try {
        const QString folder = TpmePath();
        if (folder.isEmpty()) {
            showError(kFileAccess, QStringLiteral("Temp"));
            return;
        }
        const QString target =
            folder + QLatin1Char('/') + plainFileName(m_grid->textMatrix(row, fileNameColumn()));
        QString sql = QStringLiteral("Select 文件 From 投诉资料 Where ID = ") +
                      desk::sqlNumber(rowIdText(row));
        if (m_config.layout == Layout::Complainant)
            sql += QStringLiteral(" And 类型 = '投诉人提交'");
        QByteArray content;
        {
            const desk::Recordset rs = Connection::SharedConnection().query(sql);
            if (rs.isEmpty())
                return;
            content = rs.value(0, 0).toByteArray();
        }
        QString error;
        if (!writeWholeFile(target, content, &error)) {
            showError(kFileAccess, error);
            return;
        }
        content.clear();
        Platform::seam().openWithDesktop(target);
    } catch (const desk::DbError& e) {
        showError(e.number, e.description);
    }
}

void AttachmentPanel::删除资料() {
    const int row = m_grid->row();
    if (m_grid->rows() <= 1 || row < 1)
        return;
    try {
        if (m_config.onlyUploaderDeletes) {
            if (m_grid->textMatrix(row, m_grid->cols() - 1) != Operator().EmployeeNo) {
                Platform::message(window(), QStringLiteral("非您添加的资料，不能删除"));
                return;
            }
            if (!Platform::askYesNo(window(), QStringLiteral("确认要删除 ") +
                                                  m_grid->textMatrix(row, fileNameColumn()) +
                                                  QStringLiteral(" 这个资料文件？")))
                return;
        }
        Connection::SharedConnection().execute(QStringLiteral("Delete From 投诉资料 Where ID = ") +
                                               desk::sqlNumber(rowIdText(row)));
        if (m_grid->rows() == 2) {
            m_grid->setRows(1);
        } else {
            m_grid->removeRowAt(row);
            for (int r = row; r < m_grid->rows(); ++r)
                m_grid->setTextMatrix(r, 0, QString::number(r));
        }
        setDeleteEnabled(false);
    } catch (const desk::DbError& e) {
        showError(e.number, e.description);
    }
}

void AttachmentPanel::onGridClick(int row, int col) {
    if (m_grid->rows() <= 1 || row < 1)
        return;
    m_grid->setRow(row);
    if (m_config.clickEnablesDelete)
        setDeleteEnabled(true);
    if (col == browseColumn())
        OpenAttachment();
    m_grid->selectRow(row);
}

void AttachmentPanel::onGridDoubleClick(int row, int) {
    if (row >= 1 && row < m_grid->rows())
        m_grid->setRow(row);
    OpenAttachment();
}

} // namespace attachments
