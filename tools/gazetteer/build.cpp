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

// Reads a source table: the first fault ends the build.
bool readTable(const QString& dir, const source::Schema& schema, Table& t, QString* error) {
    QStringList faults;
    if (!source::read(dir, schema, t, faults) || !faults.isEmpty()) {
        *error = faults.value(0);
        return false;
    }
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

bool placeCommanderyName(const QString& name, Placed& p, std::map<QString, Glyph>& glyphs,
                         QString* why) {
    const QList<uint> cps = name.toUcs4();
    char32_t missing = 0;
    for (qsizetype i = 0; i < cps.size(); ++i) {
        const char32_t c = cps[i];
        if (encodable(c)) {
            p.text += QString::fromUcs4(&c, 1);
            continue;
        }
        if (!drawable(name, c, i, why))
            return false;
        if (missing != 0 && missing != c) {
            *why = QStringLiteral("\"%1\": two different characters without a CP932 code; a "
                                  "commandery name has one glyph")
                       .arg(name);
            return false;
        }
        if (missing == 0) {
            // The picture over the first character is 25 pixels wide, over the
            // second 24: a glyph only in second place gets its own bitmap.
            missing = c;
            const twips::GlyphBox& box = i == 1 ? twips::kCommanderySecondGlyph : twips::kNameGlyph;
            const GlyphName glyph = GlyphName::ofCode(c, i == 1 ? widthOf(box) : 0);
            p.glyph1 = glyph.base();
            glyphs[glyph.path()] = Glyph{c, widthOf(box), heightOf(box)};
        }
        p.text += kBlack;
    }
    return true;
}

bool placeCountyName(const QString& name, Placed& p, std::map<QString, Glyph>& glyphs,
                     QString* why) {
    const QList<uint> cps = name.toUcs4();
    for (qsizetype i = 0; i < cps.size(); ++i) {
        const char32_t c = cps[i];
        if (encodable(c)) {
            p.text += QString::fromUcs4(&c, 1);
            continue;
        }
        if (!drawable(name, c, i, why))
            return false;
        const QString base = GlyphName::ofCode(c).base();
        glyphs[GlyphName(base).path()] =
            Glyph{c, widthOf(twips::kNameGlyph), heightOf(twips::kNameGlyph)};
        if (i == 0) {
            p.glyph1 = base;
            p.text += kBlack;
        } else if (cps[0] == c) {
            p.text += kBlack;  // the same glyph as the first character: kenji again
        } else {
            p.glyph2 = base;
            p.text += kWhite;
        }
    }
    return true;
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
        if (cps.size() != 1 || encodable(cps[0])) {
            *error = where(t.path, r.line) +
                     QStringLiteral("\"%1\" is not one character without a CP932 code").arg(ch);
            return false;
        }
        if (!isKatakana(kana) || !cp932::representable(kana)) {
            *error = where(t.path, r.line) + QStringLiteral("\"%1\" is not katakana").arg(kana);
            return false;
        }
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
        if (!row) {
            *error = at + QStringLiteral("unknown province \"%1\"").arg(label);
            return false;
        }
        const auto idx = static_cast<std::size_t>(row - &provinces::rows()[0]);
        if (seen[idx]) {
            *error = at + QStringLiteral("province \"%1\" listed twice").arg(label);
            return false;
        }
        seen[idx] = true;
        if (!isHiragana(r[col::reading])) {
            *error = at + QStringLiteral("reading \"%1\" is not hiragana").arg(r[col::reading]);
            return false;
        }
        if (!row->glyph.isEmpty()) {
            const QList<uint> cps = r[col::name].toUcs4();
            if (cps.isEmpty()) {
                *error = at + QStringLiteral("empty name");
                return false;
            }
            out.glyphs[row->glyph] = Glyph{cps[0], widthOf(twips::kProvinceGlyph),
                                           heightOf(twips::kProvinceGlyph)};
        }
    }
    for (std::size_t i = 0; i < seen.size(); ++i) {
        if (!seen[i]) {
            *error = where(t.path, t.rows.empty() ? 1 : t.rows.back().line) +
                     QStringLiteral("province \"%1\" is missing").arg(provinces::rows()[i].label);
            return false;
        }
    }
    return true;
}

// Commanderies, in source order.
bool readCommanderies(const Table& t, const Katakana& katakana, Compiled& out,
                      CommanderyIndex& byName, NamedIndex& named, QString* error) {
    namespace col = source::commandery;
    for (const Row& r : t.rows) {
        const QString at = where(t.path, r.line);
        const QString name = r[col::name];
        const ProvinceRow* row = provinces::byLabel(r[col::province]);
        if (!row) {
            *error = at + QStringLiteral("unknown province \"%1\"").arg(r[col::province]);
            return false;
        }
        if (name.isEmpty()) {
            *error = at + QStringLiteral("empty commandery name");
            return false;
        }
        if (byName.count(name)) {
            *error = at + QStringLiteral("commandery \"%1\" listed twice").arg(name);
            return false;
        }
        if (!isHiragana(r[col::reading])) {
            *error = at + QStringLiteral("reading \"%1\" is not hiragana").arg(r[col::reading]);
            return false;
        }
        for (int n : {col::cities, col::households, col::population}) {
            if (!isDigits(r[n])) {
                *error = at + QStringLiteral("%1 \"%2\" is not a number")
                                  .arg(source::kCommanderies.columns[n], r[n]);
                return false;
            }
        }
        Placed placed;
        QString why;
        if (!placeCommanderyName(name, placed, out.glyphs, &why)) {
            *error = at + why;
            return false;
        }
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
        if (!recwrite::makeGunrec(g, rec, &why)) {
            *error = at + why;
            return false;
        }
        out.commanderies.push_back(rec);
        byName[name] = Commandery{static_cast<int>(row - &provinces::rows()[0]), placed.text, 0};
        named[name].self = {{kCommanderyFile, static_cast<int>(out.commanderies.size())},
                            placed.text, r[col::reading], name, r[col::traditional]};
    }
    return true;
}

// Counties: each under a commandery listed above; the first one listed is its seat.
bool readCounties(const Table& t, const Katakana& katakana, CommanderyIndex& byName,
                  NamedIndex& named, Compiled& out, QString* error) {
    namespace col = source::county;
    for (const Row& r : t.rows) {
        const QString at = where(t.path, r.line);
        const QString name = r[col::name];
        const auto it = byName.find(r[col::commandery]);
        if (it == byName.end()) {
            *error = at + QStringLiteral("commandery \"%1\" is not in commanderies.tsv").arg(r[col::commandery]);
            return false;
        }
        Commandery& c = it->second;
        if (name.isEmpty()) {
            *error = at + QStringLiteral("empty county name");
            return false;
        }
        if (!isHiragana(r[col::reading])) {
            *error = at + QStringLiteral("reading \"%1\" is not hiragana").arg(r[col::reading]);
            return false;
        }
        if (!source::kUnits.contains(r[col::unit])) {
            *error = at + QStringLiteral("unit \"%1\" is not one of 侯国, 道, 邑 or empty").arg(r[col::unit]);
            return false;
        }
        Placed placed;
        QString why;
        if (!placeCountyName(name, placed, out.glyphs, &why)) {
            *error = at + why;
            return false;
        }
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
        if (!recwrite::makeKenrec(k, rec, &why)) {
            *error = at + why;
            return false;
        }
        std::vector<kenrec>& file = out.counties[static_cast<std::size_t>(c.row)];
        file.push_back(rec);
        named[r[col::commandery]].counties.emplace(
            name, NamedRecord{{provinces::rows()[static_cast<std::size_t>(c.row)].countyFile,
                               static_cast<int>(file.size())},
                              placed.text, r[col::reading], name, r[col::traditional]});
    }
    return true;
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
        !deriveOtherNames(haveOther ? &other : nullptr, named, forms, out.otherNames, error))
        return false;

    for (const auto& [path, glyph] : out.glyphs) {
        const QString base = GlyphName::ofPath(path).base();
        if (base.toUtf8().size() > 12) {
            *error = QStringLiteral("%1: glyph name \"%2\" is longer than 12 bytes").arg(dataDir, base);
            return false;
        }
    }
    return true;
}

}  // namespace gazetteer
