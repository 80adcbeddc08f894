// The compiled gazetteer as the program reads it: record counts, links between
// the files, glyph bitmaps, readings, totals, and the source surviving the
// trip through records and qm-dump.
#include "data/gazetteer.h"
#include "data/provinces.h"
#include "data/record_file.h"
#include "data/text_model.h"
#include "build.h"
#include "dump.h"
#include "output.h"
#include "support/typed_data.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <gtest/gtest.h>
#include <iconv.h>
#include <map>
#include <optional>
#include <set>

namespace {

const QString kOut = QStringLiteral(QM_GAZETTEER_DIR);
const QString kSource = QStringLiteral(QM_DATA_SOURCE_DIR);

QString out(const QString& rel) { return QDir(kOut).filePath(rel); }

std::vector<gunrec> commanderies() {
    std::vector<gunrec> v;
    EXPECT_TRUE(QFileInfo::exists(out(kCommanderyFile)));
    Gazetteer::open({}, kOut).scan<gunrec>(kCommanderyFile, [&](const gunrec& r) {
        v.push_back(r);
        return true;
    });
    return v;
}

std::vector<kenrec> counties(const ProvinceRow& p) {
    std::vector<kenrec> v;
    EXPECT_TRUE(QFileInfo::exists(out(p.countyFile))) << p.countyFile.toStdString();
    Gazetteer::open({}, kOut).scan<kenrec>(p.countyFile, [&](const kenrec& r) {
        v.push_back(r);
        return true;
    });
    return v;
}

using typed::sourceRows;

std::vector<QStringList> dumped(bool commanderyFile, const QString& path) {
    QString tsv;
    EXPECT_TRUE(commanderyFile ? gazetteer::dumpCommanderies(path, tsv)
                               : gazetteer::dumpCounties(path, tsv));
    std::vector<QStringList> rows;
    for (const QString& line : tsv.split(u'\n', Qt::SkipEmptyParts))
        rows.push_back(line.split(u'\t'));
    if (!rows.empty())
        rows.erase(rows.begin());  // header
    return rows;
}

// The CP932 bytes of `s` by the C library's converter, not the program's
// table; nullopt when a character has no code.
std::optional<std::size_t> cp932Bytes(const QString& s) {
    static iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    QByteArray in = s.toUtf8();
    QByteArray out(in.size() * 2 + 4, '\0');
    char* ip = in.data();
    char* op = out.data();
    std::size_t inLeft = static_cast<std::size_t>(in.size()), outLeft = static_cast<std::size_t>(out.size());
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &ip, &inLeft, &op, &outLeft) == static_cast<std::size_t>(-1))
        return std::nullopt;
    return static_cast<std::size_t>(out.size()) - outLeft;
}

// A remark as the record must hold it: each character without a CP932 code
// in katakana from katakana.tsv (〓 where it has none), then, when the text
// is longer than `field` bytes, cut after the last "。" of the longest
// prefix that fits, else after its last "，", else on a character boundary.
QString expectedRemark(const QString& text, std::size_t field) {
    static const auto katakana = [] {
        std::map<QString, QString> m;
        for (const auto& row : sourceRows(QStringLiteral("katakana.tsv")))
            m[row.at(QStringLiteral("char"))] = row.at(QStringLiteral("katakana"));
        return m;
    }();
    QString s;
    for (const uint c : text.toUcs4()) {
        const QString ch = QString::fromUcs4(reinterpret_cast<const char32_t*>(&c), 1);
        const auto it = katakana.find(ch);
        s += cp932Bytes(ch) ? ch : it != katakana.end() ? it->second : QStringLiteral("〓");
    }
    QString fit = s;
    while (!fit.isEmpty() && cp932Bytes(fit).value_or(field + 1) > field)
        fit.chop(1);
    if (fit.size() == s.size())
        return s;
    for (const QString& stop : {QStringLiteral("。"), QStringLiteral("，")})
        if (const qsizetype at = fit.lastIndexOf(stop); at > 0)
            return fit.left(at + 1);
    return fit;
}

// The name with each placeholder replaced by the character its bitmap shows.
QString restoreName(const QString& stored, const QString& glyph1, const QString& glyph2) {
    const auto codeOf = [](QString base) {
        base = base.section(u'_', 0, 0);
        bool ok = false;
        const char32_t c = base.mid(1).toUInt(&ok, 16);
        return ok ? QString::fromUcs4(&c, 1) : QStringLiteral("?");
    };
    QString s;
    for (QChar c : stored) {
        if (c == QChar(0x25A0))
            s += codeOf(glyph1);
        else if (c == QChar(0x25A1))
            s += codeOf(glyph2);
        else
            s += c;
    }
    return s;
}

bool hiragana(const QString& s) {
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (c.unicode() < 0x3041 || c.unicode() > 0x3096)
            return false;
    return true;
}

// A bitmap the picture box can show: 24-bit, the box's size, with the glyph
// drawn in white on the name box's green; and beside it the same at twice
// the size for high-density screens.
void expectGlyphBitmap(const QString& path, QSize size, bool withDoubleSize = true) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    const QByteArray head = f.read(30);
    ASSERT_EQ(head.left(2), QByteArray("BM")) << path.toStdString();
    EXPECT_EQ(static_cast<unsigned char>(head[28]), 24) << path.toStdString();
    const QImage img(path);
    ASSERT_EQ(img.size(), size) << path.toStdString();
    int light = 0, green = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            light += qRed(p) > 128;
            green += p == qRgb(0, 0x60, 0);
        }
    EXPECT_GT(light, 30) << path.toStdString() << ": no glyph drawn";
    EXPECT_GT(green, size.width() * size.height() / 3) << path.toStdString();
    if (withDoubleSize)
        expectGlyphBitmap(path.chopped(4) + QStringLiteral("@2x.bmp"), size * 2, false);
}

TEST(GazetteerOutput, HoldsEveryProvinceCommanderyAndCountyLinkedTogether) {
    const std::vector<gunrec> comm = commanderies();
    EXPECT_EQ(comm.size(), 105u);

    std::map<QString, std::set<QString>> byProvince;
    for (const gunrec& r : comm) {
        const QString label = text::value(r.syumei);
        EXPECT_NE(provinces::byLabel(label), nullptr) << label.toStdString();
        byProvince[label].insert(text::value(r.gunmei));
    }
    EXPECT_EQ(byProvince.size(), 13u);

    std::size_t total = 0;
    for (const ProvinceRow& p : provinces::rows()) {
        const std::vector<kenrec> v = counties(p);
        EXPECT_FALSE(v.empty()) << p.label.toStdString();
        total += v.size();
        for (const kenrec& k : v)
            EXPECT_TRUE(byProvince[p.label].count(text::value(k.gunmei)))
                << p.label.toStdString() << ": " << text::value(k.gunmei).toStdString();
    }
    EXPECT_EQ(total, 1181u);
}

TEST(GazetteerOutput, EveryPlaceholderHasItsBitmapAndEveryReadingIsHiragana) {
    int glyphs = 0;
    for (const gunrec& r : commanderies()) {
        const QString name = text::value(r.gunmei), gunji = text::value(r.gunji);
        EXPECT_TRUE(hiragana(text::value(r.gunyomi))) << name.toStdString();
        EXPECT_LE(text::value(r.gunyomi).size(), 15);
        EXPECT_FALSE(name.contains(QChar(0x25A1))) << name.toStdString();
        if (name.left(2).contains(QChar(0x25A0))) {
            ++glyphs;
            const bool secondOnly = name.at(0) != QChar(0x25A0);
            expectGlyphBitmap(out(QStringLiteral("ji/") + gunji + QStringLiteral(".bmp")),
                              QSize(secondOnly ? 24 : 25, 27));
        } else {
            EXPECT_TRUE(gunji.isEmpty()) << name.toStdString();
        }
    }
    for (const ProvinceRow& p : provinces::rows()) {
        for (const kenrec& k : counties(p)) {
            const QString name = text::value(k.kenmei);
            EXPECT_TRUE(hiragana(text::value(k.kenyomi))) << name.toStdString();
            EXPECT_LE(text::value(k.kenyomi).size(), 10);
            const bool black = name.left(2).contains(QChar(0x25A0));
            const bool white = name.size() > 1 && name.at(1) == QChar(0x25A1);
            EXPECT_EQ(black, !text::value(k.kenji).isEmpty()) << name.toStdString();
            EXPECT_EQ(white, !text::value(k.kenji2).isEmpty()) << name.toStdString();
            if (black)
                expectGlyphBitmap(out(QStringLiteral("ji/") + text::value(k.kenji) + ".bmp"), {25, 27});
            if (white)
                expectGlyphBitmap(out(QStringLiteral("ji/") + text::value(k.kenji2) + ".bmp"), {25, 27});
            glyphs += black + white;
        }
        if (!p.glyph.isEmpty())
            expectGlyphBitmap(out(p.glyph), {27, 27});
    }
    EXPECT_GT(glyphs, 100);
}

TEST(GazetteerOutput, TheNamesTheTreatiseSpellsWithRareCharacters) {
    const auto find = [](const QString& province, const QString& reading) {
        for (const kenrec& k : counties(*provinces::byLabel(province)))
            if (text::value(k.kenyomi) == reading)
                return k;
        ADD_FAILURE() << reading.toStdString();
        return kenrec{};
    };
    const kenrec luoyang = find(QStringLiteral("司隸校尉"), QStringLiteral("らくよう"));
    EXPECT_EQ(text::value(luoyang.kenmei), QStringLiteral("■陽"));
    EXPECT_EQ(text::value(luoyang.kenji), QStringLiteral("u96d2"));
    const kenrec lelou = find(QStringLiteral("交州"), QStringLiteral("るいろう"));
    EXPECT_EQ(text::value(lelou.kenmei), QStringLiteral("羸□"));
    EXPECT_EQ(text::value(lelou.kenji2), QStringLiteral("u28efb"));
    const kenrec nianhan = find(QStringLiteral("幽州"), QStringLiteral("ねんかん"));
    EXPECT_EQ(text::value(nianhan.kenmei), QStringLiteral("■邯"));
    EXPECT_EQ(text::value(nianhan.kenji), QStringLiteral("u279a6"));
    const kenrec duiyu = find(QStringLiteral("司隸校尉"), QStringLiteral("たいう"));
    EXPECT_EQ(text::value(duiyu.kenmei), QStringLiteral("■□"));

    bool zangke = false;
    for (const gunrec& r : commanderies())
        zangke |= text::value(r.gunyomi) == QStringLiteral("そうかぐん") &&
                  text::value(r.gunmei) == QStringLiteral("■柯郡");
    EXPECT_TRUE(zangke);
}

TEST(GazetteerOutput, TotalsMatchTheTreatise) {
    qint64 households = 0, population = 0, srcHouseholds = 0, srcPopulation = 0;
    for (const gunrec& r : commanderies()) {
        households += text::value(r.kosu).toLongLong();
        population += text::value(r.kousu).toLongLong();
    }
    for (const auto& row : sourceRows(QStringLiteral("commanderies.tsv"))) {
        srcHouseholds += row.at(QStringLiteral("households")).toLongLong();
        srcPopulation += row.at(QStringLiteral("population")).toLongLong();
    }
    EXPECT_EQ(households, 9336665);
    EXPECT_EQ(population, 47892413);
    EXPECT_EQ(households, srcHouseholds);
    EXPECT_EQ(population, srcPopulation);
}

TEST(GazetteerOutput, SourceSurvivesRecordsAndDump) {
    const auto src = sourceRows(QStringLiteral("commanderies.tsv"));
    const auto dump = dumped(true, out(kCommanderyFile));
    ASSERT_EQ(dump.size(), src.size());
    std::map<QString, QString> storedName;  // source name -> gunmei as stored
    for (std::size_t i = 0; i < src.size(); ++i) {
        const auto& s = src[i];
        const QStringList& d = dump[i];
        ASSERT_EQ(d.size(), 9);
        EXPECT_EQ(d[0], s.at(QStringLiteral("province")));
        EXPECT_EQ(restoreName(d[1], d[3], QString()), s.at(QStringLiteral("name")));
        EXPECT_EQ(d[2], s.at(QStringLiteral("reading")));
        EXPECT_EQ(d[5], s.at(QStringLiteral("cities")));
        EXPECT_EQ(d[6], s.at(QStringLiteral("households")));
        EXPECT_EQ(d[7], s.at(QStringLiteral("population")));
        EXPECT_EQ(d[8], expectedRemark(s.at(QStringLiteral("remark")), 62)) << d[1].toStdString();
        storedName[s.at(QStringLiteral("name"))] = d[1];
    }

    // Counties: in source order within each province's file.
    std::map<QString, std::vector<QStringList>> byFile;
    for (const ProvinceRow& p : provinces::rows())
        byFile[p.label] = dumped(false, out(p.countyFile));
    std::map<QString, QString> provinceOf;
    for (const auto& s : src)
        provinceOf[s.at(QStringLiteral("name"))] = s.at(QStringLiteral("province"));
    std::map<QString, std::size_t> next;
    QString lastCommandery;
    for (const auto& s : sourceRows(QStringLiteral("counties.tsv"))) {
        const QString comm = s.at(QStringLiteral("commandery"));
        const QString label = provinceOf.at(comm);
        const auto& rows = byFile[label];
        const std::size_t at = next[label]++;
        ASSERT_LT(at, rows.size()) << label.toStdString();
        const QStringList& d = rows[at];
        ASSERT_EQ(d.size(), 8);
        EXPECT_EQ(d[1], storedName.at(comm));
        EXPECT_EQ(restoreName(d[2], d[4], d[5]), s.at(QStringLiteral("name")));
        EXPECT_EQ(d[3], s.at(QStringLiteral("reading")));
        QString lead;
        if (!s.at(QStringLiteral("unit")).isEmpty())
            lead = s.at(QStringLiteral("unit")) + QStringLiteral("。");
        if (comm != lastCommandery)
            lead += QStringLiteral("郡治。");
        lastCommandery = comm;
        EXPECT_TRUE((d[6] + QStringLiteral("。")).startsWith(lead))
            << d[6].toStdString() << " / " << lead.toStdString();
        QString whole = lead + s.at(QStringLiteral("note"));
        if (whole.endsWith(QStringLiteral("。")))
            whole.chop(1);
        EXPECT_EQ(d[6], expectedRemark(whole, 100)) << d[2].toStdString();
        EXPECT_EQ(d[7], s.at(QStringLiteral("products")));
    }
    for (const auto& [label, rows] : byFile)
        EXPECT_EQ(next[label], rows.size()) << label.toStdString();
}

}  // namespace
