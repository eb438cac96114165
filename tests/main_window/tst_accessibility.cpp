// What a screen reader is told about the main window and the entry dialog,
// and how readable the windows are on light and dark desktops.

#include "about/frmabout.h"
#include "entry_dialog/dataform.h"
#include "look/dialogfonts.h"
#include "main_window/atel.h"
#include "main_window/startprogram.h"
#include "store/contacttable.h"
#include "store/globalmodule.h"
#include "support/desktopsession.h"
#include "support/windowtestcase.h"

#include <QAccessible>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QTest>

#include <cmath>
#include <memory>

namespace {

// Relative luminance and contrast ratio as WCAG 2 defines them.
double luminance(const QColor &colour)
{
    const auto channel = [](int value) {
        const double v = value / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.red()) + 0.7152 * channel(colour.green()) +
           0.0722 * channel(colour.blue());
}

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

// The contrast of the text drawn in part of an image: the background is its
// commonest colour, the text the pixel that stands out most from it.
double textContrast(const QImage &image, const QRect &part)
{
    QHash<QRgb, int> counts;
    for (int y = part.top(); y <= part.bottom(); ++y) {
        for (int x = part.left(); x <= part.right(); ++x)
            ++counts[image.pixel(x, y)];
    }
    QRgb background = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > counts.value(background))
            background = it.key();
    }
    double most = 1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        most = qMax(most, contrastRatio(QColor(it.key()), QColor(background)));
    return most;
}

// A dark desktop scheme: light text on dark grey, a light blue highlight.
QPalette darkScheme()
{
    const QColor text(239, 240, 241);
    const QColor window(49, 54, 59);
    QPalette palette(text, window, window.lighter(130), window.darker(130), window.darker(115),
                     text, Qt::white, QColor(35, 38, 41), window);
    palette.setColor(QPalette::Highlight, QColor(61, 174, 233));
    palette.setColor(QPalette::HighlightedText, text);
    return palette;
}

} // namespace

class TestAccessibility : public WindowTestCase
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_desktopScheme = QApplication::palette();
        DialogFonts::Install();
    }

    void controls_data();
    void controls();
    void listItemsAndHiddenBox();
    void contrast_data();
    void contrast();
    void desktopFont_data();
    void desktopFont();
    void focusVisible_data();
    void focusVisible();

private:
    QPalette m_desktopScheme;
};

void TestAccessibility::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("accessibleName");
    QTest::addColumn<QString>("value");

    const auto row = [](const char *name, QAccessible::Role role, const char *accessibleName,
                        const char *value) {
        QTest::newRow(name) << QString::fromLatin1(name) << int(role)
                            << QString::fromLatin1(accessibleName) << QString::fromLatin1(value);
    };
    // A null value is not checked.
    row("ContactList", QAccessible::List, "Contatti", nullptr);
    // Its value is the letter it stands at, R here. A spin button: screen
    // readers read its text when it changes, where a scroll bar's number.
    row("VScroll_Sel_Chr", QAccessible::SpinBox, "Lettera", "R");
    row("DataForm", QAccessible::Window, "Inserimento", nullptr);
    // Text boxes are named by the labels beside them.
    row("LastName", QAccessible::EditableText, "Cognome", "Rossi");
    row("FirstName", QAccessible::EditableText, "Nome", "");
    row("TelNumber", QAccessible::EditableText, "Telefono", "");
}

void TestAccessibility::controls()
{
    QFETCH(QString, name);
    QFETCH(int, role);
    QFETCH(QString, accessibleName);
    QFETCH(QString, value);

    aTel::instance()->scrollBar()->setValue('R' - 'A');
    DataForm *form = DataForm::instance();
    form->lastName()->setText(QStringLiteral("Rossi"));
    QObject *object =
        name == form->objectName() ? form : aTel::instance()->findChild<QObject *>(name);
    if (!object)
        object = form->findChild<QObject *>(name);
    QVERIFY(object);
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(object);
    QVERIFY(accessible);
    QCOMPARE(int(accessible->role()), role);
    QCOMPARE(accessible->text(QAccessible::Name), accessibleName);
    if (!value.isNull())
        QCOMPARE(accessible->text(QAccessible::Value), value);
}

void TestAccessibility::listItemsAndHiddenBox()
{
    // A contact is read by its fields, without the padding and commas, once
    // a screen reader is in use, and for every list filled since. The window
    // first: creating it loads data.txt.
    aTel *window = aTel::instance();
    QVERIFY(ContactTable::append(GlobalModule::FormatContactLine(
        QStringLiteral("Rossi"), QStringLiteral("Mario"), QStringLiteral("0612345"))));
    window->scrollBar()->setValue('R' - 'A');
    showActive(window);
    const auto spoken = [window] {
        QAccessibleInterface *list = QAccessible::queryAccessibleInterface(window->contactList());
        QAccessibleInterface *item = list ? list->child(0) : nullptr;
        return item ? item->text(QAccessible::Name) : QString();
    };
    QAccessible::setActive(true); // as the screen reader starts
    const auto inactive = qScopeGuard([] { QAccessible::setActive(false); });
    QCOMPARE(spoken(), QStringLiteral("Rossi Mario 0612345"));
    // Refilled, the list offers the same text to the reader (which Qt's
    // item views tell of the refill only while a platform reader listens).
    window->scrollBar()->setValue(0);
    window->scrollBar()->setValue('R' - 'A');
    QCOMPARE(window->contactList()->item(0)->data(Qt::AccessibleTextRole).toString(),
             QStringLiteral("Rossi Mario 0612345"));

    // The hidden box that hands the index over is no part of the dialog.
    DataForm *form = DataForm::instance();
    form->show();
    QAccessibleInterface *dialog = QAccessible::queryAccessibleInterface(form);
    QStringList children;
    for (int i = 0; i < dialog->childCount(); ++i)
        children.append(dialog->child(i)->object()->objectName());
    QCOMPARE(children, QStringList({"Label1", "LastName", "Label2", "FirstName", "Label3",
                                    "TelNumber", "CmUpdate", "CmdAddMore", "CmdCancel"}));
}

void TestAccessibility::contrast_data()
{
    QTest::addColumn<bool>("dark"); // the desktop's scheme
    QTest::addColumn<Desktop>("desktop");
    QTest::newRow("light desktop") << false << Desktop();
    QTest::newRow("dark desktop") << true << Desktop();
    // GNOME's theme as Qt programs take it from GTK, light and dark.
    const auto gtk = [](const char *theme) {
        return Desktop{QStringLiteral("gtk3"),
                       {{QStringLiteral("gtk-3.0/settings.ini"),
                         QByteArray("[Settings]\ngtk-theme-name=").append(theme).append('\n')}},
                       {}};
    };
    QTest::newRow("gtk3 Adwaita") << false << gtk("Adwaita");
    QTest::newRow("gtk3 Adwaita-dark") << true << gtk("Adwaita-dark");
    // qt6ct with one of the colour schemes it ships.
    const auto qt6ct = [](const char *scheme) {
        return Desktop{QStringLiteral("qt6ct"),
                       {{QStringLiteral("qt6ct/qt6ct.conf"),
                         QByteArray("[Appearance]\ncustom_palette=true\nstyle=Fusion\n"
                                    "color_scheme_path=/usr/share/qt6ct/colors/")
                             .append(scheme)
                             .append(".conf\n")}},
                       {}};
    };
    QTest::newRow("qt6ct airy") << false << qt6ct("airy");
    QTest::newRow("qt6ct darker") << true << qt6ct("darker");
    // Qt's own KDE theme, on the X server, with a dark colour scheme.
    QTest::newRow("kde dark")
        << true
        << Desktop{
               QStringLiteral("kde"),
               {{QStringLiteral("kdeglobals"),
                 "[Colors:Window]\nBackgroundNormal=49,54,59\nForegroundNormal=239,240,241\n"
                 "[Colors:View]\nBackgroundNormal=35,38,41\nForegroundNormal=239,240,241\n"
                 "[Colors:Button]\nBackgroundNormal=49,54,59\nForegroundNormal=239,240,241\n"
                 "[Colors:Selection]\nBackgroundNormal=61,174,233\n"
                 "ForegroundNormal=239,240,241\n"}},
               {QStringLiteral("QT_QPA_PLATFORM=xcb"), QStringLiteral("KDE_SESSION_VERSION=5")}};
}

// The texts the design leaves to the system's colours reach 4.5:1 against
// what they are drawn on, whatever the desktop's scheme and platform theme.
void TestAccessibility::contrast()
{
    QFETCH(bool, dark);
    QFETCH(Desktop, desktop);
    if (!desktop.isThisProcess() && !DesktopSession::InChild())
        return DesktopSession::RunRow(desktop);

    if (desktop.theme.isEmpty())
        QApplication::setPalette(dark ? darkScheme() : m_desktopScheme);
    else // the platform theme gave the scheme the row is about
        QCOMPARE(luminance(m_desktopScheme.color(QPalette::Window)) < 0.2, dark);
    QVERIFY(m_scope->dir.write(QStringLiteral("data.txt"),
                               "Abate,          Anna,          06 1\r\n"
                               "Aldi,           Ugo,           02 7\r\n"));
    StartProgram(*qApp);
    aTel *window = aTel::instance();
    showActive(window);
    QListWidget *list = window->contactList();
    QCOMPARE(list->count(), 2);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(1)).center());
    Runtime::ShowNotModal(frmAbout::instance());

    QStringList tooFaint;
    const auto check = [&tooFaint](const QString &what, const QImage &image, const QRect &part) {
        const double ratio = textContrast(image, part);
        if (ratio < 4.5)
            tooFaint.append(QStringLiteral("%1 %2:1").arg(what).arg(ratio, 0, 'f', 2));
    };
    const QImage rows = list->viewport()->grab().toImage();
    check(QStringLiteral("contact"), rows, list->visualItemRect(list->item(0)));
    check(QStringLiteral("selected contact"), rows, list->visualItemRect(list->item(1)));
    for (const char *name : {"Lbl_A_Z", "LblName", "Label2", "LblTelNumber", "Label3"}) {
        auto *label = control<QLabel>(window, name);
        check(QLatin1String(name), label->grab().toImage(), label->rect());
    }
    for (const char *name : {"lblTitle", "lblVersion", "lblDescription", "lblDisclaimer"}) {
        auto *label = control<QLabel>(openWindow<frmAbout>(), name);
        check(QLatin1String(name), label->grab().toImage(), label->rect());
    }
    QVERIFY2(tooFaint.isEmpty(), qPrintable(tooFaint.join(QStringLiteral(", "))));
}

void TestAccessibility::desktopFont_data()
{
    QTest::addColumn<Desktop>("desktop");
    QTest::addColumn<QString>("menuFont"); // the menu bar's, as the desktop sets it
    const auto qt6ct = [](const char *font, const QStringList &environment = {}) {
        return Desktop{QStringLiteral("qt6ct"),
                       {{QStringLiteral("qt6ct/qt6ct.conf"),
                         QByteArray("[Fonts]\ngeneral=\"").append(font).append("\"\n")}},
                       environment};
    };
    // qt6ct sets one font for everything, the menu bar included.
    const QString sans10 = QStringLiteral("Sans Serif,10,-1,5,50,0,0,0,0,0");
    QTest::newRow("qt6ct Sans Serif 10") << qt6ct(qPrintable(sans10)) << sans10;
    const QString serif14 = QStringLiteral("DejaVu Serif,14,-1,5,50,0,0,0,0,0");
    QTest::newRow("qt6ct DejaVu Serif 14") << qt6ct(qPrintable(serif14)) << serif14;
    QTest::newRow("qt6ct Sans Serif 10, scale 2")
        << qt6ct(qPrintable(sans10), {QStringLiteral("QT_SCALE_FACTOR=2")}) << sans10;
    QTest::newRow("qt6ct Sans Serif 10, scale 1.5")
        << qt6ct(qPrintable(sans10), {QStringLiteral("QT_SCALE_FACTOR=1.5")}) << sans10;
    // Qt's own KDE theme, on the X server, with a menu font of its own.
    const QString menu16 = QStringLiteral("DejaVu Sans,16,-1,5,50,0,0,0,0,0");
    QTest::newRow("kde menu font DejaVu Sans 16")
        << Desktop{QStringLiteral("kde"),
                   {{QStringLiteral("kdeglobals"),
                     QByteArray("[General]\nfont=DejaVu Sans,11,-1,5,50,0,0,0,0,0\nmenuFont=")
                         .append(menu16.toLatin1())
                         .append('\n')}},
                   {QStringLiteral("QT_QPA_PLATFORM=xcb"), QStringLiteral("KDE_SESSION_VERSION=5")}}
        << menu16;
}

// The layout is fixed around the dialog font: whatever fonts the desktop
// sets for every program, no caption is cut and all 26 letters show.
void TestAccessibility::desktopFont()
{
    QFETCH(Desktop, desktop);
    QFETCH(QString, menuFont);
    if (!DesktopSession::InChild())
        return DesktopSession::RunRow(desktop);

    StartProgram(*qApp);
    aTel *main = aTel::instance();
    main->CmdAddNew_Click();
    Runtime::ShowNotModal(frmAbout::instance());
    // The desktop's fonts reach the program, and then every widget, through
    // its events.
    QVERIFY(QTest::qWaitForWindowExposed(frmAbout::instance()));
    QTest::qWait(200);

    QStringList cut;
    for (QWidget *window : QList<QWidget *>{main, openWindow<DataForm>(), openWindow<frmAbout>()}) {
        QVERIFY(window);
        for (QPushButton *button : window->findChildren<QPushButton *>()) {
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = button->text();
            const QRect room =
                button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            const QString caption = QString(button->text()).remove(u'&');
            if (button->fontMetrics().horizontalAdvance(caption) > room.width())
                cut.append(caption);
        }
    }
    auto *letters = control<QLabel>(main, "Lbl_A_Z");
    const QRect used = letters->fontMetrics().boundingRect(
        letters->contentsRect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, letters->text());
    if (used.bottom() > letters->contentsRect().bottom())
        cut.append(QStringLiteral("the letters (%1 px, in %2)")
                       .arg(used.height())
                       .arg(letters->contentsRect().height()));
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral(", "))));

    // The menu bar is no part of the client area: it takes the desktop's
    // menu font, and the whole client area, at its described size, stays
    // below it.
    QFont expected;
    QVERIFY(expected.fromString(menuFont));
    QCOMPARE(main->menuBar()->font().family(), expected.family());
    QCOMPARE(main->menuBar()->font().pointSizeF(), expected.pointSizeF());
    QTRY_COMPARE(main->menuBar()->height(), main->menuBar()->sizeHint().height());
    QCOMPARE(main->centralWidget()->geometry(),
             QRect(0, main->menuBar()->geometry().bottom() + 1, 499, 380));
}

void TestAccessibility::focusVisible_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("other"); // where the focus is before
    QTest::addColumn<Desktop>("desktop");
    const auto row = [](const char *name, const char *other, const Desktop &desktop = {}) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(other) << desktop;
    };
    row("ContactList", "VScroll_Sel_Chr");
    row("VScroll_Sel_Chr", "ContactList");
    row("Save", "ContactList");
    row("CmdExit", "ContactList");
    row("LastName", "FirstName");
    row("TelNumber", "LastName");
    row("CmdAddMore", "LastName");
    row("CmdCancel", "LastName");
    row("cmdOK", "cmdSysInfo");
    row("picIcon", "cmdOK");
    row("cmdSysInfo", "cmdOK");
    const auto scaled = [](const char *factor) {
        return Desktop{{}, {}, {QStringLiteral("QT_SCALE_FACTOR=") + QLatin1String(factor)}};
    };
    QTest::newRow("ContactList, scale 1.5") << "ContactList"
                                            << "VScroll_Sel_Chr" << scaled("1.5");
    QTest::newRow("ContactList, scale 2") << "ContactList"
                                          << "VScroll_Sel_Chr" << scaled("2");
}

// A control that takes the focus shows it: along at least its perimeter,
// pixels change by 3:1 or more between the control without and with the
// focus. The mark hides no text: every pixel of the text inside the control
// stays as it was. The list shows it without an item being current.
void TestAccessibility::focusVisible()
{
    QFETCH(QString, name);
    QFETCH(QString, other);
    QFETCH(Desktop, desktop);
    if (!desktop.isThisProcess() && !DesktopSession::InChild())
        return DesktopSession::RunRow(desktop);

    // "Ilaria": the dots of the i stand at the top of the first row.
    QVERIFY(
        m_scope->dir.write(QStringLiteral("data.txt"), "Abbiati,        Ilaria,        06 1\r\n"));
    StartProgram(*qApp);
    aTel *main = aTel::instance();
    main->CmdAddNew_Click();
    Runtime::ShowNotModal(frmAbout::instance());
    QWidget *window = nullptr;
    for (QWidget *candidate :
         QList<QWidget *>{main, openWindow<DataForm>(), openWindow<frmAbout>()}) {
        if (candidate->findChild<QWidget *>(name))
            window = candidate;
    }
    QVERIFY(window);
    auto *widget = control(window, name.toLatin1());
    showActive(window);
    control(window, other.toLatin1())->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(QApplication::focusWidget() != widget);
    const QImage without = window->grab().toImage();
    widget->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), widget);
    const QImage with = window->grab().toImage();

    // In the image's pixels, which the scale factor multiplies.
    const qreal scale = with.devicePixelRatio();
    const auto inImage = [scale](const QRect &rect) {
        return QRect((QRectF(rect).topLeft() * scale).toPoint(),
                     (QSizeF(rect.size()) * scale).toSize());
    };
    const QRect around = inImage(QRect(widget->mapTo(window, QPoint(0, 0)), widget->size()))
                             .adjusted(-3, -3, 3, 3)
                             .intersected(with.rect());
    int changed = 0;
    for (int y = around.top(); y <= around.bottom(); ++y) {
        for (int x = around.left(); x <= around.right(); ++x)
            changed += contrastRatio(without.pixelColor(x, y), with.pixelColor(x, y)) >= 3;
    }
    const int perimeter = qRound(2 * (widget->width() + widget->height()) * scale);
    QVERIFY2(changed >= perimeter,
             qPrintable(QStringLiteral("%1 of %2").arg(changed).arg(perimeter)));

    // The text: inside the list's rows, the pixels that stand out from the
    // row's background.
    if (auto *list = qobject_cast<QListWidget *>(widget)) {
        QCOMPARE(list->currentRow(), -1);
        QVERIFY(list->count() > 0);
        const QRect row = inImage(QRect(list->viewport()->mapTo(window, QPoint(0, 0)),
                                        list->visualItemRect(list->item(0)).size()));
        const QColor background = list->palette().color(QPalette::Base);
        int text = 0;
        int hidden = 0;
        for (int y = row.top(); y <= row.bottom(); ++y) {
            for (int x = row.left(); x <= row.right(); ++x) {
                if (contrastRatio(without.pixelColor(x, y), background) < 3)
                    continue;
                ++text;
                hidden += without.pixel(x, y) != with.pixel(x, y);
            }
        }
        QVERIFY(text > 0);
        QVERIFY2(hidden == 0, qPrintable(QStringLiteral("%1 of %2 pixels of the first row's "
                                                        "text hidden")
                                             .arg(hidden)
                                             .arg(text)));
    }
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
