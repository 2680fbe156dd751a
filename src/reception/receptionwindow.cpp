#include "receptionwindow.h"

#include "attachments/attachmentpanel.h"
#include "controls/flexgrid.h"
#include "controls/twips.h"
#include "data/connection.h"
#include "data/status.h"
#include "listcolumns.h"
#include "panelwidgets.h"
#include "receptionrules.h"
#include "shell/operator.h"
#include "shell/platform.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

using controls::twipsToPixelsX;
using controls::twipsToPixelsY;
using reception::commandButton;
using reception::fieldLabel;
using reception::FloatingPanel;
using reception::PressLabel;
using reception::titleStrip;
using namespace reception::listcol;

ReceptionWindow::ReceptionWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frm投诉接待"));
    setWindowTitle(QStringLiteral("投诉接待"));
    buildWindow();
    buildEntryPanel();
    buildTimePanel();
    buildAddressPanel();
    buildSearchPanel();
    startWindow();
}

ReceptionWindow::~ReceptionWindow() = default;

// ---------------------------------------------------------------- building the window

void ReceptionWindow::buildWindow() {
    // The list fills the window down to the command bar; the command bar and the status bar
    // are placed by placeBars() and commandBarResized().
    m_list = new controls::FlexGrid(this);
    m_list->setObjectName(QStringLiteral("MSFlexGrid1"));
    m_list->setFormatString(listLayout());
    m_list->setHeaderAlignment(Qt::AlignCenter);
    m_list->setRows(1);
    // Captions padded with blanks come out narrower in a proportional font than the texts
    // their columns hold; each column is at least as wide as a typical entry.
    const QPair<int, QString> typical[] = {{ColNo, QStringLiteral("9999")},
                                           {ColNumber, QStringLiteral("00000000")},
                                           {ColTime, QStringLiteral("2024-05-01 09:30")},
                                           {ColComplainant, QStringLiteral("欧阳小明")},
                                           {ColPhone, QStringLiteral("13800000000")},
                                           {ColReceiver, QStringLiteral("欧阳小明")},
                                           {ColResult, QStringLiteral("不满意")},
                                           {ColReplyTime, QStringLiteral("2024-05-01 09:30")},
                                           {ColView, QStringLiteral("查看")}};
    for (const auto& [col, text] : typical)
        m_list->setColWidth(col, qMax(m_list->colWidth(col), m_list->textWidth(text) + 240));
    for (int c = ColOwner; c <= ColId; ++c)
        m_list->setColWidth(c, 0);

    // The command bar below the list. First line: the list's own commands; second line:
    // the export with its progress bar, the colour legend and "退出".
    m_commandBar = new QWidget(this);
    m_commandBar->setObjectName(QStringLiteral("Picture2"));
    m_commandBar->installEventFilter(this);

    m_listCommands = new QWidget(m_commandBar);
    auto* top = new QHBoxLayout(m_listCommands);
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(6);
    m_newButton =
        commandButton(QStringLiteral("Command3"), QStringLiteral("新投诉"), m_listCommands);
    m_refreshButton =
        commandButton(QStringLiteral("Command2"), QStringLiteral("刷新"), m_listCommands);
    m_filterButton =
        commandButton(QStringLiteral("Command12"), QStringLiteral("筛选条件"), m_listCommands);
    top->addWidget(m_newButton);
    top->addWidget(m_refreshButton);
    top->addWidget(m_filterButton);
    top->addSpacing(18);
    top->addWidget(new QLabel(QStringLiteral("投诉人定位"), m_listCommands));
    m_locateText = new QLineEdit(m_listCommands);
    m_locateText->setObjectName(QStringLiteral("Text2"));
    m_locateText->setFixedWidth(twipsToPixelsX(1500));
    top->addWidget(m_locateText);
    m_locateButton =
        commandButton(QStringLiteral("Command11"), QStringLiteral("定位"), m_listCommands);
    m_locateButton->setProperty("Tag", QStringLiteral("0"));
    top->addWidget(m_locateButton);
    top->addSpacing(18);
    m_option1[0] = new QRadioButton(QStringLiteral("默认（当月投诉信息）"), m_listCommands);
    m_option1[0]->setObjectName(QStringLiteral("Option1(0)"));
    m_option1[1] = new QRadioButton(QStringLiteral("指定日期范围"), m_listCommands);
    m_option1[1]->setObjectName(QStringLiteral("Option1(1)"));
    m_option1[0]->setChecked(true);
    top->addWidget(m_option1[0]);
    top->addWidget(m_option1[1]);
    for (int i = 0; i < 2; ++i) {
        m_dtPicker1[i] = new QDateEdit(m_listCommands);
        m_dtPicker1[i]->setObjectName(QStringLiteral("DTPicker1(%1)").arg(i));
        m_dtPicker1[i]->setCalendarPopup(true);
        m_dtPicker1[i]->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        if (i == 1)
            top->addWidget(new QLabel(QStringLiteral("至"), m_listCommands));
        top->addWidget(m_dtPicker1[i]);
    }
    top->addStretch();

    m_exportButton =
        commandButton(QStringLiteral("Command20"), QStringLiteral("导出Excel"), m_commandBar);
    m_legend = new QWidget(m_commandBar);
    auto* legendRow = new QHBoxLayout(m_legend);
    legendRow->setContentsMargins(0, 0, 0, 0);
    auto* swatch = new QLabel(m_legend);
    swatch->setFixedSize(28, 14);
    swatch->setAutoFillBackground(true);
    QPalette sp = swatch->palette();
    sp.setColor(QPalette::Window, reception::unfinishedColour());
    swatch->setPalette(sp);
    swatch->setFrameShape(QFrame::Box);
    legendRow->addWidget(swatch);
    legendRow->addWidget(
        new QLabel(QStringLiteral("表中这个底色的投诉是尚未处理完成的投诉"), m_legend));
    legendRow->addStretch();
    m_progress = new QProgressBar(m_commandBar);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->hide();
    m_exitButton = commandButton(QStringLiteral("Command5"), QStringLiteral("退出"), m_commandBar);

    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("StatusBar2"));
    m_statusBar->setSizeGripEnabled(false);
    for (int i = 1; i <= 9; ++i) {
        m_panels[i] = new QLabel(m_statusBar);
        m_panels[i]->setObjectName(QStringLiteral("Panel%1").arg(i));
        m_panels[i]->setContentsMargins(6, 0, 6, 0);
        if (i >= 8)
            m_statusBar->addPermanentWidget(m_panels[i]);
        else
            m_statusBar->addWidget(m_panels[i], i == 7 ? 1 : 0);
    }
    m_panels[1]->setText(QStringLiteral("操作员"));
    m_panels[3]->setText(QStringLiteral("部门"));
    m_panels[5]->setText(QStringLiteral("岗位"));

    // The status bar keeps its date and time panels current by itself.
    auto* clock = new QTimer(this);
    auto tick = [this] {
        const QDateTime at = Platform::now();
        m_panels[8]->setText(at.date().toString(QStringLiteral("yyyy-MM-dd")));
        m_panels[9]->setText(at.time().toString(QStringLiteral("HH:mm:ss")));
    };
    connect(clock, &QTimer::timeout, this, tick);
    clock->start(1000);
    tick();

    connect(m_newButton, &QPushButton::clicked, this, &ReceptionWindow::newComplaint);
    connect(m_refreshButton, &QPushButton::clicked, this, &ReceptionWindow::refreshList);
    connect(m_filterButton, &QPushButton::clicked, this, &ReceptionWindow::openSearchPanel);
    connect(m_locateButton, &QPushButton::clicked, this, &ReceptionWindow::locateComplainant);
    connect(m_locateText, &QLineEdit::textChanged, this, &ReceptionWindow::resetLocate);
    connect(m_exportButton, &QPushButton::clicked, this, &ReceptionWindow::exportList);
    connect(m_exitButton, &QPushButton::clicked, this, &ReceptionWindow::exitWindow);
    connect(m_list, &controls::FlexGrid::gridClick, this, &ReceptionWindow::clickList);
    connect(m_list, &controls::FlexGrid::gridDoubleClick, this, [this](int row, int) {
        if (row >= 1)
            m_list->setRow(row);
        OpenComplaintInPanel();
    });
    placeBars();
}

void ReceptionWindow::buildEntryPanel() {
    m_entry = new FloatingPanel(this);
    m_entry->setObjectName(QStringLiteral("Picture1"));
    m_entry->setDraggable(true);
    m_entry->resize(twipsToPixelsX(9600), twipsToPixelsY(7800));

    auto* outer = new QVBoxLayout(m_entry);
    outer->setContentsMargins(1, 1, 1, 8);
    outer->setSpacing(6);
    m_image2 = PressLabel::closeIcon(m_entry, QStringLiteral("Image2"));
    outer->addWidget(titleStrip(QStringLiteral("投诉信息"), m_image2, m_entry));

    auto* form = new QGridLayout;
    form->setContentsMargins(10, 2, 10, 0);
    form->setHorizontalSpacing(6);
    form->setVerticalSpacing(6);
    outer->addLayout(form, 1);

    for (int i = 0; i < 7; ++i) {
        if (i == 4)
            continue;
        m_text1[i] = new QLineEdit(m_entry);
        m_text1[i]->setObjectName(QStringLiteral("Text1(%1)").arg(i));
    }
    m_content = new QPlainTextEdit(m_entry);
    m_content->setObjectName(QStringLiteral("Text1(4)"));
    m_content->setTabChangesFocus(true);
    m_text1[5]->setReadOnly(true);
    m_text1[0]->setPlaceholderText(QStringLiteral("yyyy-mm-dd hh:mm"));

    m_command9 = commandButton(QStringLiteral("Command9"), QStringLiteral("选择"), m_entry);
    m_command9->setToolTip(QStringLiteral("选择投诉日期及时间"));
    m_command1 = commandButton(QStringLiteral("Command1"), QStringLiteral("业户"), m_entry);
    m_command1->setToolTip(QStringLiteral("从管理项目的业户列表中选择投诉人"));
    m_combo4 = new QComboBox(m_entry);
    m_combo4->setObjectName(QStringLiteral("Combo4"));
    m_combo5 = new QComboBox(m_entry);
    m_combo5->setObjectName(QStringLiteral("Combo5"));
    m_combo2 = new QComboBox(m_entry);
    m_combo2->setObjectName(QStringLiteral("Combo2"));
    m_combo2->setEditable(true);
    m_combo2->setInsertPolicy(QComboBox::NoInsert);

    int r = 0;
    form->addWidget(fieldLabel(QStringLiteral("编号"), m_entry), r, 0);
    form->addWidget(m_text1[5], r, 1, 1, 2);
    form->addWidget(fieldLabel(QStringLiteral("投诉时间"), m_entry), r, 3);
    form->addWidget(m_text1[0], r, 4);
    form->addWidget(m_command9, r, 5);
    ++r;
    form->addWidget(fieldLabel(QStringLiteral("投诉人"), m_entry), r, 0);
    form->addWidget(m_text1[1], r, 1);
    form->addWidget(m_command1, r, 2);
    form->addWidget(fieldLabel(QStringLiteral("联系电话"), m_entry), r, 3);
    form->addWidget(m_text1[3], r, 4, 1, 2);
    ++r;
    form->addWidget(fieldLabel(QStringLiteral("地址"), m_entry), r, 0);
    form->addWidget(m_text1[2], r, 1, 1, 5);
    ++r;
    form->addWidget(fieldLabel(QStringLiteral("投诉类别"), m_entry), r, 0);
    form->addWidget(m_combo4, r, 1, 1, 2);
    form->addWidget(fieldLabel(QStringLiteral("投诉方式"), m_entry), r, 3);
    form->addWidget(m_combo5, r, 4, 1, 2);
    ++r;
    form->addWidget(fieldLabel(QStringLiteral("接待人"), m_entry), r, 0);
    form->addWidget(m_combo2, r, 1, 1, 2);
    form->addWidget(fieldLabel(QStringLiteral("对应项目"), m_entry), r, 3);
    form->addWidget(m_text1[6], r, 4, 1, 2);
    ++r;
    auto* contentLabel = fieldLabel(QStringLiteral("投诉内容"), m_entry);
    contentLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);
    form->addWidget(contentLabel, r, 0);
    form->addWidget(m_content, r, 1, 1, 5);
    form->setRowStretch(r, 3);
    ++r;
    auto* filesLabel = fieldLabel(QStringLiteral("投诉资料"), m_entry);
    filesLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);
    form->addWidget(filesLabel, r, 0);
    m_attachments = new controls::FlexGrid(m_entry);
    m_attachments->setObjectName(QStringLiteral("MSFlexGrid2"));
    form->addWidget(m_attachments, r, 1, 1, 4);
    auto* fileButtons = new QVBoxLayout;
    m_command10[0] =
        commandButton(QStringLiteral("Command10(0)"), QStringLiteral("添加资料"), m_entry);
    m_command10[1] =
        commandButton(QStringLiteral("Command10(1)"), QStringLiteral("删除资料"), m_entry);
    fileButtons->addWidget(m_command10[0]);
    fileButtons->addWidget(m_command10[1]);
    fileButtons->addStretch();
    form->addLayout(fileButtons, r, 5);
    form->setRowStretch(r, 2);
    ++r;
    m_origin = new QLabel(m_entry);
    m_origin->setObjectName(QStringLiteral("Label1(18)"));
    QPalette op = m_origin->palette();
    op.setColor(QPalette::WindowText, QColor(192, 0, 0));
    m_origin->setPalette(op);
    form->addWidget(m_origin, r, 0, 1, 4);
    auto* actions = new QHBoxLayout;
    m_command13 = commandButton(QStringLiteral("Command13"), QStringLiteral("投诉作废"), m_entry);
    m_command4 = commandButton(QStringLiteral("Command4"), QStringLiteral("确定"), m_entry);
    actions->addStretch();
    actions->addWidget(m_command13);
    actions->addWidget(m_command4);
    form->addLayout(actions, r, 4, 1, 2);
    form->setColumnStretch(1, 1);
    form->setColumnStretch(4, 1);

    m_command10[0]->setEnabled(false);
    m_command10[1]->setEnabled(false);
    // The grid gets its layout (header centred, header row only, ID column hidden) here.
    m_attachmentPanel = new attachments::AttachmentPanel(
        m_attachments, m_command10[0], m_command10[1], [this] { return text1(5); },
        attachments::AttachmentConfig::reception(), this);

    connect(m_image2, &PressLabel::clicked, m_entry, &QWidget::hide);
    connect(m_command4, &QPushButton::clicked, this, &ReceptionWindow::confirmEntry);
    connect(m_command13, &QPushButton::clicked, this, &ReceptionWindow::voidComplaint);
    connect(m_command9, &QPushButton::clicked, this, &ReceptionWindow::openTimePanel);
    connect(m_command1, &QPushButton::clicked, this, &ReceptionWindow::toggleAddressPanel);
}

// ---------------------------------------------------------------- start and activation

void ReceptionWindow::showDbError(const desk::DbError& error) {
    Platform::showTrappedError(this, error.number, error.description);
}

void ReceptionWindow::startWindow() {
    reception::WaitCursor wait;
    const OperatorContext& op = Operator();
    m_panels[2]->setText(op.EmployeeName);
    m_panels[4]->setText(op.DepartmentName);
    m_panels[6]->setText(op.PositionName);

    bool connected = true;
    try {
        Connection::ReopenConnection();
        // A code-and-name item per row of the table, none of them chosen.
        auto fill = [](QComboBox* combo, const QString& table, const QString& nameColumn) {
            const desk::Recordset rs = Connection::SharedConnection().query(
                QStringLiteral("select * from ") + table + QStringLiteral(" order by 编号"));
            combo->clear();
            for (int i = 0; i < rs.size(); ++i)
                combo->addItem(
                    desk::itemText(rs.text(i, QStringLiteral("编号")), rs.text(i, nameColumn)));
            combo->setCurrentIndex(-1);
        };
        fill(m_combo4, QStringLiteral("投诉类别"), QStringLiteral("类别"));
        fill(m_combo5, QStringLiteral("投诉方式"), QStringLiteral("方式"));
    } catch (const desk::DbError& e) {
        connected = Connection::SharedConnection().isOpen();
        showDbError(e);
    }

    if (connected)
        LoadManagementOffices();

    const QDate today = Platform::now().date();
    for (QDateEdit* picker : m_dtPicker1) {
        picker->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        picker->setDate(today);
    }
    m_panels[7]->clear();

    if (connected) {
        try {
            const desk::Recordset staff = Connection::SharedConnection().query(
                QStringLiteral(
                    "SELECT 岗位信息new.职能部门代号, 员工档案.姓名, 岗位信息new.岗位代号") +
                QStringLiteral(" FROM 岗位信息new INNER JOIN 员工档案 ON 岗位信息new.工号 = "
                               "员工档案.工号") +
                QStringLiteral(" WHERE (岗位信息new.职能部门代号 = N'") +
                desk::sqlText(op.DepartmentCode) + QStringLiteral("')") +
                QStringLiteral(" ORDER BY 岗位信息new.岗位代号"));
            for (int i = 0; i < staff.size(); ++i)
                m_combo2->addItem(staff.text(i, QStringLiteral("姓名")));
        } catch (const desk::DbError& e) {
            showDbError(e);
        }
    }
    m_combo2->setCurrentIndex(-1);
    for (int i = 0; i < m_combo2->count(); ++i) {
        if (m_combo2->itemText(i).trimmed() == op.EmployeeName.trimmed()) {
            m_combo2->setCurrentIndex(i);
            break;
        }
    }
    if (auto* locate = findChild<QLineEdit*>(QStringLiteral("Text2")))
        locate->clear();
    InitSearchLists();
    m_started = true;
}

void ReceptionWindow::activate() {
    if (m_activating)
        return;
    m_activating = true;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        if (!sub->isMaximized())
            sub->showMaximized();
    }
    RefreshComplaintList();
    m_activating = false;
}

void ReceptionWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_hookedToArea)
        return;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        m_hookedToArea = true;
        connect(sub, &QMdiSubWindow::windowStateChanged, this,
                [this](Qt::WindowStates before, Qt::WindowStates now) {
                    if ((now & Qt::WindowActive) && !(before & Qt::WindowActive))
                        QMetaObject::invokeMethod(this, &ReceptionWindow::activate,
                                                  Qt::QueuedConnection);
                });
        if (sub->isActiveWindow() || (sub->windowState() & Qt::WindowActive))
            QMetaObject::invokeMethod(this, &ReceptionWindow::activate, Qt::QueuedConnection);
    }
}

bool ReceptionWindow::event(QEvent* event) {
    // A window of its own (not inside the main window's frame) activates like a child does.
    if (event->type() == QEvent::WindowActivate && isWindow())
        QMetaObject::invokeMethod(this, &ReceptionWindow::activate, Qt::QueuedConnection);
    return QWidget::event(event);
}

void ReceptionWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeBars();
}

bool ReceptionWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_commandBar && event->type() == QEvent::Resize)
        commandBarResized();
    return QWidget::eventFilter(watched, event);
}

void ReceptionWindow::placeBars() {
    const int statusHeight = m_statusBar->sizeHint().height();
    m_statusBar->setGeometry(0, height() - statusHeight, width(), statusHeight);
    const int line = qMax(m_newButton->sizeHint().height(), m_listCommands->sizeHint().height());
    const int gap = twipsToPixelsY(60, this);
    const int barHeight = 2 * line + 3 * gap;
    const QRect bar(0, m_statusBar->y() - barHeight, width(), barHeight);
    if (m_commandBar->geometry() == bar)
        commandBarResized(); // the window moved the bar's neighbours only
    else
        m_commandBar->setGeometry(bar);
}

void ReceptionWindow::commandBarResized() {
    // Every step on its own: a window too small for one of them still gets the others.
    const int margin = twipsToPixelsX(60, this);
    m_list->move(margin, margin);
    m_list->resize(qMax(0, width() - m_list->x() - twipsToPixelsX(45, this)),
                   qMax(0, m_commandBar->y() - m_list->y()));
    layoutListColumns();
    placeEntryPanel();
    placeAddressPanelForResize();

    const int gap = twipsToPixelsY(60, this);
    const int line = qMax(m_newButton->sizeHint().height(), m_listCommands->sizeHint().height());
    const int barWidth = m_commandBar->width();
    // Too narrow a window cuts the line off at the right rather than squeezing it.
    m_listCommands->setGeometry(
        margin, gap, qMax(barWidth - 2 * margin, m_listCommands->sizeHint().width()), line);
    const int second = 2 * gap + line;
    m_exportButton->setGeometry(margin, second, m_exportButton->sizeHint().width(), line);
    const int exitWidth = m_exitButton->sizeHint().width();
    const int exitLeft =
        qMax(barWidth - twipsToPixelsX(300, this) - exitWidth, twipsToPixelsX(10890, this));
    m_exitButton->setGeometry(exitLeft, second, exitWidth, line);
    const int progressLeft = m_exportButton->geometry().right() + 1 + twipsToPixelsX(100, this);
    m_progress->setGeometry(progressLeft, second, qMax(0, barWidth - 2 * progressLeft), line);
    m_legend->setGeometry(progressLeft, second, qMax(0, exitLeft - progressLeft - margin), line);
}

void ReceptionWindow::layoutListColumns() {
    int others = 0;
    for (int c = 0; c <= ColView; ++c)
        if (c != ColContent)
            others += m_list->colWidth(c);
    const int wide = controls::pixelsToTwipsX(m_list->width(), this) - others - 300;
    m_list->setColWidth(ColContent, wide > 1600 ? wide : 1600);
}

void ReceptionWindow::placeEntryPanel() {
    const int left = int((width() - m_entry->width()) / 2.5);
    const int top = int((m_commandBar->y() - m_entry->height()) / 2.5);
    m_entry->move(qMax(0, left), qMax(0, top));
}

void ReceptionWindow::exitWindow() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}

// ---------------------------------------------------------------- the entry panel

QString ReceptionWindow::text1(int index) const {
    return index == 4 ? m_content->toPlainText() : m_text1[index]->text();
}

void ReceptionWindow::setText1(int index, const QString& text) {
    if (index == 4)
        m_content->setPlainText(text);
    else
        m_text1[index]->setText(text);
}

void ReceptionWindow::newComplaint() {
    for (int i = 0; i < 7; ++i)
        setText1(i, QString());
    setText1(0, reception::minuteText(Platform::now()));
    setText1(5, QStringLiteral("<保存时自动生成>"));
    m_origin->clear();
    m_command10[0]->setEnabled(false);
    m_command10[1]->setEnabled(false);
    m_command4->setEnabled(true);
    m_command13->setEnabled(true);
    m_attachments->setRows(1);
    // A new complaint stands for no occupant until one is picked for it.
    m_ownerId.clear();
    m_entry->showInFront();
    m_entryMode = QStringLiteral("New");
    m_entry->setProperty("Tag", m_entryMode);
    m_text1[1]->setFocus();
}

void ReceptionWindow::OpenComplaintInPanel() {
    const int r = m_list->row();
    if (m_list->rows() <= 1 || r < 1)
        return;
    auto cell = [&](int col) { return m_list->textMatrix(r, col); };
    m_origin->clear();
    setText1(0, cell(ColTime));
    setText1(1, cell(ColComplainant));
    setText1(2, cell(ColAddress));
    setText1(3, cell(ColPhone));
    setText1(4, cell(ColContent));
    setText1(5, cell(ColNumber));
    setText1(6, cell(ColOffice));
    // The complainant stands for the occupant stored with the complaint.
    m_ownerId = cell(ColOwner);

    const QString office = cell(ColOffice);
    if (!office.isEmpty()) {
        const int at = m_combo3->findText(office, Qt::MatchExactly);
        if (at >= 0)
            m_combo3->setCurrentIndex(at);
    }
    auto selectByName = [](QComboBox* combo, const QString& name) {
        if (name.isEmpty())
            return;
        for (int i = 0; i < combo->count(); ++i) {
            if (reception::itemName(combo->itemText(i)) == name) {
                combo->setCurrentIndex(i);
                return;
            }
        }
    };
    selectByName(m_combo4, cell(ColCategory));
    selectByName(m_combo5, cell(ColChannel));
    m_combo2->setCurrentText(cell(ColReceiver));

    const bool open = cell(ColStatus) == desk::statusNotAccepted();
    m_command4->setEnabled(open);
    m_command13->setEnabled(open);
    m_command10[0]->setEnabled(open);
    m_command10[1]->setEnabled(open);

    const QString note = reception::originNote(cell(ColWechat), cell(ColApp));
    if (!note.isEmpty())
        m_origin->setText(note);

    placeEntryPanel();
    资料列表();
    m_command10[1]->setEnabled(false);
    m_entry->showInFront();
    m_entryMode.clear();
    m_entry->setProperty("Tag", m_entryMode);
}

void ReceptionWindow::confirmEntry() {
    if (m_entryMode != QLatin1String("New")) {
        UpdateData();
        return;
    }
    if (SaveData()) {
        m_entryMode.clear();
        m_entry->setProperty("Tag", m_entryMode);
    }
}
