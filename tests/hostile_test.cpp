// Hostile input on the real window: broken, odd and oversized record files,
// bad bitmaps and glyph names that try to leave ji/. Every case must end in
// bounded time, write nothing it found, leave no record file open, keep the
// glyph pictures in step with the texts, and show a sensible result.
#include "data/cp932.h"
#include "data/record_file.h"
#include "support/harness.h"
#include "support/sample_data.h"
#include "support/unprivileged.h"
#include "support/window_checks.h"

#include <QBuffer>
#include <QFile>
#include <cstring>
#include <functional>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <iostream>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace {

using checks::kSanitized;

constexpr int kYu = 1;   // 豫州
constexpr int kEn = 3;   // エン州, shown as ■州 with ji/en4.bmp
const QString kNotFound = QStringLiteral("見つかりませんでした。");
const QString kFinished = QStringLiteral("検索を終了しました。");

std::string bytesOf(const void* p, std::size_t n) { return std::string(static_cast<const char*>(p), n); }

void writeRaw(const WorkDir& wd, const QString& path, const std::string& bytes) {
    ASSERT_TRUE(recwrite::writeBytes(wd.file(path), bytes.data(), bytes.size())) << path.toStdString();
}

QString countyFile(int province) { return provinces::byIndex(province)->countyFile; }

// A valid 25x27 bitmap's bytes.
QByteArray bitmapBytes() {
    QImage img(25, 27, QImage::Format_RGB32);
    img.fill(qRgb(1, 2, 3));
    QByteArray out;
    QBuffer buf(&out);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "BMP");
    return out;
}

class Hostile : public ::testing::Test {
protected:
    WorkDir wd;
    std::unique_ptr<Harness> owner;
    checks::FileState before;

    // Notes the files as the case left them, then opens the window on them.
    Harness& open(const std::string& kind = "qt") {
        before = checks::FileState::take(wd.gazetteer());
        owner = makeHarness(kind, wd.gazetteer());
        return *owner;
    }
    Harness& h() { return *owner; }

    // What must hold after every action, whatever the data. How long an
    // action takes is the benchmark's business; a hang ends in the test's
    // CTest timeout.
    void afterAction(const char* what) {
        EXPECT_EQ(checks::glyphRuleBroken(h()), "") << what;
        EXPECT_EQ(checks::openFilesUnder(wd.path()), "") << what;
        EXPECT_GE(h().form().kop, 1) << what;
        EXPECT_LE(h().form().kop, 5) << what;
    }
    void click(int list, int index) {
        h().click(list, index);
        afterAction(("click List" + std::to_string(list) + " #" + std::to_string(index)).c_str());
    }
    void clickItem(int list, const QString& item) {
        h().clickItem(list, item);
        afterAction(("click " + item.toStdString()).c_str());
    }
    // Searches in `mode` and returns the messages shown.
    QStringList search(int mode, const QString& text) {
        h().option(mode);
        h().dialogs().shown.clear();
        h().search(text);
        afterAction(("search " + text.toStdString()).c_str());
        QStringList out;
        for (const auto& s : h().dialogs().shown)
            out << s.text;
        h().dialogs().shown.clear();
        return out;
    }
    // Clicks every province; returns what List1 held after each.
    std::vector<QStringList> everyProvince() {
        std::vector<QStringList> out;
        for (int i = 0; i < provinces::kCount; ++i) {
            click(3, i);
            out.push_back(h().items(1));
        }
        return out;
    }
    void expectNothingAnywhere() {
        for (const QStringList& l : everyProvince())
            EXPECT_TRUE(l.isEmpty()) << l.join(u'|').toStdString();
        for (int mode = 1; mode <= 5; ++mode)
            EXPECT_EQ(search(mode, QString()), QStringList({kNotFound})) << "mode " << mode;
    }

    void TearDown() override {
        if (!owner)
            return;
        EXPECT_EQ(checks::changes(before, checks::FileState::take(wd.gazetteer())), "");
        owner.reset();
    }
};

// ---- Record files of odd lengths ----------------------------------------

// Files too short to hold a record: empty, or one byte (a lone lead byte).
TEST_F(Hostile, FilesShorterThanARecordEverywhere) {
    for (const auto& [commanderies, counties] : {std::pair{"", ""}, std::pair{"\x81", "x"}}) {
        writeRaw(wd, kCommanderyFile, commanderies);
        for (int i = 0; i < provinces::kCount; ++i)
            writeRaw(wd, countyFile(i), counties);
        open();
        expectNothingAnywhere();
        EXPECT_EQ(checks::changes(before, checks::FileState::take(wd.gazetteer())), "");
    }
}

TEST_F(Hostile, CommanderyFileOneByteShortOfARecord) {
    const gunrec r = gun({"豫州", "潁川郡", "えいせんぐん", "", "", "", "", "", ""});
    writeRaw(wd, kCommanderyFile, bytesOf(&r, 159));
    open();
    click(3, kYu);
    EXPECT_TRUE(h().items(1).isEmpty());
    EXPECT_EQ(search(1, QString()), QStringList({kNotFound}));
}

TEST_F(Hostile, CommanderyFileOneByteOverARecord) {
    const gunrec r = gun({"豫州", "潁川郡", "えいせんぐん", "", "", "17", "", "", ""});
    writeRaw(wd, kCommanderyFile, bytesOf(&r, sizeof r) + "\x88");  // a lone lead byte as the tail
    wd.writeCounties(kYu, {ken({"", "潁川郡", "陽城", "ようじょう", "", "", "", ""})});
    open();
    click(3, kYu);
    EXPECT_EQ(h().items(1), QStringList({"潁川郡 えいせんぐん"}));
    click(1, 0);
    EXPECT_EQ(h().text(2), QStringLiteral("潁川郡"));
    EXPECT_EQ(h().text(8), QStringLiteral("17"));
    EXPECT_EQ(h().items(2), QStringList({"陽城 ようじょう"}));
}

TEST_F(Hostile, CountyFileWithAShortTail) {
    wd.writeCommanderies({gun({"豫州", "潁川郡", "えいせんぐん", "", "", "", "", "", ""})});
    std::string bytes;
    for (int n = 0; n < 3; ++n) {
        const kenrec k = ken({"", "潁川郡", QStringLiteral("県%1").arg(n), "けん", "", "", "", ""});
        bytes += bytesOf(&k, sizeof k);
    }
    const kenrec tail = ken({"", "潁川郡", "尾", "お", "", "", "", ""});
    bytes += bytesOf(&tail, 203);
    writeRaw(wd, countyFile(kYu), bytes);
    open();
    click(3, kYu);
    click(1, 0);
    EXPECT_EQ(h().items(2), QStringList({"県0 けん", "県1 けん", "県2 けん"}));
    click(2, 2);
    EXPECT_EQ(h().text(3), QStringLiteral("県2"));
    EXPECT_EQ(search(3, QStringLiteral("尾")), QStringList({kNotFound}));
}

// ---- Record contents ---------------------------------------------------

TEST_F(Hostile, AllZeroBytes) {
    writeRaw(wd, kCommanderyFile, std::string(160 * 10, '\0'));
    for (int i = 0; i < provinces::kCount; ++i)
        writeRaw(wd, countyFile(i), std::string(204 * 10, '\0'));
    open();
    // Every field is empty: nothing belongs to a province, nothing is found.
    expectNothingAnywhere();
    for (int n = 1; n <= ui::kTextBoxes; ++n) {
        if (n != 1 && n != 11) {
            EXPECT_EQ(h().text(n), QString()) << "Text" << n;
        }
    }
}

TEST_F(Hostile, AllFFBytes) {
    writeRaw(wd, kCommanderyFile, std::string(160 * 3, '\xFF'));
    writeRaw(wd, countyFile(kYu), std::string(204 * 2, '\xFF'));
    open();
    // 0xFF is no CP932 character: each byte shows as U+FFFD.
    const QString bad = QString(1, QChar(0xFFFD));
    const QString gunItem = bad.repeated(12) + u' ' + bad.repeated(30);
    const QString kenItem = bad.repeated(12) + u' ' + bad.repeated(20);
    for (const QStringList& l : everyProvince())
        EXPECT_TRUE(l.isEmpty());
    EXPECT_EQ(search(1, bad), QStringList());
    EXPECT_EQ(h().items(1), QStringList(3, gunItem));
    click(1, 1);
    EXPECT_EQ(h().text(2), bad.repeated(12));
    EXPECT_EQ(h().text(12), bad.repeated(62));
    EXPECT_EQ(h().text(1), QStringLiteral("交州"));  // no province of that name: the last one stays
    EXPECT_EQ(h().items(2), QStringList());            // 交州's county file has none
    EXPECT_EQ(search(4, bad), QStringList({kFinished}));
    EXPECT_EQ(h().items(2), QStringList(2, kenItem));
    // Found in 豫州, but its commandery names no province: the county is
    // looked for in the province still current, and is not there.
    click(2, 1);
    EXPECT_EQ(h().text(2), bad.repeated(12));
    EXPECT_EQ(h().text(3), QString());
    EXPECT_EQ(h().form().fname, QStringLiteral("syu/交州.txt"));
}

// Each field ends in a lead byte whose would-be trail is the next field's
// first byte: the lead must show as U+FFFD and the next field stay whole.
TEST_F(Hostile, LoneLeadBytesAtFieldEnds) {
    gunrec g = gun({"豫州", "潁川郡国Ａ", "えいせんぐんか", "", "", "17", "263440", "1436513", "治所"});
    kenrec k = ken({"", "潁川郡国Ａ", "陽城県県Ａ", "ようじょう", "", "", "郡治", "絹"});
    // Fill every field to its width with '@' then put 0x88 in its last byte.
    const auto spoil = [](char* field, std::size_t width) {
        for (std::size_t i = 0; i < width; ++i)
            if (field[i] == ' ')
                field[i] = '@';
        field[width - 1] = '\x93';  // 0x93 + any trail is a kanji
    };
    spoil(g.gunmei, sizeof g.gunmei);
    spoil(g.gunyomi, sizeof g.gunyomi);
    spoil(g.gunbiko, sizeof g.gunbiko);
    spoil(k.gunmei, sizeof k.gunmei);
    spoil(k.kenmei, sizeof k.kenmei);
    spoil(k.kenyomi, sizeof k.kenyomi);
    spoil(k.kenbiko, sizeof k.kenbiko);
    // A lead byte right before a field that starts with a valid trail byte.
    std::memcpy(g.gunyomi, "\x82\xA9", 2);  // か
    wd.writeCommanderies({g});
    wd.writeCounties(kYu, {k});
    open();
    click(3, kYu);
    const QString bad(1, QChar(0xFFFD));
    const QString gunmei = QStringLiteral("潁川郡国Ａ@") + bad;
    ASSERT_EQ(h().items(1).size(), 1);
    EXPECT_TRUE(h().items(1).front().startsWith(gunmei + u' ' + QStringLiteral("かいせんぐんか")))
        << h().items(1).front().toStdString();
    click(1, 0);
    EXPECT_EQ(h().text(2), gunmei);
    EXPECT_EQ(h().text(8), QStringLiteral("17"));
    EXPECT_TRUE(h().text(4).startsWith(QStringLiteral("かいせん")));
    EXPECT_TRUE(h().text(4).endsWith(bad));
    ASSERT_EQ(h().items(2).size(), 1);
    click(2, 0);
    EXPECT_EQ(h().text(3), QStringLiteral("陽城県県Ａ@") + bad);
    EXPECT_TRUE(h().text(5).startsWith(QStringLiteral("ようじょう@")));
    EXPECT_EQ(h().text(10), QStringLiteral("絹"));  // after kenbiko's lead byte
    EXPECT_EQ(search(3, QStringLiteral("Ａ@") + bad), QStringList({kFinished}));
    EXPECT_EQ(h().items(2).size(), 1);
}

TEST_F(Hostile, NulAtTheFirstByteOfEveryField) {
    gunrec g = gun({"豫州", "潁川郡", "えいせんぐん", "g", "", "17", "263440", "1436513", "治所"});
    kenrec k = ken({"", "潁川郡", "陽城", "ようじょう", "", "", "郡治", "絹"});
    for (char* f : {g.syumei, g.gunmei, g.gunyomi, g.gunji, g.yobi, g.jyo, g.kosu, g.kousu, g.gunbiko})
        f[0] = '\0';
    for (char* f : {k.yobi, k.gunmei, k.kenmei, k.kenyomi, k.kenji, k.kenji2, k.kenbiko, k.sanbutu})
        f[0] = '\0';
    // A NUL inside a name ends it there.
    gunrec cut = gun({"豫州", "汝南郡", "じょなんぐん", "", "", "", "", "", ""});
    cut.gunmei[2] = '\0';
    wd.writeCommanderies({g, cut});
    wd.writeCounties(kYu, {k});
    open();
    click(3, kYu);
    EXPECT_EQ(h().items(1), QStringList({"汝 じょなんぐん"}));
    click(1, 0);
    EXPECT_EQ(h().text(2), QStringLiteral("汝"));
    EXPECT_EQ(h().items(2), QStringList());
    // Empty fields are never found, not even by the empty text.
    EXPECT_EQ(search(1, QString()), QStringList());
    EXPECT_EQ(h().items(1), QStringList({"汝 じょなんぐん"}));
    EXPECT_EQ(search(3, QString()), QStringList({kNotFound}));
    EXPECT_EQ(search(4, QString()), QStringList({kNotFound}));
}

TEST_F(Hostile, ProvinceLabelWithSpacesAroundIt) {
    wd.writeCommanderies({
        gun({"豫州 ", "潁川郡", "えいせんぐん", "", "", "", "", "", ""}),
        gun({" エン州", "陳留郡", "ちんりゅうぐん", "", "", "", "", "", ""}),
        gun({"エン州  ", "東郡", "とうぐん", "", "", "", "", "", ""}),
    });
    wd.writeGlyph(QStringLiteral("en4"));
    open();
    click(3, kYu);
    EXPECT_EQ(h().items(1), QStringList({"潁川郡 えいせんぐん"}));
    click(3, kEn);
    EXPECT_EQ(h().items(1), QStringList({"陳留郡 ちんりゅうぐん", "東郡 とうぐん"}));
    click(3, 0);
    search(2, QStringLiteral("ぐん"));
    for (const QString& item : {QStringLiteral("陳留郡 ちんりゅうぐん"), QStringLiteral("東郡 とうぐん")}) {
        clickItem(1, item);
        EXPECT_EQ(h().text(1), QStringLiteral("■州")) << item.toStdString();
        EXPECT_EQ(h().form().fname, QStringLiteral("syu/エン州.txt"));
        EXPECT_EQ(h().visiblePictures(), QStringLiteral("1"));
        EXPECT_EQ(h().bitmap(1), QStringLiteral("ji/en4.bmp"));
    }
    clickItem(1, QStringLiteral("潁川郡 えいせんぐん"));
    EXPECT_EQ(h().text(1), QStringLiteral("豫州"));
    EXPECT_EQ(h().visiblePictures(), QString());
}

// A name with a space in it cannot be matched back from an item's text alone,
// and a commandery may name no known province. An item made from the record
// is still that record; a bare item matches nothing and empties the
// commandery boxes, their glyphs with them; the province stays with its glyph.
TEST_F(Hostile, ClicksThatMatchNothingKeepTheGlyphsOfWhatStaysShown) {
    wd.writeCommanderies({
        gun({"エン州", "■郡", "えんぐん", "g", "", "", "", "", ""}),
        gun({"豫州", "河 南", "かなん", "", "", "", "", "", ""}),
        gun({"魏州", "魏郡", "ぎぐん", "", "", "", "", "", ""}),
        gun({"豫州", "孤郡", "こぐん", "", "", "", "", "", ""}),
    });
    wd.writeCounties(kEn, {ken({"", "■郡", "■□", "えんえん", "k", "k2", "", ""})});
    wd.writeCounties(kYu, {ken({"", "無郡", "迷子", "まいご", "", "", "", ""})});  // its commandery is absent
    for (const char* g : {"en4", "g", "k", "k2"})
        wd.writeGlyph(QString::fromLatin1(g));
    open();
    click(3, kEn);
    click(1, 0);
    click(2, 0);
    ASSERT_EQ(h().visiblePictures(), QStringLiteral("1 2 4 5"));

    search(1, QStringLiteral("南"));
    ASSERT_EQ(h().items(1), QStringList({"河 南 かなん"}));
    click(1, 0);  // the item's own record, space and all
    EXPECT_EQ(h().text(2), QStringLiteral("河 南"));
    EXPECT_EQ(h().text(1), QStringLiteral("豫州"));
    EXPECT_EQ(h().text(3), QString());
    EXPECT_EQ(h().items(2), QStringList());

    click(3, kEn);
    click(1, 0);
    h().listBox(1).clear();
    h().listBox(1).append(QStringLiteral("河 南 かなん"));
    click(1, 0);  // bare: its name half "河" matches no record
    EXPECT_EQ(h().text(2), QString());
    EXPECT_EQ(h().text(4), QString());
    EXPECT_EQ(h().text(1), QStringLiteral("■州"));
    EXPECT_EQ(h().visiblePictures(), QStringLiteral("1"));
    EXPECT_EQ(h().items(2), QStringList());

    search(1, QStringLiteral("魏"));
    click(1, 0);  // no province 魏州: the province shown stays, with its glyph
    EXPECT_EQ(h().text(2), QStringLiteral("魏郡"));
    EXPECT_EQ(h().text(1), QStringLiteral("■州"));
    EXPECT_EQ(h().bitmap(1), QStringLiteral("ji/en4.bmp"));

    click(3, kEn);
    click(1, 0);
    search(3, QStringLiteral("迷"));
    click(2, 0);  // its commandery is in no record: province and commandery stay
    EXPECT_EQ(h().text(2), QStringLiteral("■郡"));
    EXPECT_EQ(h().text(1), QStringLiteral("■州"));
    EXPECT_EQ(h().text(3), QString());  // and a county of another province is not shown beside them
}

// ---- Things other than files where files should be ---------------------

TEST_F(Hostile, DirectoriesWhereFilesShouldBe) {
    QDir().mkpath(wd.file(kCommanderyFile));
    for (int i = 0; i < provinces::kCount; ++i)
        QDir().mkpath(wd.file(countyFile(i)));
    QDir().mkpath(wd.file(QStringLiteral("ji/en4.bmp")));
    open();
    expectNothingAnywhere();
    click(3, kEn);
    EXPECT_EQ(h().visiblePictures(), QStringLiteral("1"));
    EXPECT_EQ(h().bitmap(1), QString());
    EXPECT_TRUE(QFileInfo(wd.file(kCommanderyFile)).isDir());
}

TEST_F(Hostile, FifoDeviceAndSymlinksWhereFilesShouldBe) {
    wd.writeCommanderies({gun({"豫州", "潁川郡", "えいせんぐん", "", "", "", "", "", ""})});
    // A FIFO with no writer would block a plain open or read for ever.
    ASSERT_EQ(::mkfifo(QFile::encodeName(wd.file(countyFile(kYu))).constData(), 0644), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), wd.file(countyFile(0))));
    // Bringing a missing file into being must not follow a link out of syu/.
    ASSERT_TRUE(QFile::link(QStringLiteral("../made-outside.txt"), wd.file(countyFile(2))));
    ASSERT_TRUE(QFile::link(QFileInfo(countyFile(4)).fileName(), wd.file(countyFile(4))));  // a loop
    open();
    click(3, kYu);
    click(1, 0);
    EXPECT_EQ(h().text(2), QStringLiteral("潁川郡"));
    EXPECT_EQ(h().items(2), QStringList());
    EXPECT_EQ(search(3, QString()), QStringList({kNotFound}));
    EXPECT_EQ(search(4, QStringLiteral("x")), QStringList({kNotFound}));
    EXPECT_FALSE(QFileInfo::exists(wd.file(QStringLiteral("made-outside.txt"))));
    EXPECT_TRUE(QFileInfo(wd.file(countyFile(2))).isSymLink());
}

TEST_F(Hostile, MissingFilesAreCreatedEmptyAndNothingElse) {
    wd.writeCommanderies({gun({"豫州", "潁川郡", "えいせんぐん", "", "", "", "", "", ""})});
    open();
    click(3, kYu);
    click(1, 0);
    EXPECT_EQ(search(3, QString()), QStringList({kNotFound}));
    for (int i = 0; i < provinces::kCount; ++i)
        EXPECT_EQ(QFileInfo(wd.file(countyFile(i))).size(), 0) << i;
    EXPECT_FALSE(QFileInfo::exists(wd.file(QStringLiteral("ji/en4.bmp"))));
}

TEST_F(Hostile, PermissionDenied) {
    if (ranUnprivileged())
        return;
    SampleGazetteer data{wd};
    open();  // notes the files while they can still be read
    ::chmod(QFile::encodeName(wd.file(countyFile(0))).constData(), 0);
    ::chmod(QFile::encodeName(wd.file(QStringLiteral("ji/en4.bmp"))).constData(), 0);
    click(3, kEn);
    EXPECT_EQ(h().visiblePictures(), QStringLiteral("1"));
    EXPECT_EQ(h().bitmap(1), QString());  // refused
    click(3, 0);
    click(1, 0);
    EXPECT_EQ(h().text(2), QStringLiteral("河南尹"));
    EXPECT_EQ(h().items(2), QStringList());  // its county file is refused
    EXPECT_EQ(search(3, QStringLiteral("陽")), QStringList({kFinished}));
    EXPECT_EQ(h().items(2), QStringList({"陽城 ようじょう"}));

    ::chmod(QFile::encodeName(wd.file(QStringLiteral("syu"))).constData(), 0);
    expectNothingAnywhere();
    ::chmod(QFile::encodeName(wd.file(QStringLiteral("syu"))).constData(), 0755);
    ::chmod(QFile::encodeName(wd.file(countyFile(0))).constData(), 0644);
    ::chmod(QFile::encodeName(wd.file(QStringLiteral("ji/en4.bmp"))).constData(), 0644);
}

// ---- Bitmaps -------------------------------------------------------------

struct BadBitmap {
    const char* name;
    void (*make)(const WorkDir& wd, const QString& path);  // puts the bad thing at `path`
};
void PrintTo(const BadBitmap& b, std::ostream* os) { *os << b.name; }

void putTruncated(const WorkDir& wd, const QString& path) {
    const QByteArray b = bitmapBytes();
    writeRaw(wd, path, b.left(b.size() / 2).toStdString());
}
void putOneBytePixelShort(const WorkDir& wd, const QString& path) {
    const QByteArray b = bitmapBytes();
    writeRaw(wd, path, b.left(b.size() - 1).toStdString());
}
void putHugeDeclared(const WorkDir& wd, const QString& path) {
    QByteArray b = bitmapBytes();
    const qint32 side = 100000;
    std::memcpy(b.data() + 18, &side, 4);  // biWidth
    std::memcpy(b.data() + 22, &side, 4);  // biHeight
    writeRaw(wd, path, b.toStdString());
}
void putNegativeDeclared(const WorkDir& wd, const QString& path) {
    QByteArray b = bitmapBytes();
    const qint32 side = -2147483647;
    std::memcpy(b.data() + 18, &side, 4);
    writeRaw(wd, path, b.toStdString());
}
void putText(const WorkDir& wd, const QString& path) { writeRaw(wd, path, "this is not a bitmap\n"); }
void putPng(const WorkDir& wd, const QString& path) {
    QImage img(8, 8, QImage::Format_RGB32);
    img.fill(Qt::black);
    ASSERT_TRUE(img.save(wd.file(path), "PNG"));
}
void putOversizedFile(const WorkDir& wd, const QString& path) {
    QByteArray b = bitmapBytes();
    b.append(QByteArray(2 << 20, '\0'));
    writeRaw(wd, path, b.toStdString());
}
void putSymlinkOut(const WorkDir& wd, const QString& path) {
    writeRaw(wd, QStringLiteral("outside.bmp"), bitmapBytes().toStdString());
    ASSERT_TRUE(QFile::link(QStringLiteral("../outside.bmp"), wd.file(path)));
}
// A sibling folder whose name starts with "ji" is still outside ji/.
void putSymlinkToJiSibling(const WorkDir& wd, const QString& path) {
    QDir().mkpath(wd.file(QStringLiteral("ji.bak")));
    writeRaw(wd, QStringLiteral("ji.bak/x.bmp"), bitmapBytes().toStdString());
    ASSERT_TRUE(QFile::link(QStringLiteral("../ji.bak/x.bmp"), wd.file(path)));
}
void putSymlinkLoop(const WorkDir& wd, const QString& path) { ASSERT_TRUE(QFile::link(QFileInfo(path).fileName(), wd.file(path))); }
void putDirectory(const WorkDir& wd, const QString& path) { ASSERT_TRUE(QDir().mkpath(wd.file(path))); }
void putEmpty(const WorkDir& wd, const QString& path) { writeRaw(wd, path, {}); }

class HostileBitmap : public Hostile, public ::testing::WithParamInterface<BadBitmap> {};

// The picture box is shown over the placeholder, but holds no image.
TEST_P(HostileBitmap, ShowsAnEmptyPicture) {
    wd.writeCommanderies({gun({"エン州", "■■", "えんえん", "g", "", "", "", "", ""})});
    wd.writeCounties(kEn, {ken({"", "■■", "■□", "えんえん", "g", "g", "", ""})});
    GetParam().make(wd, QStringLiteral("ji/en4.bmp"));
    GetParam().make(wd, QStringLiteral("ji/g.bmp"));
    open();
    click(3, kEn);
    click(1, 0);
    click(2, 0);
    EXPECT_EQ(h().visiblePictures(), QStringLiteral("1 2 3 4 5"));
    for (int n = 1; n <= ui::kPictures; ++n)
        EXPECT_EQ(h().bitmap(n), QString()) << "Picture" << n;
}

const BadBitmap kBadBitmaps[] = {
    {"Truncated", putTruncated},       {"OneBytePixelShort", putOneBytePixelShort},
    {"HugeDeclaredSize", putHugeDeclared},
    {"NegativeWidth", putNegativeDeclared}, {"PlainText", putText},
    {"PngNamedBmp", putPng},           {"OverAMegabyte", putOversizedFile},
    {"SymlinkOutOfJi", putSymlinkOut}, {"SymlinkToJiSibling", putSymlinkToJiSibling},
    {"SymlinkLoop", putSymlinkLoop},
    {"Directory", putDirectory},       {"Empty", putEmpty},
};
INSTANTIATE_TEST_SUITE_P(Catalogue, HostileBitmap, ::testing::ValuesIn(kBadBitmaps),
                         [](const auto& bitmap) { return std::string(bitmap.param.name); });

// The same set-up with sound bitmaps of each depth loads them, so the cases
// above fail for the bitmap and not for the set-up or the length check.
TEST_F(Hostile, SoundBitmapsOfEveryDepthLoad) {
    const struct { const char* name; QImage::Format format; } depths[] = {
        {"mono", QImage::Format_Mono}, {"indexed", QImage::Format_Indexed8},
        {"rgb24", QImage::Format_RGB888}, {"rgb32", QImage::Format_RGB32},
    };
    std::vector<gunrec> recs;
    for (const auto& d : depths) {
        QImage img(23, 27, QImage::Format_RGB32);  // odd width: rows are padded
        img.fill(Qt::white);
        img.setPixel(3, 4, qRgb(0, 0, 0));
        ASSERT_TRUE(img.convertToFormat(d.format).save(wd.file(QStringLiteral("ji/%1.bmp").arg(d.name)), "BMP"));
        recs.push_back(gun({"エン州", QStringLiteral("■") + d.name, "よみ", d.name, "", "", "", "", ""}));
    }
    wd.writeCommanderies(recs);
    open();
    click(3, kEn);
    for (int i = 0; i < 4; ++i) {
        click(1, i);
        EXPECT_EQ(h().visiblePictures(), QStringLiteral("1 2")) << depths[i].name;
        EXPECT_EQ(h().bitmap(1), QString());  // no ji/en4.bmp here
        EXPECT_EQ(h().bitmap(2), QStringLiteral("ji/%1.bmp").arg(depths[i].name));
    }
}

// A picture box on a high-density screen reads the @2x variant beside the
// bitmap only when it passes the same checks and is exactly twice the size;
// whatever is wrong with it, the 1x bitmap shows. A bad 1x bitmap shows
// nothing, however sound its variant.
TEST_F(Hostile, DoubleSizeBitmapsPassTheSameChecksOrGiveWayToTheBitmap) {
    const auto sized = [](QSize size) {
        QImage img(size, QImage::Format_RGB32);
        img.fill(qRgb(4, 5, 6));
        return img;
    };
    const QString base = QStringLiteral("ji/g.bmp"), variant = QStringLiteral("ji/g@2x.bmp");
    const auto clear = [&] {
        QFile::remove(wd.file(variant));
        QDir(wd.file(variant)).removeRecursively();
    };
    const auto loaded = [&](qreal ratio) {
        MemoryPictureBox box(&wd.gazetteer());
        box.setDevicePixelRatio(ratio);
        box.load(base);
        return std::pair{box.image().size(), box.image().devicePixelRatio()};
    };
    const std::pair<QSize, qreal> one{{25, 27}, 1.0}, two{{50, 54}, 2.0};
    ASSERT_TRUE(sized({25, 27}).save(wd.file(base), "BMP"));

    ASSERT_TRUE(sized({50, 54}).save(wd.file(variant), "BMP"));
    EXPECT_EQ(loaded(2), two);
    EXPECT_EQ(loaded(1.25), two);
    EXPECT_EQ(loaded(1), one);
    for (const QSize wrong : {QSize(25, 27), QSize(50, 55), QSize(100, 108)}) {
        ASSERT_TRUE(sized(wrong).save(wd.file(variant), "BMP"));
        EXPECT_EQ(loaded(2), one) << wrong.width() << "x" << wrong.height();
    }
    clear();
    EXPECT_EQ(loaded(2), one) << "no variant";
    for (const BadBitmap& bad : kBadBitmaps) {
        clear();
        bad.make(wd, variant);
        EXPECT_EQ(loaded(2), one) << bad.name;
    }

    clear();
    ASSERT_TRUE(sized({50, 54}).save(wd.file(variant), "BMP"));
    putTruncated(wd, base);
    MemoryPictureBox box(&wd.gazetteer());
    box.setDevicePixelRatio(2);
    box.load(base);
    EXPECT_TRUE(box.image().isNull());
    EXPECT_EQ(box.bitmap(), QString());
}

// Glyph names are file names inside ji/ only; a bitmap where the name would
// lead is planted so that following it would show.
TEST_F(Hostile, GlyphNamesThatTryToLeaveJi) {
    writeRaw(wd, QStringLiteral("x.bmp"), bitmapBytes().toStdString());           // ji/../x
    writeRaw(wd, QStringLiteral("ji/a\\b.bmp"), bitmapBytes().toStdString());     // a\b
    writeRaw(wd, QStringLiteral("ji/...bmp"), bitmapBytes().toStdString());       // ..
    QDir().mkpath(wd.file(QStringLiteral("ji/etc")));
    writeRaw(wd, QStringLiteral("ji/etc/x.bmp"), bitmapBytes().toStdString());    // /etc/x
    const char* names[] = {"..", "../x", "/etc/x", "a\\b"};
    std::vector<gunrec> gs;
    std::vector<kenrec> ks;
    for (const char* n : names) {
        gs.push_back(gun({"豫州", QStringLiteral("■") + QString::fromLatin1(n), "よみ", QString::fromLatin1(n),
                          "", "", "", "", ""}));
        ks.push_back(ken({"", QStringLiteral("■") + QString::fromLatin1(n), QStringLiteral("■□") + QString::fromLatin1(n), "よみ", QString::fromLatin1(n),
                          QString::fromLatin1(n), "", ""}));
    }
    wd.writeCommanderies(gs);
    wd.writeCounties(kYu, ks);
    open();
    search(1, QStringLiteral("■"));
    ASSERT_EQ(h().items(1).size(), 4);
    search(3, QStringLiteral("■"));
    ASSERT_EQ(h().items(2).size(), 4);
    for (int i = 0; i < 4; ++i) {
        search(1, QStringLiteral("■"));
        click(1, i);
        EXPECT_EQ(h().visiblePictures(), QStringLiteral("2")) << names[i];
        EXPECT_EQ(h().bitmap(2), QString()) << names[i];
        h().option(3);
        h().search(QStringLiteral("■"));
        click(2, i);
        EXPECT_EQ(h().text(3), QStringLiteral("■□") + QString::fromLatin1(names[i]));
        EXPECT_TRUE(h().shown(4) && h().shown(5)) << names[i];
        EXPECT_EQ(h().bitmap(4), QString()) << names[i];
        EXPECT_EQ(h().bitmap(5), QString()) << names[i];
    }
}

// ---- The other-names index -------------------------------------------------

// Whatever stands where the index should be, the search finds what the
// records hold and, in a readable index, the well-formed entries that still
// name their record; a broken line costs only itself.
TEST_F(Hostile, BrokenIndexesLeaveTheSearchToTheRecords) {
    SampleGazetteer data{wd};
    const QString index = QStringLiteral("betsu/司隸.tsv");
    const std::string good = "syu/司隸.txt\t2\t河南\tかなん\tlater\t新名\tしんめい\tn\n";
    const struct {
        const char* what;
        std::function<void()> make;
        bool found;
    } cases[] = {
        {"a sound entry", [&] { writeRaw(wd, index, good); }, true},
        {"no betsu/", [] {}, false},
        {"a directory", [&] { QDir().mkpath(wd.file(index)); }, false},
        {"a FIFO", [&] { ASSERT_EQ(::mkfifo(QFile::encodeName(wd.file(index)).constData(), 0644), 0); }, false},
        {"/dev/zero", [&] { ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), wd.file(index))); }, false},
        {"a record that changed", [&] { writeRaw(wd, index, "syu/司隸.txt\t2\t別名\tかなん\tlater\t新名\tしんめい\tn\n"); }, false},
        {"a record past the end", [&] { writeRaw(wd, index, "syu/司隸.txt\t99\t河南\tかなん\tlater\t新名\tしんめい\tn\n"); }, false},
        {"another file's entry", [&] { writeRaw(wd, index, "syu/豫州.txt\t2\t河南\tかなん\tlater\t新名\tしんめい\tn\n"); }, false},
        {"broken lines before it", [&] {
             writeRaw(wd, index, std::string(5000, 'x') + "新名\n" + "syu/司隸.txt\t2\t河南\tかなん\tlater\t新名\n" +
                                 "syu/司隸.txt\tx\t河南\tかなん\tlater\t新名\tしんめい\tn\n" +
                                 "syu/司隸.txt\t2\t河南\t\xff\tlater\t新名\tしんめい\tn\n" +
                                 "syu/司隸.txt\t2\t河南" + std::string(1, '\0') + "\tかなん\tlater\t新名\tしんめい\tn\n" +
                                 good);
         }, true},
    };
    for (const auto& c : cases) {
        QDir(wd.file(QStringLiteral("betsu"))).removeRecursively();
        if (std::string(c.what) != "no betsu/")
            QDir().mkpath(wd.file(QStringLiteral("betsu")));
        c.make();
        open();
        EXPECT_EQ(search(3, QStringLiteral("新名")), QStringList{c.found ? kFinished : kNotFound}) << c.what;
        EXPECT_EQ(h().shownItems(2), c.found ? QStringList{QStringLiteral("河南 かなん（新名）")} : QStringList())
            << c.what;
        // The records' own names are found as ever.
        search(3, QStringLiteral("河南"));
        EXPECT_EQ(h().items(2), QStringList{QStringLiteral("河南 かなん")}) << c.what;
        EXPECT_EQ(checks::changes(before, checks::FileState::take(wd.gazetteer())), "") << c.what;
        owner.reset();
    }
}

// ---- Size ------------------------------------------------------------------

// A 2 GiB county file, sparse but for its first and last records, must be
// streamed: its counties are found at both ends without the file ever being
// held in memory.
TEST_F(Hostile, TwoGiBSparseCountyFileIsStreamed) {
    wd.writeCommanderies({gun({"豫州", "潁川郡", "えいせんぐん", "", "", "", "", "", ""})});
    const kenrec first = ken({"", "潁川郡", "陽城", "ようじょう", "", "", "", ""});
    const kenrec last = ken({"", "潁川郡", "尾県", "びけん", "", "", "", "末尾"});
    const off_t size = off_t(2) << 30;
    const off_t lastAt = (size / 204 - 1) * 204;
    {
        const int fd = ::open(QFile::encodeName(wd.file(countyFile(kYu))).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::pwrite(fd, &first, sizeof first, 0), ssize_t(sizeof first));
        ASSERT_EQ(::ftruncate(fd, size), 0);
        ASSERT_EQ(::pwrite(fd, &last, sizeof last, lastAt), ssize_t(sizeof last));
        ::close(fd);
    }
    checks::resetPeakRss();
    const long rssBefore = checks::rssKiB();
    // Each full scan of 10.5 million records is slow under the sanitizers:
    // there the window is the in-memory one and fewer scans are made.
    open(kSanitized ? "memory" : "qt");
    click(3, kYu);
    click(1, 0);  // one full scan
    EXPECT_EQ(h().items(2), QStringList({"陽城 ようじょう", "尾県 びけん"}));
    if (!kSanitized) {  // the search's scan, over every county file
        EXPECT_EQ(search(4, QStringLiteral("けん")), QStringList({kFinished}));
        EXPECT_EQ(h().items(2), QStringList({"尾県 びけん"}));
    }
    // The sanitizer's quarantine keeps up to 256 MiB of freed blocks, so
    // there the bound only shows that the file was not read whole.
    const long growthKiB = checks::peakRssKiB() - rssBefore;
    EXPECT_LT(growthKiB, (kSanitized ? 1024 : 64) * 1024) << "peak RSS grew by " << growthKiB << " KiB";
    std::cout << "[ 2 GiB  ] peak RSS grew by " << growthKiB << " KiB" << std::endl;
    EXPECT_EQ(QFileInfo(wd.file(countyFile(kYu))).size(), qint64(size));
}

// Clicking an item shows its own record; a bare item of a name shared by
// 100,000 records shows each of them in turn.
TEST_F(Hostile, HundredThousandCommanderiesOfOneName) {
    std::vector<gunrec> recs(100000, gun({"豫州", "■郡", "えんぐん", "g", "", "", "", "", ""}));
    recs.back() = gun({"エン州", "■郡", "えんぐん", "g", "", "", "9", "", "最後"});
    wd.writeCommanderies(recs);
    wd.writeCounties(kEn, {ken({"", "■郡", "県", "けん", "", "", "", ""})});
    wd.writeGlyph(QStringLiteral("g"));
    wd.writeGlyph(QStringLiteral("en4"));
    open();
    click(3, kYu);
    EXPECT_EQ(h().items(1).size(), 99999);
    click(1, 5000);
    EXPECT_EQ(h().text(1), QStringLiteral("豫州"));
    EXPECT_EQ(h().text(12), QString());
    EXPECT_EQ(h().visiblePictures(), QStringLiteral("2"));

    h().listBox(1).clear();
    h().listBox(1).append(QStringLiteral("■郡 えんぐん"));
    click(1, 0);
    // The last record stays: its province, its remark, its county file.
    EXPECT_EQ(h().text(1), QStringLiteral("■州"));
    EXPECT_EQ(h().text(12), QStringLiteral("最後"));
    EXPECT_EQ(h().items(2), QStringList({"県 けん"}));
    EXPECT_EQ(h().visiblePictures(), QStringLiteral("1 2"));
    EXPECT_EQ(h().bitmap(1), QStringLiteral("ji/en4.bmp"));
    EXPECT_EQ(h().bitmap(2), QStringLiteral("ji/g.bmp"));
    EXPECT_EQ(search(2, QStringLiteral("えん")), QStringList());
    EXPECT_EQ(h().items(1).size(), 100000);
}

}  // namespace
