#include "look/appicon.h"

#include <QPixmap>

// The 32 x 32 picture is drawn as an XPM array; the other sizes are the
// package's PNG files, compiled in.
#include "look/rubrio.xpm"

QIcon AppIcon()
{
    QIcon icon;
    // Qt decodes each file as it is added; X11 asks for every size anyway
    // when it creates a window.
    for (const int side : {16, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1x%1/rubrio.png").arg(side), QSize(side, side));
    icon.addPixmap(AppIconPixmap());
    return icon;
}

QPixmap AppIconPixmap()
{
    return QPixmap(rubrio);
}
