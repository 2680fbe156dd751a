// The address panel (Picture3): the complainant picked from the buildings, rooms and
// occupants of a management office.

#include "receptionwindow.h"

#include "controls/twips.h"
#include "data/connection.h"
#include "data/status.h"
#include "panelwidgets.h"
#include "receptionrules.h"
#include "shell/operator.h"
#include "shell/platform.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

using controls::twipsToPixelsX;
using controls::twipsToPixelsY;
using reception::FloatingPanel;
using reception::PressLabel;
using reception::WaitCursor;

namespace {

constexpr int KeyRole = Qt::UserRole;

// The full address of a building from its eight parts, nulls taken as empty; the rooms'
// statement appends the room and its unit word the same way.
const QString BuildingAddress =
    QStringLiteral("select (case when [地址1] is not null then [地址1] else '' end) +"
                   " (case when [字1] is not null then [字1] else '' end) +"
                   " (case when [地址2] is not null then [地址2] else '' end) +"
                   " (case when [字2] is not null then [字2] else '' end) +"
                   " (case when [地址3] is not null then [地址3] else '' end) +"
                   " (case when [字3] is not null then [字3] else '' end) +"
                   " (case when [地址4] is not null then [地址4] else '' end) +"
                   " (case when [字4] is not null then [字4] else '' end)");

} // namespace

void ReceptionWindow::buildAddressPanel() {
    m_addressPanel = new FloatingPanel(this);
    m_addressPanel->setObjectName(QStringLiteral("Picture3"));
    m_addressPanel->resize(twipsToPixelsX(5400), twipsToPixelsY(6600));

    auto* outer = new QVBoxLayout(m_addressPanel);
    outer->setContentsMargins(1, 1, 1, 8);
    outer->setSpacing(4);
    m_image1 = PressLabel::closeIcon(m_addressPanel, QStringLiteral("Image1"));

    QWidget* strip = reception::titleStrip(QStringLiteral("选择业户"), m_image1, m_addressPanel);
    outer->addWidget(strip);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(10, 0, 10, 0);
    body->setSpacing(4);
    body->addWidget(new QLabel(QStringLiteral("管理项目"), m_addressPanel));
    m_combo3 = new QComboBox(m_addressPanel);
    m_combo3->setObjectName(QStringLiteral("Combo3"));
    body->addWidget(m_combo3);
    body->addWidget(new QLabel(QStringLiteral("业户列表"), m_addressPanel));
    m_tree = new QTreeWidget(m_addressPanel);
    m_tree->setObjectName(QStringLiteral("TreeView1"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setRootIsDecorated(true);
    body->addWidget(m_tree, 1);
    outer->addLayout(body, 1);

    connect(m_image1, &PressLabel::clicked, m_addressPanel, &QWidget::hide);
    connect(m_combo3, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0)
            return;
        WaitCursor wait;
        LoadBuildingTree();
    });
    connect(m_tree, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* node, int) { clickNode(node); });
}

void ReceptionWindow::toggleAddressPanel() {
    if (m_addressPanel->isVisible()) {
        m_addressPanel->hide();
        return;
    }
    m_addressPanel->move(m_entry->x() + twipsToPixelsX(540, this),
                         m_entry->y() + twipsToPixelsY(60, this));
    m_addressPanel->showInFront();
}

void ReceptionWindow::placeAddressPanelForResize() {
    const int left = m_entry->x() + twipsToPixelsX(1200, this);
    const int top = m_entry->y() - twipsToPixelsY(480, this);
    m_addressPanel->move(qMax(0, left), qMax(0, top));
}

bool ReceptionWindow::接待专项() {
    const OperatorContext& op = Operator();
    const desk::Recordset rights = Connection::SharedConnection().query(
        QStringLiteral("SELECT ID, 类型, 部门代号, 岗位代号") +
        QStringLiteral(" From 专项审核权限表") + QStringLiteral(" WHERE (部门代号 = N'") +
        desk::sqlText(op.DepartmentCode) + QStringLiteral("') AND (岗位代号 = N'") +
        desk::sqlText(op.PositionCode) + QStringLiteral("') AND (类型 = N'投诉处理')"));
    return !rights.isEmpty();
}

QString ReceptionWindow::对应管理处(const QString& code) const {
    for (int i = 0; i < m_combo3->count(); ++i) {
        const QString item = m_combo3->itemText(i);
        QString itemCode;
        if (reception::itemCode(item, &itemCode) && itemCode == code)
            return item;
    }
    return QString();
}

void ReceptionWindow::LoadManagementOffices() {
    try {
        const QString sql =
            接待专项() ? QStringLiteral("SELECT * ") + QStringLiteral(" FROM 设置管理处 ") +
                             QStringLiteral(" ORDER BY GYD_dh")
                       : QStringLiteral("SELECT * ") +
                             QStringLiteral(" FROM 设置管理处 WHERE 对应部门代号 ='") +
                             desk::sqlText(Operator().DepartmentCode) + QStringLiteral("'") +
                             QStringLiteral(" ORDER BY GYD_dh");
        const desk::Recordset offices = Connection::SharedConnection().query(sql);
        {
            const QSignalBlocker quiet(m_combo3);
            m_combo3->clear();
            for (int i = 0; i < offices.size(); ++i)
                m_combo3->addItem(desk::itemText(offices.text(i, QStringLiteral("GYD_DH")),
                                                 offices.text(i, QStringLiteral("GYD_Name"))));
            m_combo3->setCurrentIndex(m_combo3->count() > 0 ? 0 : -1);
        }
        if (m_combo3->count() > 0)
            LoadBuildingTree();
    } catch (const desk::DbError& e) {
        showDbError(e);
    }
}

void ReceptionWindow::LoadBuildingTree() {
    if (m_combo3->currentIndex() < 0)
        return;
    QString office;
    if (!reception::itemCode(m_combo3->currentText(), &office)) {
        Platform::message(this,
                          QStringLiteral("管理项目“") + m_combo3->currentText() +
                              QStringLiteral("”没有代号，无法列出它的楼宇。"),
                          QStringLiteral("提示"), Platform::Icon::Information);
        return;
    }
    try {
        const desk::Recordset buildings = Connection::SharedConnection().query(
            BuildingAddress + QStringLiteral(" as DZ,L_ID") +
            QStringLiteral(" FROM 楼表 where  管理处='") + desk::sqlText(office) +
            QStringLiteral("'") +
            QStringLiteral("ORDER BY len(地址1),地址1,len(地址2),地址2,len(地址3),地址3,len(地址4),"
                           "地址4"));
        m_tree->clear();
        const QIcon icon = style()->standardIcon(QStyle::SP_DirIcon);
        for (int i = 0; i < buildings.size(); ++i) {
            auto* node = new QTreeWidgetItem(m_tree);
            node->setText(0, buildings.text(i, QStringLiteral("DZ")));
            node->setData(0, KeyRole,
                          QStringLiteral("$") + buildings.text(i, QStringLiteral("L_ID")));
            node->setIcon(0, icon);
        }
    } catch (const desk::DbError& e) {
        showDbError(e);
    }
}

void ReceptionWindow::clickNode(QTreeWidgetItem* node) {
    if (m_tree->topLevelItemCount() == 0 || !node)
        return;
    const QString key = node->data(0, KeyRole).toString();
    try {
        if (key.startsWith(QLatin1Char('$'))) {
            if (node->childCount() == 0) {
                m_tree->setEnabled(false);
                WaitCursor wait;
                const desk::Recordset rooms = Connection::SharedConnection().query(
                    QStringLiteral(
                        "select 室表.*,业主表.姓名,业主表.ZH_ID from 室表 Left join 业主表 "
                        "on 室表.S_ID = 业主表.S_ID") +
                    QStringLiteral(" where 业主表.说明 = '新进户'  and 室表.L_ID =") +
                    desk::sqlNumber(key.mid(1)) + QStringLiteral(" Order By Len(室),室"));
                const QIcon icon = style()->standardIcon(QStyle::SP_FileIcon);
                for (int i = 0; i < rooms.size(); ++i) {
                    const QString room = rooms.isNull(i, QStringLiteral("室"))
                                             ? QString()
                                             : rooms.text(i, QStringLiteral("室")) +
                                                   rooms.text(i, QStringLiteral("字"));
                    auto* child = new QTreeWidgetItem(node);
                    child->setText(0,
                                   room + QLatin1Char(' ') + rooms.text(i, QStringLiteral("姓名")));
                    child->setData(0, KeyRole,
                                   QStringLiteral("@") + rooms.text(i, QStringLiteral("S_ID")) +
                                       QLatin1Char(' ') + rooms.text(i, QStringLiteral("ZH_ID")));
                    child->setIcon(0, icon);
                }
                node->setExpanded(true);
                m_tree->setEnabled(true);
            }
        } else if (key.startsWith(QLatin1Char('@'))) {
            const QString identity = reception::itemName(key.mid(1));
            if (!key.contains(QLatin1Char(' ')) || !reception::isIdentity(identity)) {
                Platform::message(this,
                                  QStringLiteral("“") + node->text(0) +
                                      QStringLiteral("”没有有效的业户编号，不能选用。"),
                                  QStringLiteral("提示"), Platform::Icon::Information);
            } else {
                const desk::Recordset occupant = Connection::SharedConnection().query(
                    BuildingAddress +
                    QStringLiteral(
                        " + (case when [室] is not null then [室] else '' end) +"
                        " (case when [字] is not null then [字] else '' end) as 业户地址,"
                        "楼表.L_ID,室表.S_ID,业主表.ZH_ID,") +
                    QStringLiteral(" 业主表.姓名 as 业户名称,FWXZK.FWXZ_xz as 房屋性质,"
                                   "业主表.联系方式 as 联系电话") +
                    QStringLiteral(" FROM 楼表 inner join 室表 on 楼表.L_ID = 室表.L_ID") +
                    QStringLiteral(" inner join 业主表 on 业主表.S_ID = 室表.S_ID") +
                    QStringLiteral(" inner join FWXZK on 室表.房屋性质 = FWXZK.FWXZ_dh") +
                    QStringLiteral(" Where 业主表.Zh_id = ") + identity);
                if (!occupant.isEmpty()) {
                    m_ownerId = occupant.text(0, QStringLiteral("ZH_ID"));
                    setText1(1, occupant.text(0, QStringLiteral("业户名称")));
                    setText1(2, occupant.text(0, QStringLiteral("业户地址")));
                    setText1(3, occupant.text(0, QStringLiteral("联系电话")));
                    setText1(6, m_combo3->currentText());
                    m_addressPanel->hide();
                    m_content->setFocus();
                }
            }
        }
        m_panels[7]->clear();
    } catch (const desk::DbError& e) {
        m_tree->setEnabled(true);
        showDbError(e);
    }
}
