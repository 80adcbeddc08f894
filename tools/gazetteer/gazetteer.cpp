#include "gazetteer.h"
#include "chinese_forms.h"
#include "remarks.h"

#include "data/bitmap_file.h"
#include "data/cp932.h"
#include "data/format.h"
#include "data/glyph_names.h"
#include "data/provinces.h"
#include "data/record_file.h"
#include "data/record_writer.h"
#include "data/text_model.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QRawFont>
#include <QStringConverter>
#include <QTextStream>

#include <fontconfig/fontconfig.h>

namespace gazetteer {
namespace {

using glyphs::kBlack;
using glyphs::kWhite;
const QChar kGeta(0x3013);    // 〓: a remark character with no code and no katakana

using format::isHiragana;
using format::isKatakana;
using Row = format::TsvRow;
using Table = format::Tsv;

// A glyph picture's size in pixels: its box's, as the window lays it out.
int widthOf(const format::GlyphBox& box) { return format::toPixels(box.width); }
int heightOf(const format::GlyphBox& box) { return format::toPixels(box.height); }

QString where(const QString& file, int line) {
    return QStringLiteral("%1:%2: ").arg(file).arg(line);
}

// Reads a source table whose header must be `header`: the first fault ends the build.
bool readTable(const QString& dir, const QString& name, const QStringList& header, Table& t,
               QString* error) {
    QStringList faults;
    if (!format::readTsv(QDir(dir).filePath(name), t, faults) || !faults.isEmpty()) {
        *error = faults.value(0);
        return false;
    }
    if (t.header != header) {
        *error = where(t.path, t.headerLine) +
                 QStringLiteral("the header must be \"%1\"").arg(header.join(u' '));
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
            p.glyph1 = format::glyphBaseName(c) + (i == 1 ? QStringLiteral("_24") : QString());
            const format::GlyphBox& box = i == 1 ? format::kCommanderySecondGlyph : format::kNameGlyph;
            glyphs[format::glyphPath(p.glyph1)] = Glyph{c, widthOf(box), heightOf(box)};
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
        const QString base = format::glyphBaseName(c);
        glyphs[format::glyphPath(base)] =
            Glyph{c, widthOf(format::kNameGlyph), heightOf(format::kNameGlyph)};
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

// A record as the other-names index names it.
struct Named {
    RecordPlace place;
    QString stored;       // name value as stored, placeholders included
    QString reading;
    QString name;         // the source's name, real characters
    QString traditional;  // the treatise's form
};

struct Commandery {
    int row = 0;          // catalogue row of its province
    QString gunmei;       // as stored
    int counties = 0;
    Named named;
    std::map<QString, Named> byCounty;  // source name -> county
};

}  // namespace

namespace {

// The columns of each source file, in order; the header line must name them.
namespace province_col {
enum : int { kLabel, kName, kTraditional, kReading };
}
namespace commandery_col {
enum : int { kProvince, kName, kTraditional, kReading, kCities, kHouseholds, kPopulation, kRemark };
}
namespace county_col {
enum : int { kCommandery, kName, kTraditional, kReading, kUnit, kNote, kProducts };
}
namespace katakana_col {
enum : int { kChar, kKatakana };
}
namespace other_col {
enum : int { kCommandery, kCounty, kOther, kReading, kKind, kYear, kNote, kSource };
}

const QStringList kProvinceHeader{QStringLiteral("label"), QStringLiteral("name"),
                                  QStringLiteral("traditional"), QStringLiteral("reading")};
const QStringList kCommanderyHeader{
    QStringLiteral("province"), QStringLiteral("name"),       QStringLiteral("traditional"),
    QStringLiteral("reading"),  QStringLiteral("cities"),     QStringLiteral("households"),
    QStringLiteral("population"), QStringLiteral("remark")};
const QStringList kCountyHeader{QStringLiteral("commandery"), QStringLiteral("name"),
                                QStringLiteral("traditional"), QStringLiteral("reading"),
                                QStringLiteral("unit"),       QStringLiteral("note"),
                                QStringLiteral("products")};
const QStringList kKatakanaHeader{QStringLiteral("char"), QStringLiteral("katakana")};
const QStringList kOtherHeader{QStringLiteral("commandery"), QStringLiteral("county"),
                               QStringLiteral("other"),      QStringLiteral("reading"),
                               QStringLiteral("kind"),       QStringLiteral("year"),
                               QStringLiteral("note"),       QStringLiteral("source")};

using Katakana = std::map<char32_t, QString>;
using CommanderyIndex = std::map<QString, Commandery>;  // source name -> commandery

// Katakana for remark characters without a CP932 code.
bool readKatakana(const Table& t, Katakana& katakana, QString* error) {
    using namespace katakana_col;
    for (const Row& r : t.rows) {
        const QString& ch = r.fields[kChar];
        const QString& kana = r.fields[kKatakana];
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
    using namespace province_col;
    std::vector<bool> seen(provinces::kCount, false);
    for (const Row& r : t.rows) {
        const QString at = where(t.path, r.line);
        const QString& label = r.fields[kLabel];
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
        if (!isHiragana(r.fields[kReading])) {
            *error = at + QStringLiteral("reading \"%1\" is not hiragana").arg(r.fields[kReading]);
            return false;
        }
        if (!row->glyph.isEmpty()) {
            const QList<uint> cps = r.fields[kName].toUcs4();
            if (cps.isEmpty()) {
                *error = at + QStringLiteral("empty name");
                return false;
            }
            out.glyphs[row->glyph] =
                Glyph{cps[0], widthOf(format::kProvinceGlyph), heightOf(format::kProvinceGlyph)};
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
                      CommanderyIndex& byName, QString* error) {
    using namespace commandery_col;
    for (const Row& r : t.rows) {
        const QString at = where(t.path, r.line);
        const QStringList& f = r.fields;
        const ProvinceRow* row = provinces::byLabel(f[kProvince]);
        if (!row) {
            *error = at + QStringLiteral("unknown province \"%1\"").arg(f[kProvince]);
            return false;
        }
        if (f[kName].isEmpty()) {
            *error = at + QStringLiteral("empty commandery name");
            return false;
        }
        if (byName.count(f[kName])) {
            *error = at + QStringLiteral("commandery \"%1\" listed twice").arg(f[kName]);
            return false;
        }
        if (!isHiragana(f[kReading])) {
            *error = at + QStringLiteral("reading \"%1\" is not hiragana").arg(f[kReading]);
            return false;
        }
        for (int n : {kCities, kHouseholds, kPopulation}) {
            if (!isDigits(f[n])) {
                *error = at + QStringLiteral("%1 \"%2\" is not a number").arg(kCommanderyHeader[n], f[n]);
                return false;
            }
        }
        Placed placed;
        QString why;
        if (!placeCommanderyName(f[kName], placed, out.glyphs, &why)) {
            *error = at + why;
            return false;
        }
        GunFields g;
        g.syumei = row->label;
        g.gunmei = placed.text;
        g.gunyomi = f[kReading];
        g.gunji = placed.glyph1;
        g.jyo = f[kCities];
        g.kosu = f[kHouseholds];
        g.kousu = f[kPopulation];
        g.gunbiko = remarkText(f[kRemark], katakana, sizeof(gunrec::gunbiko));
        gunrec rec;
        if (!recwrite::makeGunrec(g, rec, &why)) {
            *error = at + why;
            return false;
        }
        out.commanderies.push_back(rec);
        const Named named{{kCommanderyFile, static_cast<int>(out.commanderies.size())},
                          placed.text, f[kReading], f[kName], f[kTraditional]};
        byName[f[kName]] =
            Commandery{static_cast<int>(row - &provinces::rows()[0]), placed.text, 0, named, {}};
    }
    return true;
}

// Counties: each under a commandery listed above; the first one listed is its seat.
bool readCounties(const Table& t, const Katakana& katakana, CommanderyIndex& byName,
                  Compiled& out, QString* error) {
    using namespace county_col;
    static const QStringList units{QString(), QStringLiteral("侯国"), QStringLiteral("道"),
                                   QStringLiteral("邑")};
    for (const Row& r : t.rows) {
        const QString at = where(t.path, r.line);
        const QStringList& f = r.fields;
        const auto it = byName.find(f[kCommandery]);
        if (it == byName.end()) {
            *error = at + QStringLiteral("commandery \"%1\" is not in commanderies.tsv").arg(f[kCommandery]);
            return false;
        }
        Commandery& c = it->second;
        if (f[kName].isEmpty()) {
            *error = at + QStringLiteral("empty county name");
            return false;
        }
        if (!isHiragana(f[kReading])) {
            *error = at + QStringLiteral("reading \"%1\" is not hiragana").arg(f[kReading]);
            return false;
        }
        if (!units.contains(f[kUnit])) {
            *error = at + QStringLiteral("unit \"%1\" is not one of 侯国, 道, 邑 or empty").arg(f[kUnit]);
            return false;
        }
        Placed placed;
        QString why;
        if (!placeCountyName(f[kName], placed, out.glyphs, &why)) {
            *error = at + why;
            return false;
        }
        QStringList remark;
        if (!f[kUnit].isEmpty())
            remark << f[kUnit];
        if (c.counties == 0)
            remark << QStringLiteral("郡治");
        if (!f[kNote].isEmpty())
            remark << f[kNote];
        ++c.counties;

        KenFields k;
        k.gunmei = c.gunmei;
        k.kenmei = placed.text;
        k.kenyomi = f[kReading];
        k.kenji = placed.glyph1;
        k.kenji2 = placed.glyph2;
        k.kenbiko = remarkText(remark.join(QStringLiteral("。")), katakana, sizeof(kenrec::kenbiko));
        k.sanbutu = remarkText(f[kProducts], katakana, sizeof(kenrec::sanbutu));
        kenrec rec;
        if (!recwrite::makeKenrec(k, rec, &why)) {
            *error = at + why;
            return false;
        }
        std::vector<kenrec>& file = out.counties[static_cast<std::size_t>(c.row)];
        file.push_back(rec);
        c.byCounty.emplace(f[kName], Named{{provinces::rows()[static_cast<std::size_t>(c.row)].countyFile,
                                            static_cast<int>(file.size())},
                                           placed.text, f[kReading], f[kName], f[kTraditional]});
        out.mapCounties.push_back({{provinces::rows()[static_cast<std::size_t>(c.row)].countyFile,
                                    static_cast<int>(file.size())},
                                   placed.text, f[kReading], c.gunmei, f[kName], f[kCommandery],
                                   c.counties == 1});
    }
    return true;
}

// The index's entries for one record: an other name, then its traditional
// and simplified forms where they differ from it and from the record's own.
void addForms(const Named& n, const QString& kind, const QString& other, const QString& reading,
              const QString& note, bool derive, const ChineseForms& forms,
              std::vector<othernames::Entry>& out) {
    // A name the record already has is found without an entry.
    QStringList seen;
    if (derive)
        seen << n.name;
    auto add = [&](const QString& form, const QString& k) {
        if (form.isEmpty() || seen.contains(form))
            return;
        seen << form;
        out.push_back({n.place, n.stored, n.reading, k, form, reading, note});
    };
    add(other, kind);
    if (!derive)
        return;
    const QString traditional = forms.traditional(other);
    add(traditional, kind);
    add(forms.simplified(traditional), kind);
}

// The records' own forms first, in record order, then the table's rows.
bool readOtherNames(const Table* t, const CommanderyIndex& byName, const ChineseForms& forms,
                    Compiled& out, QString* error) {
    if (!forms.ok()) {
        *error = QStringLiteral("OpenCC's t2s and jp2t conversions cannot be loaded (opencc)");
        return false;
    }
    std::vector<const Named*> records;
    for (const auto& [name, c] : byName) {
        records.push_back(&c.named);
        for (const auto& [county, n] : c.byCounty)
            records.push_back(&n);
    }
    std::sort(records.begin(), records.end(), [](const Named* a, const Named* b) {
        return a->place.file != b->place.file ? a->place.file < b->place.file
                                              : a->place.record < b->place.record;
    });
    for (const Named* n : records) {
        // The treatise's form is no later name: its reading is the record's.
        QStringList seen{n->name};
        for (const auto& [form, kind, note] :
             {std::tuple{n->traditional, QStringLiteral("traditional"), QStringLiteral("後漢書 郡国志の字形")},
              std::tuple{forms.simplified(n->traditional), QStringLiteral("simplified"), QStringLiteral("簡体字")}}) {
            if (form.isEmpty() || seen.contains(form))
                continue;
            seen << form;
            out.otherNames.push_back({n->place, n->stored, n->reading, kind, form, QString(), note});
        }
    }
    if (!t)
        return true;
    using namespace other_col;
    static const QStringList kinds{QStringLiteral("later"), QStringLiteral("variant"),
                                   QStringLiteral("place"), QStringLiteral("reading")};
    for (const Row& r : t->rows) {
        const QString at = where(t->path, r.line);
        const QStringList& f = r.fields;
        const auto c = byName.find(f[kCommandery]);
        if (c == byName.end()) {
            *error = at + QStringLiteral("commandery \"%1\" is not in commanderies.tsv").arg(f[kCommandery]);
            return false;
        }
        const Named* n = &c->second.named;
        if (!f[kCounty].isEmpty()) {
            const auto k = c->second.byCounty.find(f[kCounty]);
            if (k == c->second.byCounty.end()) {
                *error = at + QStringLiteral("county \"%1\" is not in %2").arg(f[kCounty], f[kCommandery]);
                return false;
            }
            n = &k->second;
        }
        if (!kinds.contains(f[kKind])) {
            *error = at + QStringLiteral("kind \"%1\" is not one of %2").arg(f[kKind], kinds.join(u' '));
            return false;
        }
        if (f[kOther].isEmpty() || !isHiragana(f[kReading])) {
            *error = at + QStringLiteral("an other name needs a name and a reading in hiragana");
            return false;
        }
        // A reading row names the record itself: no other forms to derive.
        addForms(*n, f[kKind], f[kOther], f[kReading], f[kNote], f[kKind] != QLatin1String("reading"),
                 forms, out.otherNames);
    }
    for (const othernames::Entry& e : out.otherNames) {
        if (othernames::formatLine(e).isEmpty()) {
            *error = QStringLiteral("%1: the other name \"%2\" of %3 cannot be written to the index")
                         .arg(t->path, e.other, e.name);
            return false;
        }
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
    const QString otherFile = QStringLiteral("other_names.tsv");
    const bool haveOther = QFileInfo::exists(QDir(dataDir).filePath(otherFile));
    if (!readTable(dataDir, QStringLiteral("provinces.tsv"), kProvinceHeader, prov, error) ||
        !readTable(dataDir, QStringLiteral("commanderies.tsv"), kCommanderyHeader, comm, error) ||
        !readTable(dataDir, QStringLiteral("counties.tsv"), kCountyHeader, county, error) ||
        !readTable(dataDir, QStringLiteral("katakana.tsv"), kKatakanaHeader, kana, error) ||
        (haveOther && !readTable(dataDir, otherFile, kOtherHeader, other, error)))
        return false;

    Katakana katakana;
    CommanderyIndex byName;
    const ChineseForms forms;
    if (!readKatakana(kana, katakana, error) || !readProvinces(prov, out, error) ||
        !readCommanderies(comm, katakana, out, byName, error) ||
        !readCounties(county, katakana, byName, out, error) ||
        !readOtherNames(haveOther ? &other : nullptr, byName, forms, out, error) ||
        !mapout::build(dataDir, out.mapCounties, out.map, error))
        return false;

    for (const auto& [path, glyph] : out.glyphs) {
        const QString base = QFileInfo(path).completeBaseName();
        if (base.toUtf8().size() > 12) {
            *error = QStringLiteral("%1: glyph name \"%2\" is longer than 12 bytes").arg(dataDir, base);
            return false;
        }
    }
    return true;
}

namespace {

// Where the name boxes put a character, in pixels of the picture that covers
// it. The window sets names in IPA P Gothic (the first face of
// ui::fontFamilies() a Debian desktop has) at 21 pixels, ascent 18 and
// descent 4; a name box 33 pixels high centres that line, rounding down, so
// the baseline lies 5 + 18 pixels below the box's top, and the picture starts
// one pixel lower. At twice the size Qt lays the line out from the face's
// metrics at 42 pixels (ascent 37, descent 8) in 66: 10 + 37 below the top,
// the picture two lower. Across, the glyph is centred: one bitmap serves
// both places of a county name, whose character cells start 3 and 1 pixels
// into their pictures.
constexpr double kEm = 21.0;
constexpr double baselineAt(int scale) { return scale == 1 ? 22.0 : 45.0; }

// A face the glyphs are drawn from, at one scale.
struct Face {
    QRawFont font;
    bool mincho = false;  // hairlines that need thickening beside a Gothic
};

// Files of the installed face `family` in `style`, through fontconfig, so
// that no path is assumed. Only the first face of a collection is usable:
// QRawFont loads no other.
QStringList fontFiles(const char* family, const char* style) {
    QStringList files;
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (!config)
        return files;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddString(pattern, FC_STYLE, reinterpret_cast<const FcChar8*>(style));
    FcObjectSet* objects = FcObjectSetBuild(FC_FILE, FC_INDEX, nullptr);
    if (FcFontSet* set = FcFontList(config, pattern, objects)) {
        for (int i = 0; i < set->nfont; ++i) {
            FcChar8* file = nullptr;
            int index = 0;
            if (FcPatternGetString(set->fonts[i], FC_FILE, 0, &file) != FcResultMatch)
                continue;
            if (FcPatternGetInteger(set->fonts[i], FC_INDEX, 0, &index) == FcResultMatch && index != 0)
                continue;
            const QString path = QFileInfo(QFile::decodeName(reinterpret_cast<const char*>(file)))
                                     .canonicalFilePath();
            if (!path.isEmpty() && !files.contains(path))
                files << path;
        }
        FcFontSetDestroy(set);
    }
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    FcConfigDestroy(config);
    files.sort();  // the same face on every build, whatever fontconfig's order
    return files;
}

// Noto Sans CJK JP (fonts-noto-cjk), a Gothic whose Regular weight matches
// the name boxes' strokes, then Hanazono Mincho (fonts-hanazono) for the few
// characters it lacks: A holds the BMP and most of Extension A, B the
// supplementary planes. Loaded per compile, not kept in a static, so that
// the fonts go before the application does.
struct GlyphFonts {
    static constexpr const char* kGothic = "Noto Sans CJK JP";
    std::vector<Face> faces;
    bool haveGothic = false;

    explicit GlyphFonts(int scale) {
        const struct { const char* family; bool mincho; } wanted[] = {
            {kGothic, false}, {"HanaMinA", true}, {"HanaMinB", true}};
        for (const auto& w : wanted) {
            for (const QString& file : fontFiles(w.family, "Regular")) {
                QRawFont f(file, kEm * scale);
                if (f.isValid() && f.familyName() == QLatin1String(w.family)) {
                    faces.push_back({f, w.mincho});
                    haveGothic = haveGothic || !w.mincho;
                    break;
                }
            }
        }
    }

    const Face* faceFor(char32_t code) const {
        for (const Face& f : faces)
            if (f.font.supportsCharacter(static_cast<uint>(code)))
                return &f;
        return nullptr;
    }
};

// Renders one glyph as a 24-bit Windows bitmap at `path`, `scale` times the
// picture box's size: drawn from the outline at that size, never enlarged.
bool renderGlyph(const GlyphFonts& fonts, const Glyph& g, int scale, const QString& path,
                 QString* error) {
    const Face* face = fonts.faceFor(g.code);
    if (!face) {
        *error = QStringLiteral("%1: no installed font (fonts-noto-cjk, fonts-hanazono) has U+%2")
                     .arg(path)
                     .arg(static_cast<uint>(g.code), 4, 16, QLatin1Char('0'));
        return false;
    }
    const QRawFont& font = face->font;
    const QString text = QString::fromUcs4(&g.code, 1);
    const QList<quint32> indexes = font.glyphIndexesForString(text);
    if (indexes.size() != 1 || indexes[0] == 0) {
        *error = QStringLiteral("%1: the font has no glyph for %2").arg(path, text);
        return false;
    }
    // White on the name boxes' dark green, so the picture reads as part of the name.
    QImage image(g.width * scale, g.height * scale, QImage::Format_RGB32);
    image.fill(QColor(0x00, 0x60, 0x00));
    const double advance = font.advancesForGlyphIndexes(indexes).value(0).x();
    QTransform t;
    t.translate((image.width() - advance) / 2, baselineAt(scale));
    const QPainterPath placed = t.map(font.pathForGlyph(indexes[0]));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(placed, Qt::white);
    // Mincho hairlines vanish at this size next to the Gothic text: thicken them a little.
    if (face->mincho)
        p.strokePath(placed, QPen(Qt::white, 0.6 * scale));
    p.end();
    if (!image.convertToFormat(QImage::Format_RGB888).save(path, "BMP")) {
        *error = QStringLiteral("%1: cannot write the bitmap").arg(path);
        return false;
    }
    return true;
}

bool writeAll(const Compiled& c, const QString& dir, QString* error) {
    QDir root(dir);
    if (!root.mkpath(format::kRecordDir) || !root.mkpath(format::kGlyphDir) ||
        !root.mkpath(format::kIndexDir)) {
        *error = QStringLiteral("%1: cannot create syu/, ji/ and %2/").arg(dir, format::kIndexDir);
        return false;
    }
    // One index file beside each record file's name, each with its entries.
    QStringList recordFiles{kCommanderyFile};
    for (const ProvinceRow& row : provinces::rows())
        recordFiles << row.countyFile;
    for (const QString& recordFile : recordFiles) {
        QFile index(root.filePath(format::indexFileFor(recordFile)));
        QByteArray lines = "# Other names of the records of " + recordFile.toUtf8() +
                           ", written by qm-gazetteer: file, record, name,\n"
                           "# reading, kind, other name, its reading, note (data/README.md).\n";
        for (const othernames::Entry& e : c.otherNames)
            if (e.place.file == recordFile)
                lines += othernames::formatLine(e);
        if (!index.open(QIODevice::WriteOnly | QIODevice::Truncate) || index.write(lines) != lines.size()) {
            *error = QStringLiteral("%1: cannot write").arg(index.fileName());
            return false;
        }
    }
    const QString commFile = root.filePath(kCommanderyFile);
    if (!recwrite::writeRecords(commFile, c.commanderies)) {
        *error = QStringLiteral("%1: cannot write").arg(commFile);
        return false;
    }
    for (std::size_t i = 0; i < c.counties.size(); ++i) {
        const QString file = root.filePath(provinces::rows()[i].countyFile);
        if (!recwrite::writeRecords(file, c.counties[i])) {
            *error = QStringLiteral("%1: cannot write").arg(file);
            return false;
        }
    }
    // Each bitmap at the size the record format expects, and beside it one
    // at twice that size for screens with two device pixels to a pixel.
    const GlyphFonts fonts(1), doubleFonts(2);
    // Without the Gothic every glyph would come out in Mincho: refuse rather
    // than build pictures that do not match the names.
    if (!c.glyphs.empty() && !fonts.haveGothic) {
        *error = QStringLiteral("%1: font not found through fontconfig (fonts-noto-cjk)")
                     .arg(QLatin1String(GlyphFonts::kGothic));
        return false;
    }
    for (const auto& [path, glyph] : c.glyphs)
        if (!renderGlyph(fonts, glyph, 1, root.filePath(path), error) ||
            !renderGlyph(doubleFonts, glyph, 2, root.filePath(format::doubleSizePath(path)), error))
            return false;
    // Each picture must pass the program's own reader, at both scales.
    const QString programRoot = format::root();
    format::setRoot(root.absolutePath());
    for (const auto& [path, glyph] : c.glyphs) {
        const QSize size(glyph.width, glyph.height);
        if (glyphs::readGlyph(path, 1).size() != size || glyphs::readGlyph(path, 2).size() != size * 2) {
            *error = QStringLiteral("%1: the program would not read the bitmap at both scales").arg(path);
            format::setRoot(programRoot);
            return false;
        }
    }
    format::setRoot(programRoot);
    if (!mapout::write(c.map, dir, error))
        return false;
    QFile marker(root.filePath(QLatin1String(kMarkerFile)));
    if (!marker.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        marker.write("written by qm-gazetteer; replaced whole on every build\n") < 0) {
        *error = QStringLiteral("%1: cannot write").arg(marker.fileName());
        return false;
    }
    return true;
}

}  // namespace

bool compile(const QString& dataDir, const QString& outDir, QString* error) {
    QString dummy;
    if (!error)
        error = &dummy;
    Compiled c;
    if (!build(dataDir, c, error))
        return false;

    const QFileInfo target(outDir);
    const QString absTarget = target.absoluteFilePath();
    if (target.exists() || target.isSymLink()) {
        // Never remove a directory someone else's files live in.
        const QDir existing(absTarget);
        const bool ours = target.isDir() && !target.isSymLink() &&
                          (existing.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden) ||
                           existing.exists(QLatin1String(kMarkerFile)));
        if (!ours) {
            *error = QStringLiteral("%1: exists and was not written by qm-gazetteer; not replacing it")
                         .arg(outDir);
            return false;
        }
    }
    const QString parent = target.absolutePath();
    if (!QDir().mkpath(parent)) {
        *error = QStringLiteral("%1: cannot create").arg(parent);
        return false;
    }
    const QString suffix = QStringLiteral(".tmp-%1").arg(QCoreApplication::applicationPid());
    const QString tmp = absTarget + suffix;
    const QString old = absTarget + QStringLiteral(".old-%1").arg(QCoreApplication::applicationPid());
    QDir(tmp).removeRecursively();
    if (!writeAll(c, tmp, error)) {
        QDir(tmp).removeRecursively();
        return false;
    }
    const bool hadOld = QFileInfo::exists(absTarget);
    if (hadOld && !QDir().rename(absTarget, old)) {
        QDir(tmp).removeRecursively();
        *error = QStringLiteral("%1: cannot move the previous output aside").arg(outDir);
        return false;
    }
    if (!QDir().rename(tmp, absTarget)) {
        if (hadOld)
            QDir().rename(old, absTarget);
        QDir(tmp).removeRecursively();
        *error = QStringLiteral("%1: cannot move the new output into place").arg(outDir);
        return false;
    }
    if (hadOld)
        QDir(old).removeRecursively();
    return true;
}

namespace {

QString escapeField(const QString& v) {
    QString out;
    out.reserve(v.size());
    for (QChar c : v) {
        switch (c.unicode()) {
        case u'\\': out += QStringLiteral("\\\\"); break;
        case u'\t': out += QStringLiteral("\\t"); break;
        case u'\n': out += QStringLiteral("\\n"); break;
        case u'\r': out += QStringLiteral("\\r"); break;
        default: out += c;
        }
    }
    return out;
}

void addLine(QString& tsv, const QStringList& fields) {
    QStringList esc;
    for (const QString& f : fields)
        esc << escapeField(f);
    tsv += esc.join(u'\t') + u'\n';
}

}  // namespace

bool dumpCommanderies(const QString& path, QString& tsv) {
    tsv.clear();
    addLine(tsv, {QStringLiteral("syumei"), QStringLiteral("gunmei"), QStringLiteral("gunyomi"),
                  QStringLiteral("gunji"), QStringLiteral("yobi"), QStringLiteral("jyo"),
                  QStringLiteral("kosu"), QStringLiteral("kousu"), QStringLiteral("gunbiko")});
    if (!QFileInfo(path).isFile())
        return false;  // the reader would create a missing file
    return scanRecords<gunrec>(path, [&](const gunrec& r) {
        addLine(tsv, {text::value(r.syumei), text::value(r.gunmei), text::value(r.gunyomi),
                      text::value(r.gunji), text::value(r.yobi), text::value(r.jyo),
                      text::value(r.kosu), text::value(r.kousu), text::value(r.gunbiko)});
        return true;
    });
}

bool dumpCounties(const QString& path, QString& tsv) {
    tsv.clear();
    addLine(tsv, {QStringLiteral("yobi"), QStringLiteral("gunmei"), QStringLiteral("kenmei"),
                  QStringLiteral("kenyomi"), QStringLiteral("kenji"), QStringLiteral("kenji2"),
                  QStringLiteral("kenbiko"), QStringLiteral("sanbutu")});
    if (!QFileInfo(path).isFile())
        return false;
    return scanRecords<kenrec>(path, [&](const kenrec& r) {
        addLine(tsv, {text::value(r.yobi), text::value(r.gunmei), text::value(r.kenmei),
                      text::value(r.kenyomi), text::value(r.kenji), text::value(r.kenji2),
                      text::value(r.kenbiko), text::value(r.sanbutu)});
        return true;
    });
}

}  // namespace gazetteer
