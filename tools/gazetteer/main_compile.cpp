// qm-gazetteer DATA_DIR OUT_DIR: compiles the gazetteer source into OUT_DIR/syu
// and OUT_DIR/ji. Exit status 0 on success; on a fault, one message on stderr
// and OUT_DIR as it was.
#include "output.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv) {
    // Rendering glyphs needs a GUI application, never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: qm-gazetteer DATA_DIR OUT_DIR\n");
        return 2;
    }
    QString error;
    if (!gazetteer::compile(args[1], args[2], &error)) {
        std::fprintf(stderr, "qm-gazetteer: %s\n", error.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
