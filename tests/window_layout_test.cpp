// The built window against its control and menu tables: every widget's kind,
// place, font, colours, visibility, stacking, focus order, and the menus.
#include "window_support.h"

#include "menu/other_software.h"
#include "window/control_table.h"
#include "window/widgets/app_icon.h"
#include "window/widgets/qt_controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <set>

namespace {

using ui::Kind;

bool hasKind(QWidget* w, Kind kind, unsigned flags) {
    switch (kind) {
    case Kind::TextBox:
        return (flags & ui::kMultiLine) ? qobject_cast<QPlainTextEdit*>(w) != nullptr
                                        : qobject_cast<QLineEdit*>(w) != nullptr;
    case Kind::Button: return qobject_cast<QPushButton*>(w);
    case Kind::PictureBox: return qobject_cast<PictureWidget*>(w);
    case Kind::List: return qobject_cast<ClickList*>(w);
    case Kind::Label:
    case Kind::Image: return qobject_cast<QLabel*>(w);
    case Kind::Shape: return qobject_cast<HatchWidget*>(w);
    }
    return false;
}

TEST_F(WindowTest, EveryControlIsBuiltAsItsRowSays) {
    for (const ui::ControlRow& row : ui::controlTable()) {
        const QString name = row.name.toString();
        SCOPED_TRACE(name.toStdString());
        QWidget* w = get(name);
        ASSERT_TRUE(w);
        EXPECT_TRUE(hasKind(w, row.kind, row.flags));
        EXPECT_EQ(w->geometry(), QRect(ui::toPixels(row.twips.left), ui::toPixels(row.twips.top),
                                       ui::toPixels(row.twips.width), ui::toPixels(row.twips.height)));
        EXPECT_EQ(w->isHidden(), (row.flags & ui::kHidden) != 0);
        EXPECT_EQ(w->accessibleName(), row.accessibleName.toString());
        if (row.font != ui::FontSize::None) {
            EXPECT_EQ(w->font().pixelSize(), ui::fontSpec(row.font).pixelSize);
            EXPECT_EQ(w->font().bold(), ui::fontSpec(row.font).bold);
            EXPECT_EQ(w->font().families().value(0), QStringLiteral("ＭＳ Ｐゴシック"));
            EXPECT_TRUE(w->font().families().contains(QStringLiteral("IPAPGothic")));
        }
        if (auto* label = qobject_cast<QLabel*>(w)) {
            EXPECT_EQ(label->text(), row.caption.toString());
            EXPECT_FALSE(label->autoFillBackground());
        }
        if (auto* edit = qobject_cast<QPlainTextEdit*>(w)) {
            EXPECT_EQ(edit->lineWrapMode(), QPlainTextEdit::WidgetWidth);
            EXPECT_EQ(edit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
            EXPECT_EQ(edit->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        }
        if (auto* button = qobject_cast<QPushButton*>(w)) {
            EXPECT_EQ(button->text(), row.caption.toString());
        }
    }
}

TEST_F(WindowTest, SpotChecksInPixelsAndColours) {
    // A few cells worked out by hand, so a wrong conversion cannot hide
    // behind the same formula on both sides.
    EXPECT_EQ(get("Text1")->geometry(), QRect(64, 16, 121, 33));
    EXPECT_EQ(get("Picture1")->geometry(), QRect(64, 17, 27, 27));
    EXPECT_EQ(get("Picture3")->geometry(), QRect(87, 89, 24, 27));
    EXPECT_EQ(get("List2")->geometry(), QRect(488, 208, 137, 160));
    EXPECT_EQ(get("Shape1")->geometry(), QRect(0, -16, 649, 417));

    EXPECT_EQ(get("Text12")->palette().color(QPalette::Base), QColor(0x00, 0x60, 0x00));
    EXPECT_EQ(get("Text12")->palette().color(QPalette::Text), QColor(Qt::white));
    EXPECT_EQ(get("List3")->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0x00));
    EXPECT_EQ(get("Command1")->palette().color(QPalette::Button), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(get("Label1")->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_TRUE(get<QLabel>("Image1")->pixmap().isNull());
    EXPECT_TRUE(get<QLabel>("Image1")->text().isEmpty());
}

TEST_F(WindowTest, StackingFollowsTheTableFrontToBack) {
    const QObjectList& order = window.clientArea()->children();  // back to front
    const auto rows = ui::controlTable();
    for (std::size_t i = 0; i + 1 < rows.size(); ++i)
        EXPECT_GT(order.indexOf(get(rows[i].name.toString())),
                  order.indexOf(get(rows[i + 1].name.toString())))
            << rows[i].name.toString().toStdString();

    // A shown picture box is drawn over the text box it covers: its grey,
    // not the field's green, is what reaches the screen.
    showAndActivate();
    for (int n = 1; n <= 5; ++n) {
        QWidget* picture = get(QStringLiteral("Picture%1").arg(n));
        picture->show();
        EXPECT_EQ(renderedAt(picture->geometry().center()), QColor(0xE0, 0xE0, 0xE0)) << n;
    }
    // Elsewhere the backdrop shows its hatch over the window's blue.
    std::set<QRgb> backdrop;
    const QImage shot = window.clientArea()->grab().toImage();
    for (int x = 400; x < 420; ++x)
        backdrop.insert(shot.pixel(x, 300) & 0xFFFFFF);
    EXPECT_EQ(backdrop, (std::set<QRgb>{0x0000C0, 0xC0C000}));
}

TEST_F(WindowTest, FrameCaptionIconAndSize) {
    showAndActivate();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quillmere"));
    EXPECT_EQ(window.clientArea()->size(), QSize(649, 399));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_FALSE(window.windowIcon().isNull());

    const QImage icon = appicon::image();
    EXPECT_EQ(icon.size(), QSize(32, 32));
    std::set<QRgb> colours;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            colours.insert(icon.pixel(x, y));
    EXPECT_EQ(colours.size(), 4u);
}

TEST_F(WindowTest, FocusStartsOnText1AndTabWalksTheOrder) {
    showAndActivate();
    EXPECT_EQ(QApplication::focusWidget(), get("Text1"));
    QStringList walked{QApplication::focusWidget()->objectName()};
    for (std::size_t i = 1; i < ui::tabOrder().size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
    }
    QStringList expected;
    for (QStringView name : ui::tabOrder())
        expected << name.toString();
    EXPECT_EQ(walked, expected);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), get("Text1"));
    EXPECT_FALSE(get<QPushButton>("Command1")->autoDefault());
    EXPECT_FALSE(get<QPushButton>("Command1")->isDefault());
}

TEST_F(WindowTest, MenuBarAsTabled) {
    // Walk the bar as a user sees it: each title, then its items.
    QStringList shown;
    for (QAction* title : window.menuBar()->actions()) {
        const QString menuName = title->menu() ? title->menu()->objectName() : title->objectName();
        shown << menuName + u'|' + title->text();
        for (QAction* a : title->menu() ? title->menu()->actions() : QList<QAction*>()) {
            shown << menuName + u'|' + a->objectName() + u'|' + a->text();
            EXPECT_TRUE(a->shortcut().isEmpty() && !a->isCheckable() && a->isEnabled());
        }
    }
    QStringList tabled;
    for (const ui::MenuRow& row : ui::menuTable())
        tabled << row.menu + u'|' + (row.item.isEmpty() ? row.caption : row.item + u'|' + row.caption);
    EXPECT_EQ(shown, tabled);
    EXPECT_EQ(shown.value(5), QStringLiteral("mnugokan|ＨＰ"));
    EXPECT_EQ(shown.value(7), QStringLiteral("mnuex|mnuex1|") + menu::entries()[1].caption);
}

}  // namespace
