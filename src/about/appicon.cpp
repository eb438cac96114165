#include "appicon.h"

#include <QPixmap>

QIcon AppIcon()
{
    return QIcon(AppIconPixmap());
}

QPixmap AppIconPixmap()
{
    return QPixmap(QStringLiteral(":/about/rubrio.xpm"));
}
