#include "gazetteer_gen.h"

#include "data/cp932.h"
#include "data/other_names.h"
#include "data/provinces.h"
#include "data/paths.h"
#include "data/record_file.h"
#include "data/records.h"
#include "data/record_writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <array>
#include <cstring>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace benchdata {
namespace {

// Place-name kanji with an on reading each; 陽 and よう are common on
// purpose, as in the real gazetteer, so the typical searches find a share.
struct Kanji {
    const char16_t* ch;
    const char16_t* reading;
};
constexpr Kanji kKanji[] = {
    {u"陽", u"よう"}, {u"城", u"じょう"}, {u"平", u"へい"}, {u"安", u"あん"}, {u"南", u"なん"},
    {u"北", u"ほく"}, {u"東", u"とう"}, {u"西", u"せい"}, {u"河", u"か"}, {u"山", u"さん"},
    {u"水", u"すい"}, {u"陰", u"いん"}, {u"武", u"ぶ"}, {u"昌", u"しょう"}, {u"成", u"せい"},
    {u"都", u"と"}, {u"江", u"こう"}, {u"沙", u"さ"}, {u"長", u"ちょう"}, {u"寧", u"ねい"},
    {u"広", u"こう"}, {u"漢", u"かん"}, {u"定", u"てい"}, {u"興", u"こう"}, {u"原", u"げん"},
    {u"高", u"こう"}, {u"陵", u"りょう"}, {u"丘", u"きゅう"}, {u"泉", u"せん"}, {u"谷", u"こく"},
    {u"関", u"かん"}, {u"亭", u"てい"}, {u"郷", u"きょう"}, {u"邑", u"ゆう"}, {u"上", u"じょう"},
    {u"下", u"か"}, {u"中", u"ちゅう"}, {u"新", u"しん"}, {u"楽", u"らく"}, {u"徳", u"とく"},
    {u"義", u"ぎ"}, {u"信", u"しん"}, {u"和", u"わ"}, {u"豊", u"ほう"}, {u"寿", u"じゅ"},
    {u"康", u"こう"}, {u"明", u"めい"}, {u"光", u"こう"}, {u"華", u"か"}, {u"容", u"よう"},
    {u"蒲", u"ほ"}, {u"桑", u"そう"}, {u"梁", u"りょう"}, {u"宋", u"そう"}, {u"魯", u"ろ"},
    {u"衛", u"えい"}, {u"斉", u"せい"}, {u"燕", u"えん"}, {u"趙", u"ちょう"}, {u"韓", u"かん"},
    {u"魏", u"ぎ"}, {u"秦", u"しん"}, {u"楚", u"そ"}, {u"呉", u"ご"}, {u"越", u"えつ"},
    {u"蜀", u"しょく"}, {u"巴", u"は"}, {u"涼", u"りょう"}, {u"雲", u"うん"}, {u"臨", u"りん"},
    {u"淮", u"わい"}, {u"沛", u"はい"}, {u"汝", u"じょ"}, {u"潁", u"えい"}, {u"洛", u"らく"},
    {u"清", u"せい"}, {u"済", u"せい"}, {u"泰", u"たい"}, {u"鉅", u"きょ"}, {u"鹿", u"ろく"},
    {u"常", u"じょう"}, {u"渤", u"ぼつ"}, {u"海", u"かい"}, {u"遼", u"りょう"}, {u"玄", u"げん"},
    {u"楽", u"らく"}, {u"金", u"きん"}, {u"隴", u"ろう"}, {u"天", u"てん"}, {u"威", u"い"},
    {u"張", u"ちょう"}, {u"掖", u"えき"}, {u"酒", u"しゅ"}, {u"敦", u"とん"}, {u"煌", u"こう"},
    {u"朔", u"さく"}, {u"方", u"ほう"}, {u"五", u"ご"}, {u"雁", u"がん"}, {u"門", u"もん"},
    {u"代", u"だい"}, {u"蒼", u"そう"}, {u"梧", u"ご"}, {u"鬱", u"うつ"}, {u"林", u"りん"},
    {u"合", u"ごう"}, {u"浦", u"ほ"}, {u"交", u"こう"}, {u"趾", u"し"}, {u"九", u"きゅう"},
    {u"真", u"しん"}, {u"日", u"じつ"}, {u"零", u"れい"}, {u"桂", u"けい"}, {u"武", u"ぶ"},
};
constexpr std::size_t kKanjiCount = sizeof kKanji / sizeof kKanji[0];

// Commanderies per province in catalogue order, as in the real gazetteer.
constexpr std::array<int, provinces::kCount> kCommanderiesPerProvince = {7, 6, 9, 8, 5, 6,
                                                                         7, 6, 12, 12, 9, 11, 7};
constexpr int kCountiesPerScale = 1181;

// Other names are drawn from characters the record names never use, so a
// search for one of them finds records through the index alone.
constexpr const char16_t* kOtherKanji[] = {u"昭", u"晋", u"宣", u"建", u"業", u"烈", u"文",
                                          u"景", u"孝", u"献", u"恵", u"霊", u"桓", u"順"};
constexpr const char16_t* kOtherKana[] = {u"しょう", u"しん", u"せん", u"けん", u"ぎょう", u"れつ", u"ぶん",
                                         u"けい", u"こう", u"けん", u"けい", u"れい", u"かん", u"じゅん"};
constexpr std::size_t kOtherCount = sizeof kOtherKanji / sizeof kOtherKanji[0];

const char16_t* const kProducts[] = {u"鉄", u"塩", u"銅", u"鉄・塩", u"漆", u"錦"};
constexpr int kGlyphs = 16;

// CP932 with a per-character cache: a million fields through iconv one by
// one would take the whole run.
class Encoder {
public:
    std::string encode(const QString& s) {
        std::string out;
        for (QChar c : s) {
            auto it = cache_.find(c.unicode());
            if (it == cache_.end()) {
                std::string b;
                if (!cp932::encode(QString(c), b))
                    b.assign(1, '?');
                it = cache_.insert(c.unicode(), b);
            }
            out += it.value();
        }
        return out;
    }
    // Encodes into a field padded with spaces, cut on a character boundary.
    template <std::size_t N>
    void put(char (&field)[N], const QString& s) {
        std::memset(field, ' ', N);
        std::size_t used = 0;
        for (QChar c : s) {
            const std::string b = encode(QString(c));
            if (used + b.size() > N)
                break;
            std::memcpy(field + used, b.data(), b.size());
            used += b.size();
        }
    }

private:
    QHash<char16_t, std::string> cache_;
};

struct Name {
    QString kanji, reading;
};

class Generator {
public:
    explicit Generator(int scale) : rng_(0x5EED0000u + static_cast<unsigned>(scale)) {}

    // A name of `minLen`..`maxLen` kanji not used before.
    Name uniqueName(int minLen, int maxLen, std::set<QString>& used) {
        for (;;) {
            const int len = std::uniform_int_distribution<int>(minLen, maxLen)(rng_);
            Name n;
            for (int i = 0; i < len; ++i) {
                // 陽 at one place in ten, as in the real names.
                const Kanji& k = kKanji[chance(10) ? 0 : pick(kKanjiCount)];
                n.kanji += QString::fromUtf16(k.ch);
                n.reading += QString::fromUtf16(k.reading);
            }
            if (used.insert(n.kanji + u' ' + n.reading).second)
                return n;
        }
    }

    // Annals-style remark of about `bytes` CP932 bytes.
    QString remark(int bytes) {
        QString s;
        const int chars = bytes / 2;
        while (s.size() < chars) {
            s += QStringLiteral("有") + QString::fromUtf16(kKanji[pick(kKanjiCount)].ch) +
                 QString::fromUtf16(kKanji[pick(kKanjiCount)].ch) + QStringLiteral("亭。");
        }
        return s.left(chars);
    }

    std::size_t pick(std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_);
    }
    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    // The index entries of one record, in the real index's proportions:
    // about half the records have a simplified form, a fifth a traditional
    // one, and two in five a row of the other-names table with a note.
    void otherNames(const RecordPlace& place, const QString& name, const QString& reading,
                    std::map<QString, QByteArray>& index) {
        const auto add = [&](const char* kind, const QString& other, const QString& otherReading,
                             const QString& note) {
            index[place.file] += othernames::formatLine(
                {place, name, reading, QString::fromLatin1(kind), other, otherReading, note});
        };
        if (chance(50))
            add("simplified", QString::fromUtf16(kKanji[pick(kKanjiCount)].ch) + name.mid(1), {},
                QStringLiteral("簡体字"));
        if (chance(20))
            add("traditional", name + QString::fromUtf16(kKanji[pick(kKanjiCount)].ch), {},
                QStringLiteral("後漢書 郡国志の字形"));
        if (chance(40)) {
            const std::size_t a = pick(kOtherCount), b = pick(kOtherCount);
            add(chance(50) ? "later" : "place",
                QString::fromUtf16(kOtherKanji[a]) + QString::fromUtf16(kOtherKanji[b]) + u'城',
                QString::fromUtf16(kOtherKana[a]) + QString::fromUtf16(kOtherKana[b]) +
                    QStringLiteral("じょう"),
                QStringLiteral("二二一年、魏がこの県を改めて名づけた。") + remark(between(20, 60)));
        }
    }
    bool chance(int percent) { return between(1, 100) <= percent; }

private:
    std::mt19937 rng_;
};

bool writeGlyphs(const QString& dir, QString* error) {
    for (int g = 0; g < kGlyphs; ++g) {
        QImage img(25, 27, QImage::Format_RGB32);
        img.fill(qRgb(g * 8, 0, 0));
        const QString path = dir + QStringLiteral("/ji/g%1.bmp").arg(g);
        if (!img.save(path, "BMP")) {
            if (error)
                *error = QStringLiteral("cannot write ") + path;
            return false;
        }
    }
    return true;
}

}  // namespace

bool writeSynthetic(const QString& dir, int scale, Counts* counts, QString* error) {
    QDir root(dir);
    if (!root.mkpath(QStringLiteral("syu")) || !root.mkpath(QStringLiteral("ji")) ||
        !root.mkpath(paths::kIndexDir)) {
        if (error)
            *error = QStringLiteral("cannot make syu/, ji/ and betsu/ in ") + dir;
        return false;
    }
    Generator gen(scale);
    std::map<QString, QByteArray> index;  // record file -> its index
    Encoder enc;
    std::set<QString> usedCommanderies, usedCounties;

    int totalCommanderies = 0;
    for (int n : kCommanderiesPerProvince)
        totalCommanderies += n * scale;
    const int totalCounties = kCountiesPerScale * scale;

    // Counties per commandery: 3..20 at random, then evened out to the total.
    std::vector<int> perCommandery(static_cast<std::size_t>(totalCommanderies));
    int sum = 0;
    for (int& n : perCommandery)
        sum += (n = gen.between(3, 20));
    for (std::size_t i = 0; sum != totalCounties; i = (i + 1) % perCommandery.size()) {
        if (sum < totalCounties) {
            ++perCommandery[i];
            ++sum;
        } else if (perCommandery[i] > 1) {
            --perCommandery[i];
            --sum;
        }
    }

    std::vector<gunrec> commanderies;
    std::vector<std::vector<kenrec>> counties(provinces::kCount);
    std::size_t ci = 0;
    for (int p = 0; p < provinces::kCount; ++p) {
        const ProvinceRow& row = provinces::rows()[static_cast<std::size_t>(p)];
        for (int c = 0; c < kCommanderiesPerProvince[static_cast<std::size_t>(p)] * scale; ++c, ++ci) {
            Name name = gen.uniqueName(1, 2, usedCommanderies);
            const bool glyph = gen.chance(3);
            const QString glyphName = glyph ? QStringLiteral("g%1").arg(gen.pick(kGlyphs)) : QString();
            if (glyph)
                name.kanji[0] = QChar(0x25A0);
            const QString gunmei = name.kanji + QStringLiteral("郡");
            gunrec g;
            enc.put(g.syumei, row.label);
            enc.put(g.gunmei, gunmei);
            enc.put(g.gunyomi, name.reading + QStringLiteral("ぐん"));
            enc.put(g.gunji, glyphName);
            enc.put(g.yobi, QString());
            enc.put(g.jyo, QString::number(perCommandery[ci]));
            enc.put(g.kosu, QString::number(gen.between(10000, 300000)));
            enc.put(g.kousu, QString::number(gen.between(50000, 2000000)));
            enc.put(g.gunbiko, QStringLiteral("治所 ") + name.kanji.right(1) + QStringLiteral("陽。") +
                                   gen.remark(gen.between(20, 50)));
            commanderies.push_back(g);
            gen.otherNames({kCommanderyFile, static_cast<int>(commanderies.size())}, gunmei,
                           name.reading + QStringLiteral("ぐん"), index);

            for (int k = 0; k < perCommandery[ci]; ++k) {
                Name county = gen.uniqueName(1, 3, usedCounties);
                QString kenji, kenji2;
                if (gen.chance(3)) {
                    kenji = QStringLiteral("g%1").arg(gen.pick(kGlyphs));
                    county.kanji[0] = QChar(0x25A0);
                    if (county.kanji.size() > 1 && gen.chance(30)) {
                        kenji2 = QStringLiteral("g%1").arg(gen.pick(kGlyphs));
                        county.kanji[1] = QChar(0x25A1);
                    }
                }
                kenrec r;
                enc.put(r.yobi, QString());
                enc.put(r.gunmei, gunmei);
                enc.put(r.kenmei, county.kanji);
                enc.put(r.kenyomi, county.reading);
                enc.put(r.kenji, kenji);
                enc.put(r.kenji2, kenji2);
                enc.put(r.kenbiko, gen.remark(gen.between(30, 100)));
                enc.put(r.sanbutu, gen.chance(15) ? QString::fromUtf16(kProducts[gen.pick(6)])
                                                  : QString());
                counties[static_cast<std::size_t>(p)].push_back(r);
                gen.otherNames({row.countyFile, static_cast<int>(counties[static_cast<std::size_t>(p)].size())},
                               county.kanji, county.reading, index);
            }
        }
    }

    if (!recwrite::writeRecords(root.filePath(kCommanderyFile), commanderies)) {
        if (error)
            *error = QStringLiteral("cannot write the commandery file in ") + dir;
        return false;
    }
    for (int p = 0; p < provinces::kCount; ++p) {
        const QString path = root.filePath(provinces::rows()[static_cast<std::size_t>(p)].countyFile);
        if (!recwrite::writeRecords(path, counties[static_cast<std::size_t>(p)])) {
            if (error)
                *error = QStringLiteral("cannot write ") + path;
            return false;
        }
    }
    for (const auto& [file, lines] : index) {
        QFile indexFile(root.filePath(paths::indexFileFor(file)));
        if (!indexFile.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            indexFile.write(lines) != lines.size()) {
            if (error)
                *error = QStringLiteral("cannot write ") + indexFile.fileName();
            return false;
        }
    }
    if (!writeGlyphs(dir, error))
        return false;
    if (counts)
        *counts = {totalCommanderies, totalCounties};
    return true;
}

bool copyGazetteer(const QString& from, const QString& to, QString* error) {
    if (!QFileInfo(QDir(from).filePath(kCommanderyFile)).isFile()) {
        if (error)
            *error = QStringLiteral("no commandery file under ") + from;
        return false;
    }
    for (const QString& sub : {QStringLiteral("syu"), QStringLiteral("ji"), QStringLiteral("betsu")}) {
        const QDir src(QDir(from).filePath(sub));
        QDir(to).mkpath(sub);
        for (const QFileInfo& f : src.entryInfoList(QDir::Files)) {
            const QString dst = QDir(to).filePath(sub + u'/' + f.fileName());
            QFile::remove(dst);
            if (!QFile::copy(f.filePath(), dst)) {
                if (error)
                    *error = QStringLiteral("cannot copy ") + f.filePath();
                return false;
            }
        }
    }
    return true;
}

Counts countRecords(const Gazetteer& g) {
    Counts c;
    g.scan<gunrec>(kCommanderyFile, [&](const gunrec&) { return ++c.commanderies, true; });
    for (const ProvinceRow& row : provinces::rows())
        g.scan<kenrec>(row.countyFile, [&](const kenrec&) { return ++c.counties, true; });
    return c;
}

}  // namespace benchdata
