// Form1: the window's state and one procedure per handled event. The
// procedures are defined beside their subsystem: start-up and the search
// options in window/, the list clicks and lookups in browse/, the search in
// search/, the other-software items in menu/.
#pragma once

#include "data/gazetteer.h"
#include "data/records.h"
#include "window/controls.h"
#include "window/search_mode.h"

#include <QString>
#include <optional>

struct ProvinceRow;

class Form {
public:
    // The controls must outlive the form. The handlers read and create
    // record files only in `gazetteer`.
    Form(const Controls& controls, const Gazetteer& gazetteer);

    // Search mode (0 before Load).
    SearchMode kop = kNoMode;
    // Path of the current county file; empty until a province is applied.
    QString fname;

    // Events.
    void Form_Load();
    void mnukan_Click();
    void mnuyomi_Click();
    void mnukan2_Click();
    void mnuyomi2_Click();
    void mnubiko2_Click();
    void List3_Click();
    void List1_Click();
    void List2_Click();
    void Command1_Click();
    void mnugokan_Click();
    void mnuex_Click(int n);  // n = 1 .. 6 (0 is the home page, as mnugokan)
    // A county chosen on the map, by its place: shown with its commandery and
    // province as a county found by a search and clicked is; the lists and
    // the search mode stay.
    void Map_Click(const RecordPlace& county);

    // The commandery of the first county (catalogue order, then file order)
    // whose name and reading equal the halves of `ken2`; nullopt if none.
    std::optional<QString> kenkensaku(const QString& ken2);
    // Shows every commandery named `gun2` (the last one stays) with its
    // province; returns fname afterwards. nullopt matches only an empty name.
    QString kensakugun(const std::optional<QString>& gun2);

    const Gazetteer& gazetteer() const { return g_; }

private:
    void setMode(SearchMode mode);
    void applyProvince(const ProvinceRow& row);
    void showCommandery(const gunrec& r);
    void showCounty(const kenrec& r);
    // Shows the commandery `county` belongs to: the one of its name in the
    // province whose county file is `countyFile`, else (none there) every
    // one of its name, as kensakugun. Returns fname afterwards.
    QString showCommanderyOf(const kenrec& county, const QString& countyFile);
    // Empties the boxes and hides the pictures given.
    static void clear(std::initializer_list<TextBox*> boxes);
    static void hide(std::initializer_list<PictureBox*> pictures);

    Controls c_;
    Gazetteer g_;
};
