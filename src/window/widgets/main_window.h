// Form1 on screen: the widgets built from the control table, the menus from
// the menu table, and each user event delivered to the form's handler.
#pragma once

#include "window/controls.h"
#include "window/form.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <memory>
#include <vector>

class QAction;
class QLineEdit;
class ClickList;
class PictureWidget;
class MapWindow;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // `dialogs` answers the form's modal boxes; nullptr means real modal
    // boxes over this window. The form's Load runs before this returns.
    explicit MainWindow(Dialogs* dialogs = nullptr, QWidget* parent = nullptr);
    ~MainWindow() override;

    Form& form() { return *form_; }
    const Controls& controls() const { return controls_; }

    // The parent of every control: the client area.
    QWidget* clientArea() const { return client_; }
    // The control or menu action with this name, or nullptr.
    QWidget* control(const QString& name) const;
    QAction* menuAction(const QString& name) const;

private:
    void buildControls();
    void buildMenus();
    void wireEvents();
    void describeNameBox(int n);
    // The map window (menu 地図), made when first asked for; it follows the
    // lists. `list` is the list just clicked (3 province, 1 commandery, 2 county).
    void showMap();
    void followMap(int list);

    QWidget* client_ = nullptr;
    std::vector<std::unique_ptr<TextBox>> textBoxes_;
    std::vector<std::unique_ptr<ListBox>> lists_;
    std::vector<std::unique_ptr<PictureBox>> pictures_;
    // Text1..Text3 and the pictures over their first and second characters.
    struct NameBox {
        QLineEdit* edit = nullptr;
        const PictureBox* first = nullptr;
        const PictureBox* second = nullptr;
    };
    std::array<NameBox, 4> nameBoxes_{};
    std::unique_ptr<Caption> label1_;
    std::unique_ptr<Dialogs> ownDialogs_;
    Controls controls_;
    std::unique_ptr<Form> form_;
    QPointer<MapWindow> map_;
};
