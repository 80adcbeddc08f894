#include "window/widgets/main_window.h"

#include "window/control_table.h"
#include "window/glyph_overlay.h"
#include "window/widgets/app_icon.h"
#include "window/widgets/modal_dialogs.h"
#include "window/widgets/qt_controls.h"

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

QWidget* createWidget(const ui::ControlRow& row, const Gazetteer& gazetteer, QWidget* parent) {
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
    case ui::Kind::PictureBox: return new PictureWidget(gazetteer, parent);
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

MainWindow::MainWindow(const Gazetteer& gazetteer, Dialogs* dialogs, QWidget* parent)
    : QMainWindow(parent), gazetteer_(gazetteer) {
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
    form_ = std::make_unique<Form>(controls_, gazetteer_);
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
        QWidget* widget = createWidget(*it, gazetteer_, client_);
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

    // Each name box lies under the pictures over its first and second
    // characters; a box's description follows its text and those pictures.
    using ui::Role;
    struct NameRoles {
        Role box, first, second;
    };
    static constexpr NameRoles kNames[] = {
        {Role::ProvinceName, Role::ProvinceGlyph, Role::None},
        {Role::CommanderyName, Role::CommanderyFirstGlyph, Role::CommanderySecondGlyph},
        {Role::CountyName, Role::CountyFirstGlyph, Role::CountySecondGlyph},
    };
    auto nameBoxOf = [](Role picture) -> std::size_t {
        for (std::size_t i = 0; i < std::size(kNames); ++i)
            if (kNames[i].first == picture || kNames[i].second == picture)
                return i;
        return 0;
    };
    for (const ui::ControlRow& row : rows) {
        QWidget* widget = control(row.name.toString());
        if (TextBox** slot = controls_.textSlot(row.role)) {
            std::unique_ptr<TextBox> box;
            if (auto* line = qobject_cast<QLineEdit*>(widget))
                box = std::make_unique<LineEditBox>(line);
            else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget))
                box = std::make_unique<PlainTextBox>(plain);
            *slot = box.get();
            textBoxes_.push_back(std::move(box));
        } else if (ListBox** list = controls_.listSlot(row.role)) {
            auto adapter = std::make_unique<ListAdapter>(qobject_cast<ClickList*>(widget));
            *list = adapter.get();
            lists_.push_back(std::move(adapter));
        } else if (PictureBox** picture = controls_.pictureSlot(row.role)) {
            const std::size_t box = nameBoxOf(row.role);
            auto watched = std::make_unique<WatchedPicture>(
                qobject_cast<PictureWidget*>(widget), [this, box] { describeNameBox(box); });
            *picture = watched.get();
            pictures_.push_back(std::move(watched));
        } else if (row.role == Role::Prompt) {
            label1_ = std::make_unique<LabelCaption>(qobject_cast<QLabel*>(widget));
            controls_.prompt = label1_.get();
        }
    }
    for (std::size_t i = 0; i < std::size(kNames); ++i) {
        NameBox& box = nameBoxes_[i];
        box.first = controls_.picture(kNames[i].first);
        box.second = controls_.picture(kNames[i].second);
        box.edit = qobject_cast<QLineEdit*>(control(ui::controlFor(kNames[i].box)->name.toString()));
        if (box.edit)
            connect(box.edit, &QLineEdit::textChanged, this, [this, i] { describeNameBox(i); });
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
            connect(action, &QAction::triggered, this, [this, form, handler] { deliver([=] { (form->*handler)(); }); });
    for (int n = 1; n <= 6; ++n)
        if (QAction* action = menuAction(QStringLiteral("mnuex%1").arg(n)))
            connect(action, &QAction::triggered, this, [this, form, n] { deliver([=] { form->mnuex_Click(n); }); });
    if (QAction* action = menuAction(QStringLiteral("mnuchizu1")))
        connect(action, &QAction::triggered, this, &MainWindow::mapRequested);

    const std::pair<ui::Role, void (Form::*)()> lists[] = {
        {ui::Role::CommanderyList, &Form::List1_Click},
        {ui::Role::CountyList, &Form::List2_Click},
        {ui::Role::ProvinceList, &Form::List3_Click}};
    for (const auto& [role, handler] : lists)
        if (auto* list = qobject_cast<ClickList*>(control(ui::controlFor(role)->name.toString())))
            connect(list, &ClickList::clicked, this, [this, form, handler] { deliver([=] { (form->*handler)(); }); });

    if (auto* button = qobject_cast<QPushButton*>(control(QStringLiteral("Command1"))))
        connect(button, &QPushButton::clicked, this, [this, form] { deliver([=] { form->Command1_Click(); }); });
}

// A screen reader speaks a name box's text, where a placeholder says nothing
// of the character the picture over it shows. The description carries the
// name with those characters; a name without placeholders needs none.
void MainWindow::describeNameBox(std::size_t n) {
    const NameBox& box = nameBoxes_[n];
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

void MainWindow::deliver(const std::function<void()>& handler) {
    guarded(handler);
    emit placeShown(form_->fname, controls_.commanderyName->text(), controls_.countyName->text());
}

void MainWindow::showCounty(const RecordPlace& place) {
    Form* form = form_.get();
    deliver([form, place] { form->Map_Click(place); });
}
