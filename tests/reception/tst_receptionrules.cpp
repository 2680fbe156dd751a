// The reception desk's rules without a window: numbers, items, typed times, row heights.

#include "reception/receptionrules.h"

#include <QSet>
#include <QtTest>

using namespace reception;

class TestReceptionRules : public QObject {
    Q_OBJECT
private slots:
    void numbering_data();
    void numbering();
    void probeSkipsTakenNumbers();
    void items_data();
    void items();
    void typedTime_data();
    void typedTime();
    void rowHeights_data();
    void rowHeights();
    void originNote_data();
    void originNote();
    void monthBounds_data();
    void monthBounds();
    void listTexts();
};

void TestReceptionRules::numbering_data() {
    QTest::addColumn<QVariant>("largest");
    QTest::addColumn<QString>("number");
    QTest::newRow("empty table") << QVariant() << QStringLiteral("00000001");
    QTest::newRow("null maximum") << QVariant(QMetaType::fromType<qlonglong>())
                                  << QStringLiteral("00000001");
    QTest::newRow("four digits") << QVariant(1233) << QStringLiteral("00001234");
    QTest::newRow("eight nines") << QVariant(99999999LL) << QStringLiteral("100000000");
    QTest::newRow("nine digits") << QVariant(123456788LL) << QStringLiteral("123456789");
}

void TestReceptionRules::numbering() {
    QFETCH(QVariant, largest);
    QFETCH(QString, number);
    QCOMPARE(complaintNumber(serialAfter(largest)), number);
}

void TestReceptionRules::probeSkipsTakenNumbers() {
    const QSet<QString> taken{QStringLiteral("00000005"), QStringLiteral("00000006")};
    QStringList probed;
    auto isTaken = [&](const QString& n) {
        probed << n;
        return taken.contains(n);
    };
    QCOMPARE(firstFreeSerial(5, isTaken), 7);
    QCOMPARE(probed, QStringList({"00000005", "00000006", "00000007"}));
    QCOMPARE(firstFreeSerial(3, isTaken), 3);
}

void TestReceptionRules::items_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("hasCode");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("name");
    QTest::newRow("code and name") << "01 物业服务" << true << "01"
                                   << "物业服务";
    QTest::newRow("blank in the name") << "G01 翠苑 二期" << true << "G01"
                                       << "翠苑 二期";
    QTest::newRow("no blank") << "其他投诉" << false << ""
                              << "其他投诉";
    QTest::newRow("leading blank") << " 无代号" << true << ""
                                   << "无代号";
}

void TestReceptionRules::items() {
    QFETCH(QString, item);
    QFETCH(bool, hasCode);
    QFETCH(QString, code);
    QFETCH(QString, name);
    QString got = QStringLiteral("stale");
    QCOMPARE(itemCode(item, &got), hasCode);
    QCOMPARE(got, code);
    QCOMPARE(itemName(item), name);
}

void TestReceptionRules::typedTime_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDateTime>("when");
    const QDate may1(2024, 5, 1);
    QTest::newRow("field form") << "2024-05-01 08:30" << QDateTime(may1, QTime(8, 30));
    QTest::newRow("short parts") << "2024-5-1 8:05" << QDateTime(may1, QTime(8, 5));
    QTest::newRow("slashes and seconds")
        << " 2024/05/01 08:30:15 " << QDateTime(may1, QTime(8, 30, 15));
    QTest::newRow("stored form") << "2024-05-01T08:30:00" << QDateTime(may1, QTime(8, 30));
    QTest::newRow("date alone") << "2024-05-01" << QDateTime(may1, QTime(0, 0));
    QTest::newRow("empty") << "" << QDateTime();
    QTest::newRow("words") << "明天上午" << QDateTime();
    QTest::newRow("no such day") << "2024-02-30 10:00" << QDateTime();
    QTest::newRow("no such hour") << "2024-05-01 25:00" << QDateTime();
    QTest::newRow("minutes missing") << "2024-05-01 08" << QDateTime();
    QTest::newRow("before the server's range") << "1700-01-01 00:00" << QDateTime();
}

void TestReceptionRules::typedTime() {
    QFETCH(QString, text);
    QFETCH(QDateTime, when);
    const QDateTime got = parseDateTime(text);
    QCOMPARE(got.isValid(), when.isValid());
    if (when.isValid())
        QCOMPARE(got, when);
}

void TestReceptionRules::rowHeights_data() {
    QTest::addColumn<int>("textWidth");
    QTest::addColumn<int>("colWidth");
    QTest::addColumn<int>("afterSave");   // line height 200
    QTest::addColumn<int>("afterUpdate"); // header height 300
    QTest::addColumn<int>("inList");
    QTest::newRow("fits") << 1500 << 1600 << 0 << 0 << 0;
    QTest::newRow("exactly the column") << 1600 << 1600 << 0 << 0 << 600;
    QTest::newRow("a little wider") << 1700 << 1600 << 400 << 600 << 600;
    QTest::newRow("just over twice") << 3300 << 1600 << 600 << 900 << 900;
    QTest::newRow("hidden column") << 3000 << 0 << 0 << 0 << 0;
}

void TestReceptionRules::rowHeights() {
    QFETCH(int, textWidth);
    QFETCH(int, colWidth);
    QFETCH(int, afterSave);
    QFETCH(int, afterUpdate);
    QFETCH(int, inList);
    QCOMPARE(newRowHeight(textWidth, colWidth, 200), afterSave);
    QCOMPARE(updatedRowHeight(textWidth, colWidth, 300), afterUpdate);
    QCOMPARE(listRowHeight(textWidth, colWidth), inList);
}

void TestReceptionRules::originNote_data() {
    QTest::addColumn<QString>("wechat");
    QTest::addColumn<QString>("app");
    QTest::addColumn<QString>("note");
    QTest::newRow("desk") << ""
                          << ""
                          << "";
    QTest::newRow("messaging") << "wx123"
                               << ""
                               << "本投诉来之微信平台。网友：wx123";
    QTest::newRow("application") << ""
                                 << "app9"
                                 << "本投诉来之App平台。网友：app9";
    QTest::newRow("both") << "wx123"
                          << "app9"
                          << "本投诉来之App平台。网友：app9";
}

void TestReceptionRules::originNote() {
    QFETCH(QString, wechat);
    QFETCH(QString, app);
    QFETCH(QString, note);
    QCOMPARE(reception::originNote(wechat, app), note);
}

void TestReceptionRules::monthBounds_data() {
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("next");
    QTest::newRow("january") << QDate(2024, 1, 31) << "2024-1-01"
                             << "2024-02-01";
    QTest::newRow("may") << QDate(2024, 5, 15) << "2024-5-01"
                         << "2024-06-01";
    QTest::newRow("december") << QDate(2024, 12, 1) << "2024-12-01"
                              << "2025-01-01";
}

void TestReceptionRules::monthBounds() {
    QFETCH(QDate, today);
    QFETCH(QString, start);
    QFETCH(QString, next);
    QCOMPARE(monthStartText(today), start);
    QCOMPARE(nextMonthStartText(today), next);
}

void TestReceptionRules::listTexts() {
    QCOMPARE(listContent(QStringLiteral("漏水\r\n严重\n请尽快")), QStringLiteral("漏水严重请尽快"));
    QCOMPARE(listTimeText(QStringLiteral("2024-05-01 08:30:00")),
             QStringLiteral("2024-05-01 08:30"));
    QCOMPARE(listTimeText(QString()), QString());
    QVERIFY(isUnfinished(QString()));
    QVERIFY(!isUnfinished(QStringLiteral("2024-05-02 09:00:00")));
}

QTEST_APPLESS_MAIN(TestReceptionRules)
#include "tst_receptionrules.moc"
