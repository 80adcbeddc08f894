#include "lint.h"
#include "locations_lint.h"

#include "reading_rules.h"
#include "source_table.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <vector>

namespace lint {
namespace {

using Row = source::Row;
using Table = source::Table;
using source::isHiragana;
using source::isKatakana;

// Where a table of names keeps them: provinces, commanderies and counties
// all have a name and its traditional form, in columns of their own.
struct NameColumns {
    int name, traditional;
};
constexpr NameColumns kProvinceNames{source::province::name, source::province::traditional};
constexpr NameColumns kCommanderyNames{source::commandery::name, source::commandery::traditional};
constexpr NameColumns kCountyNames{source::county::name, source::county::traditional};


// What a note may end on after "有": a product ("有鉄") or a place the text
// names by one character (斥丘 "有葛", 平棘 "有塞"). Anything else is a cut
// inside a place's name, such as "有下" before 城父聚.
const QString kOneCharacterAfterHas = QStringLiteral("鉄塩銅錫銀鉛金丹玉葛塞");

// Names whose traditional form has 豫, as 予 would wrongly write them, with
// the form they should have: 予章 for 豫章 from 豫章郡, 予州 for 豫州.
QHash<QString, QString> yoForms(const std::vector<std::pair<QString, QString>>& names) {
    QHash<QString, QString> out;
    for (const auto& [name, traditional] : names) {
        if (!traditional.contains(u'豫'))
            continue;
        QString stem = name;
        for (const QString& suffix : {QStringLiteral("郡"), QStringLiteral("国")}) {
            if (stem.size() > 2 && stem.endsWith(suffix))
                stem.chop(suffix.size());
        }
        for (const QString& form : {name, stem}) {
            if (form.contains(u'豫'))
                out.insert(QString(form).replace(u'豫', u'予'), form);
        }
    }
    return out;
}

void checkYo(const Table& t, const Row& r, const QString& name, const QString& what, const QString& text,
             const QHash<QString, QString>& yo, QStringList& faults) {
    for (auto it = yo.begin(); it != yo.end(); ++it) {
        if (text.contains(it.key()))
            faults << t.where(r.line) + QStringLiteral("%1: %2 has %3 where the traditional text has %4")
                                            .arg(name, what, it.key(), it.value());
    }
}

void checkCounty(const Table& t, const Row& r, const QHash<QString, QString>& yo,
                 QStringList& faults) {
    namespace col = source::county;
    const QString at = t.where(r.line) + r[col::name] + QStringLiteral(": ");
    const QString unit = r[col::unit];
    const QString note = r[col::note];

    if (!unit.isEmpty() && note.startsWith(unit))
        faults << at + QStringLiteral("the unit %1 is written again at the start of the note").arg(unit);

    static const QRegularExpression firstClause(QStringLiteral("^([^。，]*)[。，]"));
    const QRegularExpressionMatch first = firstClause.match(note);
    if (note.size() == 1)
        faults << at + QStringLiteral("the note is a lone character \"%1\"").arg(note);
    else if (first.hasMatch() && first.capturedLength(1) <= 1)
        faults << at + QStringLiteral("the note starts with a fragment \"%1\"").arg(first.captured(0));
    else if (note.startsWith(u'国'))
        faults << at + QStringLiteral("the note starts with 国, the end of a unit");

    static const QRegularExpression lastClause(QStringLiteral("。([^。，]?)$"));
    const QRegularExpressionMatch last = lastClause.match(note);
    if (last.hasMatch())
        faults << at + QStringLiteral("the note ends with a fragment \"%1\"").arg(last.captured(0));

    static const QRegularExpression endsHas(QStringLiteral("有(.)$"));
    const QRegularExpressionMatch end = endsHas.match(note);
    if (end.hasMatch() && !kOneCharacterAfterHas.contains(end.captured(1)))
        faults << at + QStringLiteral("the note ends with \"%1\", inside a place's name").arg(end.captured(0));

    static const QRegularExpression tally(QStringLiteral("右[^。，]{1,8}部，郡"));
    if (note.contains(tally))
        faults << at + QStringLiteral("the note holds a province's tally");

    for (const QString& p : r[col::products].split(u'・', Qt::SkipEmptyParts)) {
        if (!note.contains(p))
            faults << at + QStringLiteral("the product %1 is not in the note").arg(p);
    }
    checkYo(t, r, r[col::name], QStringLiteral("the note"), note, yo, faults);
}

// A name written with 予 at a place where its traditional form has 豫.
void checkName(const Table& t, const Row& r, NameColumns cols, const QHash<QString, QString>& yo,
               QStringList& faults) {
    const QString name = r[cols.name];
    const QString traditional = r[cols.traditional];
    bool flagged = false;
    for (qsizetype i = 0; i < name.size() && i < traditional.size(); ++i) {
        if (name[i] == u'予' && traditional[i] == u'豫' && !flagged) {
            faults << t.where(r.line) + QStringLiteral("the name %1 has 予 where the traditional form %2 has 豫")
                                            .arg(name, traditional);
            flagged = true;
        }
    }
    if (!flagged)
        checkYo(t, r, name, QStringLiteral("the name"), name, yo, faults);
}


// A note that holds, at the start of a clause, another county of its own
// commandery followed by a unit or by nothing, or naming one whose note is
// empty: that county's own entry, left in its neighbour's note by the split
// (陽平 once held "衛公国。本観故国…").
void checkNeighbourEntries(const Table& t, QStringList& faults) {
    namespace col = source::county;
    QHash<QString, std::vector<const Row*>> byCommandery;
    for (const Row& r : t.rows)
        byCommandery[r[col::commandery]].push_back(&r);
    static const QRegularExpression clauses(QStringLiteral("[。，]"));
    static const QStringList units{QStringLiteral("侯国"), QStringLiteral("公国"), QStringLiteral("邑"),
                                   QStringLiteral("道"), QStringLiteral("国")};
    for (const Row& r : t.rows) {
        const auto& siblings = byCommandery[r[col::commandery]];
        for (const QString& clause : r[col::note].split(clauses, Qt::SkipEmptyParts)) {
            for (const Row* y : siblings) {
                const QString other = (*y)[col::name];
                if (y == &r || !clause.startsWith(other))
                    continue;
                const QString rest = clause.mid(other.size());
                const bool unit = std::any_of(units.begin(), units.end(),
                                              [&](const QString& u) { return rest.startsWith(u); });
                if (rest.isEmpty() || unit || (*y)[col::note].isEmpty())
                    faults << t.where(r.line) +
                                  QStringLiteral("%1: the note holds \"%2\", the entry of %3 (line %4)")
                                      .arg(r[col::name], clause, other)
                                      .arg(y->line);
            }
        }
    }
}

// What the collation with the second edition found must stay mended: a
// county whose note the edition has and the gazetteer lacks, and a fixed
// note that lost the edition's words again or took back its old ones.
void checkCollation(const Table& collation, const Table& counties, QStringList& faults) {
    namespace col = source::collation;
    namespace county = source::county;
    QHash<QString, QString> notes;  // "commandery\tcounty" -> note
    for (const Row& r : counties.rows)
        notes.insert(r[county::commandery] + u'\t' + r[county::name], r[county::note]);
    static const QRegularExpression punctuation(QStringLiteral("[。，、：；]"));
    for (const Row& r : collation.rows) {
        if (r[col::field] != QLatin1String("note"))
            continue;
        const QString name = r[col::county];
        const QString cls = r[col::cls];
        const QString ours = r[col::gazetteer];
        const QString theirs = r[col::edition];
        const auto it = notes.constFind(r[col::commandery] + u'\t' + name);
        if (it == notes.cend())
            continue;  // a name the collation no longer knows is a name change, not a note
        const QString note = QString(*it).remove(punctuation);
        const QString at = collation.where(r.line) + name + QStringLiteral(": ");
        const bool kept = cls == QLatin1String("edition-variant") || cls == QLatin1String("edition-error") ||
                          cls == QLatin1String("emended");
        if (it->isEmpty() && ours.isEmpty() && !theirs.isEmpty() && !kept)
            faults << at + QStringLiteral("the edition has a note (%1) that counties.tsv lacks").arg(theirs);
        else if (cls == QLatin1String("gazetteer-error") &&
            ((!theirs.isEmpty() && !note.contains(theirs)) || (!ours.isEmpty() && note.contains(ours))))
            faults << at + QStringLiteral("the note no longer has the edition's %1 in place of %2")
                               .arg(theirs, ours.isEmpty() ? QStringLiteral("nothing") : ours);
    }
}

// Each other name must lead to a record and tell the reader what it is and
// where it is recorded.
void checkOtherNames(const Table& t, const Table& commanderies, const Table& counties,
                     QStringList& faults) {
    namespace col = source::other;
    QSet<QString> known;  // "commandery\tcounty", county empty for the commandery itself
    for (const Row& r : commanderies.rows)
        known.insert(r[source::commandery::name] + u'\t');
    for (const Row& r : counties.rows)
        known.insert(r[source::county::commandery] + u'\t' + r[source::county::name]);
    QSet<QString> rows;
    for (const Row& r : t.rows) {
        const QString commandery = r[col::commandery];
        const QString county = r[col::county];
        const QString other = r[col::name];
        const QString kind = r[col::kind];
        const QString at = t.where(r.line) + other + QStringLiteral(": ");
        if (!known.contains(commandery + u'\t'))
            faults << at + QStringLiteral("unknown commandery \"%1\"").arg(commandery);
        else if (!known.contains(commandery + u'\t' + county))
            faults << at + QStringLiteral("%1 has no county \"%2\"").arg(commandery, county);
        if (other.isEmpty())
            faults << at + QStringLiteral("no other name");
        if (!source::kOtherKinds.contains(kind))
            faults << at + QStringLiteral("unknown kind \"%1\"").arg(kind);
        if (!isHiragana(r[col::reading]))
            faults << at + QStringLiteral("the reading \"%1\" is not hiragana").arg(r[col::reading]);
        static const QRegularExpression year(QStringLiteral("^[0-9]{1,3}$"));
        if (kind == QLatin1String("later") && !year.match(r[col::year]).hasMatch())
            faults << at + QStringLiteral("a later name needs the year it was given");
        for (int column : {col::note, col::source}) {
            if (r[column].trimmed().isEmpty())
                faults << at + QStringLiteral("empty %1").arg(source::kOtherNames.columns[column]);
        }
        // A name may have two readings that references print (番禺 ばんぐ, はんぐ).
        const QString key = commandery + u'\t' + county + u'\t' + other + u'\t' + r[col::reading] +
                            u'\t' + kind;
        if (rows.contains(key))
            faults << at + QStringLiteral("the same row again");
        rows.insert(key);
    }
}

// Katakana written for a character without a CP932 code must be one of the
// kan-on kanon.tsv lists for it, and the two tables must name the same characters.
void checkKanon(const Table& katakana, const Table& kanon, QStringList& faults) {
    namespace on = source::kanon;
    namespace kk = source::katakana;
    QHash<QString, QStringList> readings;
    for (const Row& r : kanon.rows) {
        const QString c = r[on::character];
        const QStringList kanOn = r[on::readings].split(u' ', Qt::SkipEmptyParts);
        if (kanOn.isEmpty())
            faults << kanon.where(r.line) + QStringLiteral("%1 has no kan-on").arg(c);
        for (const QString& k : kanOn) {
            if (!isKatakana(k))
                faults << kanon.where(r.line) + QStringLiteral("%1: \"%2\" is not katakana").arg(c, k);
        }
        readings.insert(c, kanOn);
    }
    QSet<QString> written;
    for (const Row& r : katakana.rows) {
        const QString c = r[kk::character];
        const QString k = r[kk::kana];
        written.insert(c);
        const auto it = readings.constFind(c);
        if (it == readings.constEnd())
            faults << katakana.where(r.line) + QStringLiteral("%1 has no row in kanon.tsv").arg(c);
        else if (!it->contains(k))
            faults << katakana.where(r.line) +
                          QStringLiteral("%1 is written %2; its kan-on is %3").arg(c, k, it->join(u' '));
    }
    for (const Row& r : kanon.rows) {
        const QString c = r[on::character];
        if (!written.contains(c))
            faults << kanon.where(r.line) + QStringLiteral("%1 is not in katakana.tsv").arg(c);
    }
}

}  // namespace

QStringList check(const QString& dataDir) {
    QStringList faults;
    Table provinces, commanderies, counties, katakana, kanon, others, collation;
    const bool haveProvinces = source::read(dataDir, source::kProvinces, provinces, faults);
    const bool haveCommanderies = source::read(dataDir, source::kCommanderies, commanderies, faults);
    const bool haveCounties = source::read(dataDir, source::kCounties, counties, faults);
    const bool haveKatakana = source::read(dataDir, source::kKatakana, katakana, faults);
    const bool haveKanon = source::read(dataDir, source::kKanon, kanon, faults);
    if (source::read(dataDir, source::kOtherNames, others, faults) && haveCommanderies && haveCounties)
        checkOtherNames(others, commanderies, counties, faults);
    if (source::read(dataDir, source::kCollation, collation, faults) && haveCounties)
        checkCollation(collation, counties, faults);

    std::vector<std::pair<QString, QString>> names;
    for (const auto& [t, cols] : {std::pair{&provinces, kProvinceNames}, std::pair{&commanderies, kCommanderyNames},
                                  std::pair{&counties, kCountyNames}}) {
        for (const Row& r : t->rows)
            names.emplace_back(r[cols.name], r[cols.traditional]);
    }
    const QHash<QString, QString> yo = yoForms(names);

    if (haveProvinces) {
        for (const Row& r : provinces.rows)
            checkName(provinces, r, kProvinceNames, yo, faults);
    }
    if (haveCommanderies) {
        for (const Row& r : commanderies.rows) {
            checkName(commanderies, r, kCommanderyNames, yo, faults);
            checkYo(commanderies, r, r[source::commandery::name], QStringLiteral("the remark"),
                    r[source::commandery::remark], yo, faults);
        }
    }
    if (haveCounties) {
        for (const Row& r : counties.rows) {
            checkName(counties, r, kCountyNames, yo, faults);
            checkCounty(counties, r, yo, faults);
        }
        checkNeighbourEntries(counties, faults);
    }
    if (haveKatakana && haveKanon)
        checkKanon(katakana, kanon, faults);
    Table rules, review;
    if (source::read(dataDir, source::kCharReadings, rules, faults) &&
        source::read(dataDir, source::kReadingsReview, review, faults) && haveProvinces && haveCommanderies &&
        haveCounties)
        faults << readingRuleFaults(rules, review,
                                    {{&provinces, source::province::name, source::province::traditional,
                                      source::province::reading, -1},
                                     {&commanderies, source::commandery::name, source::commandery::traditional,
                                      source::commandery::reading, -1},
                                     {&counties, source::county::name, source::county::traditional,
                                      source::county::reading, source::county::commandery}});
    faults << checkLocations(dataDir);
    return faults;
}

}  // namespace lint
