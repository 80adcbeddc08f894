// The window's real modal boxes. Building a box and running it are split so
// that the boxes' contents can be checked without blocking on them.
#pragma once

#include "window/controls.h"

#include <QInputDialog>
#include <QMessageBox>
#include <memory>

class QWidget;

class ModalDialogs : public Dialogs {
public:
    explicit ModalDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void message(const QString& title, const QString& text) override;
    QString input(const QString& prompt, const QString& title, const QString& initial) override;

    // A box with the title, the text, one OK button and no icon.
    static std::unique_ptr<QMessageBox> buildMessage(QWidget* parent, const QString& title,
                                                     const QString& text);
    // A one-line text dialog with OK and Cancel, pre-filled with `initial`.
    static std::unique_ptr<QInputDialog> buildInput(QWidget* parent, const QString& prompt,
                                                    const QString& title, const QString& initial);
    // The edited text when the dialog was accepted, an empty text otherwise.
    static QString answer(const QInputDialog& dialog, int result);

private:
    QWidget* parent_;
};
