#pragma once

#include <QIcon>

// Rubrio's icon: a 32 x 32 desk telephone in the 16 standard colours. The
// About box shows it and the application uses it as its window icon.
QIcon AppIcon();
// The same picture as the 32 x 32 pixmap it is drawn as.
QPixmap AppIconPixmap();
