#include "build.h"
#include "chinese_forms.h"
#include "other_names_index.h"
#include "remarks.h"
#include "source_table.h"

#include "data/cp932.h"
#include "data/glyph_name.h"
#include "data/placeholders.h"
#include "data/provinces.h"
#include "data/record_writer.h"
#include "data/twips.h"

#include <QDir>
#include <QFileInfo>

namespace gazetteer {
namespace {

using glyphs::kBlack;
using glyphs::kWhite;
const QChar kGeta(0x3013);    // 〓: a remark character with no code and no katakana

using source::isHiragana;
using source::isKatakana;
using Row = source::Row;
using Table = source::Table;

// A glyph picture's size in pixels: its box's, as the window lays it out.
int widthOf(const twips::GlyphBox& box) { return twips::toPixels(box.width); }
int heightOf(const twips::GlyphBox& box) { return twips::toPixels(box.height); }

QString where(const QString& file, int line) {
    return QStringLiteral("%1:%2: ").arg(file).arg(line);
}

// Ends a step of the build with `message`.
bool fault(QString* error, const QString& message) {
    *error = message;
    return false;
}

// Reads a source table: the first fault ends the build.
bool readTable(const QString& dir, const source::Schema& schema, Table& t, QString* error) {
    QStringList faults;
    if (!source::read(dir, schema, t, faults) || !faults.isEmpty())
        return fault(error, faults.value(0));
    return true;
}

// Calls `step(row, at)` for each row in order, `at` the start of a message
// about it; the first step that fails ends the build.
template <class Step>
bool eachRow(const Table& t, Step&& step) {
    for (const Row& r : t.rows)
        if (!step(r, where(t.path, r.line)))
            return false;
    return true;
}

bool isDigits(const QString& s) {
    for (QChar c : s)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

bool encodable(char32_t c) {
    return cp932::representable(QString::fromUcs4(&c, 1));
}

// A remark in CP932: a character without a code becomes its katakana reading
// (the catalogue's own way: 兗州 is listed as エン州), or 〓 when none is
// known; then cut to the field on a character boundary.
QString remarkText(const QString& text, const std::map<char32_t, QString>& katakana,
                   std::size_t width) {
    QString out;
    for (char32_t c : text.toUcs4()) {
        if (encodable(c)) {
            out += QString::fromUcs4(&c, 1);
        } else {
            const auto it = katakana.find(c);
            out += it != katakana.end() ? it->second : QString(kGeta);
        }
    }
    return remarks::cutAtClause(out, width);
}

// The name as stored: a character without a CP932 code becomes a placeholder
// whose picture is drawn over it.
struct Placed {
    QString text;
    QString glyph1;  // gunji / kenji
    QString glyph2;  // kenji2
};

// Only the first two characters of a name have a picture box over them.
bool drawable(const QString& name, char32_t c, qsizetype position, QString* why) {
    if (position <= 1)
        return true;
    *why = QStringLiteral("\"%1\": %2 in position %3 has no CP932 code; only the first two "
                          "characters can be drawn as glyphs")
               .arg(name, QString::fromUcs4(&c, 1))
               .arg(position + 1);
    return false;
}

// Walks `name`: a character with a CP932 code is copied into the stored
// text; for one without, `missing(position, character)` appends the
// placeholder it stands as and names its glyph, or refuses the name.
template <class Missing>
bool placeName(const QString& name, Placed& p, QString* why, Missing&& missing) {
    const QList<uint> cps = name.toUcs4();
    for (qsizetype i = 0; i < cps.size(); ++i) {
        const char32_t c = cps[i];
        if (encodable(c))
            p.text += QString::fromUcs4(&c, 1);
        else if (!drawable(name, c, i, why) || !missing(i, c))
            return false;
    }
    return true;
}

bool placeCommanderyName(const QString& name, Placed& p, std::map<QString, Glyph>& glyphs,
                         QString* why) {
    char32_t first = 0;  // the one character without a code a commandery name may have
    return placeName(name, p, why, [&](qsizetype i, char32_t c) {
        if (first != 0 && first != c) {
            *why = QStringLiteral("\"%1\": two different characters without a CP932 code; a "
                                  "commandery name has one glyph")
                       .arg(name);
            return false;
        }
        if (first == 0) {
            // The picture over the first character is 25 pixels wide, over the
            // second 24: a glyph only in second place gets its own bitmap.
            first = c;
            const twips::GlyphBox& box = i == 1 ? twips::kCommanderySecondGlyph : twips::kNameGlyph;
            const GlyphName glyph = GlyphName::ofCode(c, i == 1 ? widthOf(box) : 0);
            p.glyph1 = glyph.base();
            glyphs[glyph.path()] = Glyph{c, widthOf(box), heightOf(box)};
        }
        p.text += kBlack;
        return true;
    });
}

bool placeCountyName(const QString& name, Placed& p, std::map<QString, Glyph>& glyphs,
                     QString* why) {
    const char32_t leading = name.isEmpty() ? 0 : name.toUcs4().value(0);
    return placeName(name, p, why, [&](qsizetype i, char32_t c) {
        const QString base = GlyphName::ofCode(c).base();
        glyphs[GlyphName(base).path()] =
            Glyph{c, widthOf(twips::kNameGlyph), heightOf(twips::kNameGlyph)};
        if (i == 0) {
            p.glyph1 = base;
            p.text += kBlack;
        } else if (leading == c) {
            p.text += kBlack;  // the same glyph as the first character: kenji again
        } else {
            p.glyph2 = base;
            p.text += kWhite;
        }
        return true;
    });
}

// A commandery as the counties below it are filed: its province's
// catalogue row, its stored name, how many counties it has so far.
struct Commandery {
    int row = 0;
    QString gunmei;
    int counties = 0;
};

}  // namespace

namespace {

using Katakana = std::map<char32_t, QString>;
using CommanderyIndex = std::map<QString, Commandery>;  // source name -> commandery

// Katakana for remark characters without a CP932 code.
bool readKatakana(const Table& t, Katakana& katakana, QString* error) {
    namespace col = source::katakana;
    for (const Row& r : t.rows) {
        const QString ch = r[col::character];
        const QString kana = r[col::kana];
        const QList<uint> cps = ch.toUcs4();
        if (cps.size() != 1 || encodable(cps[0]))
            return fault(error, where(t.path, r.line) +
                     QStringLiteral("\"%1\" is not one character without a CP932 code").arg(ch));
        if (!isKatakana(kana) || !cp932::representable(kana))
            return fault(error, where(t.path, r.line) + QStringLiteral("\"%1\" is not katakana").arg(kana));
        katakana[cps[0]] = kana;
    }
    return true;
}

// Every catalogue label exactly once; a province whose name box shows a
// placeholder ("■州" for 兗州) gets the bitmap for its first character.
bool readProvinces(const Table& t, Compiled& out, QString* error) {
    namespace col = source::province;
    std::vector<bool> seen(provinces::kCount, false);
    for (const Row& r : t.rows) {
        const QString at = where(t.path, r.line);
        const QString label = r[col::label];
        const ProvinceRow* row = provinces::byLabel(label);
        if (!row)
            return fault(error, at + QStringLiteral("unknown province \"%1\"").arg(label));
        const auto idx = static_cast<std::size_t>(row - &provinces::rows()[0]);
        if (seen[idx])
            return fault(error, at + QStringLiteral("province \"%1\" listed twice").arg(label));
        seen[idx] = true;
        if (!isHiragana(r[col::reading]))
            return fault(error, at + QStringLiteral("reading \"%1\" is not hiragana").arg(r[col::reading]));
        if (!row->glyph.isEmpty()) {
            const QList<uint> cps = r[col::name].toUcs4();
            if (cps.isEmpty())
            return fault(error, at + QStringLiteral("empty name"));
            out.glyphs[row->glyph] = Glyph{cps[0], widthOf(twips::kProvinceGlyph),
                                           heightOf(twips::kProvinceGlyph)};
        }
    }
    for (std::size_t i = 0; i < seen.size(); ++i) {
        if (!seen[i])
            return fault(error, where(t.path, t.rows.empty() ? 1 : t.rows.back().line) +
                     QStringLiteral("province \"%1\" is missing").arg(provinces::rows()[i].label));
    }
    return true;
}

// Commanderies, in source order.
bool readCommanderies(const Table& t, const Katakana& katakana, Compiled& out,
                      CommanderyIndex& byName, NamedIndex& named, QString* error) {
    namespace col = source::commandery;
    return eachRow(t, [&](const Row& r, const QString& at) {
        const QString name = r[col::name];
        const ProvinceRow* row = provinces::byLabel(r[col::province]);
        if (!row)
            return fault(error, at + QStringLiteral("unknown province \"%1\"").arg(r[col::province]));
        if (name.isEmpty())
            return fault(error, at + QStringLiteral("empty commandery name"));
        if (byName.count(name))
            return fault(error, at + QStringLiteral("commandery \"%1\" listed twice").arg(name));
        if (!isHiragana(r[col::reading]))
            return fault(error, at + QStringLiteral("reading \"%1\" is not hiragana").arg(r[col::reading]));
        for (int n : {col::cities, col::households, col::population}) {
            if (!isDigits(r[n]))
                return fault(error, at + QStringLiteral("%1 \"%2\" is not a number")
                                  .arg(source::kCommanderies.columns[n], r[n]));
        }
        Placed placed;
        QString why;
        if (!placeCommanderyName(name, placed, out.glyphs, &why))
            return fault(error, at + why);
        GunFields g;
        g.syumei = row->label;
        g.gunmei = placed.text;
        g.gunyomi = r[col::reading];
        g.gunji = placed.glyph1;
        g.jyo = r[col::cities];
        g.kosu = r[col::households];
        g.kousu = r[col::population];
        g.gunbiko = remarkText(r[col::remark], katakana, sizeof(gunrec::gunbiko));
        gunrec rec;
        if (!recwrite::makeGunrec(g, rec, &why))
            return fault(error, at + why);
        out.commanderies.push_back(rec);
        byName[name] = Commandery{static_cast<int>(row - &provinces::rows()[0]), placed.text, 0};
        named[name].self = {{kCommanderyFile, static_cast<int>(out.commanderies.size())},
                            placed.text, r[col::reading], name, r[col::traditional]};
        return true;
    });
}

// Counties: each under a commandery listed above; the first one listed is its seat.
bool readCounties(const Table& t, const Katakana& katakana, CommanderyIndex& byName,
                  NamedIndex& named, Compiled& out, QString* error) {
    namespace col = source::county;
    return eachRow(t, [&](const Row& r, const QString& at) {
        const auto it = byName.find(r[col::commandery]);
        if (it == byName.end())
            return fault(error, at + QStringLiteral("commandery \"%1\" is not in commanderies.tsv").arg(r[col::commandery]));
        const QString name = r[col::name];
        Commandery& c = it->second;
        if (name.isEmpty())
            return fault(error, at + QStringLiteral("empty county name"));
        if (!isHiragana(r[col::reading]))
            return fault(error, at + QStringLiteral("reading \"%1\" is not hiragana").arg(r[col::reading]));
        if (!source::kUnits.contains(r[col::unit]))
            return fault(error, at + QStringLiteral("unit \"%1\" is not one of 侯国, 道, 邑 or empty").arg(r[col::unit]));
        Placed placed;
        QString why;
        if (!placeCountyName(name, placed, out.glyphs, &why))
            return fault(error, at + why);
        QStringList remark;
        if (!r[col::unit].isEmpty())
            remark << r[col::unit];
        if (c.counties == 0)
            remark << QStringLiteral("郡治");
        if (!r[col::note].isEmpty())
            remark << r[col::note];
        ++c.counties;

        KenFields k;
        k.gunmei = c.gunmei;
        k.kenmei = placed.text;
        k.kenyomi = r[col::reading];
        k.kenji = placed.glyph1;
        k.kenji2 = placed.glyph2;
        k.kenbiko = remarkText(remark.join(QStringLiteral("。")), katakana, sizeof(kenrec::kenbiko));
        k.sanbutu = remarkText(r[col::products], katakana, sizeof(kenrec::sanbutu));
        kenrec rec;
        if (!recwrite::makeKenrec(k, rec, &why))
            return fault(error, at + why);
        std::vector<kenrec>& file = out.counties[static_cast<std::size_t>(c.row)];
        file.push_back(rec);
        const RecordPlace place{provinces::rows()[static_cast<std::size_t>(c.row)].countyFile,
                                static_cast<int>(file.size())};
        named[r[col::commandery]].counties.emplace(
            name, NamedRecord{place, placed.text, r[col::reading], name, r[col::traditional]});
        out.mapCounties.push_back(
            {place, placed.text, r[col::reading], c.gunmei, name, r[col::commandery], c.counties == 1});
        return true;
    });
}

}  // namespace

bool build(const QString& dataDir, Compiled& out, QString* error) {
    QString dummy;
    if (!error)
        error = &dummy;
    out = Compiled{};
    out.counties.resize(provinces::kCount);

    Table prov, comm, county, kana, other;
    const bool haveOther = QFileInfo::exists(QDir(dataDir).filePath(source::kOtherNames.file));
    if (!readTable(dataDir, source::kProvinces, prov, error) ||
        !readTable(dataDir, source::kCommanderies, comm, error) ||
        !readTable(dataDir, source::kCounties, county, error) ||
        !readTable(dataDir, source::kKatakana, kana, error) ||
        (haveOther && !readTable(dataDir, source::kOtherNames, other, error)))
        return false;

    Katakana katakana;
    CommanderyIndex byName;
    NamedIndex named;
    const ChineseForms forms;
    if (!readKatakana(kana, katakana, error) || !readProvinces(prov, out, error) ||
        !readCommanderies(comm, katakana, out, byName, named, error) ||
        !readCounties(county, katakana, byName, named, out, error) ||
        !deriveOtherNames(haveOther ? &other : nullptr, named, forms, out.otherNames, error) ||
        !mapout::build(dataDir, out.mapCounties, out.map, error))
        return false;

    for (const auto& [path, glyph] : out.glyphs) {
        const QString base = GlyphName::ofPath(path).base();
        if (base.toUtf8().size() > 12)
        return fault(error, QStringLiteral("%1: glyph name \"%2\" is longer than 12 bytes").arg(dataDir, base));
    }
    return true;
}

}  // namespace gazetteer
