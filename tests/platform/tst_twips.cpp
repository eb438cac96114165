#include "platform/twips.h"

#include <QTest>

class TestTwips : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void toPixels_data();
    void toPixels();
    void rect_data();
    void rect();
    void touchingRectsStillTouch();
};

void TestTwips::toPixels_data()
{
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("pixels");
    QTest::newRow("zero") << 0 << 0;
    QTest::newRow("one pixel") << 15 << 1;
    QTest::newRow("just under half") << 7 << 0;
    QTest::newRow("just over half") << 8 << 1;
    QTest::newRow("rounds down") << 1597 << 106; // 106.47
    QTest::newRow("window width") << 7485 << 499;
    QTest::newRow("window height") << 5700 << 380;
    QTest::newRow("line below heading") << 130 << 9; // 8.67
    QTest::newRow("letter strip height") << 5175 << 345;
    QTest::newRow("scroll bar height") << 5545 << 370; // 369.67
    QTest::newRow("negative") << -22 << -1;
}

void TestTwips::toPixels()
{
    QFETCH(int, twips);
    QFETCH(int, pixels);
    QCOMPARE(Twips::ToPixels(twips), pixels);
    QCOMPARE(Twips::Point(twips, twips), QPoint(pixels, pixels));
    QCOMPARE(Twips::Size(twips, twips), QSize(pixels, pixels));
}

void TestTwips::rect_data()
{
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QRect>("pixels");
    // Each edge rounds on its own: the size is the difference of the edges.
    QTest::newRow("whole pixels") << QRect(120, 360, 1335, 495) << QRect(8, 24, 89, 33);
    QTest::newRow("edges round apart") << QRect(5520, 120, 255, 5545) << QRect(368, 8, 17, 370);
    QTest::newRow("frame") << QRect(5880, 20, 1575, 2775) << QRect(392, 1, 105, 185);
}

void TestTwips::rect()
{
    QFETCH(QRect, twips);
    QFETCH(QRect, pixels);
    QCOMPARE(Twips::Rect(twips.x(), twips.y(), twips.width(), twips.height()), pixels);
}

void TestTwips::touchingRectsStillTouch()
{
    // Controls that meet in twips meet in pixels, whatever the rounding.
    for (int left = 0; left < 60; ++left) {
        for (int width = 1; width < 60; ++width) {
            const QRect a = Twips::Rect(left, 0, width, 10);
            const QRect b = Twips::Rect(left + width, 0, 7, 10);
            QCOMPARE(a.x() + a.width(), b.x());
        }
    }
}

QTEST_APPLESS_MAIN(TestTwips)
#include "tst_twips.moc"
