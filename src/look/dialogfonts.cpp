#include "look/dialogfonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QWidget>

namespace DialogFonts {

void Install()
{
    // Fonts named by their designed family anywhere else still find the
    // stand-ins.
    QFont::insertSubstitution(SansSerif, SansSerifStandIn);
    QFont::insertSubstitution(Fixed, FixedStandIn);
    // Setting the application's font drops the fonts the desktop gives menus.
    // Menus are no part of the windows' client areas: they keep the
    // desktop's menu font, as native menus do.
    const QFont menuBarFont = QApplication::font("QMenuBar");
    const QFont menuFont = QApplication::font("QMenu");
    QApplication::setFont(Font(SansSerif, DialogPointSize));
    QApplication::setFont(menuBarFont, "QMenuBar");
    QApplication::setFont(menuFont, "QMenu");
}

QString InstalledFamily(const QString &family)
{
    // A font asked for by a family that is not installed makes Qt gather the
    // desktop's fallbacks for it before it tries the substitutes (see the
    // notes in bench/results.md). Asking for the stand-in itself
    // draws the same glyphs without that search. Where the stand-in is
    // missing too, the designed family is asked for, and the desktop's own
    // substitutes decide. The installed fonts do not change while the
    // program runs, so each answer is looked up once.
    static const auto resolve = [](const QString &designed, const QString &standIn) {
        if (QFontDatabase::hasFamily(designed))
            return designed;
        return QFontDatabase::families().contains(standIn, Qt::CaseInsensitive) ? standIn
                                                                                : designed;
    };
    if (family == SansSerif) {
        static const QString sansSerif = resolve(SansSerif, SansSerifStandIn);
        return sansSerif;
    }
    if (family == Fixed) {
        static const QString fixed = resolve(Fixed, FixedStandIn);
        return fixed;
    }
    return family;
}

QFont Font(const QString &family, qreal pointSize)
{
    QFont font(InstalledFamily(family));
    font.setPointSizeF(pointSize);
    font.setStyleHint(family == Fixed ? QFont::TypeWriter : QFont::SansSerif);
    // A desktop's bold or condensed font would otherwise reach the controls
    // through the properties left unset.
    font.setResolveMask(QFont::AllPropertiesResolved);
    return font;
}

void Apply(QWidget *window)
{
    window->setFont(Font(SansSerif, DialogPointSize));
}

} // namespace DialogFonts
