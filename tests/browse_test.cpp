// Browsing scenarios: province, commandery and county clicks, and the
// lookups behind a county found by a search. Each runs in memory and on the
// real window.
#include "support/harness.h"
#include "support/sample_data.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <functional>

namespace {

class Browse : public ::testing::TestWithParam<std::string> {
protected:
    WorkDir wd;
};


const QString kKanji = QStringLiteral("漢字を入力して下さい");
const QString kKana = QStringLiteral("かなを入力して下さい");

TEST_P(Browse, StartUpListsTheThirteenProvinces) {
    SampleGazetteer data{wd};
    QM_HARNESS(h, GetParam(), wd.gazetteer());
    EXPECT_EQ(h.items(3), QStringList({"司隸校尉", "豫州", "冀州", "エン州", "徐州", "青州", "荊州",
                                       "揚州", "益州", "涼州", "并州", "幽州", "交州"}));
    EXPECT_EQ(h.listBox(3).selectedIndex(), -1);
    EXPECT_TRUE(h.items(1).isEmpty());
    EXPECT_TRUE(h.items(2).isEmpty());
    EXPECT_EQ(h.form().kop, 1);
    EXPECT_EQ(h.form().fname, QString());
    EXPECT_EQ(h.prompt(), kKanji);
    EXPECT_EQ(h.visiblePictures(), QString());
}

TEST_P(Browse, TheWholeChainProvinceCommanderyCounty) {
    SampleGazetteer data{wd};
    QM_HARNESS(h, GetParam(), wd.gazetteer());

    h.click(3, 0);
    EXPECT_EQ(h.items(1), QStringList({"河南尹 かなんいん", "河内郡 かだいぐん"}));
    EXPECT_TRUE(h.items(2).isEmpty());
    EXPECT_EQ(h.text(1), QStringLiteral("司隸校尉"));
    EXPECT_EQ(h.form().fname, QStringLiteral("syu/司隸.txt"));
    EXPECT_EQ(h.visiblePictures(), QString());

    h.click(1, 0);
    EXPECT_EQ(h.text(2), QStringLiteral("河南尹"));
    EXPECT_EQ(h.text(4), QStringLiteral("かなんいん"));
    EXPECT_EQ(h.text(6), QStringLiteral("208486"));
    EXPECT_EQ(h.text(7), QStringLiteral("1010827"));
    EXPECT_EQ(h.text(8), QStringLiteral("21"));
    EXPECT_EQ(h.text(12), QStringLiteral("治所 ■陽。尹。"));
    EXPECT_EQ(h.items(2), QStringList({"■陽 らくよう", "河南 かなん"}));
    EXPECT_EQ(h.form().fname, QStringLiteral("syu/司隸.txt"));
    EXPECT_EQ(h.visiblePictures(), QString());

    h.click(2, 0);
    EXPECT_EQ(h.text(3), QStringLiteral("■陽"));
    EXPECT_EQ(h.text(5), QStringLiteral("らくよう"));
    EXPECT_EQ(h.text(9), QStringLiteral("郡治。"));
    EXPECT_EQ(h.text(10), QString());
    EXPECT_EQ(h.visiblePictures(), QStringLiteral("4"));
    EXPECT_EQ(h.bitmap(4), QStringLiteral("ji/u96d2.bmp"));
    // Still the commandery beside it, and the same file.
    EXPECT_EQ(h.text(2), QStringLiteral("河南尹"));
    EXPECT_EQ(h.form().kop, 1);

    // A new province forgets everything shown before, but not the search text.
    h.textBox(11).setText(QStringLiteral("検索語"));
    h.option(4);
    h.click(3, 3);
    EXPECT_EQ(h.text(1), QStringLiteral("■州"));
    EXPECT_EQ(h.visiblePictures(), QStringLiteral("1"));
    EXPECT_EQ(h.bitmap(1), QStringLiteral("ji/en4.bmp"));
    EXPECT_EQ(h.form().fname, QStringLiteral("syu/エン州.txt"));
    for (int n : {2, 3, 4, 5, 6, 7, 8, 9, 10, 12})
        EXPECT_EQ(h.text(n), QString()) << "Text" << n;
    EXPECT_EQ(h.text(11), QStringLiteral("検索語"));
    EXPECT_EQ(h.form().kop, 1);
    EXPECT_EQ(h.prompt(), kKanji);
    EXPECT_EQ(h.items(1), QStringList({"陳留郡 ちんりゅうぐん"}));

    // The same province again rebuilds the list rather than extending it.
    h.click(3, 3);
    EXPECT_EQ(h.items(1).size(), 1);

    // Another province hides 兗's glyph again.
    h.click(3, 1);
    EXPECT_EQ(h.text(1), QStringLiteral("豫州"));
    EXPECT_EQ(h.visiblePictures(), QString());
}

TEST_P(Browse, CountyGlyphsCoverTheirCharacters) {
    SampleGazetteer data{wd};
    QM_HARNESS(h, GetParam(), wd.gazetteer());
    h.click(3, 3);
    h.click(1, 0);
    EXPECT_EQ(h.visiblePictures(), QStringLiteral("1"));  // the commandery's province is ■州
    EXPECT_EQ(h.items(2), QStringList({"陳留 ちんりゅう", "長■ ちょうえん", "■□ えんえん"}));

    h.clickItem(2, QStringLiteral("長■ ちょうえん"));  // ordinary, then ■
    EXPECT_EQ(h.visiblePictures(), QStringLiteral("1 5"));
    EXPECT_EQ(h.bitmap(5), QStringLiteral("ji/ga.bmp"));
    EXPECT_EQ(h.text(10), QStringLiteral("塩"));

    h.clickItem(2, QStringLiteral("■□ えんえん"));  // two different glyphs
    EXPECT_EQ(h.visiblePictures(), QStringLiteral("1 4 5"));
    EXPECT_EQ(h.bitmap(4), QStringLiteral("ji/ga.bmp"));
    EXPECT_EQ(h.bitmap(5), QStringLiteral("ji/gb.bmp"));

    h.clickItem(2, QStringLiteral("陳留 ちんりゅう"));  // no placeholder
    EXPECT_EQ(h.visiblePictures(), QStringLiteral("1"));
}

TEST_P(Browse, CommanderyGlyphRule) {
    wd.writeCommanderies({
        gun({"豫州", "■川郡", "あ", "g1", "", "", "", "", ""}),
        gun({"豫州", "■■", "い", "g1", "", "", "", "", ""}),
        gun({"豫州", "□川郡", "う", "g1", "", "", "", "", ""}),
        gun({"豫州", "汝南■", "え", "g1", "", "", "", "", ""}),
        gun({"豫州", "梁■", "お", "g1", "", "", "", "", ""}),
    });
    wd.writeCounties(1, {ken({"", "■■", "■■県", "か", "g2", "", "", ""})});
    wd.writeGlyph(QStringLiteral("g1"));
    wd.writeGlyph(QStringLiteral("g2"));
    QM_HARNESS(h, GetParam(), wd.gazetteer());
    h.click(3, 1);

    const struct { const char* item; const char* pictures; } cases[] = {
        {"■川郡 あ", "2"}, {"■■ い", "2 3"}, {"□川郡 う", ""}, {"汝南■ え", ""}, {"梁■ お", "3"},
    };
    for (const auto& c : cases) {
        h.clickItem(1, QString::fromUtf8(c.item));
        EXPECT_EQ(h.visiblePictures(), QString::fromUtf8(c.pictures)) << c.item;
    }
    h.clickItem(1, QStringLiteral("■■ い"));
    EXPECT_EQ(h.bitmap(2), QStringLiteral("ji/g1.bmp"));
    EXPECT_EQ(h.bitmap(3), QStringLiteral("ji/g1.bmp"));

    // A county chosen in a commandery mode keeps the commandery's pictures.
    h.click(2, 0);
    EXPECT_EQ(h.visiblePictures(), QStringLiteral("2 3 4 5"));
    EXPECT_EQ(h.bitmap(4), QStringLiteral("ji/g2.bmp"));
    EXPECT_EQ(h.bitmap(5), QStringLiteral("ji/g2.bmp"));
}

TEST_P(Browse, SameCommanderyNameInTwoProvinces) {
    wd.writeCommanderies({
        gun({"エン州", "東郡", "とうぐん", "", "", "1", "100", "1000", "エンの東郡"}),
        gun({"豫州", "東郡", "とうぐん", "", "", "2", "200", "2000", "豫の東郡"}),
    });
    wd.writeCounties(3, {ken({"", "東郡", "甲", "こう", "", "", "", ""})});
    wd.writeCounties(1, {ken({"", "東郡", "乙", "おつ", "", "", "", ""})});
    wd.writeGlyph(QStringLiteral("en4"));
    QM_HARNESS(h, GetParam(), wd.gazetteer());
    const struct {
        int province;  // browsed from; -1: a bare item of the name instead
        const char* remark;
        const char* shownProvince;
        const char* file;
        const char* counties;
        const char* pictures;
    } cases[] = {
        {3, "エンの東郡", "■州", "syu/エン州.txt", "甲 こう", "1"},
        {1, "豫の東郡", "豫州", "syu/豫州.txt", "乙 おつ", ""},
        // Without a place every record of the name is shown in turn: the
        // later stays, with its province, its file and no glyph of the
        // earlier province left over its name.
        {-1, "豫の東郡", "豫州", "syu/豫州.txt", "乙 おつ", ""},
    };
    for (const auto& c : cases) {
        h.click(3, c.province < 0 ? 3 : c.province);
        EXPECT_EQ(h.items(1), QStringList({"東郡 とうぐん"}));
        if (c.province < 0) {
            h.listBox(1).clear();
            h.listBox(1).append(QStringLiteral("東郡 とうぐん"));
        }
        h.click(1, 0);
        EXPECT_EQ(h.text(12), QString::fromUtf8(c.remark)) << c.province;
        EXPECT_EQ(h.text(1), QString::fromUtf8(c.shownProvince)) << c.province;
        EXPECT_EQ(h.form().fname, QString::fromUtf8(c.file)) << c.province;
        EXPECT_EQ(h.items(2), QStringList({QString::fromUtf8(c.counties)})) << c.province;
        EXPECT_EQ(h.visiblePictures(), QString::fromUtf8(c.pictures)) << c.province;
    }
}

TEST_P(Browse, CountyFoundBySearchIsShownWithItsCommanderyAndProvince) {
    SampleGazetteer data{wd};
    QM_HARNESS(h, GetParam(), wd.gazetteer());
    h.click(3, 1);  // 豫州 is current
    h.option(3);
    h.search(QStringLiteral("長"));
    ASSERT_EQ(h.items(2), QStringList({"長■ ちょうえん"}));
    h.click(2, 0);
    EXPECT_EQ(h.text(1), QStringLiteral("■州"));
    EXPECT_EQ(h.text(2), QStringLiteral("陳留郡"));
    EXPECT_EQ(h.text(6), QStringLiteral("177529"));
    EXPECT_EQ(h.text(3), QStringLiteral("長■"));
    EXPECT_EQ(h.text(10), QStringLiteral("塩"));
    EXPECT_EQ(h.form().fname, QStringLiteral("syu/エン州.txt"));
    EXPECT_EQ(h.visiblePictures(), QStringLiteral("1 5"));
    EXPECT_EQ(h.form().kop, 3);  // further choices use the lookups again
}

TEST_P(Browse, CountyInTwoProvinces) {
    SampleGazetteer data{wd};
    QM_HARNESS(h, GetParam(), wd.gazetteer());
    const struct { int index; const char* province; const char* commandery; const char* remark; const char* products; } cases[] = {
        {0, "司隸校尉", "河内郡", "司隸の同名。", "鉄"},
        {1, "豫州", "潁川郡", "豫州の同名。", "銅"},
        // An item without a place is taken from the earlier province.
        {-1, "司隸校尉", "河内郡", "司隸の同名。", "鉄"},
    };
    for (const auto& c : cases) {
        h.option(4);
        h.search(QStringLiteral("どうめい"));
        ASSERT_EQ(h.items(2), QStringList({"同名 どうめい", "同名 どうめい"}));
        if (c.index < 0) {
            h.listBox(2).clear();
            h.listBox(2).append(QStringLiteral("同名 どうめい"));
        }
        h.click(2, std::max(c.index, 0));
        EXPECT_EQ(h.text(1), QString::fromUtf8(c.province)) << c.index;
        EXPECT_EQ(h.text(2), QString::fromUtf8(c.commandery)) << c.index;
        EXPECT_EQ(h.text(9), QString::fromUtf8(c.remark)) << c.index;
        EXPECT_EQ(h.text(10), QString::fromUtf8(c.products)) << c.index;
    }
}

TEST_P(Browse, CountyNotFoundAfterAnOptionChangeEmptiesTheCountyBoxes) {
    SampleGazetteer data{wd};
    QM_HARNESS(h, GetParam(), wd.gazetteer());
    h.click(3, 0);
    h.click(1, 0);
    h.click(2, 1);  // 河南 is shown
    ASSERT_EQ(h.text(3), QStringLiteral("河南"));
    h.option(3);
    h.search(QStringLiteral("長"));
    h.option(1);  // back to a commandery mode: the county is looked for in 司隸 only
    h.click(2, 0);
    for (int n : {3, 5, 9, 10})
        EXPECT_EQ(h.text(n), QString()) << "Text" << n;
    EXPECT_EQ(h.text(2), QStringLiteral("河南尹"));
    EXPECT_EQ(h.visiblePictures(), QString());
}

TEST_P(Browse, ALookupThatFindsNoCommanderyKeepsWhatIsShownWithItsPictures) {
    SampleGazetteer data{wd};
    wd.writeCounties(1, {ken({"", "無郡", "孤", "こ", "", "", "", ""})});
    QM_HARNESS(h, GetParam(), wd.gazetteer());
    h.click(3, 3);
    h.click(1, 0);
    h.clickItem(2, QStringLiteral("■□ えんえん"));
    h.option(3);
    h.search(QStringLiteral("孤"));
    h.click(2, 0);
    // No commandery 無郡: the province and commandery stay, with their
    // glyphs; the county is not in the current file, so its boxes empty.
    EXPECT_EQ(h.text(1), QStringLiteral("■州"));
    EXPECT_EQ(h.text(2), QStringLiteral("陳留郡"));
    EXPECT_EQ(h.visiblePictures(), QStringLiteral("1"));
    EXPECT_EQ(h.text(3), QString());
    EXPECT_EQ(h.form().fname, QStringLiteral("syu/エン州.txt"));
}

TEST_P(Browse, ACommanderyOfNoKnownProvinceKeepsTheCurrentProvince) {
    wd.writeCommanderies({
        gun({"豫州", "潁川郡", "えいせんぐん", "", "", "", "", "", ""}),
        gun({"魏州", "魏郡", "ぎぐん", "", "", "", "", "", ""}),
        gun({"豫州 ", "汝南郡", "じょなんぐん", "", "", "", "", "", ""}),  // trimmed: still 豫州
    });
    QM_HARNESS(h, GetParam(), wd.gazetteer());
    h.click(3, 1);
    EXPECT_EQ(h.items(1), QStringList({"潁川郡 えいせんぐん", "汝南郡 じょなんぐん"}));
    h.search(QStringLiteral("魏"));
    ASSERT_EQ(h.items(1), QStringList({"魏郡 ぎぐん"}));
    h.click(1, 0);
    EXPECT_EQ(h.text(2), QStringLiteral("魏郡"));
    EXPECT_EQ(h.text(1), QStringLiteral("豫州"));
    EXPECT_EQ(h.form().fname, QStringLiteral("syu/豫州.txt"));
}

TEST_P(Browse, EmptyAndMissingFilesListNothing) {
    wd.writeCommanderies({});
    QM_HARNESS(h, GetParam(), wd.gazetteer());
    for (int i = 0; i < 13; ++i) {
        h.click(3, i);
        EXPECT_TRUE(h.items(1).isEmpty());
    }
    EXPECT_EQ(h.form().fname, QStringLiteral("syu/交州.txt"));
    EXPECT_EQ(h.form().kensakugun(QStringLiteral("河南尹")), QStringLiteral("syu/交州.txt"));
    EXPECT_EQ(h.text(2), QString());
    EXPECT_EQ(h.form().kenkensaku(QStringLiteral("河南 かなん")), std::nullopt);
    // Every county file that was missing now exists, empty.
    EXPECT_TRUE(QFileInfo::exists(wd.file(QStringLiteral("syu/司隸.txt"))));

    // A commandery whose county file is missing lists no county.
    wd.writeCommanderies({gun({"豫州", "潁川郡", "えいせんぐん", "", "", "", "", "", ""})});
    QFile::remove(wd.file(QStringLiteral("syu/豫州.txt")));
    h.click(3, 1);
    h.click(1, 0);
    EXPECT_EQ(h.text(2), QStringLiteral("潁川郡"));
    EXPECT_TRUE(h.items(2).isEmpty());
}

TEST_P(Browse, LongAsciiRemarksAndProductsAreShownWhole) {
    const QString remark = QString(62, QLatin1Char('r'));
    const QString products = QString(26, QLatin1Char('p'));
    wd.writeCommanderies({gun({"豫州", "梁国", "りょうこく", "", "", "", "", "", remark})});
    wd.writeCounties(1, {ken({"", "梁国", "下邑", "かゆう", "", "", "", products})});
    QM_HARNESS(h, GetParam(), wd.gazetteer());
    h.click(3, 1);
    h.click(1, 0);
    EXPECT_EQ(h.text(12), remark);
    h.click(2, 0);
    EXPECT_EQ(h.text(10), products);
}

TEST_P(Browse, LookupsFollowTheirOrders) {
    SampleGazetteer data{wd};
    QM_HARNESS(h, GetParam(), wd.gazetteer());
    EXPECT_EQ(h.form().kenkensaku(QStringLiteral("同名 どうめい")), QStringLiteral("河内郡"));
    EXPECT_EQ(h.form().kenkensaku(QStringLiteral("長■   ちょうえん ")), QStringLiteral("陳留郡"));
    EXPECT_EQ(h.form().kenkensaku(QStringLiteral(" 長■ ちょうえん")), std::nullopt);  // name half is ""
    EXPECT_EQ(h.form().kenkensaku(QStringLiteral("同名どうめい")), std::nullopt);  // no space
    EXPECT_EQ(h.form().kenkensaku(QStringLiteral("同名 ドウメイ")), std::nullopt);
    // The absent commandery matches only an empty name: nothing changes.
    const QString before = h.snapshot();
    EXPECT_EQ(h.form().kensakugun(std::nullopt), QString());
    EXPECT_EQ(h.snapshot(), before);

    EXPECT_EQ(h.form().kensakugun(QStringLiteral("陳留郡")), QStringLiteral("syu/エン州.txt"));
    EXPECT_EQ(h.text(1), QStringLiteral("■州"));
    EXPECT_EQ(h.visiblePictures(), QStringLiteral("1"));
}

TEST_P(Browse, AClickWithNothingSelectedChangesNoProvince) {
    SampleGazetteer data{wd};
    QM_HARNESS(h, GetParam(), wd.gazetteer());
    h.click(3, 3);
    h.click(3, -1);
    EXPECT_EQ(h.text(1), QStringLiteral("■州"));
    EXPECT_EQ(h.form().fname, QStringLiteral("syu/エン州.txt"));
    EXPECT_EQ(h.visiblePictures(), QString());  // hidden before the row would be applied
}

// One county name twice in one file, under two commanderies, and one name
// with two readings: an item made from a record shows that record; an item
// without a place (appended bare) goes by the name lookups, which take the
// reading into account and stop the county search at its first match.
TEST_P(Browse, EqualNamesInOneFile) {
    wd.writeCommanderies({
        gun({"司隸校尉", "河南尹", "かなんいん", "", "", "", "", "", ""}),
        gun({"司隸校尉", "河内郡", "かだいぐん", "", "", "", "", "", ""}),
    });
    wd.writeCounties(0, {
        ken({"", "河南尹", "■陽", "らくよう", "u96d2", "", "甲", ""}),
        ken({"", "河内郡", "■陽", "えいよう", "u69ae", "", "乙", ""}),
        ken({"", "河南尹", "双", "そう", "", "", "丙", ""}),
        ken({"", "河内郡", "双", "そう", "", "", "丁", ""}),
    });
    QM_HARNESS(h, GetParam(), wd.gazetteer());
    const struct {
        int mode;          // kop when the item is clicked
        const char* list;  // how List2 is filled: "search:<text>", "browse:<commandery row>" or bare items
        int index;
        const char* commandery;
        const char* remark;
    } cases[] = {
        {3, "search:双", 0, "河南尹", "丙"},
        {3, "search:双", 1, "河内郡", "丁"},
        {4, "search:よう", 1, "河内郡", "乙"},
        {1, "browse:0", 1, "河南尹", "丙"},
        // Bare items: the first county of the name and reading gives the
        // commandery, then the last such county of its province is shown.
        {3, "■陽 らくよう|■陽 えいよう|双 そう", 1, "河内郡", "乙"},
        {3, "■陽 らくよう|■陽 えいよう|双 そう", 2, "河南尹", "丁"},
        {1, "■陽 らくよう|■陽 えいよう|双 そう", 0, "河南尹", "甲"},
    };
    for (const auto& c : cases) {
        const QString list = QString::fromUtf8(c.list);
        h.click(3, 0);
        h.click(1, 0);  // 河南尹 and 司隸 are current
        if (list.startsWith(QStringLiteral("search:"))) {
            h.option(c.mode);
            h.search(list.mid(7));
        } else if (list.startsWith(QStringLiteral("browse:"))) {
            h.click(1, list.mid(7).toInt());
        } else {
            h.listBox(2).clear();
            for (const QString& item : list.split(u'|'))
                h.listBox(2).append(item);
        }
        h.option(c.mode);
        h.click(2, c.index);
        const std::string tag = std::string(c.list) + " #" + std::to_string(c.index);
        EXPECT_EQ(h.text(2), QString::fromUtf8(c.commandery)) << tag;
        EXPECT_EQ(h.text(9), QString::fromUtf8(c.remark)) << tag;
        EXPECT_EQ(h.text(3), h.items(2).value(c.index).section(u' ', 0, 0)) << tag;
    }
    h.dialogs().shown.clear();
}

// The files change between filling a list and clicking it. The item's
// record is re-read at its place; when it is no longer there the name
// lookup runs, and otherwise the boxes empty: never another record's
// details, never a crash.
TEST_P(Browse, AFileRewrittenUnderTheList) {
    const QString counties = QStringLiteral("syu/司隸.txt");
    const auto truncate = [this](const QString& path, qint64 size) { ASSERT_TRUE(QFile::resize(wd.file(path), size)); };
    const struct {
        const char* what;
        int list;  // List1: 河南尹 clicked; List2: 河南 (record 2) clicked
        std::function<void()> rewrite;
        const char* name;    // the box that shows the record's name afterwards
        const char* remark;  // and its remark
    } cases[] = {
        {"county moved", 2, [&] { wd.writeCounties(0, {
             ken({"", "河南尹", "■陽", "らくよう", "u96d2", "", "郡治。", ""}),
             ken({"", "河内郡", "懐", "かい", "", "", "郡治。", ""}),
             ken({"", "河南尹", "河南", "かなん", "", "", "周公の城。", ""})}); },
         "河南", "周公の城。"},
        {"county replaced in place", 2, [&] { wd.writeCounties(0, {
             ken({"", "河南尹", "■陽", "らくよう", "u96d2", "", "郡治。", ""}),
             ken({"", "河南尹", "偃師", "えんし", "", "", "尸郷。", ""})}); },
         "", ""},
        {"county file cut inside the record", 2, [&] { truncate(counties, 204 + 100); }, "", ""},
        {"county file emptied", 2, [&] { truncate(counties, 0); }, "", ""},
        {"county file removed", 2, [&] { QFile::remove(wd.file(counties)); }, "", ""},
        {"county file now a directory", 2, [&] { QFile::remove(wd.file(counties)); QDir().mkdir(wd.file(counties)); }, "", ""},
        {"commandery moved", 1, [&] { wd.writeCommanderies({
             gun({"司隸校尉", "河内郡", "かだいぐん", "", "", "18", "159770", "801558", "治所 懐。"}),
             gun({"司隸校尉", "河南尹", "かなんいん", "", "", "21", "208486", "1010827", "治所 ■陽。尹。"})}); },
         "河南尹", "治所 ■陽。尹。"},
        {"commandery file cut", 1, [&] { truncate(QStringLiteral("syu/州郡.txt"), 159); }, "", ""},
        {"commandery file removed", 1, [&] { QFile::remove(wd.file(QStringLiteral("syu/州郡.txt"))); }, "", ""},
    };
    for (const auto& c : cases) {
        QDir().rmdir(wd.file(counties));
        SampleGazetteer fresh{wd};
        QM_HARNESS(h, GetParam(), wd.gazetteer());
        h.click(3, 0);
        if (c.list == 1) {
            // Another commandery is shown first, so a click that finds none
            // must not leave it beside the new list.
            h.click(1, 1);
            c.rewrite();
            h.click(1, 0);
            EXPECT_EQ(h.text(2), QString::fromUtf8(c.name)) << c.what;
            EXPECT_EQ(h.text(12), QString::fromUtf8(c.remark)) << c.what;
            if (!*c.name) {
                for (int n : {4, 6, 7, 8})
                    EXPECT_EQ(h.text(n), QString()) << c.what << " Text" << n;
                EXPECT_FALSE(h.shown(2) || h.shown(3)) << c.what;
            }
        } else {
            h.click(1, 0);
            ASSERT_EQ(h.items(2).value(1), QStringLiteral("河南 かなん"));
            h.click(2, 0);  // ■陽 is shown first
            c.rewrite();
            h.click(2, 1);
            EXPECT_EQ(h.text(3), QString::fromUtf8(c.name)) << c.what;
            EXPECT_EQ(h.text(9), QString::fromUtf8(c.remark)) << c.what;
            EXPECT_EQ(h.text(2), QStringLiteral("河南尹")) << c.what;
            EXPECT_FALSE(h.shown(4)) << c.what;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothWindows, Browse, QM_BOTH_WINDOWS);

}  // namespace
