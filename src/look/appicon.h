#pragma once

#include <QIcon>

// Rubrio's icon, a desk telephone, at every size the package installs: the
// windows' icon.
QIcon AppIcon();
// Its 32 x 32 picture in the 16 standard colours, which the About box shows.
QPixmap AppIconPixmap();
