#include "windows.h"

Windows::Windows(const Gazetteer& gazetteer, Dialogs* dialogs, SaveDialog* save)
    : gazetteer_(gazetteer), save_(save), main_(gazetteer_, dialogs) {
    connect(&main_, &MainWindow::mapRequested, this, &Windows::showMap);
    connect(&main_, &MainWindow::placeShown, this,
            [this](const QString& file, const QString& commandery, const QString& county) {
                file_ = file, commandery_ = commandery, county_ = county;
                if (map_)
                    map_->follow(file, commandery, county);
            });
}

Windows::~Windows() { delete map_.data(); }

void Windows::showMap() {
    if (!map_) {
        map_ = new MapWindow(gazetteer_.root(), save_);
        map_->setAttribute(Qt::WA_DeleteOnClose);
        // Closing the main window ends the program, the map with it.
        map_->setAttribute(Qt::WA_QuitOnClose, false);
        connect(map_.data(), &MapWindow::countyChosen, &main_,
                [this](const QString& file, int record) { main_.showCounty({file, record}); });
        map_->follow(file_, commandery_, county_);
        // Beside the main window, not over it.
        map_->move(main_.frameGeometry().topRight() + QPoint(8, 0));
    }
    map_->show();
    map_->raise();
    map_->activateWindow();
}
