// The toolkit's floor for start-up: a bare Qt program that shows an empty
// QMainWindow with a menu bar, of the size given as WIDTH HEIGHT, stopped at
// its first paint.

#include "firstpaintprobe.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FirstPaintProbe probe;
    const QStringList args = QApplication::arguments();
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("File"));
    window.menuBar()->addMenu(QStringLiteral("Edit"));
    window.menuBar()->addMenu(QStringLiteral("Help"));
    window.resize(args.value(1).toInt(), args.value(2).toInt());
    window.show();
    return QApplication::exec();
}
