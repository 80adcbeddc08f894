#include "window/widgets/qt_controls.h"

#include "data/bitmap_file.h"
#include "window/glyph_overlay.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

ClickList::ClickList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    setDragEnabled(false);
    // Every item is one line in the list's font. Without this the view
    // measures each item's text before it can lay out, which for a search
    // listing every county costs far more than reading the files.
    setUniformItemSizes(true);
}

int ClickList::selectedRow() const {
    const QListWidgetItem* current = currentItem();
    return current && current->isSelected() ? row(current) : -1;
}

void ClickList::mousePressEvent(QMouseEvent* event) {
    // Only a left press on an item chooses anything; other presses would
    // change the selection behind the handlers' back.
    if (event->button() != Qt::LeftButton || !itemAt(event->position().toPoint())) {
        setFocus(Qt::MouseFocusReason);
        event->accept();
        return;
    }
    QListWidget::mousePressEvent(event);
    if (selectedRow() >= 0)
        emit clicked();
}

void ClickList::mouseMoveEvent(QMouseEvent* event) {
    // Dragging with the button down would move the selection without a click.
    if (event->buttons() != Qt::NoButton) {
        event->accept();
        return;
    }
    QListWidget::mouseMoveEvent(event);
}

void ClickList::keyPressEvent(QKeyEvent* event) {
    const int before = selectedRow();
    // With nothing selected, the first Down should select the first item,
    // not the one after the row focus happened to mark as current.
    if (before < 0 && currentIndex().isValid())
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    QListWidget::keyPressEvent(event);
    const int after = selectedRow();
    if (after >= 0 && after != before)
        emit clicked();
}

PictureWidget::PictureWidget(const Gazetteer& gazetteer, QWidget* parent)
    : QWidget(parent), gazetteer_(gazetteer) {
    setAutoFillBackground(true);
}

void PictureWidget::load(const QString& path) {
    requested_ = path;
    readImage();
    update();
}

void PictureWidget::readImage() {
    loadedRatio_ = devicePixelRatioF();
    const QImage image = glyphs::readGlyph(gazetteer_, requested_, loadedRatio_);
    pixmap_ = image.isNull() ? QPixmap() : QPixmap::fromImage(image);
    path_ = pixmap_.isNull() ? QString() : requested_;
}

void PictureWidget::paintEvent(QPaintEvent*) {
    // The window may have moved to a screen of another pixel ratio since
    // the bitmap was read: draw the variant made for this one.
    if (!requested_.isEmpty() && (devicePixelRatioF() > 1) != (loadedRatio_ > 1))
        readImage();
    if (pixmap_.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, pixmap_);
}

HatchWidget::HatchWidget(QColor colour, QWidget* parent) : QWidget(parent), colour_(colour) {}

void HatchWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QBrush(colour_, Qt::DiagCrossPattern));
}

void LineEditBox::setText(const QString& text) {
    edit_->setText(text);
    // Show the start of a long value, as a freshly filled field does.
    edit_->setCursorPosition(0);
}

namespace {

// The text the handlers compare: a placed item's own, else what it shows.
QString itemText(const QListWidgetItem* it) {
    if (!it)
        return {};
    const QVariant own = it->data(PlacedItem::kItemRole);
    return own.isValid() ? own.toString() : it->text();
}

}  // namespace

QString ListAdapter::selectedText() const {
    const int row = list_->selectedRow();
    return row < 0 ? QString() : itemText(list_->item(row));
}

QVariant PlacedItem::data(int role) const {
    switch (role) {
    case kFileRole:
        return place_.file;
    case kRecordRole:
        return place_.record;
    case kItemRole:
        return item_;
    case Qt::AccessibleTextRole:
        return text();
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        return hint_.isEmpty() ? QListWidgetItem::data(role) : QVariant(hint_);
    default:
        return QListWidgetItem::data(role);
    }
}

RecordPlace ListAdapter::selectedPlace() const {
    const int row = list_->selectedRow();
    const QListWidgetItem* it = row < 0 ? nullptr : list_->item(row);
    if (!it)
        return {};
    return {it->data(PlacedItem::kFileRole).toString(), it->data(PlacedItem::kRecordRole).toInt()};
}

QString ListAdapter::item(int index) const { return itemText(list_->item(index)); }

QString ListAdapter::hint(int index) const {
    const QListWidgetItem* it = list_->item(index);
    return it ? it->data(Qt::ToolTipRole).toString() : QString();
}

QString ListAdapter::shown(int index) const {
    const QListWidgetItem* it = list_->item(index);
    return it ? it->text() : QString();
}

void LabelCaption::setCaption(const QString& caption) {
    label_->setText(caption);
    label_->setAccessibleName(caption);
}
