// The program's windows: the main window, and the map, which is made the
// first time 地図を表示 asks for it (nothing of it is read before) and then
// follows what the main window shows; a county chosen on the map is shown
// in the main window.
#pragma once

#include "map/map_window.h"
#include "window/widgets/main_window.h"

#include <QObject>
#include <QPointer>

class Windows : public QObject {
    Q_OBJECT
public:
    // The windows of `gazetteer`; `dialogs` and `save` answer their modal
    // boxes (nullptr: real dialogs).
    explicit Windows(const Gazetteer& gazetteer, Dialogs* dialogs = nullptr, SaveDialog* save = nullptr);
    ~Windows() override;

    MainWindow& main() { return main_; }
    // The map window once it has been opened, else nullptr.
    MapWindow* map() const { return map_; }
    // Opens the map window (or brings it forward), following the main window.
    void showMap();

private:
    Gazetteer gazetteer_;
    SaveDialog* save_;
    MainWindow main_;
    QPointer<MapWindow> map_;
    // What the main window last showed, for a map opened later.
    QString file_, commandery_, county_;
};
