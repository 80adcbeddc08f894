// Quillmere: creates the window (whose Load fills the province list), shows
// it and runs until it is closed; the map opens beside it when asked for.
#include "windows.h"

#include <QApplication>

int main(int, char** argv) {
    // The program takes no command line: Qt sees only the program's name.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QApplication app(qtArgc, qtArgv);
    // The gazetteer in the working directory; opening a missing record file
    // creates it empty, as the window always has.
    const Gazetteer gazetteer = Gazetteer::open({.create_if_missing = true}, QStringLiteral("."));
    Windows windows(gazetteer);
    windows.main().show();
    return app.exec();
}
