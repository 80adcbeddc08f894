// The gazetteer compiler on small sources: the glyph rules for names, remark
// text, and bad source reported by file and line with nothing written.
#include "data/gazetteer.h"
#include "data/provinces.h"
#include "data/record_file.h"
#include "data/record_writer.h"
#include "data/text_model.h"
#include "build.h"
#include "dump.h"
#include "output.h"
#include "remarks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Source {
    QString provinces, commanderies, counties, katakana;

    Source() {
        provinces = QStringLiteral("label\tname\ttraditional\treading\n");
        for (const ProvinceRow& p : provinces::rows()) {
            const QString name = p.glyph.isEmpty() ? p.label : QStringLiteral("兗州");
            provinces += p.label + u'\t' + name + u'\t' + name + QStringLiteral("\tしゅう\n");
        }
        commanderies = QStringLiteral(
            "province\tname\ttraditional\treading\tcities\thouseholds\tpopulation\tremark\n"
            "司隸校尉\t河南尹\t河南尹\tかなんいん\t21\t208486\t1010827\t治所 雒陽。尹。\n"
            "徐州\t下邳国\t下邳國\tかひこく\t17\t136389\t611083\t治所 下邳。国。\n");
        counties = QStringLiteral(
            "commandery\tname\ttraditional\treading\tunit\tnote\tproducts\n"
            "河南尹\t雒陽\t雒陽\tらくよう\t\t有狄泉\t\n"
            "河南尹\t祋祤\t祋祤\tたいう\t侯国\t雒水出。媯水\t鉄・塩\n"
            "河南尹\t雒雒\t雒雒\tらくらく\t\t\t\n"
            "河南尹\t羸𨻻\t羸𨻻\tるいろう\t\t\t\n"
            "下邳国\t下邳\t下邳\tかひ\t\t\t\n");
        katakana = QStringLiteral("char\tkatakana\n雒\tラク\n");
    }

    void write(const QString& dir) const {
        QDir().mkpath(dir);
        const std::pair<const char*, const QString*> files[] = {
            {"provinces.tsv", &provinces}, {"commanderies.tsv", &commanderies},
            {"counties.tsv", &counties}, {"katakana.tsv", &katakana}};
        for (const auto& [name, text] : files) {
            QFile f(QDir(dir).filePath(QLatin1String(name)));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(text->toUtf8());
        }
    }
};

// Replaces the first occurrence of `from` in `text`; the test fails if absent.
void edit(QString& text, const QString& from, const QString& to) {
    const qsizetype at = text.indexOf(from);
    ASSERT_GE(at, 0) << from.toStdString();
    text.replace(at, from.size(), to);
}

template <class Rec>
std::vector<Rec> records(const QString& path) {
    std::vector<Rec> v;
    // Read-only: a path that is missing stays missing.
    Gazetteer::open({}, QStringLiteral(".")).scan<Rec>(path, [&](const Rec& r) {
        v.push_back(r);
        return true;
    });
    return v;
}

TEST(GazetteerCompile, PlacesGlyphsByTheNameBoxRules) {
    QTemporaryDir tmp;
    const QString src = tmp.filePath(QStringLiteral("data")), out = tmp.filePath(QStringLiteral("out"));
    Source().write(src);
    QString error;
    ASSERT_TRUE(gazetteer::compile(src, out, &error)) << error.toStdString();

    const auto comm = records<gunrec>(out + QStringLiteral("/syu/州郡.txt"));
    ASSERT_EQ(comm.size(), 2u);
    EXPECT_EQ(text::value(comm[0].syumei), QStringLiteral("司隸校尉"));
    EXPECT_EQ(text::value(comm[0].gunmei), QStringLiteral("河南尹"));
    EXPECT_EQ(text::value(comm[0].gunbiko), QStringLiteral("治所 ラク陽。尹。"));
    EXPECT_EQ(text::value(comm[1].syumei), QStringLiteral("徐州"));
    EXPECT_EQ(text::value(comm[1].gunmei), QStringLiteral("下■国"));
    EXPECT_EQ(text::value(comm[1].gunji), QStringLiteral("u90b3_24"));

    const auto ken = records<kenrec>(out + QStringLiteral("/syu/司隸.txt"));
    ASSERT_EQ(ken.size(), 4u);
    struct Want { const char* name; const char* kenji; const char* kenji2; };
    const Want want[] = {{"■陽", "u96d2", ""}, {"■□", "u794b", "u7964"},
                         {"■■", "u96d2", ""}, {"羸□", "", "u28efb"}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(text::value(ken[i].gunmei), QStringLiteral("河南尹"));
        EXPECT_EQ(text::value(ken[i].kenmei), QString::fromUtf8(want[i].name));
        EXPECT_EQ(text::value(ken[i].kenji), QString::fromUtf8(want[i].kenji));
        EXPECT_EQ(text::value(ken[i].kenji2), QString::fromUtf8(want[i].kenji2));
    }
    EXPECT_EQ(text::value(ken[0].kenbiko), QStringLiteral("郡治。有狄泉"));
    EXPECT_EQ(text::value(ken[1].kenbiko), QStringLiteral("侯国。ラク水出。〓水"));
    EXPECT_EQ(text::value(ken[1].sanbutu), QStringLiteral("鉄・塩"));
    EXPECT_EQ(text::value(ken[2].kenbiko), QString());

    const auto xu = records<kenrec>(out + QStringLiteral("/syu/徐州.txt"));
    ASSERT_EQ(xu.size(), 1u);
    EXPECT_EQ(text::value(xu[0].gunmei), QStringLiteral("下■国"));
    EXPECT_EQ(text::value(xu[0].kenmei), QStringLiteral("下□"));
    EXPECT_EQ(text::value(xu[0].kenbiko), QStringLiteral("郡治"));

    // Provinces without counties still get their (empty) file.
    for (const ProvinceRow& p : provinces::rows())
        EXPECT_TRUE(QFile::exists(QDir(out).filePath(p.countyFile))) << p.countyFile.toStdString();

    const std::pair<const char*, QSize> bitmaps[] = {
        {"ji/u96d2.bmp", {25, 27}}, {"ji/u794b.bmp", {25, 27}}, {"ji/u7964.bmp", {25, 27}},
        {"ji/u28efb.bmp", {25, 27}}, {"ji/u90b3.bmp", {25, 27}}, {"ji/u90b3_24.bmp", {24, 27}},
        {"ji/en4.bmp", {27, 27}}};
    for (const auto& [path, size] : bitmaps)
        EXPECT_EQ(QImage(QDir(out).filePath(QLatin1String(path))).size(), size) << path;
}

TEST(GazetteerCompile, CutsLongRemarksAfterTheLastWholeClause) {
    QTemporaryDir tmp;
    Source s;
    // "郡治。" + 20 + "。" + 30 two-byte characters is 108 bytes: the second
    // clause does not fit, so the remark ends after the first.
    edit(s.counties, QStringLiteral("有狄泉"),
         QString(20, QChar(u'泉')) + QStringLiteral("。") + QString(30, QChar(u'泉')));
    edit(s.counties, QStringLiteral("鉄・塩"), QStringLiteral("鉄・塩・銅・錫・銀・鉛・金"));
    s.write(tmp.filePath(QStringLiteral("data")));
    QString error;
    ASSERT_TRUE(gazetteer::compile(tmp.filePath(QStringLiteral("data")),
                                   tmp.filePath(QStringLiteral("out")), &error))
        << error.toStdString();
    const auto ken = records<kenrec>(tmp.filePath(QStringLiteral("out/syu/司隸.txt")));
    ASSERT_FALSE(ken.empty());
    EXPECT_EQ(text::value(ken[0].kenbiko),
              QStringLiteral("郡治。") + QString(20, QChar(u'泉')) + QStringLiteral("。"));
    EXPECT_EQ(text::value(ken[1].sanbutu), QStringLiteral("鉄・塩・銅・錫・銀・鉛・金"));
}

TEST(GazetteerCompile, RemarkCutKeepsWholeClausesWhereItCan) {
    struct Case {
        const char* text;
        std::size_t width;
        const char* want;
    };
    const Case cases[] = {
        {"有狄泉", 100, "有狄泉"},                         // fits: unchanged
        {"一二。三四", 10, "一二。三四"},                  // exactly fits
        {"一二。三四五。六七", 14, "一二。三四五。"},      // the stop itself fits
        {"一二。三四五六七", 12, "一二。"},                // last clause cut off whole
        {"一二三，四五六七", 12, "一二三，"},              // no "。": the last "，"
        {"一二三四五六七", 8, "一二三四"},                 // neither: a character boundary
        {"ab。cdef", 5, "ab。"},                           // one-byte characters count one
        {"郡治。ラク陽の北", 10, "郡治。"},                // katakana as written, two bytes
    };
    for (const Case& c : cases)
        EXPECT_EQ(remarks::cutAtClause(QString::fromUtf8(c.text), c.width), QString::fromUtf8(c.want))
            << c.text << " in " << c.width;
}

struct BadCase {
    const char* what;
    void (*mutate)(Source&);
    const char* at;       // "file:line:" the message must start with
    const char* mention;  // and a word it must hold
};

const BadCase kBadCases[] = {
    {"commandery name over 12 bytes",
     [](Source& s) { edit(s.commanderies, QStringLiteral("\t河南尹\t"), QStringLiteral("\t河南尹河南尹河\t")); },
     "commanderies.tsv:2:", "gunmei"},
    {"commandery reading over 15 kana",
     [](Source& s) { edit(s.commanderies, QStringLiteral("かなんいん"), QString(16, QChar(u'か'))); },
     "commanderies.tsv:2:", "gunyomi"},
    {"county reading over 10 kana",
     [](Source& s) { edit(s.counties, QStringLiteral("らくよう"), QString(11, QChar(u'ら'))); },
     "counties.tsv:2:", "kenyomi"},
    {"households too wide",
     [](Source& s) { edit(s.commanderies, QStringLiteral("208486"), QStringLiteral("12345678901")); },
     "commanderies.tsv:2:", "kosu"},
    {"households not a number",
     [](Source& s) { edit(s.commanderies, QStringLiteral("208486"), QStringLiteral("208,486")); },
     "commanderies.tsv:2:", "households"},
    {"unknown province in a commandery",
     [](Source& s) { edit(s.commanderies, QStringLiteral("徐州\t下邳国"), QStringLiteral("兗州\t下邳国")); },
     "commanderies.tsv:3:", "unknown province"},
    {"unknown province in the province list",
     [](Source& s) { edit(s.provinces, QStringLiteral("交州\t交州"), QStringLiteral("越州\t越州")); },
     "provinces.tsv:14:", "unknown province"},
    {"county of a missing commandery",
     [](Source& s) { edit(s.counties, QStringLiteral("河南尹\t祋祤"), QStringLiteral("河北郡\t祋祤")); },
     "counties.tsv:3:", "河北郡"},
    {"line with a field missing",
     [](Source& s) { edit(s.counties, QStringLiteral("らくよう\t\t"), QStringLiteral("らくよう\t")); },
     "counties.tsv:2:", "malformed"},
    {"reading in latin letters",
     [](Source& s) { edit(s.counties, QStringLiteral("らくよう"), QStringLiteral("rakuyou")); },
     "counties.tsv:2:", "hiragana"},
    {"reading in katakana",
     [](Source& s) { edit(s.commanderies, QStringLiteral("かひこく"), QStringLiteral("カヒコク")); },
     "commanderies.tsv:3:", "hiragana"},
    {"rare character in a county name's third place",
     [](Source& s) { edit(s.counties, QStringLiteral("\t下邳\t下邳"), QStringLiteral("\t東西雒\t東西雒")); },
     "counties.tsv:6:", "position 3"},
    {"rare character in a commandery name's third place",
     [](Source& s) { edit(s.commanderies, QStringLiteral("\t河南尹\t河南尹"), QStringLiteral("\t河南雒\t河南雒")); },
     "commanderies.tsv:2:", "position 3"},
    {"two different rare characters in a commandery name",
     [](Source& s) { edit(s.commanderies, QStringLiteral("\t河南尹\t河南尹"), QStringLiteral("\t牂牁郡\t牂牁郡")); },
     "commanderies.tsv:2:", "two different"},
    {"unknown unit",
     [](Source& s) { edit(s.counties, QStringLiteral("侯国"), QStringLiteral("県")); },
     "counties.tsv:3:", "unit"},
    {"text that is not UTF-8",
     [](Source&) {},  // the bytes are appended after writing
     "counties.tsv:7:", "UTF-8"},
};

TEST(GazetteerCompile, BadSourceIsReportedByFileAndLineAndNothingIsWritten) {
    for (const BadCase& c : kBadCases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir tmp;
        Source s;
        c.mutate(s);
        s.write(tmp.filePath(QStringLiteral("data")));
        if (QString::fromUtf8(c.what) == QStringLiteral("text that is not UTF-8")) {
            QFile f(tmp.filePath(QStringLiteral("data/counties.tsv")));
            ASSERT_TRUE(f.open(QIODevice::Append));
            f.write("河南尹\t\xff\xfe\t\t\t\t\t\n");
        }
        QString error;
        EXPECT_FALSE(gazetteer::compile(tmp.filePath(QStringLiteral("data")),
                                        tmp.filePath(QStringLiteral("out")), &error));
        const QString at = QDir(tmp.filePath(QStringLiteral("data"))).filePath(QString::fromUtf8(c.at));
        EXPECT_TRUE(error.startsWith(at)) << error.toStdString();
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.mention))) << error.toStdString();
        EXPECT_EQ(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                  QStringList{QStringLiteral("data")});
    }
}

TEST(GazetteerCompile, ReplacesItsOwnOutputWholeAndOnlyWhenTheSourceIsGood) {
    QTemporaryDir tmp;
    const QString src = tmp.filePath(QStringLiteral("data")), out = tmp.filePath(QStringLiteral("out"));
    Source good;
    good.write(src);
    QString error;
    ASSERT_TRUE(gazetteer::compile(src, out, &error)) << error.toStdString();
    QFile stray(out + QStringLiteral("/ji/u4e00.bmp"));  // a glyph the next source no longer needs
    ASSERT_TRUE(stray.open(QIODevice::WriteOnly));
    stray.close();

    Source bad = good;
    edit(bad.counties, QStringLiteral("らくよう"), QStringLiteral("rakuyou"));
    bad.write(src);
    EXPECT_FALSE(gazetteer::compile(src, out, &error));
    EXPECT_EQ(records<gunrec>(out + QStringLiteral("/syu/州郡.txt")).size(), 2u);
    EXPECT_TRUE(QFile::exists(out + QStringLiteral("/ji/u4e00.bmp")));

    Source changed = good;
    edit(changed.commanderies, QStringLiteral("かなんいん"), QStringLiteral("かなん"));
    changed.write(src);
    ASSERT_TRUE(gazetteer::compile(src, out, &error)) << error.toStdString();
    const auto comm = records<gunrec>(out + QStringLiteral("/syu/州郡.txt"));
    ASSERT_EQ(comm.size(), 2u);
    EXPECT_EQ(text::value(comm[0].gunyomi), QStringLiteral("かなん"));
    EXPECT_FALSE(QFile::exists(out + QStringLiteral("/ji/u4e00.bmp")));
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              (QStringList{QStringLiteral("data"), QStringLiteral("out")}));
}

TEST(GazetteerCompile, NeverReplacesADirectoryItDidNotWrite) {
    QTemporaryDir tmp;
    const QString src = tmp.filePath(QStringLiteral("data")), out = tmp.filePath(QStringLiteral("out"));
    Source().write(src);
    QDir().mkpath(out);
    QFile mine(out + QStringLiteral("/notes.txt"));
    ASSERT_TRUE(mine.open(QIODevice::WriteOnly));
    mine.write("keep me");
    mine.close();
    QString error;
    EXPECT_FALSE(gazetteer::compile(src, out, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("not replacing"))) << error.toStdString();
    EXPECT_TRUE(QFile::exists(out + QStringLiteral("/notes.txt")));
    EXPECT_FALSE(QFile::exists(out + QStringLiteral("/syu")));
}

// Without the Gothic face every glyph would silently come out in Mincho: the
// compiler says which font is missing and writes nothing.
TEST(GazetteerCompile, RefusesToDrawGlyphsWithoutItsFace) {
    QTemporaryDir tmp;
    const QString src = tmp.filePath(QStringLiteral("data")), out = tmp.filePath(QStringLiteral("out"));
    Source().write(src);
    const QString conf = tmp.filePath(QStringLiteral("no-fonts.conf"));
    QFile f(conf);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n");
    f.close();
    const QByteArray before = qgetenv("FONTCONFIG_FILE");
    const bool had = qEnvironmentVariableIsSet("FONTCONFIG_FILE");
    qputenv("FONTCONFIG_FILE", QFile::encodeName(conf));
    QString error;
    const bool built = gazetteer::compile(src, out, &error);
    had ? qputenv("FONTCONFIG_FILE", before) : qunsetenv("FONTCONFIG_FILE");
    EXPECT_FALSE(built);
    EXPECT_TRUE(error.contains(QStringLiteral("Noto Sans CJK JP"))) << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(out));
    ASSERT_TRUE(gazetteer::compile(src, out, &error)) << error.toStdString();
}

TEST(GazetteerDump, EscapesWhatWouldBreakATsvLine) {
    QTemporaryDir tmp;
    gunrec r;
    GunFields f;
    f.syumei = QStringLiteral("豫州");
    f.gunmei = QStringLiteral("a\tb");
    f.gunbiko = QStringLiteral("x\\y");
    QString error;
    ASSERT_TRUE(recwrite::makeGunrec(f, r, &error)) << error.toStdString();
    r.yobi[0] = '\n';
    const QString path = tmp.filePath(QStringLiteral("州郡.txt"));
    ASSERT_TRUE(recwrite::writeRecords(path, std::vector<gunrec>{r, r}));
    QString tsv;
    ASSERT_TRUE(gazetteer::dumpCommanderies(path, tsv));
    const QStringList lines = tsv.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[1], QStringLiteral("豫州\ta\\tb\t\t\t\\n\t\t\t\tx\\\\y"));
    EXPECT_FALSE(gazetteer::dumpCommanderies(tmp.filePath(QStringLiteral("none.txt")), tsv));
    EXPECT_FALSE(QFile::exists(tmp.filePath(QStringLiteral("none.txt"))));
    // A regular file whose read fails after the open (EIO): not a success.
    EXPECT_FALSE(gazetteer::dumpCounties(QStringLiteral("/proc/self/mem"), tsv));
}

}  // namespace
