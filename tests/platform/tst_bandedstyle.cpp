#include "bandedstyle.h"

#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTest>

#include <memory>

class TestBandedStyle : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    // First: once any paint has started the global pool's threads, they stay.
    void tallControlsPaintOnTheGuiThreadOnly();
    void samePixelsAsTheDesktopStyle_data();
    void samePixelsAsTheDesktopStyle();

private:
    std::unique_ptr<BandedStyle> m_banded;
    std::unique_ptr<QStyle> m_plain;
};

namespace {

std::unique_ptr<QWidget> makeControl(const QString &kind, const QSize &size, int value, bool enabled)
{
    std::unique_ptr<QWidget> widget;
    if (kind.startsWith(QLatin1String("scroll bar"))) {
        auto *bar = new QScrollBar(kind.endsWith(QLatin1String("horizontal")) ? Qt::Horizontal
                                                                                : Qt::Vertical);
        bar->setRange(0, 25);
        bar->setPageStep(1);
        bar->setValue(value);
        widget.reset(bar);
    } else {
        widget = std::make_unique<QGroupBox>(kind == QLatin1String("group box")
                                                 ? QStringLiteral("Records")
                                                 : QString());
    }
    widget->resize(size);
    widget->setEnabled(enabled);
    return widget;
}

QImage paintWith(QWidget *widget, QStyle *style)
{
    widget->setStyle(style);
    QImage image(widget->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    widget->render(&image);
    return image;
}

// Threads of this process, where the system lists them.
int threadCount()
{
    return int(QDir(QStringLiteral("/proc/self/task"))
                   .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
                   .size());
}

} // namespace

void TestBandedStyle::initTestCase()
{
    m_banded = std::make_unique<BandedStyle>();
    m_plain.reset(QStyleFactory::create(m_banded->baseStyle()->name()));
    QVERIFY(m_plain);
}

void TestBandedStyle::tallControlsPaintOnTheGuiThreadOnly()
{
    if (!QDir(QStringLiteral("/proc/self/task")).exists())
        QSKIP("this system does not list a process's threads");
    const int before = threadCount();
    QVERIFY(before >= 1);
    // The main window's letter selector and frames at their size.
    const struct
    {
        QString kind;
        QSize size;
    } controls[] = {{QStringLiteral("scroll bar"), QSize(17, 370)},
                    {QStringLiteral("group box"), QSize(105, 185)},
                    {QStringLiteral("untitled group box"), QSize(105, 105)}};
    for (const auto &[kind, size] : controls) {
        auto control = makeControl(kind, size, 3, true);
        paintWith(control.get(), m_banded.get());
    }
    QCOMPARE(threadCount(), before);

    // The check can fail: the same paints through the desktop style start
    // the pool's threads.
    auto control = makeControl(QStringLiteral("scroll bar"), QSize(17, 370), 3, true);
    paintWith(control.get(), m_plain.get());
    QVERIFY(threadCount() > before);
}

void TestBandedStyle::samePixelsAsTheDesktopStyle_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("enabled");
    // The main window's letter selector and the list's own scroll bar.
    QTest::newRow("letter selector at A") << "scroll bar" << QSize(17, 370) << 0 << true;
    QTest::newRow("letter selector at M") << "scroll bar" << QSize(17, 370) << 12 << true;
    QTest::newRow("letter selector at Z") << "scroll bar" << QSize(17, 370) << 25 << true;
    QTest::newRow("disabled") << "scroll bar" << QSize(17, 370) << 5 << false;
    QTest::newRow("band boundary inside the box") << "scroll bar" << QSize(17, 129) << 9 << true;
    QTest::newRow("exactly one band") << "scroll bar" << QSize(17, 64) << 1 << true;
    QTest::newRow("one row over a band") << "scroll bar" << QSize(17, 65) << 1 << true;
    QTest::newRow("horizontal") << "scroll bar horizontal" << QSize(370, 17) << 7 << true;
    // The window's two frames, with and without a title.
    QTest::newRow("titled frame") << "group box" << QSize(105, 185) << 0 << true;
    QTest::newRow("untitled frame") << "untitled group box" << QSize(105, 105) << 0 << true;
    QTest::newRow("tall frame") << "group box" << QSize(200, 500) << 0 << true;
}

void TestBandedStyle::samePixelsAsTheDesktopStyle()
{
    QFETCH(QString, kind);
    QFETCH(QSize, size);
    QFETCH(int, value);
    QFETCH(bool, enabled);
    auto control = makeControl(kind, size, value, enabled);
    const QImage plain = paintWith(control.get(), m_plain.get());
    const QImage banded = paintWith(control.get(), m_banded.get());
    // Not a blank picture on both sides.
    QVERIFY(plain.pixel(plain.width() / 2, plain.height() / 2) != qRgb(255, 255, 255)
            || plain.pixel(0, plain.height() / 2) != qRgb(255, 255, 255));
    QCOMPARE(banded, plain);
}

QTEST_MAIN(TestBandedStyle)
#include "tst_bandedstyle.moc"
