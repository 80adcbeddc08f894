// Form1: the window's state and one procedure per handled event. The
// procedures are defined beside their subsystem: start-up and the search
// options in window/, the list clicks and lookups in browse/, the search in
// search/, the other-software items in menu/.
#pragma once

#include "data/records.h"
#include "window/controls.h"

#include <QString>
#include <cstdint>
#include <optional>

struct ProvinceRow;

class Form {
public:
    // The controls must outlive the form.
    explicit Form(const Controls& controls);

    // Search mode: 1 郡漢字, 2 郡読み, 3 県漢字, 4 県読み, 5 県備考 (0 before Load).
    std::int16_t kop = 0;
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

    // The commandery of the first county (catalogue order, then file order)
    // whose name and reading equal the halves of `ken2`; nullopt if none.
    std::optional<QString> kenkensaku(const QString& ken2);
    // Shows every commandery named `gun2` (the last one stays) with its
    // province; returns fname afterwards. nullopt matches only an empty name.
    QString kensakugun(const std::optional<QString>& gun2);


private:
    void setMode(std::int16_t mode);
    void applyProvince(const ProvinceRow& row);
    void showCommandery(const gunrec& r);
    void showCounty(const kenrec& r);
    // Shows the commandery `county` belongs to: the one of its name in the
    // province whose county file is `countyFile`, else (none there) every
    // one of its name, as kensakugun. Returns fname afterwards.
    QString showCommanderyOf(const kenrec& county, const QString& countyFile);
    void hidePictures(int first, int last);

    TextBox& text(int n) const { return *c_.text[static_cast<std::size_t>(n)]; }
    ListBox& list(int n) const { return *c_.list[static_cast<std::size_t>(n)]; }
    PictureBox& picture(int n) const { return *c_.picture[static_cast<std::size_t>(n)]; }

    Controls c_;
};
