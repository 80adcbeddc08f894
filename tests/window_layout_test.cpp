// The built window against the design, typed here independently of the
// control table: every widget's kind, place, font, colours, visibility,
// stacking, focus order, and the menus.
#include "window_support.h"

#include "menu/other_software.h"
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

// The design's controls front to back, typed from its tables, twips turned
// into pixels by hand (/15, to the nearest). Kinds: T line edit, M wrapping
// edit, B button, P picture, L list, A label, I image, S backdrop. Fonts in
// px (15.75/11.25/9.75/9 pt = 21/15/13/12), bold; text and background, or -1.
struct Designed { const char* name; char kind; QRect px; int font; bool bold; int fg, bg; const char16_t* caption; bool hidden; };
const Designed kDesign[] = {
    {"Text12", 'M', {64, 128, 321, 46}, 13, 1, 0xFFFFFF, 0x006000, u"", 0},
    {"Command1", 'B', {208, 360, 49, 33}, 12, 1, -1, 0xC0C0C0, u"検索", 0},
    {"Text11", 'T', {64, 360, 129, 30}, 15, 1, 0xFFFFFF, 0x006000, u"", 0},
    {"Picture5", 'P', {87, 217, 25, 27}, 0, 0, -1, 0xE0E0E0, u"", 1},
    {"Picture4", 'P', {64, 217, 25, 27}, 0, 0, -1, 0xE0E0E0, u"", 1},
    {"Picture3", 'P', {87, 89, 24, 27}, 0, 0, -1, 0xE0E0E0, u"", 1},
    {"Picture2", 'P', {64, 89, 25, 27}, 0, 0, -1, 0xE0E0E0, u"", 1},
    {"Picture1", 'P', {64, 17, 27, 27}, 0, 0, -1, 0xE0E0E0, u"", 1},
    {"key", 'T', {392, 288, 89, 22}, 15, 1, -1, -1, u"", 1},
    {"List3", 'L', {488, 24, 97, 76}, 12, 1, -1, 0xC0C000, u"", 0},
    {"List2", 'L', {488, 208, 137, 160}, 12, 1, -1, 0xC0C000, u"", 0},
    {"List1", 'L', {488, 104, 137, 100}, 12, 1, -1, 0xC0C000, u"", 0},
    {"Text10", 'T', {64, 320, 321, 22}, 15, 1, 0xFFFFFF, 0x006000, u"", 0},
    {"Text9", 'M', {64, 256, 321, 54}, 13, 1, 0xFFFFFF, 0x006000, u"", 0},
    {"Text8", 'T', {424, 56, 25, 22}, 15, 1, 0xFFFFFF, 0x006000, u"", 0},
    {"Text7", 'T', {296, 88, 89, 22}, 15, 1, 0xFFFFFF, 0x006000, u"", 0},
    {"Text6", 'T', {296, 56, 89, 22}, 15, 1, 0xFFFFFF, 0x006000, u"", 0},
    {"Text5", 'T', {64, 184, 169, 22}, 13, 1, 0xFFFFFF, 0x006000, u"", 0},
    {"Text4", 'T', {64, 56, 169, 22}, 13, 1, 0xFFFFFF, 0x006000, u"", 0},
    {"Text3", 'T', {64, 216, 169, 33}, 21, 0, 0xFFFFFF, 0x006000, u"", 0},
    {"Text2", 'T', {64, 88, 169, 33}, 21, 0, 0xFFFFFF, 0x006000, u"", 0},
    {"Text1", 'T', {64, 16, 121, 33}, 21, 0, 0xFFFFFF, 0x006000, u"", 0},
    {"Label8", 'A', {400, 61, 25, 25}, 15, 1, 0xFFFFFF, -1, u"城", 0},
    {"Label7", 'A', {248, 93, 41, 25}, 15, 1, 0xFFFFFF, -1, u"口数", 0},
    {"Label6", 'A', {248, 61, 41, 33}, 15, 1, 0xFFFFFF, -1, u"戸数", 0},
    {"Label5", 'A', {16, 320, 41, 25}, 15, 1, 0xFFFFFF, -1, u"産物", 0},
    {"Label4", 'A', {16, 224, 41, 25}, 15, 1, 0xFFFFFF, -1, u"県名", 0},
    {"Label3", 'A', {16, 96, 41, 25}, 15, 1, 0xFFFFFF, -1, u"郡名", 0},
    {"Label2", 'A', {16, 24, 41, 25}, 15, 1, 0xFFFFFF, -1, u"州名", 0},
    {"Label1", 'A', {264, 368, 169, 25}, 15, 1, 0xFFFFFF, -1, u"漢字を入力して下さい", 0},
    {"Image1", 'I', {72, 16, 33, 33}, 0, 0, -1, -1, u"", 0},
    {"Shape1", 'S', {0, -16, 649, 417}, 0, 0, -1, -1, u"", 0},
};

char kindOf(QWidget* w) {
    return qobject_cast<QLineEdit*>(w) ? 'T' : qobject_cast<QPlainTextEdit*>(w) ? 'M' : qobject_cast<QPushButton*>(w) ? 'B'
         : qobject_cast<PictureWidget*>(w) ? 'P' : qobject_cast<ClickList*>(w) ? 'L' : qobject_cast<HatchWidget*>(w) ? 'S'
         : qobject_cast<QLabel*>(w) ? 'A' : '?';
}

TEST_F(WindowTest, EveryControlAsDesigned) {
    const QObjectList& order = window.clientArea()->children();  // back to front
    int previous = static_cast<int>(order.size());
    for (const Designed& d : kDesign) {
        SCOPED_TRACE(d.name);
        QWidget* w = get(QString::fromLatin1(d.name));
        EXPECT_EQ(kindOf(w), d.kind == 'I' ? 'A' : d.kind) << w->metaObject()->className();
        EXPECT_EQ(w->geometry(), d.px);
        EXPECT_EQ(w->isHidden(), d.hidden);
        EXPECT_FALSE(w->accessibleName().isEmpty());
        EXPECT_LT(order.indexOf(w), previous);  // in front of the next row
        previous = static_cast<int>(order.indexOf(w));
        if (d.font) {
            EXPECT_EQ(std::pair(w->font().pixelSize(), w->font().bold()), std::pair(d.font, d.bold));
            EXPECT_EQ(w->font().families().mid(0, 1), QStringList{"ＭＳ Ｐゴシック"});
            EXPECT_TRUE(w->font().families().contains(QStringLiteral("IPAPGothic")));
        }
        const bool edit = d.kind == 'T' || d.kind == 'M';
        const QPalette& pal = w->palette();
        const auto rgb = [](const QColor& c) { return static_cast<int>(c.rgb() & 0xFFFFFF); };
        EXPECT_EQ(d.fg < 0 ? -1 : rgb(pal.color(edit ? QPalette::Text : QPalette::WindowText)), d.fg);
        EXPECT_EQ(d.bg < 0 ? -1 : rgb(pal.color(edit || d.kind == 'L' ? QPalette::Base : d.kind == 'B' ? QPalette::Button
                                                                                          : QPalette::Window)), d.bg);
        EXPECT_EQ(w->property("text").toString(), QString::fromUtf16(d.caption));  // text boxes start empty
        const auto* label = qobject_cast<QLabel*>(w);
        EXPECT_FALSE(label && (label->autoFillBackground() || !label->pixmap().isNull()));
        const auto* wraps = qobject_cast<QPlainTextEdit*>(w);
        EXPECT_TRUE(!wraps || (wraps->lineWrapMode() == QPlainTextEdit::WidgetWidth && wraps->verticalScrollBarPolicy() ==
                               Qt::ScrollBarAlwaysOff && wraps->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff));
    }
    EXPECT_EQ(order.size(), std::size(kDesign));  // and no other control

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
    QStringList expected{"mnuken|検索オプション", "mnuken|mnukan|郡漢字", "mnuken|mnuyomi|郡読み", "mnuken|mnukan2|県漢字",
                         "mnuken|mnuyomi2|県読み", "mnuken|mnubiko2|県備考", "mnuchizu|地図",
                         "mnuchizu|mnuchizu1|地図を表示", "mnugokan|ＨＰ", "mnuex|その他歴史ソフト",
                         "mnuex|mnuex1|三国志人物事典", "mnuex|mnuex2|前漢地理志", "mnuex|mnuex3|秦漢官職表",
                         "mnuex|mnuex4|中国歴代年表", "mnuex|mnuex5|晋書地理志", "mnuex|mnuex6|漢字異体字表"};
    EXPECT_EQ(shown, expected);
}

}  // namespace
