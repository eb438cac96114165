#pragma once

class QApplication;

// Everything the program does between creating its QApplication and entering
// the event loop: the application's name, icon, Qt's translations, the
// dialog fonts, the style, the light palette and the focus ring, then the main
// window, created (which loads data.txt) and
// shown. The program and the start-up benchmark both start through it.
void StartProgram(QApplication &app);
