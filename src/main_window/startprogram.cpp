#include "startprogram.h"

#include "appicon.h"
#include "appinfo.h"
#include "atel.h"
#include "bandedstyle.h"
#include "dialogfonts.h"
#include "focusring.h"
#include "lightpalette.h"
#include "runtime.h"

#include <QApplication>

void StartProgram(QApplication &app)
{
    QApplication::setApplicationName(App::Title());
    QApplication::setWindowIcon(AppIcon());
    Runtime::InstallQtTranslations(app);
    DialogFonts::Install();
    QApplication::setStyle(new BandedStyle);
    LightPalette::Install();
    FocusRing::Install();

    aTel::instance()->show();
}
