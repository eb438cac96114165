#include "dialogfonts.h"

#include <QApplication>

namespace DialogFonts {

void Install()
{
    QFont::insertSubstitution(SansSerif, QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(Fixed, QStringLiteral("Liberation Mono"));
    QApplication::setFont(Font(SansSerif, DialogPointSize));
}

QFont Font(const QString &family, qreal pointSize)
{
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setStyleHint(family == Fixed ? QFont::TypeWriter : QFont::SansSerif);
    return font;
}

} // namespace DialogFonts
