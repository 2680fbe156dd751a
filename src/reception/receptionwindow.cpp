#include "receptionwindow.h"

#include "controls/flexgrid.h"
#include "controls/twips.h"
#include "data/connection.h"
#include "data/status.h"
#include "panelwidgets.h"
#include "receptionrules.h"
#include "shell/operator.h"
#include "shell/platform.h"

#include <QApplication>
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
using reception::FloatingPanel;
using reception::PressLabel;

namespace {

const QString ListLayout = QStringLiteral(
    "<序   |<编号                |<投诉类别        |<投诉方式      |<投诉时间                "
    "|<投诉人  |<地址                                         |<联系电话          "
    "|<投诉内容            |<对应项目                    |<接待    |<处理状态           "
    "|<处理结果|<处理时间                |^查看||||");
const QString AttachmentLayout = QStringLiteral("<序|<文件名|^浏览|");

// Grid columns of the list.
enum ListColumn {
    ColNo = 0,
    ColNumber = 1,
    ColCategory = 2,
    ColChannel = 3,
    ColTime = 4,
    ColComplainant = 5,
    ColAddress = 6,
    ColPhone = 7,
    ColContent = 8,
    ColOffice = 9,
    ColReceiver = 10,
    ColStatus = 11,
    ColResult = 12,
    ColReplyTime = 13,
    ColView = 14,
    ColOwner = 15,
    ColWechat = 16,
    ColApp = 17,
    ColId = 18
};

QLabel* fieldLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QPushButton* button(const QString& objectName, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(objectName);
    b->setAutoDefault(false);
    return b;
}

// A panel's title strip: caption on the left, close icon on the right.
QWidget* titleStrip(const QString& caption, PressLabel* closeIcon, QWidget* parent) {
    auto* strip = new QWidget(parent);
    strip->setAutoFillBackground(true);
    QPalette pal = strip->palette();
    pal.setColor(QPalette::Window, QColor(214, 226, 242));
    strip->setPalette(pal);
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(8, 3, 4, 3);
    auto* title = new QLabel(caption, strip);
    QFont f = title->font();
    f.setBold(true);
    title->setFont(f);
    row->addWidget(title);
    row->addStretch();
    closeIcon->setParent(strip);
    row->addWidget(closeIcon);
    return strip;
}

} // namespace

ReceptionWindow::ReceptionWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frm投诉接待"));
    setWindowTitle(QStringLiteral("投诉接待"));
    buildWindow();
    buildEntryPanel();
    buildTimePanel();
    buildAddressPanel();
    startWindow();
}

ReceptionWindow::~ReceptionWindow() = default;

// ---------------------------------------------------------------- building the window

void ReceptionWindow::buildWindow() {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 0);
    outer->setSpacing(4);

    // commands above the list
    m_topBar = new QWidget(this);
    auto* top = new QHBoxLayout(m_topBar);
    top->setContentsMargins(0, 0, 0, 0);
    m_newButton = button(QStringLiteral("Command3"), QStringLiteral("新投诉"), m_topBar);
    auto* refresh = button(QStringLiteral("Command2"), QStringLiteral("刷新"), m_topBar);
    auto* filter = button(QStringLiteral("Command12"), QStringLiteral("筛选条件"), m_topBar);
    top->addWidget(m_newButton);
    top->addWidget(refresh);
    top->addWidget(filter);
    top->addSpacing(16);
    top->addWidget(new QLabel(QStringLiteral("投诉人定位"), m_topBar));
    auto* locateText = new QLineEdit(m_topBar);
    locateText->setObjectName(QStringLiteral("Text2"));
    locateText->setFixedWidth(twipsToPixelsX(1500));
    top->addWidget(locateText);
    auto* locate = button(QStringLiteral("Command11"), QStringLiteral("定位"), m_topBar);
    locate->setProperty("Tag", QStringLiteral("0"));
    top->addWidget(locate);
    top->addSpacing(16);
    m_option1[0] = new QRadioButton(QStringLiteral("默认（当月投诉信息）"), m_topBar);
    m_option1[0]->setObjectName(QStringLiteral("Option1(0)"));
    m_option1[1] = new QRadioButton(QStringLiteral("指定日期范围"), m_topBar);
    m_option1[1]->setObjectName(QStringLiteral("Option1(1)"));
    m_option1[0]->setChecked(true);
    top->addWidget(m_option1[0]);
    top->addWidget(m_option1[1]);
    for (int i = 0; i < 2; ++i) {
        m_dtPicker1[i] = new QDateEdit(m_topBar);
        m_dtPicker1[i]->setObjectName(QStringLiteral("DTPicker1(%1)").arg(i));
        m_dtPicker1[i]->setCalendarPopup(true);
        m_dtPicker1[i]->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        if (i == 1)
            top->addWidget(new QLabel(QStringLiteral("至"), m_topBar));
        top->addWidget(m_dtPicker1[i]);
    }
    top->addStretch();
    outer->addWidget(m_topBar);

    m_list = new controls::FlexGrid(this);
    m_list->setObjectName(QStringLiteral("MSFlexGrid1"));
    m_list->setFormatString(ListLayout);
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
    outer->addWidget(m_list, 1);

    // the command bar below the list
    m_commandBar = new QWidget(this);
    m_commandBar->setObjectName(QStringLiteral("Picture2"));
    auto* bar = new QVBoxLayout(m_commandBar);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->setSpacing(3);
    auto* legendRow = new QHBoxLayout;
    auto* swatch = new QLabel(m_commandBar);
    swatch->setFixedSize(28, 14);
    swatch->setAutoFillBackground(true);
    QPalette sp = swatch->palette();
    sp.setColor(QPalette::Window, reception::unfinishedColour());
    swatch->setPalette(sp);
    swatch->setFrameShape(QFrame::Box);
    legendRow->addWidget(swatch);
    legendRow->addWidget(
        new QLabel(QStringLiteral("表中这个底色的投诉是尚未处理完成的投诉"), m_commandBar));
    legendRow->addStretch();
    bar->addLayout(legendRow);
    auto* commands = new QHBoxLayout;
    auto* exportButton =
        button(QStringLiteral("Command20"), QStringLiteral("导出Excel"), m_commandBar);
    commands->addWidget(exportButton);
    m_progress = new QProgressBar(m_commandBar);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->hide();
    commands->addWidget(m_progress, 1);
    commands->addStretch();
    m_exitButton = button(QStringLiteral("Command5"), QStringLiteral("退出"), m_commandBar);
    commands->addWidget(m_exitButton);
    bar->addLayout(commands);
    outer->addWidget(m_commandBar);

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
    outer->addWidget(m_statusBar);

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
    connect(refresh, &QPushButton::clicked, this, &ReceptionWindow::RefreshComplaintList);
    connect(m_exitButton, &QPushButton::clicked, this, &ReceptionWindow::exitWindow);
    connect(m_list, &controls::FlexGrid::gridClick, this, &ReceptionWindow::clickList);
    connect(m_list, &controls::FlexGrid::gridDoubleClick, this, [this](int row, int) {
        if (row >= 1)
            m_list->setRow(row);
        OpenComplaintInPanel();
    });
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

    m_command9 = button(QStringLiteral("Command9"), QStringLiteral("选择"), m_entry);
    m_command9->setToolTip(QStringLiteral("选择投诉日期及时间"));
    m_command1 = button(QStringLiteral("Command1"), QStringLiteral("业户"), m_entry);
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
    m_attachments->setFormatString(AttachmentLayout);
    m_attachments->setHeaderAlignment(Qt::AlignCenter);
    m_attachments->setRows(1);
    m_attachments->setColWidth(m_attachments->cols() - 1, 0);
    m_attachments->setColWidth(1, 4200);
    form->addWidget(m_attachments, r, 1, 1, 4);
    auto* fileButtons = new QVBoxLayout;
    m_command10[0] = button(QStringLiteral("Command10(0)"), QStringLiteral("添加资料"), m_entry);
    m_command10[1] = button(QStringLiteral("Command10(1)"), QStringLiteral("删除资料"), m_entry);
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
    m_command13 = button(QStringLiteral("Command13"), QStringLiteral("投诉作废"), m_entry);
    m_command4 = button(QStringLiteral("Command4"), QStringLiteral("确定"), m_entry);
    actions->addStretch();
    actions->addWidget(m_command13);
    actions->addWidget(m_command4);
    form->addLayout(actions, r, 4, 1, 2);
    form->setColumnStretch(1, 1);
    form->setColumnStretch(4, 1);

    m_command10[0]->setEnabled(false);
    m_command10[1]->setEnabled(false);

    connect(m_image2, &PressLabel::clicked, m_entry, &QWidget::hide);
    connect(m_command4, &QPushButton::clicked, this, &ReceptionWindow::confirmEntry);
    connect(m_command9, &QPushButton::clicked, this, &ReceptionWindow::openTimePanel);
    connect(m_command1, &QPushButton::clicked, this, &ReceptionWindow::toggleAddressPanel);
}

// ---------------------------------------------------------------- start and activation

namespace {
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};
} // namespace

void ReceptionWindow::showDbError(const desk::DbError& error) {
    Platform::message(this,
                      QStringLiteral("错误号：") + QString::number(error.number) +
                          QLatin1Char('\n') + QStringLiteral("错误描述：") + error.description,
                      QStringLiteral("提示"), Platform::Icon::Information);
}

void ReceptionWindow::startWindow() {
    WaitCursor wait;
    const OperatorContext& op = Operator();
    m_panels[2]->setText(op.EmployeeName);
    m_panels[4]->setText(op.DepartmentName);
    m_panels[6]->setText(op.PositionName);

    bool connected = true;
    try {
        Connection::ReopenConnection();
        desk::SqlConnection& db = Connection::SharedConnection();
        const desk::Recordset categories =
            db.query(QStringLiteral("select * from 投诉类别 order by 编号"));
        m_combo4->clear();
        for (int i = 0; i < categories.size(); ++i)
            m_combo4->addItem(categories.text(i, QStringLiteral("编号")) + QLatin1Char(' ') +
                              categories.text(i, QStringLiteral("类别")));
        m_combo4->setCurrentIndex(-1);
        const desk::Recordset channels =
            db.query(QStringLiteral("select * from 投诉方式 order by 编号"));
        m_combo5->clear();
        for (int i = 0; i < channels.size(); ++i)
            m_combo5->addItem(channels.text(i, QStringLiteral("编号")) + QLatin1Char(' ') +
                              channels.text(i, QStringLiteral("方式")));
        m_combo5->setCurrentIndex(-1);
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
    layoutListColumns();
    placeEntryPanel();
    placeAddressPanelForResize();
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

QString ReceptionWindow::searchConditions() const {
    // The search panel narrows the list here; nothing while it is not in use.
    return QString();
}

void ReceptionWindow::InitSearchLists() {
    // The search panel's category and channel lists are filled by the search routines.
}

void ReceptionWindow::资料列表() {
    // The complainant's material of the complaint shown; the attachment routines fill it.
    m_attachments->setRows(1);
}

void ReceptionWindow::RefreshComplaintList() {
    m_entry->hide();
    const QString sql =
        QStringLiteral(
            "SELECT ID, 投诉编号, 投诉类别 , 投诉方式 ,投诉时间, 投诉人, 地址, 联系电话, "
            "投诉内容, 接待人, 处理状态, 处理结果, 处理时间, 管理处代号, 结果满意度, ") +
        QStringLiteral(" 微信号, AppID,ZH_ID") + QStringLiteral(" From 投诉信息") +
        QStringLiteral(" WHERE 部门编号 = '") + desk::sqlText(Operator().DepartmentCode) +
        QStringLiteral("' AND 撤销时间 Is Null") + dateRangeCondition(QStringLiteral("投诉时间")) +
        searchConditions() + QStringLiteral(" ORDER BY 投诉编号");
    desk::Recordset rs;
    try {
        rs = Connection::SharedConnection().query(sql);
    } catch (const desk::DbError& e) {
        showDbError(e);
        return;
    }

    m_list->setRedraw(false);
    m_list->setWordWrap(true);
    m_list->setRows(1);
    const int contentWidth = m_list->colWidth(ColContent);
    const int statusWidth = m_list->colWidth(ColStatus);
    for (int i = 0; i < rs.size(); ++i) {
        const int r = m_list->addRow();
        auto cell = [&](int col, const QString& text) { m_list->setTextMatrix(r, col, text); };
        auto field = [&](const char* name) { return rs.text(i, QString::fromUtf8(name)); };
        const QString replyTime = field("处理时间");
        cell(ColNo, QString::number(r));
        cell(ColNumber, field("投诉编号"));
        cell(ColCategory, field("投诉类别"));
        cell(ColChannel, field("投诉方式"));
        cell(ColTime, reception::listTimeText(field("投诉时间")));
        cell(ColComplainant, field("投诉人"));
        cell(ColAddress, field("地址"));
        cell(ColPhone, field("联系电话"));
        const QString content = reception::listContent(field("投诉内容"));
        cell(ColContent, content);
        int height = reception::listRowHeight(m_list->textWidth(content), contentWidth);
        const QString office = field("管理处代号");
        cell(ColOffice, office.isEmpty() ? QString() : 对应管理处(office));
        cell(ColReceiver, field("接待人"));
        const QString status = field("处理状态");
        cell(ColStatus, status);
        const int statusHeight = reception::listRowHeight(m_list->textWidth(status), statusWidth);
        if (statusHeight > 0)
            height = statusHeight;
        if (height > 0)
            m_list->setRowHeight(r, height);
        if (!replyTime.isEmpty()) {
            const bool satisfied = rs.value(i, QStringLiteral("结果满意度")).toInt() != 0;
            cell(ColResult, satisfied ? QStringLiteral("满意") : QStringLiteral("不满意"));
        }
        cell(ColReplyTime, reception::listTimeText(replyTime));
        cell(ColView, QStringLiteral("查看"));
        cell(ColOwner, field("ZH_ID"));
        cell(ColWechat, field("微信号"));
        cell(ColApp, field("AppID"));
        cell(ColId, field("ID"));
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
