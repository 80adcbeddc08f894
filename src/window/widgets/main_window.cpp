#include "window/widgets/main_window.h"

#include "data/format.h"
#include "map/map_window.h"
#include "window/control_table.h"
#include "window/glyph_overlay.h"
#include "window/widgets/app_icon.h"
#include "window/widgets/modal_dialogs.h"
#include "window/widgets/qt_controls.h"

#include <QDir>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtGlobal>
#include <exception>

namespace {

// No handler may end the program: whatever escapes one is logged and the
// window goes on with the next event.
template <class Fn>
void guarded(Fn&& fn) {
    try {
        fn();
    } catch (const std::exception& e) {
        qCritical("quillmere: a handler failed: %s", e.what());
    } catch (...) {
        qCritical("quillmere: a handler failed with an exception of unknown type");
    }
}

QFont fontFor(ui::FontSize size) {
    const ui::FontSpec face = ui::fontSpec(size);
    QFont font;
    font.setFamilies(ui::fontFamilies());
    font.setStyleHint(QFont::SansSerif);
    // Pixel sizes scale with the layout, which is in device-independent
    // pixels too, so text keeps its place in the boxes on any screen.
    font.setPixelSize(face.pixelSize);
    font.setBold(face.bold);
    return font;
}

// The palette roles that carry a kind's text and background colours.
struct Roles {
    QPalette::ColorRole foreground, background;
};

Roles rolesFor(ui::Kind kind) {
    switch (kind) {
    case ui::Kind::TextBox:
    case ui::Kind::List: return {QPalette::Text, QPalette::Base};
    case ui::Kind::Button: return {QPalette::ButtonText, QPalette::Button};
    default: return {QPalette::WindowText, QPalette::Window};
    }
}

QWidget* createWidget(const ui::ControlRow& row, QWidget* parent) {
    const QString caption = row.caption.toString();
    switch (row.kind) {
    case ui::Kind::TextBox:
        if (row.flags & ui::kMultiLine) {
            auto* edit = new QPlainTextEdit(parent);
            edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
            edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            // Tab walks the form, as in every other field.
            edit->setTabChangesFocus(true);
            return edit;
        }
        return new QLineEdit(parent);
    case ui::Kind::Button: {
        auto* button = new QPushButton(caption, parent);
        // Enter in a field must not press it.
        button->setAutoDefault(false);
        button->setDefault(false);
        return button;
    }
    case ui::Kind::PictureBox: return new PictureWidget(parent);
    case ui::Kind::List: return new ClickList(parent);
    case ui::Kind::Label: {
        auto* label = new QLabel(caption, parent);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case ui::Kind::Image: return new QLabel(parent);
    case ui::Kind::Shape:
        return new HatchWidget(QColor::fromRgb(row.foreground.value_or(0xFF000000)), parent);
    }
    return new QWidget(parent);
}

void applyStyle(const ui::ControlRow& row, QWidget* widget) {
    widget->setObjectName(row.name.toString());
    widget->setAccessibleName(row.accessibleName.toString());
    widget->setGeometry(ui::toPixels(row.twips.left), ui::toPixels(row.twips.top),
                        ui::toPixels(row.twips.width), ui::toPixels(row.twips.height));
    if (row.font != ui::FontSize::None)
        widget->setFont(fontFor(row.font));
    const Roles roles = rolesFor(row.kind);
    QPalette palette = widget->palette();
    if (row.foreground)
        palette.setColor(roles.foreground, QColor::fromRgb(*row.foreground));
    if (row.background)
        palette.setColor(roles.background, QColor::fromRgb(*row.background));
    widget->setPalette(palette);
    if (row.flags & ui::kTransparent) {
        widget->setAutoFillBackground(false);
        widget->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    if (row.flags & ui::kHidden)
        widget->hide();
}

QString menuText(const QString& caption) {
    // A caption is shown as written: '&' is not a mnemonic marker here.
    QString text = caption;
    return text.replace(u'&', QStringLiteral("&&"));
}

}  // namespace

MainWindow::MainWindow(Dialogs* dialogs, QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Quillmere"));
    setWindowIcon(appicon::icon());

    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("Form1"));
    client_->setFixedSize(ui::toPixels(ui::kClientWidth), ui::toPixels(ui::kClientHeight));
    client_->setAutoFillBackground(true);
    QPalette palette = client_->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(ui::kWindowBackground));
    client_->setPalette(palette);
    setCentralWidget(client_);
    // The layout is fixed in place; the window keeps the client area's size.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    buildControls();
    buildMenus();

    if (!dialogs) {
        ownDialogs_ = std::make_unique<ModalDialogs>(this);
        dialogs = ownDialogs_.get();
    }
    controls_.dialogs = dialogs;
    form_ = std::make_unique<Form>(controls_);
    wireEvents();

    if (QWidget* first = control(QStringLiteral("Text1")))
        first->setFocus(Qt::OtherFocusReason);
    guarded([this] { form_->Form_Load(); });
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls() {
    const auto rows = ui::controlTable();
    // Qt stacks later siblings over earlier ones, so the back row comes first.
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        QWidget* widget = createWidget(*it, client_);
        applyStyle(*it, widget);
    }

    QWidget* previous = nullptr;
    for (QStringView name : ui::tabOrder()) {
        QWidget* widget = control(name.toString());
        if (previous && widget)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
    // Pictures, labels, the image and the backdrop take no focus.
    for (const ui::ControlRow& row : rows)
        if (row.kind == ui::Kind::PictureBox || row.kind == ui::Kind::Label ||
            row.kind == ui::Kind::Image || row.kind == ui::Kind::Shape)
            control(row.name.toString())->setFocusPolicy(Qt::NoFocus);

    // Text1 lies under Picture1; Text2 under Picture2 and 3; Text3 under
    // Picture4 and 5, each picture over one character. A box's description
    // follows its text and the pictures over it.
    static constexpr int kBoxOfPicture[ui::kPictures + 1] = {0, 1, 2, 2, 3, 3};
    for (const ui::ControlRow& row : rows) {
        QWidget* widget = control(row.name.toString());
        const auto n = static_cast<std::size_t>(row.number);
        switch (row.role) {
        case ui::Role::Text: {
            std::unique_ptr<TextBox> box;
            if (auto* line = qobject_cast<QLineEdit*>(widget))
                box = std::make_unique<LineEditBox>(line);
            else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget))
                box = std::make_unique<PlainTextBox>(plain);
            controls_.text[n] = box.get();
            textBoxes_.push_back(std::move(box));
            break;
        }
        case ui::Role::List: {
            auto list = std::make_unique<ListAdapter>(qobject_cast<ClickList*>(widget));
            controls_.list[n] = list.get();
            lists_.push_back(std::move(list));
            break;
        }
        case ui::Role::Picture: {
            const int box = kBoxOfPicture[n];
            auto picture = std::make_unique<WatchedPicture>(
                qobject_cast<PictureWidget*>(widget), [this, box] { describeNameBox(box); });
            controls_.picture[n] = picture.get();
            pictures_.push_back(std::move(picture));
            break;
        }
        case ui::Role::Prompt:
            label1_ = std::make_unique<LabelCaption>(qobject_cast<QLabel*>(widget));
            controls_.label1 = label1_.get();
            break;
        case ui::Role::None: break;
        }
    }
    const auto& p = controls_.picture;
    nameBoxes_ = {{{}, {nullptr, p[1], nullptr}, {nullptr, p[2], p[3]}, {nullptr, p[4], p[5]}}};
    for (int n = 1; n <= 3; ++n) {
        NameBox& box = nameBoxes_[static_cast<std::size_t>(n)];
        box.edit =
            qobject_cast<QLineEdit*>(control(ui::controlFor(ui::Role::Text, n)->name.toString()));
        if (box.edit)
            connect(box.edit, &QLineEdit::textChanged, this, [this, n] { describeNameBox(n); });
    }
}

void MainWindow::buildMenus() {
    const std::vector<ui::MenuRow>& rows = ui::menuTable();
    QMenu* current = nullptr;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ui::MenuRow& row = rows[i];
        if (!row.item.isEmpty()) {
            QAction* action = current->addAction(menuText(row.caption));
            action->setObjectName(row.item);
            continue;
        }
        const bool hasItems = i + 1 < rows.size() && rows[i + 1].menu == row.menu &&
                              !rows[i + 1].item.isEmpty();
        if (hasItems) {
            current = menuBar()->addMenu(menuText(row.caption));
            current->setObjectName(row.menu);
        } else {
            // A bar entry with no items acts on a click of its own title.
            auto* action = new QAction(menuText(row.caption), menuBar());
            action->setObjectName(row.menu);
            menuBar()->addAction(action);
            current = nullptr;
        }
    }
}

void MainWindow::wireEvents() {
    Form* form = form_.get();
    const std::pair<const char*, void (Form::*)()> actions[] = {
        {"mnukan", &Form::mnukan_Click},   {"mnuyomi", &Form::mnuyomi_Click},
        {"mnukan2", &Form::mnukan2_Click}, {"mnuyomi2", &Form::mnuyomi2_Click},
        {"mnubiko2", &Form::mnubiko2_Click},
        {"mnugokan", &Form::mnugokan_Click},
    };
    for (const auto& [name, handler] : actions)
        if (QAction* action = menuAction(QString::fromLatin1(name)))
            connect(action, &QAction::triggered, this,
                    [form, handler] { guarded([&] { (form->*handler)(); }); });
    for (int n = 1; n <= 6; ++n)
        if (QAction* action = menuAction(QStringLiteral("mnuex%1").arg(n)))
            connect(action, &QAction::triggered, this,
                    [form, n] { guarded([&] { form->mnuex_Click(n); }); });

    const std::pair<int, void (Form::*)()> lists[] = {
        {1, &Form::List1_Click}, {2, &Form::List2_Click}, {3, &Form::List3_Click}};
    for (const auto& [n, handler] : lists)
        if (auto* list = qobject_cast<ClickList*>(
                control(ui::controlFor(ui::Role::List, n)->name.toString())))
            connect(list, &ClickList::clicked, this,
                    [this, form, handler, n = n] { guarded([&] { (form->*handler)(); followMap(n); }); });
    if (QAction* action = menuAction(QStringLiteral("mnuchizu1")))
        connect(action, &QAction::triggered, this, [this] { guarded([&] { showMap(); }); });

    if (auto* button = qobject_cast<QPushButton*>(control(QStringLiteral("Command1"))))
        connect(button, &QPushButton::clicked, this,
                [form] { guarded([&] { form->Command1_Click(); }); });
}

// A screen reader speaks a name box's text, where a placeholder says nothing
// of the character the picture over it shows. The description carries the
// name with those characters; a name without placeholders needs none.
void MainWindow::describeNameBox(int n) {
    const NameBox& box = nameBoxes_[static_cast<std::size_t>(n)];
    if (!box.edit)
        return;
    const QString text = box.edit->text();
    const bool placeholder = text.contains(glyphs::kBlack) || text.contains(glyphs::kWhite);
    const QString description =
        placeholder ? glyphs::spokenName(text, box.first, box.second) : QString();
    if (box.edit->accessibleDescription() != description)
        box.edit->setAccessibleDescription(description);
}

QWidget* MainWindow::control(const QString& name) const {
    return client_->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
}

QAction* MainWindow::menuAction(const QString& name) const {
    if (const QMenu* menu = menuBar()->findChild<QMenu*>(name))
        return menu->menuAction();
    return menuBar()->findChild<QAction*>(name);
}

void MainWindow::showMap() {
    if (!map_) {
        // A window of its own beside this one, read when first shown.
        const QString dir = format::root().isEmpty() ? QDir::currentPath() : format::root();
        map_ = new MapWindow(dir);
        map_->setAttribute(Qt::WA_DeleteOnClose);
        connect(this, &QObject::destroyed, map_.data(), &QObject::deleteLater);
        followMap(2);
    }
    map_->show();
    map_->raise();
    map_->activateWindow();
}

void MainWindow::followMap(int list) {
    if (!map_)
        return;
    const auto text = [this](int n) { return controls_.text[static_cast<std::size_t>(n)]->text(); };
    map_->follow(form_->fname, list == 3 ? QString() : text(2), list == 2 ? text(3) : QString());
}
