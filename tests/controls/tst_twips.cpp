#include "controls/twips.h"

#include <QApplication>
#include <QWidget>
#include <QtTest>

using namespace controls;

class TstTwips : public QObject {
    Q_OBJECT
private slots:
    void inchIsLogicalDpi_data();
    void inchIsLogicalDpi();
    void pixelsSurviveTheRoundTrip();
    void twipsComeBackWithinHalfAPixel();
    void geometryIsPlacedInTheParent();
};

void TstTwips::inchIsLogicalDpi_data() {
    QTest::addColumn<bool>("withWidget");
    QTest::newRow("widget's screen") << true;
    QTest::newRow("primary screen") << false;
}

void TstTwips::inchIsLogicalDpi() {
    QFETCH(bool, withWidget);
    QWidget widget;
    const QWidget* reference = withWidget ? &widget : nullptr;
    QCOMPARE(twipsToPixelsX(1440, reference), widget.logicalDpiX());
    QCOMPARE(twipsToPixelsY(1440, reference), widget.logicalDpiY());
    QCOMPARE(pixelsToTwipsX(widget.logicalDpiX(), reference), 1440);
    QCOMPARE(pixelsToTwipsY(widget.logicalDpiY(), reference), 1440);
    QCOMPARE(twipsToPixelsX(-2880, reference), -2 * widget.logicalDpiX());
    QCOMPARE(twipsToPixelsX(0, reference), 0);
}

void TstTwips::pixelsSurviveTheRoundTrip() {
    QWidget widget;
    for (int pixels : {0, 1, 7, 20, 96, 333, 1921, -5}) {
        QCOMPARE(twipsToPixelsX(pixelsToTwipsX(pixels, &widget), &widget), pixels);
        QCOMPARE(twipsToPixelsY(pixelsToTwipsY(pixels, &widget), &widget), pixels);
    }
}

void TstTwips::twipsComeBackWithinHalfAPixel() {
    QWidget widget;
    const int halfPixel = (1440 / widget.logicalDpiX() + 1) / 2;
    for (int twips : {1, 7, 8, 15, 300, 1600, 10890, 12345}) {
        const int back = pixelsToTwipsX(twipsToPixelsX(twips, &widget), &widget);
        QVERIFY2(qAbs(back - twips) <= halfPixel,
                 qPrintable(QStringLiteral("%1 came back as %2").arg(twips).arg(back)));
    }
}

void TstTwips::geometryIsPlacedInTheParent() {
    QWidget parent;
    auto* child = new QWidget(&parent);
    setGeometryTwips(child, 1440, 720, 2880, 360);
    const int dpiX = parent.logicalDpiX();
    const int dpiY = parent.logicalDpiY();
    QCOMPARE(child->geometry(), QRect(dpiX, dpiY / 2, 2 * dpiX, qRound(dpiY / 4.0)));
    setGeometryTwips(nullptr, 0, 0, 10, 10); // nothing to place, nothing happens
}

QTEST_MAIN(TstTwips)
#include "tst_twips.moc"
