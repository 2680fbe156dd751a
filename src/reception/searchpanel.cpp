// The search panel (Picture5): the fields that narrow the list, the category and channel
// drop-downs with several choices each, and the conditions they add to the list statement.

#include "receptionwindow.h"

#include "controls/twips.h"
#include "data/connection.h"
#include "panelwidgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using controls::twipsToPixelsX;
using controls::twipsToPixelsY;
using reception::commandButton;
using reception::fieldLabel;
using reception::FloatingPanel;
using reception::PressLabel;

namespace {

const QString All = QStringLiteral("全部");

// The text with its trailing blanks removed; leading blanks stay.
QString withoutTrailingBlanks(const QString& text) {
    int end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.left(end);
}

} // namespace

FloatingPanel* ReceptionWindow::buildDropDown(const QString& objectName, QListWidget** list,
                                              const QString& listName, const QString& okName,
                                              QPushButton** ok) {
    auto* drop = new FloatingPanel(m_searchPanel);
    drop->setObjectName(objectName);
    auto* box = new QVBoxLayout(drop);
    box->setContentsMargins(3, 3, 3, 3);
    box->setSpacing(3);
    *list = new QListWidget(drop);
    (*list)->setObjectName(listName);
    (*list)->setSelectionMode(QAbstractItemView::MultiSelection);
    box->addWidget(*list, 1);
    auto* row = new QHBoxLayout;
    row->addStretch();
    *ok = commandButton(okName, QStringLiteral("确定"), drop);
    row->addWidget(*ok);
    box->addLayout(row);
    drop->resize(twipsToPixelsX(2600, this), twipsToPixelsY(3000, this));
    QListWidget* l = *list;
    connect(l, &QListWidget::itemClicked, this,
            [this, l](QListWidgetItem* item) { clickFilterItem(l, item); });
    return drop;
}

void ReceptionWindow::buildSearchPanel() {
    m_searchPanel = new FloatingPanel(this);
    m_searchPanel->setObjectName(QStringLiteral("Picture5"));
    m_searchPanel->setDraggable(true);
    auto* outer = new QVBoxLayout(m_searchPanel);
    outer->setContentsMargins(1, 1, 1, 8);
    outer->setSpacing(6);
    m_image3 = PressLabel::closeIcon(m_searchPanel, QStringLiteral("Image3"));
    outer->addWidget(reception::titleStrip(QStringLiteral("筛选条件"), m_image3, m_searchPanel));

    auto* form = new QGridLayout;
    form->setContentsMargins(12, 4, 12, 0);
    form->setHorizontalSpacing(6);
    form->setVerticalSpacing(7);
    outer->addLayout(form);

    const char* const labels[] = {"投诉类别", "投诉方式", "投 诉 人", "联系电话",
                                  "投诉地址", "投诉内容", "接 待 人"};
    for (int i = 4; i <= 10; ++i) {
        m_searchText[i] = new QLineEdit(m_searchPanel);
        m_searchText[i]->setObjectName(QStringLiteral("Text%1").arg(i));
        form->addWidget(fieldLabel(QString::fromUtf8(labels[i - 4]), m_searchPanel), i - 4, 0);
        form->addWidget(m_searchText[i], i - 4, 1);
    }
    // The two lists are chosen in their drop-downs only.
    m_searchText[4]->setReadOnly(true);
    m_searchText[5]->setReadOnly(true);
    m_command14 = commandButton(QStringLiteral("Command14"), QStringLiteral("▼"), m_searchPanel);
    m_command16 = commandButton(QStringLiteral("Command16"), QStringLiteral("▼"), m_searchPanel);
    for (QPushButton* b : {m_command14, m_command16})
        b->setFixedWidth(b->sizeHint().height());
    m_command14->setToolTip(QStringLiteral("选择投诉类别"));
    m_command16->setToolTip(QStringLiteral("选择投诉方式"));
    form->addWidget(m_command14, 0, 2);
    form->addWidget(m_command16, 1, 2);

    m_combo1 = new QComboBox(m_searchPanel);
    m_combo1->setObjectName(QStringLiteral("Combo1"));
    m_combo6 = new QComboBox(m_searchPanel);
    m_combo6->setObjectName(QStringLiteral("Combo6"));
    form->addWidget(fieldLabel(QStringLiteral("处理状态"), m_searchPanel), 7, 0);
    form->addWidget(m_combo1, 7, 1);
    form->addWidget(fieldLabel(QStringLiteral("处理结果"), m_searchPanel), 8, 0);
    form->addWidget(m_combo6, 8, 1);
    form->setColumnStretch(1, 1);

    outer->addSpacing(6);
    auto* actions = new QHBoxLayout;
    actions->setContentsMargins(12, 0, 12, 0);
    actions->addStretch();
    auto* ok = commandButton(QStringLiteral("Command18"), QStringLiteral("确定"), m_searchPanel);
    auto* cancel =
        commandButton(QStringLiteral("Command19"), QStringLiteral("取消"), m_searchPanel);
    actions->addWidget(ok);
    actions->addWidget(cancel);
    outer->addLayout(actions);

    m_searchPanel->resize(twipsToPixelsX(5400, this), m_searchPanel->sizeHint().height());

    QPushButton* categoryOk = nullptr;
    QPushButton* channelOk = nullptr;
    m_categoryDrop = buildDropDown(QStringLiteral("Picture11"), &m_list1, QStringLiteral("List1"),
                                   QStringLiteral("Command15"), &categoryOk);
    m_channelDrop = buildDropDown(QStringLiteral("Picture6"), &m_list2, QStringLiteral("List2"),
                                  QStringLiteral("Command17"), &channelOk);

    connect(ok, &QPushButton::clicked, this, &ReceptionWindow::confirmSearch);
    connect(cancel, &QPushButton::clicked, m_searchPanel, &QWidget::hide);
    connect(m_image3, &PressLabel::clicked, this, [this] {
        m_searchPanel->hide();
        m_categoryDrop->hide();
        m_channelDrop->hide();
    });
    connect(m_command14, &QPushButton::clicked, this, &ReceptionWindow::toggleCategoryDrop);
    connect(m_command16, &QPushButton::clicked, this, &ReceptionWindow::toggleChannelDrop);
    connect(categoryOk, &QPushButton::clicked, this, &ReceptionWindow::confirmCategoryDrop);
    connect(channelOk, &QPushButton::clicked, this, &ReceptionWindow::confirmChannelDrop);
}

void ReceptionWindow::InitSearchLists() {
    auto fill = [this](QListWidget* list, QLineEdit* field, const QString& table,
                       const QString& nameColumn) {
        list->clear();
        list->addItem(All);
        try {
            const desk::Recordset rs = Connection::SharedConnection().query(
                QStringLiteral("select *") + QStringLiteral(" From ") + table +
                QStringLiteral(" order by len(编号),编号,") + nameColumn);
            for (int i = 0; i < rs.size(); ++i)
                list->addItem(rs.text(i, nameColumn));
        } catch (const desk::DbError& e) {
            showDbError(e);
        }
        list->clearSelection();
        list->item(0)->setSelected(true);
        field->setText(All);
    };
    fill(m_list1, m_searchText[4], QStringLiteral("投诉类别"), QStringLiteral("类别"));
    fill(m_list2, m_searchText[5], QStringLiteral("投诉方式"), QStringLiteral("方式"));
    m_categoryFilterList.clear();
    m_channelFilterList.clear();

    m_combo1->clear();
    m_combo1->addItems({All, QStringLiteral("尚未受理"), QStringLiteral("已受理"),
                        QStringLiteral("等待处理"), QStringLiteral("处理完成")});
    m_combo1->setCurrentIndex(0);
    m_combo6->clear();
    m_combo6->addItems({All, QStringLiteral("满意"), QStringLiteral("不满意")});
    m_combo6->setCurrentIndex(0);
}

void ReceptionWindow::openSearchPanel() {
    m_searchPanel->move(qMax(0, (width() - m_searchPanel->width()) / 2),
                        qMax(0, (height() - m_searchPanel->height()) / 2));
    m_searchPanel->showInFront();
}

void ReceptionWindow::confirmSearch() {
    RefreshComplaintList();
    m_searchPanel->hide();
}

void ReceptionWindow::toggleDropDown(QWidget* drop, QLineEdit* field) {
    if (drop->isVisible()) {
        drop->hide();
        return;
    }
    if (QLayout* layout = m_searchPanel->layout())
        layout->activate();
    // Right below the field, right edges in line.
    const QPoint fieldTopLeft = field->mapTo(m_searchPanel, QPoint(0, 0));
    drop->move(fieldTopLeft.x() + field->width() - drop->width(),
               fieldTopLeft.y() + field->height() + twipsToPixelsY(15, this));
    drop->show();
    drop->raise();
}

void ReceptionWindow::toggleCategoryDrop() {
    toggleDropDown(m_categoryDrop, m_searchText[4]);
}

void ReceptionWindow::toggleChannelDrop() {
    toggleDropDown(m_channelDrop, m_searchText[5]);
}

void ReceptionWindow::clickFilterItem(QListWidget* list, QListWidgetItem* item) {
    if (!item || list->count() == 0)
        return;
    if (list->row(item) == 0) {
        for (int i = 1; i < list->count(); ++i)
            list->item(i)->setSelected(false);
        list->item(0)->setSelected(true);
    } else {
        list->item(0)->setSelected(false);
    }
}

void ReceptionWindow::confirmDropDown(QWidget* drop, QListWidget* list, QLineEdit* field,
                                      QString* filterList) {
    drop->hide();
    field->clear();
    filterList->clear();
    QStringList names, quoted;
    const bool all = list->count() > 0 && list->item(0)->isSelected();
    if (!all) {
        for (int i = 1; i < list->count(); ++i) {
            if (!list->item(i)->isSelected())
                continue;
            names << list->item(i)->text();
            quoted << QLatin1Char('\'') + desk::sqlText(list->item(i)->text()) + QLatin1Char('\'');
        }
    }
    if (names.isEmpty()) {
        // Nothing chosen narrows nothing: the field says so, and so does the list.
        field->setText(All);
        if (list->count() > 0)
            list->item(0)->setSelected(true);
        return;
    }
    field->setText(names.join(QStringLiteral("，")));
    *filterList = quoted.join(QLatin1Char(','));
}

void ReceptionWindow::confirmCategoryDrop() {
    confirmDropDown(m_categoryDrop, m_list1, m_searchText[4], &m_categoryFilterList);
}

void ReceptionWindow::confirmChannelDrop() {
    confirmDropDown(m_channelDrop, m_list2, m_searchText[5], &m_channelFilterList);
}

QString ReceptionWindow::searchConditions() const {
    QString sql;
    // A field that shows a choice but has no list behind it narrows nothing: an empty In
    // list is no condition the database takes.
    if (m_searchText[4]->text() != All && !m_categoryFilterList.isEmpty())
        sql += QStringLiteral(" And 投诉类别 In (") + m_categoryFilterList + QLatin1Char(')');
    if (m_searchText[5]->text() != All && !m_channelFilterList.isEmpty())
        sql += QStringLiteral(" And 投诉方式 In (") + m_channelFilterList + QLatin1Char(')');

    const QPair<int, const char*> likes[] = {
        {6, " And 投诉人 Like '%"},   {7, " And 联系电话 Like '%"}, {8, " And 地址 Like '%"},
        {9, " And 投诉内容 Like '%"}, {10, " And 接待人 Like '%"},
    };
    for (const auto& [field, piece] : likes) {
        const QString text = withoutTrailingBlanks(m_searchText[field]->text());
        if (!text.isEmpty())
            sql += QString::fromUtf8(piece) + desk::sqlText(text) + QStringLiteral("%'");
    }

    const QString status = m_combo1->currentText();
    if (!status.isEmpty() && status != All) {
        if (status == QStringLiteral("等待处理"))
            sql += QStringLiteral(" And 处理状态 Like '%等待%'");
        else
            sql += QStringLiteral(" And 处理状态 Like '%") + desk::sqlText(status) +
                   QStringLiteral("%'");
    }

    const QString result = m_combo6->currentText();
    if (!result.isEmpty() && result != All) {
        if (result == QStringLiteral("满意"))
            sql += QStringLiteral(" And 结果满意度=1");
        else if (result == QStringLiteral("不满意"))
            sql += QStringLiteral(" And 结果满意度=0");
        sql += dateRangeCondition(QStringLiteral("处理时间"));
    }
    return sql;
}
