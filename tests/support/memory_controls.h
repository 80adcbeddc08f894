// Controls that live in memory only: the same operations as the widgets,
// for fast scenario tests and the benchmark, and the one picture-box fake.
// A list's selection is set by the caller standing in for the user.
#pragma once

#include "data/bitmap_file.h"
#include "data/gazetteer.h"
#include "window/control_table.h"
#include "window/controls.h"

#include <QStringList>
#include <functional>
#include <memory>

class MemoryTextBox : public TextBox {
public:
    void setText(const QString& t) override { text_ = t; }
    QString text() const override { return text_; }
private:
    QString text_;
};

class MemoryListBox : public ListBox {
public:
    void clear() override { items_.clear(); places_.clear(); looks_.clear(); selected_ = -1; }
    void append(const QString& item) override { append(item, RecordPlace{}, ItemLook{}); }
    void append(const QString& item, const RecordPlace& place, ItemLook look) override {
        items_.append(item);
        places_.append(place);
        looks_.append(std::move(look));
    }
    RecordPlace selectedPlace() const override { return place(selected_); }
    int selectedIndex() const override { return selected_; }
    QString selectedText() const override { return selected_ < 0 ? QString() : items_.at(selected_); }
    int count() const override { return static_cast<int>(items_.size()); }
    QString item(int i) const override { return items_.value(i); }
    QString shown(int i) const override {
        const QString s = looks_.value(i).shown;
        return s.isEmpty() ? items_.value(i) : s;
    }
    QString hint(int i) const override { return looks_.value(i).hint; }
    // The user's choice; -1 (or out of range) selects nothing.
    void select(int i) { selected_ = (i >= 0 && i < items_.size()) ? i : -1; }
    const QStringList& items() const { return items_; }
    RecordPlace place(int i) const { return places_.value(i); }
private:
    QStringList items_;
    QList<RecordPlace> places_;
    QList<ItemLook> looks_;
    int selected_ = -1;
};

// Reads its bitmaps from `gazetteer` as the window's boxes do; without one
// it keeps the path it is given and reads nothing (for tests of the glyph
// rules alone).
class MemoryPictureBox : public PictureBox {
public:
    explicit MemoryPictureBox(const Gazetteer* gazetteer = nullptr) : gazetteer_(gazetteer) {}
    void show() override { shown_ = true; }
    void hide() override { shown_ = false; }
    bool isShown() const override { return shown_; }
    void load(const QString& path) override {
        if (!gazetteer_) {
            path_ = path;
            return;
        }
        image_ = glyphs::readGlyph(*gazetteer_, path, ratio_);
        path_ = image_.isNull() ? QString() : path;
    }
    QString bitmap() const override { return path_; }
    // The screen the box stands for: above 1, loads pick the @2x bitmaps.
    void setDevicePixelRatio(qreal ratio) { ratio_ = ratio; }
    const QImage& image() const { return image_; }
private:
    const Gazetteer* gazetteer_;
    bool shown_ = false;
    qreal ratio_ = 1;
    QImage image_;
    QString path_;
};

class MemoryCaption : public Caption {
public:
    explicit MemoryCaption(QString c = {}) : caption_(std::move(c)) {}
    void setCaption(const QString& c) override { caption_ = c; }
    QString caption() const override { return caption_; }
private:
    QString caption_;
};

// Records every box shown; answers input dialogs through `answer` (default:
// OK with the text unchanged).
class ScriptedDialogs : public Dialogs {
public:
    struct Shown { QString kind, title, text, initial; };
    void message(const QString& title, const QString& text) override {
        shown.push_back({QStringLiteral("message"), title, text, {}});
    }
    QString input(const QString& prompt, const QString& title, const QString& initial) override {
        shown.push_back({QStringLiteral("input"), title, prompt, initial});
        return answer ? answer(initial) : initial;
    }
    std::vector<Shown> shown;
    std::function<QString(const QString&)> answer;
};

// The full set of in-memory controls, one for each row of the control table
// that the handlers use, wired into a Controls table by role and kept by the
// design's names (text[n] is Text<n>, list[n] List<n>, picture[n] Picture<n>).
struct MemoryWindow {
    explicit MemoryWindow(const Gazetteer& gazetteer) {
        for (MemoryPictureBox& box : picture)
            box = MemoryPictureBox(&gazetteer);
        for (const ui::ControlRow& row : ui::controlTable()) {
            const std::size_t n = numberOf(row.name);
            if (TextBox** t = c.textSlot(row.role))
                *t = &text[n];
            else if (ListBox** l = c.listSlot(row.role))
                *l = &list[n];
            else if (PictureBox** p = c.pictureSlot(row.role))
                *p = &picture[n];
            else if (row.role == ui::Role::Prompt) {
                label1.setCaption(row.caption.toString());
                c.prompt = &label1;
            }
        }
        c.dialogs = &dialogs;
    }
    MemoryWindow(const MemoryWindow&) = delete;
    MemoryWindow& operator=(const MemoryWindow&) = delete;

    // 7 for "Text7": the number the design gives a control.
    static std::size_t numberOf(QStringView name) {
        qsizetype digits = name.size();
        while (digits > 0 && name.at(digits - 1).isDigit())
            --digits;
        return static_cast<std::size_t>(name.mid(digits).toInt());
    }

    std::array<MemoryTextBox, ui::kTextBoxes + 1> text;
    std::array<MemoryListBox, ui::kLists + 1> list;
    std::array<MemoryPictureBox, ui::kPictures + 1> picture;
    MemoryCaption label1;
    ScriptedDialogs dialogs;
    Controls c;
};
