#include "main_window/startprogram.h"

#include "look/appicon.h"
#include "look/dialogfonts.h"
#include "look/focusring.h"
#include "look/lightpalette.h"
#include "main_window/atel.h"
#include "platform/appinfo.h"
#include "platform/runtime.h"

#include <QApplication>

void StartProgram(QApplication &app)
{
    QApplication::setApplicationName(App::Title());
    QApplication::setWindowIcon(AppIcon());
    Runtime::InstallQtTranslations(app);
    DialogFonts::Install();
    LightPalette::Install();
    FocusRing::Install();

    aTel::instance()->show();
}
