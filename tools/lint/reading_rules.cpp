#include "reading_rules.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <map>
#include <string>

namespace lint {

namespace {

using Tsv = source::Table;
using TsvRow = source::Row;

// What lets a character take a reading. A second reading, given only in
// the names it lists, needs one of the last four.
const QStringList kBases{QStringLiteral("kan-on"), QStringLiteral("usage"), QStringLiteral("settled"),
                         QStringLiteral("gloss"), QStringLiteral("sense"), QStringLiteral("review")};
const QStringList kSecondBases{QStringLiteral("settled"), QStringLiteral("gloss"), QStringLiteral("sense"),
                               QStringLiteral("review")};

struct Rule {
    const TsvRow* row;
    std::u32string chars;
    QString text;  // chars as written
    QString reading;
    QStringList names;
    bool general;  // no names: the reading wherever no other row names the place
    QSet<int> usedBy;
};

struct Record {
    const Tsv* table;
    const TsvRow* row;
    std::u32string chars;  // the real characters, placeholders resolved
    QString name;          // the same as text
    QString qualified;     // "commandery/name" for a county, else empty
    QString reviewKey;     // "commandery\tname" as readings_review.tsv keys it
    QString reading;
};

// A name's real characters: the placeholder ■ or □ stands for the
// traditional form's character at its place.
std::u32string realChars(const QString& name, const QString& traditional) {
    std::u32string n = name.toStdU32String();
    const std::u32string t = traditional.toStdU32String();
    if (n.size() == t.size()) {
        for (size_t i = 0; i < n.size(); ++i) {
            if (n[i] == U'■' || n[i] == U'□')
                n[i] = t[i];
        }
    }
    return n;
}

QString text(const std::u32string& s) { return QString::fromStdU32String(s); }

// A split of `reading` into rules that each match the name's characters in
// turn; `allowed` says which rules may stand at a place. Empty when none;
// `furthest` is then the first character no split got past.
template <typename Allowed>
std::vector<Rule*> split(const Record& r, const std::multimap<char32_t, Rule*>& byFirst, Allowed allowed,
                         size_t* furthest) {
    const size_t n = r.chars.size();
    const size_t m = size_t(r.reading.size());
    // dead[i][j]: no split of chars[i..] from reading[j..].
    std::vector<std::vector<char>> dead(n + 1, std::vector<char>(m + 1, char(0)));
    std::vector<Rule*> path;
    auto go = [&](auto& self, size_t i, size_t j) -> bool {
        *furthest = std::max(*furthest, i);
        if (i == n)
            return j == m;
        if (dead[i][j])
            return false;
        const auto range = byFirst.equal_range(r.chars[i]);
        for (auto it = range.first; it != range.second; ++it) {
            Rule* u = it->second;
            if (r.chars.compare(i, u->chars.size(), u->chars) != 0 || !allowed(u) ||
                !QStringView(r.reading).mid(qsizetype(j)).startsWith(u->reading))
                continue;
            path.push_back(u);
            if (self(self, i + u->chars.size(), j + size_t(u->reading.size())))
                return true;
            path.pop_back();
        }
        dead[i][j] = 1;
        return false;
    };
    return go(go, 0, 0) ? path : std::vector<Rule*>{};
}

}  // namespace

QStringList readingRuleFaults(const Tsv& rulesTable, const Tsv& review, const std::vector<NameTable>& names) {
    QStringList faults;
    namespace col = source::char_reading;

    std::vector<Record> records;
    QHash<QString, std::vector<int>> byName;  // bare and qualified names -> records
    for (const NameTable& nt : names) {
        const Tsv* t = nt.table;
        const bool county = nt.commandery >= 0;
        for (const TsvRow& row : t->rows) {
            Record r{t, &row, realChars(row[nt.name], row[nt.traditional]), {}, {}, {}, row[nt.reading]};
            r.name = text(r.chars);
            r.qualified = county ? row[nt.commandery] + u'/' + r.name : QString();
            r.reviewKey = (county ? row[nt.commandery] : row[nt.name]) + u'\t' + row[nt.name];
            byName[r.name].push_back(int(records.size()));
            if (county)
                byName[r.qualified].push_back(int(records.size()));
            records.push_back(std::move(r));
        }
    }
    QSet<QString> reviewed;
    for (const TsvRow& row : review.rows)
        reviewed.insert(row[source::reading_review::commandery] + u'\t' + row[source::reading_review::name]);

    std::vector<Rule> rules;
    rules.reserve(rulesTable.rows.size());
    QSet<QString> seen, general;
    for (const TsvRow& row : rulesTable.rows) {
        const QString chars = row[col::chars];
        const QString reading = row[col::reading];
        const QString basis = row[col::basis];
        const QStringList listed = row[col::names].split(u' ', Qt::SkipEmptyParts);
        const QString at = rulesTable.where(row.line) + chars + u' ' + reading + QStringLiteral(": ");
        const int before = int(faults.size());
        if (chars.isEmpty() || chars.contains(u' '))
            faults << at + QStringLiteral("no characters");
        if (!source::isHiragana(reading))
            faults << at + QStringLiteral("the reading is not hiragana");
        if (seen.contains(chars + u'\t' + reading))
            faults << at + QStringLiteral("the same row again");
        // A row in the wrong form is left out; one that lacks a reason still
        // splits the names, so that each fault is reported once.
        const bool wellFormed = int(faults.size()) == before;
        seen.insert(chars + u'\t' + reading);
        if (!kBases.contains(basis))
            faults << at + QStringLiteral("unknown basis \"%1\"").arg(basis);
        else if (!listed.isEmpty() && !kSecondBases.contains(basis))
            faults << at + QStringLiteral("a reading given in some names only needs its reason: basis %1")
                               .arg(kSecondBases.join(QStringLiteral(", ")));
        else if (chars.toStdU32String().size() > 1 && basis != QLatin1String("settled"))
            faults << at + QStringLiteral("a reading of several characters is a settled one (basis settled)");
        if (listed.isEmpty() && general.contains(chars))
            faults << at + QStringLiteral("%1 has a second reading with no names: list the names that take it, "
                                          "with the reason").arg(chars);
        if (listed.isEmpty())
            general.insert(chars);
        for (const QString& n : listed) {
            const auto it = byName.constFind(n);
            if (it == byName.cend())
                faults << at + QStringLiteral("no name %1").arg(n);
            else if (basis == QLatin1String("review")) {
                for (int i : *it) {
                    if (!reviewed.contains(records[size_t(i)].reviewKey))
                        faults << at + QStringLiteral("%1 has no row in readings_review.tsv").arg(n);
                }
            }
        }
        if (wellFormed)
            rules.push_back(Rule{&row, chars.toStdU32String(), chars, reading, listed, listed.isEmpty(), {}});
    }

    std::multimap<char32_t, Rule*> byFirst;
    QHash<int, QSet<QString>> scopedAt;  // record -> the chars of rules that name it
    std::vector<std::vector<const Rule*>> namedBy(records.size());
    for (Rule& u : rules) {
        byFirst.emplace(u.chars[0], &u);
        for (const QString& n : u.names) {
            for (int i : byName.value(n)) {
                scopedAt[i].insert(u.text);
                namedBy[size_t(i)].push_back(&u);
            }
        }
    }

    QSet<QString> failed;  // names that do not split: their rows' use is not known
    for (size_t i = 0; i < records.size(); ++i) {
        const Record& r = records[i];
        if (r.chars.empty())
            continue;  // the compiler rejects a name without characters
        const QSet<QString> scoped = scopedAt.value(int(i));
        auto inScope = [&](const Rule* u) {
            if (u->general)
                return !scoped.contains(u->text);
            for (const Rule* v : namedBy[i]) {
                if (v == u)
                    return true;
            }
            return false;
        };
        size_t furthest = 0;
        const std::vector<Rule*> path = split(r, byFirst, inScope, &furthest);
        const QString at = r.table->where(r.row->line) + r.name + QStringLiteral(": ");
        if (!path.empty()) {
            for (Rule* u : path)
                u->usedBy.insert(int(i));
            continue;
        }
        // Why not: a reading the table gives the character elsewhere, or none at all.
        size_t unused = 0;
        const std::vector<Rule*> any = split(r, byFirst, [](const Rule*) { return true; }, &unused);
        failed.insert(r.name);
        const Rule* stray = nullptr;
        for (const Rule* u : any) {
            if (!inScope(u)) {
                stray = u;
                break;
            }
        }
        if (stray && stray->general)
            faults << at + QStringLiteral("%1 is read %2 here, but char_readings.tsv gives it another reading "
                                          "in this name")
                               .arg(stray->text, stray->reading);
        else if (stray)
            faults << at + QStringLiteral("%1 is read %2 here, which char_readings.tsv allows only in %3; "
                                          "elsewhere it is read otherwise (a character read two ways needs "
                                          "its reason)")
                               .arg(stray->text, stray->reading, stray->names.join(u' '));
        else {
            // Name the character no split got past, with what the table gives it.
            const char32_t c = r.chars[std::min(furthest, r.chars.size() - 1)];
            QStringList given;
            const auto range = byFirst.equal_range(c);
            for (auto it = range.first; it != range.second; ++it)
                given << it->second->text + u' ' + it->second->reading;
            faults << at + QStringLiteral("the reading %1 does not split into its characters' readings "
                                          "in char_readings.tsv: %2")
                               .arg(r.reading, given.isEmpty() ? QStringLiteral("no row for %1").arg(text(std::u32string(1, c)))
                                                               : QStringLiteral("it gives %1").arg(given.join(
                                                                     QStringLiteral(", "))));
        }
    }

    for (const Rule& u : rules) {
        const QString at = rulesTable.where(u.row->line) + u.text + u' ' + u.reading + QStringLiteral(": ");
        const bool unknown = std::any_of(failed.begin(), failed.end(),
                                         [&](const QString& n) { return n.contains(u.text); });
        if (unknown)
            continue;
        if (u.general && u.usedBy.isEmpty())
            faults << at + QStringLiteral("no name takes this reading");
        for (const QString& n : u.names) {
            for (int i : byName.value(n)) {
                if (!u.usedBy.contains(i))
                    faults << at + QStringLiteral("%1 does not take this reading").arg(n);
            }
        }
    }
    return faults;
}

}  // namespace lint
