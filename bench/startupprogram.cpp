// Rubrio started exactly as the program starts, stopped at the main window's
// first paint. Run in a directory holding data.txt.

#include "firstpaintprobe.h"
#include "main_window/atel.h"
#include "main_window/startprogram.h"
#include "store/globalmodule.h"

#include <QApplication>
#include <QListWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FirstPaintProbe probe([] {
        return QStringLiteral("contacts=%1 listed=%2")
            .arg(GlobalModule::ContactCount)
            .arg(aTel::instance()->contactList()->count());
    });
    StartProgram(app);
    return QApplication::exec();
}
