#pragma once
// frm投诉接待: the complaint desk's reception window. The department's complaint list with
// its command bar, and floating panels over it: the entry panel (Picture1) for one
// complaint, the address panel (Picture3) to pick the complainant from the property
// register, the time panel (Picture4) to set the complaint time, the search panel
// (Picture5) with its two multi-choice drop-downs.

#include <QString>
#include <QWidget>

class QCalendarWidget;
class QDateTime;
class QComboBox;
class QDate;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace attachments {
class AttachmentPanel;
}
namespace controls {
class FlexGrid;
}
namespace desk {
class DbError;
class Recordset;
} // namespace desk

namespace reception {
class FloatingPanel;
class PressLabel;
} // namespace reception

class ReceptionWindow : public QWidget {
    Q_OBJECT
public:
    // Creates the window and runs its start: status bar, lists of the entry panel, the
    // offices of the address panel, receivers. The list is filled at activation.
    explicit ReceptionWindow(QWidget* parent = nullptr);
    ~ReceptionWindow() override;

    // ---- routines of the design ----

    // Inserts the complaint of the entry panel; true when it was stored.
    bool SaveData();
    // Writes the complaint shown in the entry panel back.
    void UpdateData();
    // Fills the time panel from a date-time text (the current time when it is none).
    void LoadTime(const QString& text);
    // True when the operator's position holds the special right over every office.
    bool 接待专项();
    // The office combo's item of an office code; empty when the operator has no such office.
    QString 对应管理处(const QString& code) const;
    void LoadManagementOffices();
    void LoadBuildingTree();
    // Rebuilds the list from the database: the default month or the chosen date range,
    // narrowed by the search panel.
    void RefreshComplaintList();
    // Fills the search panel's category and channel drop-downs and its two combos, every
    // field on "全部".
    void InitSearchLists();
    // Writes the list as shown to the workbook chosen in the save dialog (exportPath()),
    // with the progress bar running; says how it went.
    void ExportComplaintList();

    // ---- attachments of the complaint shown (Text1(5)) ----

    // The temporary folder for opened attachments, created when missing.
    QString TpmePath();
    void 资料列表();
    void 删除资料();
    attachments::AttachmentPanel* attachmentPanel() const { return m_attachmentPanel; }

    // ---- events ----

    // The window became the active child of the main window: maximised, list refreshed.
    void activate();
    void newComplaint();          // "新投诉"
    void OpenComplaintInPanel();  // list row into the entry panel
    void confirmEntry();          // "确定" of the entry panel
    void toggleAddressPanel();    // Command1
    void openTimePanel();         // Command9
    void confirmTime();           // "确定" of the time panel
    void clickHour(int hour);     // Label2(hour)
    void clickMinute(int minute); // Label3(minute)
    void toggleCalendar();        // Command6
    void clickCalendarDate(const QDate& day);
    void clickNode(QTreeWidgetItem* node); // TreeView1
    void clickList(int row, int col);      // MSFlexGrid1
    void exitWindow();                     // "退出"
    void refreshList();                    // "刷新"
    void locateComplainant();              // Command11 "定位" / "下一条"
    void voidComplaint();                  // Command13 "投诉作废"
    void exportList();                     // Command20 "导出Excel"
    void openSearchPanel();                // Command12 "筛选条件"
    void confirmSearch();                  // Command18 "确定" of the search panel
    void toggleCategoryDrop();             // Command14
    void toggleChannelDrop();              // Command16
    void confirmCategoryDrop();            // Command15
    void confirmChannelDrop();             // Command17

    // ---- state ----

    // "New" while a new complaint is being recorded, empty when the panel shows a stored one.
    QString entryMode() const { return m_entryMode; }
    // ZH_ID of the occupant the complainant field stands for; empty when none.
    QString ownerIdentifier() const { return m_ownerId; }
    // The chosen categories and channels as the In lists of the search: 'a','b'.
    QString categoryFilterList() const { return m_categoryFilterList; }
    QString channelFilterList() const { return m_channelFilterList; }
    // The workbook the save dialog chose last.
    QString exportPath() const { return m_exportPath; }

    // ---- pieces of the list statement ----

    // The date condition on a column: the current month, or the chosen date range.
    QString dateRangeCondition(const QString& column) const;
    // The search panel's conditions (category, channel, texts, status, satisfaction), each
    // starting with " And"; empty while nothing narrows the list.
    QString searchConditions() const;
    // The whole statement of the list: the department's complaints not voided, in the date
    // range and narrowed by the search panel, in number order.
    QString listStatement() const;

protected:
    // The probe for taken numbers: true when a complaint with this number is stored.
    virtual bool complaintNumberTaken(const QString& number);

    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    void buildWindow();
    void buildEntryPanel();
    void buildTimePanel();
    void buildAddressPanel();
    void buildSearchPanel();
    reception::FloatingPanel* buildDropDown(const QString& objectName, QListWidget** list,
                                            const QString& listName, const QString& okName,
                                            QPushButton** ok);
    void startWindow();
    void placeEntryPanel();
    void placeAddressPanelForResize();
    void layoutListColumns();
    // The window's parts placed: status bar at the bottom, command bar above it.
    void placeBars();
    // The list and the command bar's controls follow the command bar's size.
    void commandBarResized();
    void resetLocate();
    void toggleDropDown(QWidget* drop, QLineEdit* field);
    void clickFilterItem(QListWidget* list, QListWidgetItem* item);
    void confirmDropDown(QWidget* drop, QListWidget* list, QLineEdit* field, QString* filterList);
    void resetHourCells();
    void resetMinuteCells();
    void showDbError(const desk::DbError& error);
    // Checks shared by SaveData and UpdateData after their own: the time field holds a
    // date-time (or nothing) and the office field a code-and-name item (or nothing).
    // False after a message.
    bool checkTimeAndOffice(QDateTime* when, QString* officeCode);
    QString text1(int index) const;
    void setText1(int index, const QString& text);
    // The list row of a complaint just written: cells 2 to 9 and the hidden occupant.
    void showStoredInRow(int row, const desk::Recordset& stored);

    // the list and its bars
    controls::FlexGrid* m_list = nullptr; // MSFlexGrid1
    QWidget* m_commandBar = nullptr;      // Picture2
    QWidget* m_listCommands = nullptr;    // the command bar's first line
    QWidget* m_legend = nullptr;          // the unfinished colour and its explanation
    QStatusBar* m_statusBar = nullptr;    // StatusBar2
    QLabel* m_panels[10] = {};            // status bar panels 1 to 9
    QPushButton* m_newButton = nullptr;
    QPushButton* m_refreshButton = nullptr; // Command2
    QPushButton* m_filterButton = nullptr;  // Command12
    QLineEdit* m_locateText = nullptr;      // Text2
    QPushButton* m_locateButton = nullptr;  // Command11; its "Tag" is the locate position
    QPushButton* m_exportButton = nullptr;  // Command20
    QRadioButton* m_option1[2] = {};
    QDateEdit* m_dtPicker1[2] = {};
    QProgressBar* m_progress = nullptr;
    QPushButton* m_exitButton = nullptr;

    // entry panel
    reception::FloatingPanel* m_entry = nullptr; // Picture1
    QLineEdit* m_text1[7] = {};                  // Text1(4) is the content editor below
    QPlainTextEdit* m_content = nullptr;         // Text1(4)
    QComboBox* m_combo2 = nullptr;               // receiver
    QComboBox* m_combo4 = nullptr;               // category
    QComboBox* m_combo5 = nullptr;               // channel
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command4 = nullptr;
    QPushButton* m_command9 = nullptr;
    QPushButton* m_command10[2] = {};
    QPushButton* m_command13 = nullptr;
    controls::FlexGrid* m_attachments = nullptr; // MSFlexGrid2
    QLabel* m_origin = nullptr;                  // Label1(18)
    reception::PressLabel* m_image2 = nullptr;

    // time panel
    reception::FloatingPanel* m_timePanel = nullptr; // Picture4
    QLineEdit* m_text3[3] = {};
    QPushButton* m_command6 = nullptr;
    QCalendarWidget* m_calendar = nullptr; // MonthView1
    reception::PressLabel* m_hours[24] = {};
    reception::PressLabel* m_minutes[60] = {};

    attachments::AttachmentPanel* m_attachmentPanel = nullptr;

    // search panel
    reception::FloatingPanel* m_searchPanel = nullptr; // Picture5
    QLineEdit* m_searchText[11] = {};                  // Text4 to Text10 at their numbers
    QComboBox* m_combo1 = nullptr;                     // status
    QComboBox* m_combo6 = nullptr;                     // satisfaction
    QPushButton* m_command14 = nullptr;
    QPushButton* m_command16 = nullptr;
    reception::PressLabel* m_image3 = nullptr;
    reception::FloatingPanel* m_categoryDrop = nullptr; // Picture11
    reception::FloatingPanel* m_channelDrop = nullptr;  // Picture6
    QListWidget* m_list1 = nullptr;
    QListWidget* m_list2 = nullptr;
    QString m_categoryFilterList; // CategoryFilterList
    QString m_channelFilterList;  // ChannelFilterList
    QString m_exportPath;

    // address panel
    reception::FloatingPanel* m_addressPanel = nullptr; // Picture3
    QComboBox* m_combo3 = nullptr;
    QTreeWidget* m_tree = nullptr;
    reception::PressLabel* m_image1 = nullptr;

    QString m_entryMode;
    QString m_ownerId;
    bool m_started = false;
    bool m_activating = false;
    bool m_hookedToArea = false;
};
