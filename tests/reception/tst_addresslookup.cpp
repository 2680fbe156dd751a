// The address panel: the offices the operator may choose, the building tree with rooms
// loaded on demand, and the occupant pick that fills the entry panel.

#include "../common/fakeseam.h"
#include "reception/receptionwindow.h"
#include "receptionfixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

class TestAddressLookup : public QObject, public ReceptionCase<> {
    Q_OBJECT
private slots:
    void init() { begin(); }
    void cleanup() { end(); }
    void officesOfThePosition_data();
    void officesOfThePosition();
    void buildingsInAddressOrder();
    void roomsLoadedOnceWithNewOccupantsOnly();
    void occupantPickFillsTheEntry();
    void badItemsGetAClearMessage();

private:
    bool open(const QString& position = QStringLiteral("1"));
    QTreeWidget* tree() { return ctl<QTreeWidget>("TreeView1"); }
    QStringList topTexts() {
        QStringList out;
        for (int i = 0; i < tree()->topLevelItemCount(); ++i)
            out << tree()->topLevelItem(i)->text(0);
        return out;
    }
    void click(QTreeWidgetItem* node) { emit tree()->itemClicked(node, 0); }
};

bool TestAddressLookup::open(const QString& position) {
    if (!m_db->create())
        return false;
    Operator().PositionCode = position;
    return show(new ReceptionWindow);
}

void TestAddressLookup::officesOfThePosition_data() {
    QTest::addColumn<QString>("position");
    QTest::addColumn<QStringList>("offices");
    QTest::addColumn<QString>("ofG03");
    QTest::newRow("own department") << "1" << QStringList{"G01 翠苑小区", "G02 滨江花园"} << "";
    QTest::newRow("special right")
        << "2" << QStringList{"G01 翠苑小区", "G02 滨江花园", "G03 金桥大厦"} << "G03 金桥大厦";
}

void TestAddressLookup::officesOfThePosition() {
    QFETCH(QString, position);
    QFETCH(QStringList, offices);
    QFETCH(QString, ofG03);
    QVERIFY(open(position));
    QComboBox* combo = ctl<QComboBox>("Combo3");
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    QCOMPARE(items, offices);
    QCOMPARE(combo->currentIndex(), 0);
    QCOMPARE(m_window->对应管理处(QStringLiteral("G02")), QStringLiteral("G02 滨江花园"));
    QCOMPARE(m_window->对应管理处(QStringLiteral("G03")), ofG03);
}

void TestAddressLookup::buildingsInAddressOrder() {
    QVERIFY(open());
    // the first office's buildings are there from the start, shorter parts first
    QCOMPARE(topTexts(), QStringList({"1栋2单元", "2栋", "10栋"}));
    QCOMPARE(tree()->topLevelItem(2)->data(0, Qt::UserRole).toString(), QStringLiteral("$2"));
    ctl<QComboBox>("Combo3")->setCurrentIndex(1);
    QCOMPARE(topTexts(), QStringList({"A座"}));
}

void TestAddressLookup::roomsLoadedOnceWithNewOccupantsOnly() {
    QVERIFY(open());
    QTreeWidgetItem* building = tree()->topLevelItem(0);
    click(building);
    click(building);
    QCOMPARE(building->childCount(), 2); // 103 has only a former occupant
    QCOMPARE(building->child(0)->text(0), QStringLiteral("101室 陈大文"));
    QCOMPARE(building->child(0)->data(0, Qt::UserRole).toString(), QStringLiteral("@11 501"));
    QCOMPARE(building->child(1)->text(0), QStringLiteral("102室 林小梅"));
    QVERIFY(building->isExpanded());
    QVERIFY(tree()->isEnabled());
    // a building without such occupants gets nothing, and asks again at the next click
    QTreeWidgetItem* empty = tree()->topLevelItem(2);
    click(empty);
    QCOMPARE(empty->childCount(), 0);
    m_db->db().execute(QStringLiteral("INSERT INTO 业主表 (ZH_ID, S_ID, 姓名, 说明) VALUES "
                                      "(601, 21, '吴新', '新进户')"));
    click(empty);
    QCOMPARE(empty->childCount(), 1);
    QCOMPARE(empty->child(0)->text(0), QStringLiteral("1001 吴新"));
    QCOMPARE(m_seam->texts(), QStringList());
}

void TestAddressLookup::occupantPickFillsTheEntry() {
    QVERIFY(open());
    m_window->newComplaint();
    text1(1)->setText(QStringLiteral("手输的名字"));
    text1(3)->setText(QStringLiteral("000"));
    QTest::mouseClick(ctl<QPushButton>("Command1"), Qt::LeftButton);
    QWidget* panel = ctl<QWidget>("Picture3");
    QVERIFY(panel->isVisible());

    QTreeWidgetItem* building = tree()->topLevelItem(0);
    click(building);
    click(building->child(1)); // 林小梅, no telephone
    QCOMPARE(text1(1)->text(), QStringLiteral("林小梅"));
    QCOMPARE(text1(2)->text(), QStringLiteral("1栋2单元102室"));
    QCOMPARE(text1(3)->text(), QString());
    QCOMPARE(text1(6)->text(), QStringLiteral("G01 翠苑小区"));
    QCOMPARE(m_window->ownerIdentifier(), QStringLiteral("502"));
    QVERIFY(!panel->isVisible());

    QTest::mouseClick(ctl<QPushButton>("Command1"), Qt::LeftButton);
    click(building->child(0));
    QCOMPARE(text1(1)->text(), QStringLiteral("陈大文"));
    QCOMPARE(text1(3)->text(), QStringLiteral("13800000001"));
    QCOMPARE(m_window->ownerIdentifier(), QStringLiteral("501"));

    // stored with the complaint
    ctl<QPlainTextEdit>("Text1(4)")->setPlainText(QStringLiteral("门禁坏了"));
    ctl<QComboBox>("Combo4")->setCurrentIndex(0);
    ctl<QComboBox>("Combo5")->setCurrentIndex(0);
    QVERIFY(m_window->SaveData());
    const desk::Recordset rs =
        m_db->db().query(QStringLiteral("SELECT ZH_ID, 管理处代号, 地址 FROM 投诉信息"));
    QCOMPARE(rs.value(0, "ZH_ID").toInt(), 501);
    QCOMPARE(rs.text(0, "管理处代号"), QStringLiteral("G01"));
    QCOMPARE(rs.text(0, "地址"), QStringLiteral("1栋2单元101室"));
    QCOMPARE(m_seam->texts(), QStringList());
}

void TestAddressLookup::badItemsGetAClearMessage() {
    QVERIFY(open());
    const QStringList before = topTexts();
    // an office item without a code
    QComboBox* combo = ctl<QComboBox>("Combo3");
    combo->addItem(QStringLiteral("无代号项目"));
    combo->setCurrentIndex(combo->count() - 1);
    QCOMPARE(m_seam->messages.size(), 1);
    QVERIFY(m_seam->messages[0].text.contains(QStringLiteral("无代号项目")));
    QVERIFY(!m_seam->messages[0].text.contains(QStringLiteral("错误号")));
    QCOMPARE(topTexts(), before);

    // an occupant node whose identity is not a number
    m_seam->clear();
    auto* odd = new QTreeWidgetItem(tree()->topLevelItem(0));
    odd->setText(0, QStringLiteral("105室 "));
    odd->setData(0, Qt::UserRole, QStringLiteral("@15 "));
    m_window->newComplaint();
    click(odd);
    QCOMPARE(m_seam->messages.size(), 1);
    QVERIFY(!m_seam->messages[0].text.contains(QStringLiteral("错误号")));
    QCOMPARE(m_window->ownerIdentifier(), QString());
    QCOMPARE(ctl<QLineEdit>("Text1(1)")->text(), QString());
}

QTEST_MAIN(TestAddressLookup)
#include "tst_addresslookup.moc"
