// The built window against its control table: what building it can get
// wrong (a widget of the wrong kind, a rect rounded off, a control stacked
// behind another, a picture off the name it covers, a font or colour not
// applied), the focus order and the menus as a user sees them.
#include "support/menu_titles.h"
#include "support/window_support.h"

#include "window/widgets/app_icon.h"
#include "window/widgets/qt_controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <cmath>
#include <set>

namespace {

bool isKind(QWidget* w, const ui::ControlRow& row) {
    switch (row.kind) {
    case ui::Kind::TextBox:
        return row.flags & ui::kMultiLine ? qobject_cast<QPlainTextEdit*>(w) != nullptr
                                          : qobject_cast<QLineEdit*>(w) != nullptr;
    case ui::Kind::Button: return qobject_cast<QPushButton*>(w);
    case ui::Kind::PictureBox: return qobject_cast<PictureWidget*>(w);
    case ui::Kind::List: return qobject_cast<ClickList*>(w);
    case ui::Kind::Label:
    case ui::Kind::Image: return qobject_cast<QLabel*>(w);
    case ui::Kind::Shape: return qobject_cast<HatchWidget*>(w);
    }
    return false;
}

// Twips to the nearest pixel, worked out here the plain way.
int px(int twips) { return static_cast<int>(std::lround(twips / 15.0)); }

TEST_F(WindowTest, EveryControlAsItsRowSays) {
    // The design's font sizes, 15.75/11.25/9.75/9 pt at 96 dpi.
    const std::map<ui::FontSize, std::pair<int, bool>> fonts{
        {ui::FontSize::Large, {21, false}}, {ui::FontSize::Medium, {15, true}},
        {ui::FontSize::Small, {13, true}}, {ui::FontSize::List, {12, true}}};
    const QObjectList& order = window.clientArea()->children();  // back to front
    int previous = static_cast<int>(order.size());
    for (const ui::ControlRow& row : ui::controlTable()) {
        SCOPED_TRACE(row.name.toString().toStdString());
        QWidget* w = get(row.name.toString());
        EXPECT_TRUE(isKind(w, row)) << w->metaObject()->className();
        const QRect r(px(row.twips.left), px(row.twips.top), px(row.twips.width), px(row.twips.height));
        EXPECT_EQ(w->geometry(), r);
        EXPECT_EQ(w->isHidden(), (row.flags & ui::kHidden) != 0);
        EXPECT_EQ(w->accessibleName(), row.accessibleName.toString());
        EXPECT_LT(order.indexOf(w), previous);  // in front of the next row
        previous = static_cast<int>(order.indexOf(w));
        if (row.font != ui::FontSize::None) {
            EXPECT_EQ(std::pair(w->font().pixelSize(), w->font().bold()), fonts.at(row.font));
            EXPECT_EQ(w->font().families().mid(0, 1), QStringList{"ＭＳ Ｐゴシック"});
            EXPECT_TRUE(w->font().families().contains(QStringLiteral("IPAPGothic")));
        }
        const bool edit = row.kind == ui::Kind::TextBox || row.kind == ui::Kind::List;
        const QPalette& pal = w->palette();
        const QRgb fg = pal.color(edit ? QPalette::Text : QPalette::WindowText).rgb();
        const QRgb bg =
            pal.color(edit ? QPalette::Base : row.kind == ui::Kind::Button ? QPalette::Button : QPalette::Window).rgb();
        EXPECT_EQ(row.foreground.value_or(fg), fg);
        EXPECT_EQ(row.background.value_or(bg), bg);
        EXPECT_EQ(w->property("text").toString(), row.caption.toString());  // text boxes start empty
        const auto* label = qobject_cast<QLabel*>(w);
        EXPECT_FALSE(label && (label->autoFillBackground() || !label->pixmap().isNull()));
        const auto* wraps = qobject_cast<QPlainTextEdit*>(w);
        EXPECT_TRUE(!wraps || (wraps->lineWrapMode() == QPlainTextEdit::WidgetWidth && wraps->verticalScrollBarPolicy() ==
                               Qt::ScrollBarAlwaysOff && wraps->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff));
    }
    EXPECT_EQ(order.size(), ui::controlTable().size());  // and no other control

    // Each picture lies on the first or second character cell of its name
    // box, the second just right of the first.
    const struct { const char* picture; const char* box; int character; } over[] = {
        {"Picture1", "Text1", 0}, {"Picture2", "Text2", 0}, {"Picture3", "Text2", 1},
        {"Picture4", "Text3", 0}, {"Picture5", "Text3", 1}};
    for (const auto& o : over) {
        const QRect picture = get(o.picture)->geometry(), box = get(o.box)->geometry();
        EXPECT_TRUE(box.contains(picture)) << o.picture;
        EXPECT_EQ(picture.left(), box.left() + o.character * 23) << o.picture;
    }
    // A shown picture box is drawn over the text box it covers: its grey,
    // not the field's green, is what reaches the screen.
    showAndActivate();
    for (const auto& o : over) {
        QWidget* picture = get(o.picture);
        picture->show();
        EXPECT_EQ(renderedAt(picture->geometry().center()), QColor(0xE0, 0xE0, 0xE0)) << o.picture;
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
    for (int i = 1; i < 16; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(walked, QStringList({"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8",
                                   "Text9", "Text10", "List1", "List2", "List3", "Text11", "Command1", "Text12"}));
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
    QStringList expected;
    for (const menus::Title& t : menus::kTitles)
        expected << QStringLiteral("%1|%2%3").arg(QString::fromLatin1(t.menu),
                                                  *t.item ? QString::fromLatin1(t.item) + u'|' : QString(),
                                                  QString::fromUtf8(t.caption));
    EXPECT_EQ(shown, expected);
}

}  // namespace
