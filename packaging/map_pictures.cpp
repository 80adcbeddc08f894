// qm-map-pictures GAZETTEER_DIR OUT_DIR: the map window's pictures for the
// README, taken from the windows themselves as a user drives them: the whole
// map, 司隸 close up with 河南尹 and 雒陽 chosen in the main window, and the
// census view. Run by packaging/screenshots.sh.
#include "windows.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>
#include <cstdio>

namespace {

bool choose(MainWindow& main, const char* list, const QString& item) {
    auto* w = qobject_cast<QListWidget*>(main.control(QString::fromLatin1(list)));
    const auto found = w ? w->findItems(item, Qt::MatchStartsWith) : QList<QListWidgetItem*>();
    if (found.isEmpty())
        return false;
    w->scrollToItem(found.front());
    QTest::mouseClick(w->viewport(), Qt::LeftButton, {}, w->visualItemRect(found.front()).center());
    return true;
}

bool save(QWidget& w, const QString& path) {
    QTest::qWait(200);
    return w.grab().save(path);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: qm-map-pictures GAZETTEER_DIR OUT_DIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[2]));
    Windows windows(Gazetteer::open({}, QString::fromLocal8Bit(argv[1])));
    MainWindow& main = windows.main();
    main.show();
    if (!QTest::qWaitForWindowExposed(&main))
        return 1;
    main.menuAction(QStringLiteral("mnuchizu1"))->trigger();
    MapWindow* map = windows.map();
    if (!map)
        return 1;
    map->resize(1100, 800);
    if (!QTest::qWaitForWindowExposed(map))
        return 1;
    map->map()->showAll();
    bool ok = save(*map, out.filePath(QStringLiteral("map-whole.png")));

    ok = ok && choose(main, "List3", QStringLiteral("司隸校尉")) && choose(main, "List1", QStringLiteral("河南尹")) &&
         choose(main, "List2", QStringLiteral("雒陽"));
    MapWidget& widget = *map->map();
    if (ok && !widget.highlighted().empty()) {
        // Closer in about 雒陽, as the wheel over it does.
        for (int i = 0; i < 9; ++i) {
            const QPointF at = widget.screenPos(widget.highlighted().front());
            QWheelEvent wheel(at, widget.mapToGlobal(at), {}, {0, 120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
            QApplication::sendEvent(&widget, &wheel);
        }
    }
    ok = ok && save(*map, out.filePath(QStringLiteral("map-sili.png")));

    widget.showAll();
    for (QPushButton* b : map->findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("人口"))
            b->click();
    ok = ok && save(*map, out.filePath(QStringLiteral("map-census.png")));
    std::fprintf(stderr, ok ? "map pictures written\n" : "map pictures failed\n");
    return ok ? 0 : 1;
}
