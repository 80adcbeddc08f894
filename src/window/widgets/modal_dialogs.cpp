#include "window/widgets/modal_dialogs.h"

#include <QLineEdit>

void ModalDialogs::message(const QString& title, const QString& text) {
    buildMessage(parent_, title, text)->exec();
}

QString ModalDialogs::input(const QString& prompt, const QString& title, const QString& initial) {
    const std::unique_ptr<QInputDialog> dialog = buildInput(parent_, prompt, title, initial);
    const int result = dialog->exec();
    return answer(*dialog, result);
}

std::unique_ptr<QMessageBox> ModalDialogs::buildMessage(QWidget* parent, const QString& title,
                                                        const QString& text) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, title, text, QMessageBox::Ok,
                                             parent);
    // Messages are data, never markup.
    box->setTextFormat(Qt::PlainText);
    return box;
}

std::unique_ptr<QInputDialog> ModalDialogs::buildInput(QWidget* parent, const QString& prompt,
                                                       const QString& title,
                                                       const QString& initial) {
    auto dialog = std::make_unique<QInputDialog>(parent);
    dialog->setInputMode(QInputDialog::TextInput);
    dialog->setTextEchoMode(QLineEdit::Normal);
    dialog->setWindowTitle(title);
    dialog->setLabelText(prompt);
    dialog->setTextValue(initial);
    return dialog;
}

QString ModalDialogs::answer(const QInputDialog& dialog, int result) {
    return result == QDialog::Accepted ? dialog.textValue() : QString();
}
