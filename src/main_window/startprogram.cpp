#include "main_window/startprogram.h"

#include "main_window/atel.h"
#include "platform/appicon.h"
#include "platform/appinfo.h"
#include "platform/dialogfonts.h"
#include "platform/focusring.h"
#include "platform/lightpalette.h"
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
