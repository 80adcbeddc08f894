// The control operations over real Qt widgets, and the few widgets Qt has no
// ready equivalent for: a list whose Click comes only from the user, a
// picture box that draws its bitmap unscaled from the corner, and the
// window's hatched backdrop.
#pragma once

#include "data/gazetteer.h"
#include "window/controls.h"

#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QWidget>
#include <functional>

// Emits clicked() once per user action that selects an item: a left click on
// an item (the selected one too) or a key that moves the selection. Changes
// made by code (clear, addItem) emit nothing.
class ClickList : public QListWidget {
    Q_OBJECT
public:
    explicit ClickList(QWidget* parent = nullptr);
    // The current row when that item is selected, else -1.
    int selectedRow() const;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// A picture box: background colour, bitmap drawn at the top-left corner and
// clipped to the box, no border, no resizing to the bitmap. On a screen with
// more than one device pixel per pixel it draws the bitmap's @2x variant
// (see bitmap_file.h) at the same place and size, so the glyph stays sharp.
class PictureWidget : public QWidget, public PictureBox {
    Q_OBJECT
public:
    // Bitmaps are read from `gazetteer`, which must outlive the box.
    explicit PictureWidget(const Gazetteer& gazetteer, QWidget* parent = nullptr);
    void show() override { QWidget::show(); }
    void hide() override { QWidget::hide(); }
    // Asked of the box itself: the window may not be on screen yet.
    bool isShown() const override { return !isHidden(); }
    void load(const QString& path) override;
    QString bitmap() const override { return path_; }
    const QPixmap& pixmap() const { return pixmap_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void readImage();

    const Gazetteer& gazetteer_;
    QPixmap pixmap_;
    QString path_;       // the bitmap shown; empty when none
    QString requested_;  // what load() was given
    qreal loadedRatio_ = 1;
};

// A rectangle filled with a diagonal cross-hatch in one colour; the parent's
// background shows between the lines.
class HatchWidget : public QWidget {
    Q_OBJECT
public:
    HatchWidget(QColor colour, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_;
};

class LineEditBox : public TextBox {
public:
    explicit LineEditBox(QLineEdit* edit) : edit_(edit) {}
    void setText(const QString& text) override;
    QString text() const override { return edit_->text(); }
private:
    QLineEdit* edit_;
};

class PlainTextBox : public TextBox {
public:
    explicit PlainTextBox(QPlainTextEdit* edit) : edit_(edit) {}
    void setText(const QString& text) override { edit_->setPlainText(text); }
    QString text() const override { return edit_->toPlainText(); }
private:
    QPlainTextEdit* edit_;
};

// A list item that keeps the place of its record: the file under
// Qt::UserRole, the record number under Qt::UserRole + 1, the item text the
// handlers compare under Qt::UserRole + 2, while it displays (and a screen
// reader says) its look's text and tells its look's hint as its tooltip and
// accessible description. It only keeps what the handler gave it.
class PlacedItem : public QListWidgetItem {
public:
    static constexpr int kFileRole = Qt::UserRole;
    static constexpr int kRecordRole = Qt::UserRole + 1;
    static constexpr int kItemRole = Qt::UserRole + 2;
    PlacedItem(const QString& item, const RecordPlace& place, ItemLook look)
        : QListWidgetItem(look.shown.isEmpty() ? item : look.shown, nullptr, QListWidgetItem::UserType),
          item_(item), place_(place), hint_(std::move(look.hint)) {}
    QVariant data(int role) const override;
    QListWidgetItem* clone() const override { return new PlacedItem(*this); }

private:
    QString item_;
    RecordPlace place_;
    QString hint_;
};

class ListAdapter : public ListBox {
public:
    explicit ListAdapter(ClickList* list) : list_(list) {}
    void clear() override { list_->clear(); }
    void append(const QString& item) override { list_->addItem(item); }
    void append(const QString& item, const RecordPlace& place, ItemLook look) override {
        list_->addItem(new PlacedItem(item, place, std::move(look)));
    }
    RecordPlace selectedPlace() const override;
    int selectedIndex() const override { return list_->selectedRow(); }
    QString selectedText() const override;
    int count() const override { return list_->count(); }
    QString item(int index) const override;
    QString shown(int index) const override;
    QString hint(int index) const override;
private:
    ClickList* list_;
};

// The handlers' view of a picture box that tells `changed` after every show,
// hide and load, so what depends on the picture can follow it.
class WatchedPicture : public PictureBox {
public:
    WatchedPicture(PictureBox* box, std::function<void()> changed)
        : box_(box), changed_(std::move(changed)) {}
    void show() override { box_->show(); changed_(); }
    void hide() override { box_->hide(); changed_(); }
    bool isShown() const override { return box_->isShown(); }
    void load(const QString& path) override { box_->load(path); changed_(); }
    QString bitmap() const override { return box_->bitmap(); }
private:
    PictureBox* box_;
    std::function<void()> changed_;
};

// Keeps the label's accessible name in step with its caption, so a screen
// reader never announces a stale prompt.
class LabelCaption : public Caption {
public:
    explicit LabelCaption(QLabel* label) : label_(label) {}
    void setCaption(const QString& caption) override;
    QString caption() const override { return label_->text(); }
private:
    QLabel* label_;
};
