// The main window's list and headings draw their text without fallback fonts:
// that must not change how any text they can hold looks.

#include "atel.h"
#include "dialogfonts.h"
#include "support/windowtest.h"
#include "windows1252.h"

#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QTest>

namespace {

QImage drawn(const QFont &font, const QString &text)
{
    QImage image(1200, 40, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.drawText(4, 30, text);
    return image;
}

// The same font, free to take characters it lacks from other fonts.
QFont merging(QFont font)
{
    font.setStyleStrategy(QFont::PreferDefault);
    return font;
}

} // namespace

class TestListFont : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { DialogFonts::Install(); }
    void cleanup() { deleteAllWindows(); }
    void sameWithoutFallback_data();
    void sameWithoutFallback();
};

void TestListFont::sameWithoutFallback_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    // Every character of Windows-1252 that a contact line can hold.
    const QString all = Windows1252::decode([] {
        QByteArray bytes;
        for (int b = 0x20; b < 0x100; ++b) {
            if (b != 0x7F)
                bytes += char(b);
        }
        return bytes;
    }());
    for (qsizetype i = 0; i < all.size(); i += 32)
        QTest::addRow("ContactList %d", int(i)) << "ContactList" << all.mid(i, 32);
    for (const char *heading : {"LblName", "Label2", "LblTelNumber"})
        QTest::newRow(heading) << heading << QString();
}

void TestListFont::sameWithoutFallback()
{
    QFETCH(QString, control);
    QFETCH(QString, text);
    QWidget *widget = ::control(aTel::instance(), control.toLatin1().constData());
    QVERIFY(widget);
    if (auto *label = qobject_cast<QLabel *>(widget))
        text = label->text();
    const QFont font = widget->font();
    QCOMPARE(font.styleStrategy() & QFont::NoFontMerging, QFont::NoFontMerging);
    QCOMPARE(drawn(font, text), drawn(merging(font), text));
}

QTEST_MAIN(TestListFont)
#include "tst_listfont.moc"
