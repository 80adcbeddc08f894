// The search button and the other-software dialogs, in memory and on the
// real window.
#include "support/harness.h"
#include "support/sample_data.h"

#include <QUrl>
#include <gtest/gtest.h>

namespace {

class Search : public ::testing::TestWithParam<std::string> {
protected:
    WorkDir wd;
    std::unique_ptr<Harness> owner = nullptr;

    Harness& harness() {
        if (!owner)
            owner = makeHarness(GetParam(), wd.gazetteer());
        return *owner;
    }
    // The messages shown since the last call.
    QStringList messages() {
        QStringList out;
        for (const auto& s : harness().dialogs().shown) {
            EXPECT_EQ(s.kind, QStringLiteral("message"));
            EXPECT_EQ(s.title, QStringLiteral("検索"));
            out << s.text;
        }
        harness().dialogs().shown.clear();
        return out;
    }
};

const QString kNotFound = QStringLiteral("見つかりませんでした。");
const QString kFinished = QStringLiteral("検索を終了しました。");

TEST_P(Search, EachModeWithAHitAndWithout) {
    SampleGazetteer data{wd};
    Harness& h = harness();

    h.option(1);
    h.search(QStringLiteral("河"));
    EXPECT_EQ(h.items(1), QStringList({"河南尹 かなんいん", "河内郡 かだいぐん"}));
    EXPECT_EQ(messages(), QStringList());  // a commandery hit says nothing
    h.search(QStringLiteral("蜀"));
    EXPECT_TRUE(h.items(1).isEmpty());
    EXPECT_EQ(messages(), QStringList({kNotFound}));

    h.option(2);
    h.search(QStringLiteral("りゅう"));
    EXPECT_EQ(h.items(1), QStringList({"陳留郡 ちんりゅうぐん"}));
    EXPECT_EQ(messages(), QStringList());
    h.search(QStringLiteral("陳留"));  // a name is no reading
    EXPECT_EQ(messages(), QStringList({kNotFound}));

    h.option(3);
    h.search(QStringLiteral("陽"));
    EXPECT_EQ(h.items(2), QStringList({"■陽 らくよう", "陽城 ようじょう"}));
    EXPECT_TRUE(h.items(1).isEmpty());
    EXPECT_EQ(messages(), QStringList({kFinished}));
    h.search(QStringLiteral("よう"));
    EXPECT_EQ(messages(), QStringList({kNotFound}));

    h.option(4);
    h.search(QStringLiteral("よう"));
    EXPECT_EQ(h.items(2), QStringList({"■陽 らくよう", "陽城 ようじょう"}));
    EXPECT_EQ(messages(), QStringList({kFinished}));
    h.search(QStringLiteral("ん\u3000"));
    EXPECT_TRUE(h.items(2).isEmpty());
    EXPECT_EQ(messages(), QStringList({kNotFound}));

    // Any other mode empties both lists and says nothing.
    h.form().kop = SearchMode(7);
    h.search(QString());
    EXPECT_TRUE(h.items(1).isEmpty());
    EXPECT_TRUE(h.items(2).isEmpty());
    EXPECT_EQ(messages(), QStringList());
}

TEST_P(Search, EmptyTextListsEveryNonEmptyNameInFileAndCatalogueOrder) {
    SampleGazetteer data{wd};
    // A record with an empty name is never listed, whatever the text.
    wd.writeCounties(12, {ken({"", "x", "", "よみ", "", "", "", ""}), ken({"", "x", "末", "まつ", "", "", "", ""})});
    Harness& h = harness();
    h.search(QString());
    EXPECT_EQ(h.items(1), QStringList({"河南尹 かなんいん", "河内郡 かだいぐん", "陳留郡 ちんりゅうぐん",
                                       "潁川郡 えいせんぐん"}));
    EXPECT_EQ(messages(), QStringList());

    h.option(3);
    h.search(QString());
    EXPECT_EQ(h.items(2), QStringList({"■陽 らくよう", "河南 かなん", "懐 かい", "同名 どうめい",  // 司隸
                                       "陽城 ようじょう", "同名 どうめい",                            // 豫州
                                       "陳留 ちんりゅう", "長■ ちょうえん", "■□ えんえん",            // エン州
                                       "末 まつ"}));                                                 // 交州
    EXPECT_EQ(messages(), QStringList({kFinished}));
}

TEST_P(Search, TheTextIsMatchedExactlyAndUntrimmed) {
    wd.writeCommanderies({
        gun({"豫州", "東 郷", "とう きょう", "", "", "", "", "", ""}),
        gun({"豫州", "東", "ひがし", "", "", "", "", "", ""}),
        gun({"豫州", "ＡＢｃ", "ｶﾅ", "", "", "", "", "", ""}),
        gun({"豫州", "Abc", "カナ", "", "", "", "", "", ""}),
    });
    Harness& h = harness();
    // A trailing space is a character to be found: only "東 郷" has one
    // followed by more text; "東" is trimmed and cannot.
    h.search(QStringLiteral("東 "));
    EXPECT_EQ(h.items(1), QStringList({"東 郷 とう きょう"}));
    h.search(QStringLiteral(" 郷"));
    EXPECT_EQ(h.items(1), QStringList({"東 郷 とう きょう"}));
    h.search(QStringLiteral(" 東"));
    EXPECT_TRUE(h.items(1).isEmpty());

    const struct { int mode; const char* text; const char* hit; } cases[] = {
        {1, "abc", ""}, {1, "Abc", "Abc カナ"}, {1, "ABc", ""}, {1, "ＡＢｃ", "ＡＢｃ ｶﾅ"},
        {2, "かな", ""}, {2, "カナ", "Abc カナ"}, {2, "ｶﾅ", "ＡＢｃ ｶﾅ"},
    };
    for (const auto& c : cases) {
        h.option(c.mode);
        h.search(QString::fromUtf8(c.text));
        const QString hit = QString::fromUtf8(c.hit);
        EXPECT_EQ(h.items(1), hit.isEmpty() ? QStringList() : QStringList({hit})) << c.text;
    }
    messages();
}

TEST_P(Search, EveryRecordCountsOnceAndRepeatsStay) {
    std::vector<gunrec> recs(5, gun({"豫州", "同", "どう", "", "", "", "", "", ""}));
    wd.writeCommanderies(recs);
    Harness& h = harness();
    h.search(QStringLiteral("同"));
    EXPECT_EQ(h.items(1), QStringList(5, QStringLiteral("同 どう")));
    h.search(QString());
    EXPECT_EQ(h.items(1).size(), 5);
}

TEST_P(Search, TouchesOnlyTheTwoLists) {
    SampleGazetteer data{wd};
    Harness& h = harness();
    h.click(3, 3);
    h.click(1, 0);
    h.clickItem(2, QStringLiteral("■□ えんえん"));
    h.option(4);
    const QString before = h.snapshot();
    h.search(QStringLiteral("か"));
    EXPECT_EQ(h.items(2), QStringList({"河南 かなん", "懐 かい"}));
    EXPECT_TRUE(h.items(1).isEmpty());
    EXPECT_EQ(h.text(11), QStringLiteral("か"));

    // Put the lists back as they were: everything else must be unchanged.
    QString after = h.snapshot();
    const auto listLines = [](const QString& s) {
        QStringList keep;
        for (const QString& line : s.split(u'\n'))
            if (!line.startsWith(QStringLiteral("List1=")) && !line.startsWith(QStringLiteral("List2=")) &&
                !line.startsWith(QStringLiteral("Text11=")))
                keep << line;
        return keep;
    };
    EXPECT_EQ(listLines(after), listLines(before));
    EXPECT_EQ(h.form().kop, 4);
}

TEST_P(Search, WithoutADataDirectoryEveryModeFindsNothing) {
    QDir(wd.file(QStringLiteral("syu"))).removeRecursively();
    Harness& h = harness();
    for (int mode = 1; mode <= 4; ++mode) {
        h.option(mode);
        h.search(QString());
        EXPECT_EQ(messages(), QStringList({kNotFound})) << "mode " << mode;
    }
    EXPECT_FALSE(QFileInfo::exists(wd.file(QStringLiteral("syu"))));
}

TEST_P(Search, ACommanderyFoundIsBrowsedOnAtOnce) {
    SampleGazetteer data{wd};
    Harness& h = harness();
    h.click(3, 0);
    h.option(2);
    h.search(QStringLiteral("ちん"));
    ASSERT_EQ(h.items(1), QStringList({"陳留郡 ちんりゅうぐん"}));
    h.click(1, 0);
    EXPECT_EQ(h.form().kop, 1);
    EXPECT_EQ(h.prompt(), QStringLiteral("漢字を入力して下さい"));
    EXPECT_EQ(h.text(1), QStringLiteral("■州"));
    EXPECT_EQ(h.text(2), QStringLiteral("陳留郡"));
    EXPECT_EQ(h.form().fname, QStringLiteral("syu/エン州.txt"));
    EXPECT_EQ(h.items(2).size(), 3);
    EXPECT_EQ(h.visiblePictures(), QStringLiteral("1"));
}

TEST_P(Search, TheSevenDialogsLeaveTheWindowAsItWas) {
    SampleGazetteer data{wd};
    Harness& h = harness();
    h.click(3, 3);
    h.click(1, 0);
    h.click(2, 2);
    const QString before = h.snapshot();

    for (int n = 0; n <= 6; ++n) {
        for (bool ok : {true, false}) {
            h.dialogs().answer = [ok](const QString&) { return ok ? QStringLiteral("edited") : QString(); };
            h.menuItem(n);
            ASSERT_EQ(h.dialogs().shown.size(), 1u);
            const auto shown = h.dialogs().shown.front();
            h.dialogs().shown.clear();
            EXPECT_EQ(shown.kind, QStringLiteral("input"));
            EXPECT_TRUE(shown.initial.startsWith(QStringLiteral("https://")));
            EXPECT_TRUE(QUrl(shown.initial).host().endsWith(QStringLiteral(".example"))) << shown.initial.toStdString();
            EXPECT_FALSE(shown.title.isEmpty());
            EXPECT_FALSE(shown.text.isEmpty());
            if (n == 0) {
                EXPECT_EQ(shown.title, QStringLiteral("ＨＰ"));
                EXPECT_EQ(shown.text, QStringLiteral("ホームページはこちらから。"));
            }
            EXPECT_EQ(h.snapshot(), before) << "item " << n;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothWindows, Search, QM_BOTH_WINDOWS);

}  // namespace
