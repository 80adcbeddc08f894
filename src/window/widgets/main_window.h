// Form1 on screen: the widgets built from the control table, the menus from
// the menu table, and each user event delivered to the form's handler.
#pragma once

#include "window/controls.h"
#include "window/form.h"

#include <QMainWindow>
#include <functional>
#include <array>
#include <memory>
#include <vector>

class QAction;
class QLineEdit;
class ClickList;
class PictureWidget;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // The window of the gazetteer `gazetteer` (its handlers create a missing
    // record file only if its options say so). `dialogs` answers the form's
    // modal boxes; nullptr means real modal boxes over this window. The
    // form's Load runs before this returns.
    explicit MainWindow(const Gazetteer& gazetteer, Dialogs* dialogs = nullptr,
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    Form& form() { return *form_; }
    const Controls& controls() const { return controls_; }

    // The parent of every control: the client area.
    QWidget* clientArea() const { return client_; }
    // The control or menu action with this name, or nullptr.
    QWidget* control(const QString& name) const;
    QAction* menuAction(const QString& name) const;

    // The county at `place` (a county file and record number), shown with its
    // commandery and province as a county found by a search is: what a
    // click on the map asks for.
    void showCounty(const RecordPlace& place);

signals:
    // 地図を表示 was chosen: the map is another window's business.
    void mapRequested();
    // After every event: the county file of the province shown and the
    // commandery and county names in their boxes, as stored (any may be
    // empty), so that a map can follow.
    void placeShown(const QString& countyFile, const QString& commandery, const QString& county);

private:
    void buildControls();
    void buildMenus();
    void wireEvents();
    void describeNameBox(std::size_t n);
    // Runs a handler as an event: guarded, then tells what is shown.
    void deliver(const std::function<void()>& handler);

    Gazetteer gazetteer_;
    QWidget* client_ = nullptr;
    std::vector<std::unique_ptr<TextBox>> textBoxes_;
    std::vector<std::unique_ptr<ListBox>> lists_;
    std::vector<std::unique_ptr<PictureBox>> pictures_;
    // The province, commandery and county names and the pictures over their
    // first and second characters.
    struct NameBox {
        QLineEdit* edit = nullptr;
        const PictureBox* first = nullptr;
        const PictureBox* second = nullptr;
    };
    std::array<NameBox, 3> nameBoxes_{};
    std::unique_ptr<Caption> label1_;
    std::unique_ptr<Dialogs> ownDialogs_;
    Controls controls_;
    std::unique_ptr<Form> form_;
};
