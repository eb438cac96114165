#include "appicon.h"

#include "appiconengine.h"

#include <QPixmap>

// The picture is compiled in as the XPM array it is written as: drawn
// straight from it, without the image readers, whose look-up of format
// plugins costs the start-up more than the picture itself.
#include "rubrio.xpm"

QIcon AppIcon()
{
    return QIcon(new AppIconEngine);
}

QPixmap AppIconPixmap()
{
    return QPixmap(rubrio);
}
