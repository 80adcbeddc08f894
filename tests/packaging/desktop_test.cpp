// The window as a desktop presents it: what a screen reader hears, how the
// glyph pictures line up with the text at the screen's scale (this binary
// runs once at 1× and once with QT_SCALE_FACTOR=2), which face the text
// really gets, and the icon at the theme's sizes.
#include "icon_sizes.h"
#include "support/sample_data.h"
#include "window/control_table.h"
#include "support/memory_controls.h"
#include "window/widgets/app_icon.h"
#include "window/widgets/main_window.h"

#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <set>

namespace {

class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    QWidget* get(const char* name) {
        QWidget* w = window.control(QString::fromLatin1(name));
        EXPECT_TRUE(w) << name;
        return w;
    }
    void click(const char* listName, int row) {
        auto* list = qobject_cast<QListWidget*>(get(listName));
        ASSERT_TRUE(list && row < list->count()) << listName << " row " << row;
        QListWidgetItem* item = list->item(row);
        list->scrollToItem(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list->visualItemRect(item).center());
    }
    int rowStarting(const char* listName, const QString& prefix) {
        auto* list = qobject_cast<QListWidget*>(get(listName));
        for (int i = 0; list && i < list->count(); ++i)
            if (list->item(i)->text().startsWith(prefix))
                return i;
        return -1;
    }
    // The client area as the screen gets it, in device pixels.
    QImage screen() { return window.clientArea()->grab().toImage(); }
    qreal scale() const { return window.devicePixelRatio(); }
    QRect device(const QRect& logical) const {
        const qreal s = scale();
        return QRect(qRound(logical.x() * s), qRound(logical.y() * s),
                     qRound(logical.width() * s), qRound(logical.height() * s));
    }

    WorkDir wd;
    SampleGazetteer data{wd};
    ScriptedDialogs dialogs;
    MainWindow window{wd.gazetteer(), &dialogs};
};

QString spoken(QObject* object, QAccessible::Text what = QAccessible::Name) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(what) : QStringLiteral("<no accessible interface>");
}

TEST_F(DesktopTest, ScreenReaderHearsEveryControlByName) {
    QStringList fields;  // names of what a user reads from or types into
    for (const ui::ControlRow& row : ui::controlTable()) {
        QWidget* w = window.control(row.name.toString());
        ASSERT_TRUE(w) << row.name.toString().toStdString();
        const QString name = spoken(w);
        EXPECT_FALSE(name.trimmed().isEmpty()) << row.name.toString().toStdString();
        EXPECT_EQ(name, row.accessibleName.toString()) << row.name.toString().toStdString();
        if (row.kind == ui::Kind::TextBox || row.kind == ui::Kind::List)
            fields << name;
    }
    for (const char* expected : {"州名", "郡名", "県名", "郡読み", "県読み", "戸数", "口数", "城",
                                 "郡備考", "県備考", "産物", "検索語", "州一覧", "郡一覧", "県一覧"})
        EXPECT_EQ(fields.count(QString::fromUtf8(expected)), 1) << expected;
}

TEST_F(DesktopTest, ScreenReaderHearsListItemsAndFieldValues) {
    auto itemsSpoken = [](QListWidget* list) {
        QStringList out;
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(list);
        for (int i = 0; iface && i < iface->childCount(); ++i)
            out << iface->child(i)->text(QAccessible::Name);
        return out;
    };
    auto itemsShown = [](QListWidget* list) {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    };
    auto* provinces = qobject_cast<QListWidget*>(get("List3"));
    ASSERT_EQ(provinces->count(), 13);
    EXPECT_EQ(itemsSpoken(provinces), itemsShown(provinces));

    // Items added after a click are spoken too, not only those present at start.
    click("List3", 0);
    auto* commanderies = qobject_cast<QListWidget*>(get("List1"));
    ASSERT_GT(commanderies->count(), 0);
    EXPECT_EQ(itemsSpoken(commanderies), itemsShown(commanderies));
    click("List1", rowStarting("List1", QStringLiteral("河南尹")));
    auto* counties = qobject_cast<QListWidget*>(get("List2"));
    ASSERT_GT(counties->count(), 0);
    EXPECT_EQ(itemsSpoken(counties), itemsShown(counties));

    // A filled field reads out its value.
    EXPECT_EQ(spoken(get("Text2"), QAccessible::Value), QStringLiteral("河南尹"));
    EXPECT_EQ(spoken(get("Text4"), QAccessible::Value), QStringLiteral("かなんいん"));
}

TEST_F(DesktopTest, GlyphPictureCoversItsCharacterAtTheScreensScale) {
    click("List3", 0);
    click("List1", rowStarting("List1", QStringLiteral("河南尹")));
    // The list shows the real character; the name box the placeholder under its picture.
    const int county = rowStarting("List2", QStringLiteral("雒陽"));
    ASSERT_GE(county, 0);

    QWidget* picture = get("Picture4");
    click("List2", county);
    ASSERT_TRUE(picture->isVisible());
    const QImage covered = screen();
    ASSERT_EQ(covered.size(), window.clientArea()->size() * scale());
    // The run under QT_SCALE_FACTOR must really be at that scale.
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
        ASSERT_EQ(scale(), qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
    }

    const QRect box = device(picture->geometry());
    const QColor glyphColour(10, 0, 0);  // the sample's ji/u96d2.bmp
    // The bitmap is as large as its box in logical pixels, so at any scale
    // it fills the box in device pixels, corners included.
    for (QPoint p : {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight(), box.center()})
        EXPECT_EQ(covered.pixelColor(p), glyphColour) << p.x() << "," << p.y();

    // The text's ink: what changes in Text3 when its text is taken away,
    // with the picture out of the way.
    TextBox& text3 = *window.controls().countyName;
    const QString name = text3.text();
    picture->hide();
    const QImage withText = screen();
    text3.setText(QString());
    const QImage without = screen();
    text3.setText(name);
    picture->show();
    const QRect field = device(get("Text3")->geometry());
    auto ink = [&](int x, int y) { return withText.pixel(x, y) != without.pixel(x, y); };
    auto inkIn = [&](int x) {
        for (int y = field.top(); y <= field.bottom(); ++y)
            if (ink(x, y))
                return true;
        return false;
    };
    // The ■ is the first run of inked columns; every inked pixel of it must
    // lie under the picture.
    int start = field.left();
    while (start <= field.right() && !inkIn(start))
        ++start;
    int end = start;
    while (end <= field.right() && inkIn(end))
        ++end;
    ASSERT_LT(start, end) << "no placeholder drawn in Text3";
    for (int x = start; x < end; ++x) {
        for (int y = field.top(); y <= field.bottom(); ++y) {
            if (ink(x, y)) {
                ASSERT_TRUE(box.contains(x, y)) << "ink outside the picture at " << x << "," << y;
            }
        }
    }
}

TEST_F(DesktopTest, TextGetsAJapaneseFaceFromTheList) {
    const QStringList faces = ui::fontFamilies();
    for (const char* name : {"Text1", "Text3", "Text11", "List1", "Label1", "Command1"}) {
        const QFont font = get(name)->font();
        const QFontInfo real(font);
        EXPECT_TRUE(faces.contains(real.family())) << name << " got " << real.family().toStdString();
        // 州 and a kana, so neither names nor readings fall back to boxes.
        EXPECT_TRUE(QFontMetrics(font).inFontUcs4(0x5DDE)) << name;
        EXPECT_TRUE(QFontMetrics(font).inFontUcs4(0x304B)) << name;
    }
}

TEST(AppIcon, ThemeSizesKeepTheDesignsFourColoursAndShape) {
    const QImage design = appicon::image();
    std::set<QRgb> designColours;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            designColours.insert(design.pixel(x, y) | 0xFF000000);

    for (int size : appicon::kThemeSizes) {
        SCOPED_TRACE(size);
        const QImage icon = appicon::imageAt(size);
        ASSERT_EQ(icon.size(), QSize(size, size));
        std::set<QRgb> colours;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                colours.insert(icon.pixel(x, y));
        // All four, and nothing in between: no stroke lost, no blur.
        EXPECT_EQ(colours, designColours);
    }
    // Whole multiples are the design with each pixel made a square block.
    const QImage big = appicon::imageAt(128);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            ASSERT_EQ(big.pixel(x, y), design.pixel(x / 4, y / 4) | 0xFF000000) << x << "," << y;
    EXPECT_EQ(appicon::imageAt(32), design.convertToFormat(QImage::Format_ARGB32));
    EXPECT_TRUE(appicon::imageAt(8).isNull());
}

}  // namespace
