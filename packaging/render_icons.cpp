// Build tool: writes the program's icon into a hicolor theme tree,
// OUT/hicolor/<n>x<n>/apps/quillmere.png for every theme size.
#include "icon_sizes.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-DIR\n", argv[0]);
        return 2;
    }
    QGuiApplication app(argc, argv);
    const QString out = QString::fromLocal8Bit(argv[1]);
    for (int size : appicon::kThemeSizes) {
        const QString dir = QStringLiteral("%1/hicolor/%2x%2/apps").arg(out).arg(size);
        const QString file = dir + QStringLiteral("/quillmere.png");
        const QImage icon = appicon::imageAt(size);
        if (icon.isNull() || !QDir().mkpath(dir) || !icon.save(file, "PNG")) {
            std::fprintf(stderr, "render-icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
