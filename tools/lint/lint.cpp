#include "lint.h"
#include "locations_lint.h"

#include "data/format.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <vector>

namespace lint {
namespace {

using Row = format::TsvRow;
using Table = format::Tsv;
using format::isHiragana;
using format::isKatakana;

// One source file as the compiler reads it, with the columns the checks use.
bool read(const QString& dir, const QString& name, const QStringList& columns, Table& t,
          QStringList& faults) {
    if (!format::readTsv(QDir(dir).filePath(name), t, faults))
        return false;
    bool ok = true;
    for (const QString& c : columns) {
        if (!t.header.contains(c)) {
            faults << t.where(t.headerLine) + QStringLiteral("no column \"%1\"").arg(c);
            ok = false;
        }
    }
    return ok;
}


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

void checkYo(const Table& t, const Row& r, const QString& what, const QString& text,
             const QHash<QString, QString>& yo, QStringList& faults) {
    for (auto it = yo.begin(); it != yo.end(); ++it) {
        if (text.contains(it.key()))
            faults << t.where(r.line) + QStringLiteral("%1: %2 has %3 where the traditional text has %4")
                                            .arg(t.at(r, QStringLiteral("name")), what, it.key(), it.value());
    }
}

void checkCounty(const Table& t, const Row& r, const QHash<QString, QString>& yo,
                 QStringList& faults) {
    const QString at = t.where(r.line) + t.at(r, QStringLiteral("name")) + QStringLiteral(": ");
    const QString unit = t.at(r, QStringLiteral("unit"));
    const QString note = t.at(r, QStringLiteral("note"));

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

    for (const QString& p : t.at(r, QStringLiteral("products")).split(u'・', Qt::SkipEmptyParts)) {
        if (!note.contains(p))
            faults << at + QStringLiteral("the product %1 is not in the note").arg(p);
    }
    checkYo(t, r, QStringLiteral("the note"), note, yo, faults);
}

// A name written with 予 at a place where its traditional form has 豫.
void checkName(const Table& t, const Row& r, const QHash<QString, QString>& yo, QStringList& faults) {
    const QString name = t.at(r, QStringLiteral("name"));
    const QString traditional = t.at(r, QStringLiteral("traditional"));
    bool flagged = false;
    for (qsizetype i = 0; i < name.size() && i < traditional.size(); ++i) {
        if (name[i] == u'予' && traditional[i] == u'豫' && !flagged) {
            faults << t.where(r.line) + QStringLiteral("the name %1 has 予 where the traditional form %2 has 豫")
                                            .arg(name, traditional);
            flagged = true;
        }
    }
    if (!flagged)
        checkYo(t, r, QStringLiteral("the name"), name, yo, faults);
}


// A note that holds, at the start of a clause, another county of its own
// commandery followed by a unit or by nothing, or naming one whose note is
// empty: that county's own entry, left in its neighbour's note by the split
// (陽平 once held "衛公国。本観故国…").
void checkNeighbourEntries(const Table& t, QStringList& faults) {
    const QString name = QStringLiteral("name"), note = QStringLiteral("note");
    QHash<QString, std::vector<const Row*>> byCommandery;
    for (const Row& r : t.rows)
        byCommandery[t.at(r, QStringLiteral("commandery"))].push_back(&r);
    static const QRegularExpression clauses(QStringLiteral("[。，]"));
    static const QStringList units{QStringLiteral("侯国"), QStringLiteral("公国"), QStringLiteral("邑"),
                                   QStringLiteral("道"), QStringLiteral("国")};
    for (const Row& r : t.rows) {
        const auto& siblings = byCommandery[t.at(r, QStringLiteral("commandery"))];
        for (const QString& clause : t.at(r, note).split(clauses, Qt::SkipEmptyParts)) {
            for (const Row* y : siblings) {
                const QString other = t.at(*y, name);
                if (y == &r || !clause.startsWith(other))
                    continue;
                const QString rest = clause.mid(other.size());
                const bool unit = std::any_of(units.begin(), units.end(),
                                              [&](const QString& u) { return rest.startsWith(u); });
                if (rest.isEmpty() || unit || t.at(*y, note).isEmpty())
                    faults << t.where(r.line) +
                                  QStringLiteral("%1: the note holds \"%2\", the entry of %3 (line %4)")
                                      .arg(t.at(r, name), clause, other)
                                      .arg(y->line);
            }
        }
    }
}

// What the collation with the second edition found must stay mended: a
// county whose note the edition has and the gazetteer lacks, and a fixed
// note that lost the edition's words again or took back its old ones.
void checkCollation(const Table& collation, const Table& counties, QStringList& faults) {
    QHash<QString, QString> notes;  // "commandery\tcounty" -> note
    for (const Row& r : counties.rows)
        notes.insert(counties.at(r, QStringLiteral("commandery")) + u'\t' + counties.at(r, QStringLiteral("name")),
                     counties.at(r, QStringLiteral("note")));
    static const QRegularExpression punctuation(QStringLiteral("[。，、：；]"));
    for (const Row& r : collation.rows) {
        if (collation.at(r, QStringLiteral("field")) != QLatin1String("note"))
            continue;
        const QString county = collation.at(r, QStringLiteral("county"));
        const QString cls = collation.at(r, QStringLiteral("class"));
        const QString ours = collation.at(r, QStringLiteral("gazetteer"));
        const QString theirs = collation.at(r, QStringLiteral("edition"));
        const auto it = notes.constFind(collation.at(r, QStringLiteral("commandery")) + u'\t' + county);
        if (it == notes.cend())
            continue;  // a name the collation no longer knows is a name change, not a note
        const QString note = QString(*it).remove(punctuation);
        const QString at = collation.where(r.line) + county + QStringLiteral(": ");
        const bool kept = cls == QLatin1String("edition-variant") || cls == QLatin1String("edition-error");
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
    const QString name = QStringLiteral("name");
    QSet<QString> known;  // "commandery\tcounty", county empty for the commandery itself
    for (const Row& r : commanderies.rows)
        known.insert(commanderies.at(r, name) + u'\t');
    for (const Row& r : counties.rows)
        known.insert(counties.at(r, QStringLiteral("commandery")) + u'\t' + counties.at(r, name));
    static const QStringList kinds{QStringLiteral("later"), QStringLiteral("variant"),
                                   QStringLiteral("place"), QStringLiteral("reading")};
    QSet<QString> rows;
    for (const Row& r : t.rows) {
        const QString commandery = t.at(r, QStringLiteral("commandery"));
        const QString county = t.at(r, QStringLiteral("county"));
        const QString other = t.at(r, QStringLiteral("other"));
        const QString kind = t.at(r, QStringLiteral("kind"));
        const QString at = t.where(r.line) + other + QStringLiteral(": ");
        if (!known.contains(commandery + u'\t'))
            faults << at + QStringLiteral("unknown commandery \"%1\"").arg(commandery);
        else if (!known.contains(commandery + u'\t' + county))
            faults << at + QStringLiteral("%1 has no county \"%2\"").arg(commandery, county);
        if (other.isEmpty())
            faults << at + QStringLiteral("no other name");
        if (!kinds.contains(kind))
            faults << at + QStringLiteral("unknown kind \"%1\"").arg(kind);
        if (!isHiragana(t.at(r, QStringLiteral("reading"))))
            faults << at + QStringLiteral("the reading \"%1\" is not hiragana").arg(t.at(r, QStringLiteral("reading")));
        static const QRegularExpression year(QStringLiteral("^[0-9]{1,3}$"));
        if (kind == QLatin1String("later") && !year.match(t.at(r, QStringLiteral("year"))).hasMatch())
            faults << at + QStringLiteral("a later name needs the year it was given");
        for (const QString& column : {QStringLiteral("note"), QStringLiteral("source")}) {
            if (t.at(r, column).trimmed().isEmpty())
                faults << at + QStringLiteral("empty %1").arg(column);
        }
        // A name may have two readings that references print (番禺 ばんぐ, はんぐ).
        const QString key = commandery + u'\t' + county + u'\t' + other + u'\t' +
                            t.at(r, QStringLiteral("reading")) + u'\t' + kind;
        if (rows.contains(key))
            faults << at + QStringLiteral("the same row again");
        rows.insert(key);
    }
}

}  // namespace

QStringList check(const QString& dataDir) {
    QStringList faults;
    const QString name = QStringLiteral("name"), traditional = QStringLiteral("traditional");
    Table provinces, commanderies, counties, katakana, kanon;
    const bool haveProvinces =
        read(dataDir, QStringLiteral("provinces.tsv"), {name, traditional}, provinces, faults);
    const bool haveCommanderies = read(dataDir, QStringLiteral("commanderies.tsv"),
                                       {name, traditional, QStringLiteral("remark")}, commanderies, faults);
    const bool haveCounties =
        read(dataDir, QStringLiteral("counties.tsv"),
             {name, traditional, QStringLiteral("unit"), QStringLiteral("note"), QStringLiteral("products")},
             counties, faults);
    const bool haveKatakana = read(dataDir, QStringLiteral("katakana.tsv"),
                                   {QStringLiteral("char"), QStringLiteral("katakana")}, katakana, faults);
    const bool haveKanon = read(dataDir, QStringLiteral("kanon.tsv"),
                                {QStringLiteral("char"), QStringLiteral("kanon")}, kanon, faults);
    Table others;
    const bool haveOthers =
        read(dataDir, QStringLiteral("other_names.tsv"),
             {QStringLiteral("commandery"), QStringLiteral("county"), QStringLiteral("other"),
              QStringLiteral("reading"), QStringLiteral("kind"), QStringLiteral("year"),
              QStringLiteral("note"), QStringLiteral("source")},
             others, faults);
    if (haveOthers && haveCommanderies && haveCounties)
        checkOtherNames(others, commanderies, counties, faults);
    Table collation;
    if (read(dataDir, QStringLiteral("collation.tsv"),
             {QStringLiteral("commandery"), QStringLiteral("county"), QStringLiteral("field"),
              QStringLiteral("gazetteer"), QStringLiteral("edition"), QStringLiteral("class")},
             collation, faults) &&
        haveCounties)
        checkCollation(collation, counties, faults);

    std::vector<std::pair<QString, QString>> names;
    for (const Table* t : {&provinces, &commanderies, &counties}) {
        for (const Row& r : t->rows)
            names.emplace_back(t->at(r, name), t->at(r, traditional));
    }
    const QHash<QString, QString> yo = yoForms(names);

    if (haveProvinces) {
        for (const Row& r : provinces.rows)
            checkName(provinces, r, yo, faults);
    }
    if (haveCommanderies) {
        for (const Row& r : commanderies.rows) {
            checkName(commanderies, r, yo, faults);
            checkYo(commanderies, r, QStringLiteral("the remark"), commanderies.at(r, QStringLiteral("remark")),
                    yo, faults);
        }
    }
    if (haveCounties) {
        for (const Row& r : counties.rows) {
            checkName(counties, r, yo, faults);
            checkCounty(counties, r, yo, faults);
        }
        checkNeighbourEntries(counties, faults);
    }

    if (haveKatakana && haveKanon) {
        QHash<QString, QStringList> readings;
        for (const Row& r : kanon.rows) {
            const QString c = kanon.at(r, QStringLiteral("char"));
            const QStringList on = kanon.at(r, QStringLiteral("kanon")).split(u' ', Qt::SkipEmptyParts);
            if (on.isEmpty())
                faults << kanon.where(r.line) + QStringLiteral("%1 has no kan-on").arg(c);
            for (const QString& k : on) {
                if (!isKatakana(k))
                    faults << kanon.where(r.line) + QStringLiteral("%1: \"%2\" is not katakana").arg(c, k);
            }
            readings.insert(c, on);
        }
        QSet<QString> written;
        for (const Row& r : katakana.rows) {
            const QString c = katakana.at(r, QStringLiteral("char"));
            const QString k = katakana.at(r, QStringLiteral("katakana"));
            written.insert(c);
            const auto it = readings.constFind(c);
            if (it == readings.constEnd())
                faults << katakana.where(r.line) + QStringLiteral("%1 has no row in kanon.tsv").arg(c);
            else if (!it->contains(k))
                faults << katakana.where(r.line) +
                              QStringLiteral("%1 is written %2; its kan-on is %3").arg(c, k, it->join(u' '));
        }
        for (const Row& r : kanon.rows) {
            const QString c = kanon.at(r, QStringLiteral("char"));
            if (!written.contains(c))
                faults << kanon.where(r.line) + QStringLiteral("%1 is not in katakana.tsv").arg(c);
        }
    }
    faults << checkLocations(dataDir);
    return faults;
}

}  // namespace lint
