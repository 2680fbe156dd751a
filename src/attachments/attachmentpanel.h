#pragma once
// The attachment routines of the complaint windows: files of any kind stored whole in
// 投诉资料, listed in a small grid, opened through a temporary copy with the desktop's
// program for their type, and deleted one by one. Each window binds one panel per grid
// and passes the settings that make its grid and buttons behave as its design says.

#include "controls/flexgrid.h"

#include <QAbstractButton>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QByteArray;
class QWidget;

namespace attachments {

enum class Layout {
    // "序", "文件名", "浏览", hidden ID
    Complainant,
    // "序", "来源", "文件名", "浏览", hidden uploader; the ID is the row's data value
    Investigation,
};

struct AttachmentConfig {
    Layout layout = Layout::Complainant;
    QString formatString;     // the grid's design layout string
    QString typeWritten;      // 类型 of the rows AddAttachment stores
    QString listClosingPiece; // what follows the complaint number in 资料列表's statement
    bool reopenBeforeAdd = false;
    // Only the operator who attached a file may delete it, and is asked before.
    bool onlyUploaderDeletes = false;
    bool clickEnablesDelete = true;  // a click on a data row enables "删除资料"
    bool listDisablesDelete = false; // 资料列表 disables "删除资料" when done

    // MSFlexGrid2 of the reception window: complainant material, add and delete at once.
    static AttachmentConfig reception();
    // MSFlexGrid4 of the acceptance and processing windows: complainant material, read-only.
    static AttachmentConfig complainantReadOnly();
    // MSFlexGrid5 of the acceptance and processing windows: investigation material.
    static AttachmentConfig investigation();
};

// The dialog filter of the design ("说明|*.a;*.b|...") in the file dialog's own form
// ("说明 (*.a *.b);;...").
QString dialogFilter(const QString& designFilter);
// The filter "添加资料" offers, in the design's form.
QString attachmentFilter();

// A stored file name reduced to a plain name that stays inside the folder it is written
// to: any folder part (with "/" or "\") is dropped; nothing usable gives "attachment".
QString plainFileName(const QString& storedName);

// The folder temporary copies go to: "Temp" in the program's folder, or, when that folder
// cannot be written (an installed program), "Temp" in the operator's own data folder of
// the client. Created when missing; empty when no folder could be made.
QString temporaryFolder(const QString& programFolder);

// Writes the bytes as the whole content of the file, replacing any file of that name.
// False with the reason in *error on failure; a file that was there stays as it was.
bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* error);

class AttachmentPanel : public QObject {
    Q_OBJECT
public:
    // complaintShown gives the number of the complaint the window shows. The buttons may
    // be null (a read-only grid has neither). The grid gets its layout: header centred,
    // header row only, last column hidden.
    AttachmentPanel(controls::FlexGrid* grid, QAbstractButton* addButton,
                    QAbstractButton* deleteButton, std::function<QString()> complaintShown,
                    const AttachmentConfig& config, QObject* parent = nullptr);

    const AttachmentConfig& config() const { return m_config; }
    controls::FlexGrid* grid() const { return m_grid; }

    // Makes sure the temporary folder exists and returns it (empty when none could be made).
    QString TpmePath();
    // Fills the grid with the complaint's "投诉人提交" attachments (complainant layout).
    void 资料列表();
    // Deletes the attachment of the grid's current row.
    void 删除资料();
    // Lets the operator choose a file and stores it as an attachment of the complaint shown.
    void AddAttachment();
    // Writes the attachment of the current row to the temporary folder and opens it.
    void OpenAttachment();

    // Appends a grid row for an attachment that is already stored (the investigation grid
    // is filled this way by the window's processing record). Returns the row.
    int appendRow(qint64 id, const QString& fileName, const QString& source = QString(),
                  const QString& uploader = QString());
    // The stored ID of a data row; 0 when the row has none.
    qint64 rowId(int row) const;
    int fileNameColumn() const;
    int browseColumn() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString rowIdText(int row) const; // the stored ID as the row holds it
    void fitFileNameColumn();
    void onGridClick(int row, int col);
    void onGridDoubleClick(int row, int col);
    void setDeleteEnabled(bool on);
    QWidget* window() const;
    void showError(int number, const QString& description) const;

    QPointer<controls::FlexGrid> m_grid;
    QPointer<QAbstractButton> m_add;
    QPointer<QAbstractButton> m_delete;
    std::function<QString()> m_complaintShown;
    AttachmentConfig m_config;
};

} // namespace attachments
