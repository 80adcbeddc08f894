// Controls that live in memory only: the same operations as the widgets,
// for fast scenario tests and the benchmark. A list's selection is set by
// the caller standing in for the user.
#pragma once

#include "data/bitmap_file.h"
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
    void append(const QString& item, const RecordPlace& place, const ItemLook& look) override {
        items_.append(item);
        places_.append(place);
        looks_.append(look);
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
    ItemLook look(int i) const { return looks_.value(i); }
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

class MemoryPictureBox : public PictureBox {
public:
    void show() override { shown_ = true; }
    void hide() override { shown_ = false; }
    bool isShown() const override { return shown_; }
    void load(const QString& path) override {
        image_ = glyphs::readGlyph(path, ratio_);
        path_ = image_.isNull() ? QString() : path;
    }
    QString bitmap() const override { return path_; }
    // The screen the box stands for: above 1, loads pick the @2x bitmaps.
    void setDevicePixelRatio(qreal ratio) { ratio_ = ratio; }
    const QImage& image() const { return image_; }
private:
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
// that the handlers use, wired into a Controls table.
struct MemoryWindow {
    MemoryWindow() {
        for (const ui::ControlRow& row : ui::controlTable()) {
            const auto n = static_cast<std::size_t>(row.number);
            switch (row.role) {
            case ui::Role::Text: c.text[n] = &text[n]; break;
            case ui::Role::List: c.list[n] = &list[n]; break;
            case ui::Role::Picture: c.picture[n] = &picture[n]; break;
            case ui::Role::Prompt:
                label1.setCaption(row.caption.toString());
                c.label1 = &label1;
                break;
            case ui::Role::None: break;
            }
        }
        c.dialogs = &dialogs;
    }
    MemoryWindow(const MemoryWindow&) = delete;
    MemoryWindow& operator=(const MemoryWindow&) = delete;

    std::array<MemoryTextBox, ui::kTextBoxes + 1> text;
    std::array<MemoryListBox, ui::kLists + 1> list;
    std::array<MemoryPictureBox, ui::kPictures + 1> picture;
    MemoryCaption label1;
    ScriptedDialogs dialogs;
    Controls c;
};
