// What a screen reader hears from the name boxes of the real window: the
// stored text, and a description where a glyph picture covers a placeholder.
#include "support/harness.h"
#include "support/memory_controls.h"
#include "support/sample_data.h"
#include "window/glyph_overlay.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

QLineEdit* nameBox(int n) {
    const QString name = QStringLiteral("Text%1").arg(n);
    for (QWidget* w : QApplication::allWidgets())
        if (w->objectName() == name)
            return qobject_cast<QLineEdit*>(w);
    return nullptr;
}

// Box n as "text/description", read through the accessibility interface an
// assistive technology queries.
QString heard(int n) {
    QLineEdit* box = nameBox(n);
    if (!box)
        return QStringLiteral("(no Text%1)").arg(n);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(box);
    if (!a)
        return QStringLiteral("(no accessible)");
    return a->text(QAccessible::Value) + u'/' + a->text(QAccessible::Description);
}

// What a screen reader says for each item of the list widget `name`.
QStringList heardItems(const QString& name) {
    QStringList out;
    for (QWidget* w : QApplication::allWidgets()) {
        if (w->objectName() != name)
            continue;
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(w);
        for (int i = 0; list && i < list->childCount(); ++i)
            out << list->child(i)->text(QAccessible::Name);
    }
    return out;
}

// Clicks the item of list `list` whose name (the text before the reading) is
// `name`; fails when there is none.
void clickName(Harness& h, int list, const QString& name) {
    const QStringList items = h.items(list);
    for (qsizetype i = 0; i < items.size(); ++i)
        if (items[i] == name || items[i].startsWith(name + u' ')) {
            h.click(list, static_cast<int>(i));
            return;
        }
    ADD_FAILURE() << "no item " << name.toStdString() << " in List" << list;
}

struct Step {
    int list;            // 3 provinces, 1 commanderies, 2 counties
    const char* item;    // the item's name as listed, placeholders and all
    const char* text1;   // each box as "text/description"
    const char* text2;
    const char* text3;
};

void walk(Harness& h, std::initializer_list<Step> steps) {
    for (const Step& s : steps) {
        clickName(h, s.list, QString::fromUtf8(s.item));
        const QString where = QStringLiteral("after List%1 %2").arg(s.list).arg(QString::fromUtf8(s.item));
        EXPECT_EQ(heard(1).toStdString(), s.text1) << where.toStdString();
        EXPECT_EQ(heard(2).toStdString(), s.text2) << where.toStdString();
        EXPECT_EQ(heard(3).toStdString(), s.text3) << where.toStdString();
    }
}

// The bundled gazetteer, browsed: each placeholder under a picture reads as
// the character the treatise has there, the texts stay as stored, and a name
// without placeholders leaves no description behind from the one before.
TEST(NameBoxDescription, ReadsTheRealCharactersOfTheBundledGazetteer) {
    // The gazetteer the build compiled from data/, read only.
    const Gazetteer bundled = Gazetteer::open({}, QStringLiteral(QM_GAZETTEER_DIR));
    ASSERT_TRUE(QFileInfo(bundled.root()).isDir()) << bundled.root().toStdString();
    QM_HARNESS(h, "qt", bundled);
    walk(h, {
        {3, "司隸校尉", "司隸校尉/", "/", "/"},
        {1, "河南尹", "司隸校尉/", "河南尹/", "/"},
        {2, "■陽", "司隸校尉/", "河南尹/", "■陽/雒陽"},
        {2, "河南", "司隸校尉/", "河南尹/", "河南/"},
        {1, "左馮翊", "司隸校尉/", "左馮翊/", "/"},
        {2, "■□", "司隸校尉/", "左馮翊/", "■□/祋祤"},
        {3, "エン州", "■州/兗州", "/", "/"},
        {3, "益州", "益州/", "/", "/"},
        {1, "■為郡", "益州/", "■為郡/犍為郡", "/"},
        {1, "越■郡", "益州/", "越■郡/越巂郡", "/"},
        {2, "■都", "益州/", "越■郡/越巂郡", "■都/邛都"},
        {3, "徐州", "徐州/", "/", "/"},
        {1, "下■国", "徐州/", "下■国/下邳国", "/"},
        {2, "下□", "徐州/", "下■国/下邳国", "下□/下邳"},
        {2, "■陵", "徐州/", "下■国/下邳国", "■陵/睢陵"},
    });
    // The lists show and say the real characters; the item texts stay as stored.
    const qsizetype at = h.items(1).indexOf(QStringLiteral("下■国 かひこく"));
    ASSERT_GE(at, 0);
    EXPECT_EQ(h.shownItems(1).value(at), QStringLiteral("下邳国 かひこく"));
    EXPECT_TRUE(heardItems(QStringLiteral("List1")).contains(QStringLiteral("下邳国 かひこく")))
        << heardItems(QStringLiteral("List1")).join(u'|').toStdString();
    EXPECT_TRUE(heardItems(QStringLiteral("List2")).contains(QStringLiteral("睢陵 すいりょう")))
        << heardItems(QStringLiteral("List2")).join(u'|').toStdString();
    // A county found by its reading brings its commandery and province along.
    h.option(4);
    h.search(QStringLiteral("たいう"));
    walk(h, {{2, "■□", "司隸校尉/", "左馮翊/", "■□/祋祤"}});
}

// Hand-made records: a glyph name that names no character keeps its
// placeholder, beside one that does in the same name.
TEST(NameBoxDescription, KeepsThePlaceholderWhereTheGlyphNameSaysNothing) {
    WorkDir wd;
    wd.writeCommanderies({gun({"エン州", "陳留郡", "ちんりゅうぐん", "", "", "17", "1", "1", ""})});
    wd.writeCounties(3, {
        ken({"", "陳留郡", "長■", "ちょうえん", "ga", "", "", ""}),
        ken({"", "陳留郡", "■□", "らくえん", "u96d2", "gb", "", ""}),
        ken({"", "陳留郡", "■□", "えんらく", "ga", "u96d2", "", ""}),
        ken({"", "陳留郡", "陳留", "ちんりゅう", "", "", "", ""}),
    });
    for (const char* glyph : {"en4", "ga", "gb", "u96d2"})
        wd.writeGlyph(QString::fromLatin1(glyph));
    QM_HARNESS(h, "qt", wd.gazetteer());
    walk(h, {
        {3, "エン州", "■州/兗州", "/", "/"},
        {1, "陳留郡", "■州/兗州", "陳留郡/", "/"},
        {2, "長■", "■州/兗州", "陳留郡/", "長■/長■"},
    });
    h.clickItem(2, QStringLiteral("■□ らくえん"));
    EXPECT_EQ(heard(3), QStringLiteral("■□/雒□"));
    h.clickItem(2, QStringLiteral("■□ えんらく"));
    EXPECT_EQ(heard(3), QStringLiteral("■□/■雒"));
    h.clickItem(2, QStringLiteral("陳留 ちんりゅう"));
    EXPECT_EQ(heard(3), QStringLiteral("陳留/"));
}

// Which picture covers which place, whatever path form the bitmap has.
TEST(NameBoxDescription, EachPlaceReadsAsThePictureOverItShows) {
    struct Row {
        const char16_t* text;
        bool firstShown;
        const char* first;  // nullptr: no picture over the first place
        bool secondShown;
        const char* second;
        const char16_t* heard;
    } rows[] = {
        {u"■陽", true, "ji/u96d2.bmp", false, nullptr, u"雒陽"},
        {u"■陽", true, "ji/u96d2@2x.bmp", false, nullptr, u"雒陽"},   // double-size drawing
        {u"■陽", true, "/opt/q/ji/u96d2.bmp", false, nullptr, u"雒陽"},
        {u"■陽", false, "ji/u96d2.bmp", false, nullptr, u"■陽"},       // hidden picture
        {u"■陽", true, "", false, nullptr, u"■陽"},                    // bitmap failed to load
        {u"■陽", true, "ji/glyph7.bmp", false, nullptr, u"■陽"},       // name says nothing
        {u"■陽", true, "ji/u96d2@x.bmp", false, nullptr, u"■陽"},      // not a scale
        {u"■陽", false, nullptr, false, nullptr, u"■陽"},                // no picture at all
        {u"下□", false, "", true, "ji/u90b3.bmp", u"下邳"},
        {u"■■", true, "ji/u5dc2_24.bmp", true, "ji/u9104@2x.bmp", u"巂鄄"},  // each its own
        {u"■□", true, "ji/u279a6.bmp", true, "ji/u96d2.bmp", u"𧦦雒"},  // beyond 16 bits
        {u"■□", true, "ji/ga.bmp", true, "ji/u96d2.bmp", u"■雒"},
        {u"河南", true, "ji/u96d2.bmp", true, "ji/u96d2.bmp", u"河南"},  // no placeholder
        {u"陽陽■", true, "ji/u96d2.bmp", true, "ji/u96d2.bmp", u"陽陽■"},  // no third picture
    };
    for (const Row& r : rows) {
        // Boxes that read nothing: shown or not, holding the path as given.
        MemoryPictureBox first, second;
        first.load(QString::fromLatin1(r.first ? r.first : ""));
        second.load(QString::fromLatin1(r.second ? r.second : ""));
        if (r.firstShown)
            first.show();
        if (r.secondShown)
            second.show();
        const QString heard = glyphs::spokenName(QString::fromUtf16(r.text), r.first ? &first : nullptr,
                                                 r.second ? &second : nullptr);
        EXPECT_EQ(heard.toStdString(), QString::fromUtf16(r.heard).toStdString())
            << QString::fromUtf16(r.text).toStdString() << " " << (r.first ? r.first : "-") << " "
            << (r.second ? r.second : "-");
    }
}

}  // namespace
