// Right answers on the bundled gazetteer: every county and commandery,
// reached by browsing and by each kind of search and clicked at its own place
// in the list, shows its own record with its own commandery and province.
// Expected values come from a reader of the record files written here (byte
// offsets and iconv), not from the program's decoding or handlers.
#include "support/harness.h"
#include "support/sample_data.h"
#include "support/typed_data.h"

#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>
#include <iconv.h>
#include <map>
#include <vector>

#ifndef QM_GAZETTEER_DIR
#define QM_GAZETTEER_DIR ""
#endif

namespace {

using typed::kProvinces;
using typed::sourceRows;

// ------------------------------------------------------ independent reader

QString decodeField(const QByteArray& rec, int offset, int width) {
    QByteArray bytes = rec.mid(offset, width);
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    static iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return QStringLiteral("<no iconv>");
    QByteArray out(bytes.size() * 4 + 4, '\0');
    char* in = bytes.data();
    std::size_t inLeft = static_cast<std::size_t>(bytes.size());
    char* o = out.data();
    std::size_t outLeft = static_cast<std::size_t>(out.size());
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &in, &inLeft, &o, &outLeft) == static_cast<std::size_t>(-1))
        return QStringLiteral("<bad CP932>");
    QString s = QString::fromUtf8(out.constData(), out.size() - static_cast<qsizetype>(outLeft));
    qsizetype b = 0, e = s.size();
    while (b < e && s.at(b) == u' ') ++b;
    while (e > b && s.at(e - 1) == u' ') --e;
    return s.mid(b, e - b);
}

std::vector<QByteArray> recordsOf(const QString& path, int length) {
    QFile f(path);
    std::vector<QByteArray> out;
    if (!f.open(QIODevice::ReadOnly))
        return out;
    const QByteArray all = f.readAll();
    for (qsizetype at = 0; at + length <= all.size(); at += length)
        out.push_back(all.mid(at, length));
    return out;
}

struct Gun {
    int number;  // 1-based, in syu/州郡.txt
    QString province, name, reading, glyph, cities, households, population, remark;
};
struct Ken {
    int province;  // index into kProvinces
    int number;    // 1-based, in that province's file
    QString commandery, name, reading, glyph, glyph2, remark, products;
};

struct Treatise {
    std::vector<Gun> guns;
    std::vector<Ken> kens;  // catalogue order, then file order

    explicit Treatise(const WorkDir& wd) {
        int n = 0;
        for (const QByteArray& r : recordsOf(wd.file(QStringLiteral("syu/州郡.txt")), 160))
            guns.push_back({++n, decodeField(r, 0, 10), decodeField(r, 10, 12), decodeField(r, 22, 30),
                            decodeField(r, 52, 12), decodeField(r, 76, 2), decodeField(r, 78, 10),
                            decodeField(r, 88, 10), decodeField(r, 98, 62)});
        for (int p = 0; p < 13; ++p) {
            n = 0;
            for (const QByteArray& r : recordsOf(wd.file(QString::fromUtf8(kProvinces[p].file)), 204))
                kens.push_back({p, ++n, decodeField(r, 10, 12), decodeField(r, 22, 12),
                                decodeField(r, 34, 20), decodeField(r, 54, 12), decodeField(r, 66, 12),
                                decodeField(r, 78, 100), decodeField(r, 178, 26)});
        }
    }
    // The commandery a county belongs to: its name in the county's province.
    const Gun* commanderyOf(const Ken& k) const {
        for (const Gun& g : guns)
            if (g.name == k.commandery && g.province == QString::fromUtf8(kProvinces[k.province].label))
                return &g;
        return nullptr;
    }
    int provinceOf(const Gun& g) const {
        for (int p = 0; p < 13; ++p)
            if (g.province == QString::fromUtf8(kProvinces[p].label))
                return p;
        return -1;
    }
    QStringList countiesOf(const Gun& g) const {
        QStringList out;
        for (const Ken& k : kens)
            if (k.province == provinceOf(g) && k.commandery == g.name)
                out << k.name + u' ' + k.reading;
        return out;
    }
};

QString where(const Gun& g) { return QStringLiteral("州郡.txt#%1 %2").arg(g.number).arg(g.name); }
QString where(const Ken& k) {
    return QStringLiteral("%1#%2 %3").arg(QString::fromUtf8(kProvinces[k.province].file)).arg(k.number).arg(k.name);
}

// --------------------------------------------------------------- checking

// Differences between the window and what a chosen record should show, as
// one line; empty when everything agrees.
class Check {
public:
    explicit Check(Harness& h) : h_(h) {}
    void box(int n, const QString& want) {
        if (h_.text(n) != want)
            out_ << QStringLiteral("Text%1 %2 (want %3)").arg(n).arg(h_.text(n), want);
    }
    void picture(int n, bool want, const QString& glyph) {
        const QString bitmap = want ? QStringLiteral("ji/") + glyph + QStringLiteral(".bmp") : QString();
        if (h_.shown(n) != want || (want && h_.bitmap(n) != bitmap))
            out_ << QStringLiteral("Picture%1 %2:%3 (want %4:%5)").arg(n).arg(h_.shown(n)).arg(h_.bitmap(n))
                        .arg(want).arg(bitmap);
    }
    void commandery(const Gun& g, int p) {
        const typed::Province& prov = kProvinces[p];
        box(1, QString::fromUtf8(prov.display));
        box(2, g.name);
        box(4, g.reading);
        box(6, g.households);
        box(7, g.population);
        box(8, g.cities);
        box(12, g.remark);
        picture(1, std::string(prov.label) == "エン州", QStringLiteral("en4"));
        picture(2, g.name.startsWith(u'■'), g.glyph);
        picture(3, g.name.mid(1, 1) == QStringLiteral("■"), g.glyph);
        if (h_.form().fname != QString::fromUtf8(prov.file))
            out_ << QStringLiteral("fname ") + h_.form().fname;
    }
    void county(const Ken& k) {
        box(3, k.name);
        box(5, k.reading);
        box(9, k.remark);
        box(10, k.products);
        const QString second = k.name.mid(1, 1);
        picture(4, k.name.startsWith(u'■'), k.glyph);
        picture(5, second == QStringLiteral("■") || second == QStringLiteral("□"),
                second == QStringLiteral("□") ? k.glyph2 : k.glyph);
    }
    void emptyCounty() {
        for (int n : {3, 5, 9, 10})
            box(n, QString());
    }
    void list(int n, const QStringList& want) {
        if (h_.items(n) != want)
            out_ << QStringLiteral("List%1 %2 (want %3)").arg(n).arg(h_.items(n).join(u'|'), want.join(u'|'));
    }
    QString result() const { return out_.join(QStringLiteral("; ")); }

private:
    Harness& h_;
    QStringList out_;
};

// Tallies the cases of one way of reaching records, keeping the first few
// failures to print.
struct Tally {
    explicit Tally(const char* w) : way(w) {}
    const char* way;
    int cases = 0;
    QStringList failures;
    void add(const QString& where, const QString& diff) {
        ++cases;
        if (!diff.isEmpty())
            failures << where + QStringLiteral(": ") + diff;
    }
};

// Prints each way's cases and failures, fails the test with the first few;
// the number of failures.
int report(std::initializer_list<const Tally*> tallies) {
    int failed = 0;
    for (const Tally* tally : tallies) {
        failed += static_cast<int>(tally->failures.size());
        std::printf("%-30s %4d cases, %4d wrong\n", tally->way, tally->cases,
                    static_cast<int>(tally->failures.size()));
        for (const QString& f : tally->failures.mid(0, 5))
            ADD_FAILURE() << tally->way << ": " << f.toStdString();
    }
    return failed;
}

// The row of List`list` made from record `number` of `file`: other names
// list more records than the field alone finds, so the row is found by the
// item's place, and it must be there once.
int rowOf(Harness& h, int list, const QString& file, int number) {
    const auto* l = dynamic_cast<const MemoryListBox*>(&h.listBox(list));
    int at = -1;
    for (int i = 0; l && i < l->count(); ++i)
        if (l->place(i).file == file && l->place(i).record == number)
            at = at < 0 ? i : -2;
    return at;
}

bool copyTree(const WorkDir& wd, const QString& from, const QString& to) {
    QDir().mkpath(wd.file(to));
    QDirIterator it(from, QDir::Files);
    bool any = false;
    while (it.hasNext()) {
        const QString src = it.next();
        const QString dst = wd.file(to + u'/' + it.fileName());
        QFile::remove(dst);
        if (!QFile::copy(src, dst))
            return false;
        any = true;
    }
    return any;
}

class BundledGazetteer : public ::testing::Test {
protected:
    void SetUp() override {
        const QString dir = QStringLiteral(QM_GAZETTEER_DIR);
        if (dir.isEmpty() || !QFileInfo::exists(dir + QStringLiteral("/syu/州郡.txt")))
            GTEST_SKIP() << "no compiled gazetteer at '" << QM_GAZETTEER_DIR << "' (build the gazetteer target)";
        // A copy: nothing a handler does may touch the compiled data.
        ASSERT_TRUE(copyTree(wd, dir + QStringLiteral("/syu"), QStringLiteral("syu")));
        ASSERT_TRUE(copyTree(wd, dir + QStringLiteral("/ji"), QStringLiteral("ji")));
        ASSERT_TRUE(copyTree(wd, dir + QStringLiteral("/betsu"), QStringLiteral("betsu")));
    }
    WorkDir wd;
};

TEST_F(BundledGazetteer, EveryRecordReachedAnyWayShowsItself) {
    const Treatise t(wd);
    ASSERT_EQ(t.guns.size(), 105u);
    ASSERT_EQ(t.kens.size(), 1181u);
    QM_HARNESS(h, "memory", wd.gazetteer());
    Tally browseGun{"province, commandery"}, browseKen{"province, commandery, county"},
        byGunName{"郡漢字 search"}, byGunReading{"郡読み search"}, byKenName{"県漢字 search"},
        byKenReading{"県読み search"};

    // Browsing: each province, each of its commanderies, each of its counties.
    for (int p = 0; p < 13; ++p) {
        h.click(3, p);
        int row = 0;
        for (const Gun& g : t.guns) {
            if (g.province != QString::fromUtf8(kProvinces[p].label))
                continue;
            h.click(1, row++);
            Check c(h);
            c.commandery(g, p);
            c.list(2, t.countiesOf(g));
            c.emptyCounty();
            browseGun.add(where(g), c.result());
            int at = 0;
            for (const Ken& k : t.kens) {
                if (k.province != p || k.commandery != g.name)
                    continue;
                h.click(2, at++);
                Check kc(h);
                kc.commandery(g, p);
                kc.county(k);
                browseKen.add(where(k), kc.result());
            }
        }
    }

    // Searches for the whole name or reading, clicked at the record's own row.
    const auto searchGun = [&](Tally& tally, int mode, auto key) {
        for (const Gun& g : t.guns) {
            h.option(mode);
            h.search(key(g));
            h.click(1, rowOf(h, 1, QStringLiteral("syu/州郡.txt"), g.number));
            Check c(h);
            c.commandery(g, t.provinceOf(g));
            c.list(2, t.countiesOf(g));
            tally.add(where(g), c.result());
        }
    };
    searchGun(byGunName, 1, [](const Gun& g) { return g.name; });
    searchGun(byGunReading, 2, [](const Gun& g) { return g.reading; });

    const auto searchKen = [&](Tally& tally, int mode, auto key) {
        for (const Ken& k : t.kens) {
            h.option(mode);
            h.search(key(k));
            h.click(2, rowOf(h, 2, QString::fromUtf8(kProvinces[k.province].file), k.number));
            Check c(h);
            const Gun* g = t.commanderyOf(k);
            if (g)
                c.commandery(*g, k.province);
            else
                c.box(2, QStringLiteral("<no commandery %1 in its province>").arg(k.commandery));
            c.county(k);
            tally.add(where(k), c.result());
        }
    };
    searchKen(byKenName, 3, [](const Ken& k) { return k.name; });
    searchKen(byKenReading, 4, [](const Ken& k) { return k.reading; });
    h.dialogs().shown.clear();

    EXPECT_EQ(report({&browseGun, &browseKen, &byGunName, &byGunReading, &byKenName, &byKenReading}), 0);
    EXPECT_EQ(browseKen.cases + byKenName.cases + byKenReading.cases, 3 * 1181);
    EXPECT_EQ(byGunName.cases + byGunReading.cases, 2 * 105);
}

// ------------------------------------------- names a reader knows

// OpenCC's command-line tool, line by line: the library the compiler links
// is not asked.
QStringList simplifiedByTheTool(const QStringList& traditional) {
    QProcess opencc;
    opencc.start(QStringLiteral("opencc"), {QStringLiteral("-c"), QStringLiteral("t2s")});
    if (!opencc.waitForStarted())
        return {};
    opencc.write((traditional.join(u'\n') + u'\n').toUtf8());
    opencc.closeWriteChannel();
    opencc.waitForFinished();
    QStringList out = QString::fromUtf8(opencc.readAllStandardOutput()).split(u'\n');
    out.removeLast();
    return out;
}

// `stored` is `name` with placeholders where the picture stands.
bool storedAs(const QString& stored, const QString& name) {
    const QList<uint> a = stored.toUcs4(), b = name.toUcs4();
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && a[i] != 0x25A0 && a[i] != 0x25A1)
            return false;
    return true;
}

// Every commandery and county found by each name a reader may type for it:
// its name with the real characters, the treatise's form, the simplified
// form, and every row of other_names.tsv by its name and its reading. The
// item must be made from that record, show the name it was found by, and
// lead to the record.
TEST_F(BundledGazetteer, EveryNameAReaderKnowsLeadsToItsRecord) {
    const Treatise t(wd);
    const auto guns = sourceRows(QStringLiteral("commanderies.tsv"));
    const auto kens = sourceRows(QStringLiteral("counties.tsv"));
    const auto others = sourceRows(QStringLiteral("other_names.tsv"));
    ASSERT_EQ(guns.size(), t.guns.size());
    ASSERT_EQ(kens.size(), t.kens.size());
    ASSERT_GT(others.size(), 0u);
    // The source lists the records in the files' order (the treatise's order is the catalogue's).
    for (std::size_t i = 0; i < guns.size(); ++i)
        ASSERT_TRUE(storedAs(t.guns[i].name, guns[i].at(QStringLiteral("name")))) << i;
    for (std::size_t i = 0; i < kens.size(); ++i)
        ASSERT_TRUE(storedAs(t.kens[i].name, kens[i].at(QStringLiteral("name")))) << i;
    QStringList traditional;
    for (const auto* rows : {&guns, &kens})
        for (const auto& r : *rows)
            traditional << r.at(QStringLiteral("traditional"));
    const QStringList simplified = simplifiedByTheTool(traditional);
    ASSERT_EQ(simplified.size(), traditional.size()) << "the opencc tool (Debian's opencc)";

    QM_HARNESS(h, "memory", wd.gazetteer());
    Tally readable{"real characters"}, treatise{"the treatise's form"}, chinese{"simplified form"},
        byOther{"other name"}, byOtherReading{"other name's reading"};
    int foundBefore = 0;  // cases the stored field alone finds

    // Searches for `needle` in `mode` and clicks the item of record `number`
    // of `file`: it must show `shown` and lead to the record.
    const auto tryCase = [&](Tally& tally, const QString& where, int mode, const QString& needle,
                             const QString& file, int number, const QString& shown, const QString& note,
                             auto check) {
        h.option(mode);
        h.search(needle);
        const int at = rowOf(h, mode <= 2 ? 1 : 2, file, number);
        if (at < 0) {
            tally.add(where, at == -1 ? QStringLiteral("not found by ") + needle : QStringLiteral("listed twice"));
            return;
        }
        QString diff;
        if (h.shownItems(mode <= 2 ? 1 : 2).at(at) != shown)
            diff = QStringLiteral("shown %1 (want %2) ").arg(h.shownItems(mode <= 2 ? 1 : 2).at(at), shown);
        const QString hint = h.hint(mode <= 2 ? 1 : 2, at);
        if (!note.isEmpty() && !hint.endsWith(u'\n' + note))
            diff += QStringLiteral("hint %1 (want …%2) ").arg(hint, note);
        h.click(mode <= 2 ? 1 : 2, at);
        Check c(h);
        check(c);
        tally.add(where, diff + c.result());
    };
    // Each record's other names in the index's order: its own traditional
    // and simplified forms, then its rows of other_names.tsv. The first that
    // holds the text is the one its item shows.
    struct Candidate { QString other, reading, note; };
    std::vector<std::vector<Candidate>> candidates(guns.size() + kens.size());
    const auto nameAt = [&](std::size_t i) {
        return (i < guns.size() ? guns[i] : kens[i - guns.size()]).at(QStringLiteral("name"));
    };
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const QString trad = (i < guns.size() ? guns[i] : kens[i - guns.size()]).at(QStringLiteral("traditional"));
        const QString simp = simplified[static_cast<qsizetype>(i)];
        if (trad != nameAt(i))
            candidates[i].push_back({trad, {}, QStringLiteral("後漢書 郡国志の字形")});
        if (simp != nameAt(i) && simp != trad)
            candidates[i].push_back({simp, {}, QStringLiteral("簡体字")});
    }
    // The record of an other-names row: its global index, or -1.
    const auto recordOf = [&](const std::map<QString, QString>& o) -> long {
        const QString commandery = o.at(QStringLiteral("commandery")), county = o.at(QStringLiteral("county"));
        for (std::size_t i = 0; i < guns.size() && county.isEmpty(); ++i)
            if (guns[i].at(QStringLiteral("name")) == commandery)
                return static_cast<long>(i);
        for (std::size_t i = 0; i < kens.size() && !county.isEmpty(); ++i)
            if (kens[i].at(QStringLiteral("commandery")) == commandery && kens[i].at(QStringLiteral("name")) == county)
                return static_cast<long>(guns.size() + i);
        return -1;
    };
    for (const auto& o : others)
        if (const long i = recordOf(o); i >= 0)
            candidates[static_cast<std::size_t>(i)].push_back(
                {o.at(QStringLiteral("other")), o.at(QStringLiteral("reading")), o.at(QStringLiteral("note"))});

    // Searches record i by `needle` in the name (byName) or reading mode.
    const auto recordCase = [&](Tally& tally, std::size_t i, bool byName, const QString& needle) {
        const bool isGun = i < guns.size();
        const QString name = nameAt(i);
        const QString stored = isGun ? t.guns[i].name : t.kens[i - guns.size()].name;
        const QString reading = isGun ? t.guns[i].reading : t.kens[i - guns.size()].reading;
        const bool own = byName ? name.contains(needle) : reading.contains(needle);
        foundBefore += (byName ? stored : reading).contains(needle) ? 1 : 0;
        QString by, note;
        for (const Candidate& c : candidates[i]) {
            if (own || !(byName ? c.other : c.reading).contains(needle) || (byName ? c.other : c.reading).isEmpty())
                continue;
            by = c.other == name ? c.reading : c.other;
            note = by + u'：' + c.note;
            break;
        }
        const QString shown = name + u' ' + reading + (own ? QString() : u'（' + by + u'）');
        const int mode = (isGun ? 1 : 3) + (byName ? 0 : 1);
        if (isGun) {
            const Gun& g = t.guns[i];
            tryCase(tally, where(g), mode, needle, QStringLiteral("syu/州郡.txt"), g.number, shown, note,
                    [&](Check& c) { c.commandery(g, t.provinceOf(g)); });
        } else {
            const Ken& k = t.kens[i - guns.size()];
            tryCase(tally, where(k), mode, needle, QString::fromUtf8(kProvinces[k.province].file), k.number,
                    shown, note, [&](Check& c) {
                        if (const Gun* g = t.commanderyOf(k))
                            c.commandery(*g, k.province);
                        c.county(k);
                    });
        }
    };

    for (std::size_t i = 0; i < guns.size() + kens.size(); ++i) {
        const auto& row = i < guns.size() ? guns[i] : kens[i - guns.size()];
        const QString name = row.at(QStringLiteral("name"));
        if (name != (i < guns.size() ? t.guns[i].name : t.kens[i - guns.size()].name))
            recordCase(readable, i, true, name);
        if (row.at(QStringLiteral("traditional")) != name)
            recordCase(treatise, i, true, row.at(QStringLiteral("traditional")));
        const QString s = simplified[static_cast<qsizetype>(i)];
        if (s != name && s != row.at(QStringLiteral("traditional")))
            recordCase(chinese, i, true, s);
    }
    for (const auto& o : others) {
        const long i = recordOf(o);
        EXPECT_GE(i, 0) << o.at(QStringLiteral("commandery")).toStdString() << " "
                        << o.at(QStringLiteral("county")).toStdString();
        if (i < 0)
            continue;
        // A reading row names the record by its own name: only its reading is new.
        if (o.at(QStringLiteral("other")) != nameAt(static_cast<std::size_t>(i)))
            recordCase(byOther, static_cast<std::size_t>(i), true, o.at(QStringLiteral("other")));
        recordCase(byOtherReading, static_cast<std::size_t>(i), false, o.at(QStringLiteral("reading")));
    }
    h.dialogs().shown.clear();

    EXPECT_EQ(report({&readable, &treatise, &chinese, &byOther, &byOtherReading}), 0);
    std::printf("%d of these cases are found by the stored field alone\n", foundBefore);
    EXPECT_GT(readable.cases, 100);
    EXPECT_GT(chinese.cases, 100);
}

// The pairs a reader of the treatise meets first, on either window through
// the user's own clicks: one county name under two commanderies of one
// province, and 成都 in two provinces. Every item also tells where it lies.
class BundledPairs : public BundledGazetteer, public ::testing::WithParamInterface<std::string> {};

int indexOfName(Harness& h, int list, const QString& name) {
    const QStringList items = h.items(list);
    for (int i = 0; i < items.size(); ++i)
        if (items.at(i).startsWith(name + u' '))
            return i;
    return -1;
}

TEST_P(BundledPairs, EachOfTwoEqualItemsIsItsOwnRecord) {
    QM_HARNESS(h, GetParam(), wd.gazetteer());
    const struct {
        int province;
        const char* commandery;
        const char* county;
        const char* remark;
        const char* where;  // what the county item tells of itself
    } browsed[] = {
        {11, "遼東郡", "候城", "", "遼東郡・幽州"},
        {11, "玄菟郡", "候城", "故属遼東", "玄菟郡・幽州"},
        {11, "遼東郡", "無慮", "", "遼東郡・幽州"},
        {11, "遼東属国", "無慮", "有医無慮山", "遼東属国・幽州"},
        {9, "武威郡", "左騎", "千人官", "武威郡・涼州"},
        {9, "張掖属国", "左騎", "", "張掖属国・涼州"},
        {11, "■郡", "■", "郡治", "涿郡・幽州"},  // 涿郡 and 涿: both drawn from glyphs
    };
    for (const auto& c : browsed) {
        const QString tag = QString::fromUtf8(c.commandery) + u'/' + QString::fromUtf8(c.county);
        h.click(3, c.province);
        const int gun = indexOfName(h, 1, QString::fromUtf8(c.commandery));
        ASSERT_GE(gun, 0) << tag.toStdString();
        EXPECT_EQ(h.hint(1, gun), QString::fromUtf8(c.province == 11 ? "幽州" : "涼州"));
        h.click(1, gun);
        const int ken = indexOfName(h, 2, QString::fromUtf8(c.county));
        ASSERT_GE(ken, 0) << tag.toStdString();
        EXPECT_EQ(h.hint(2, ken), QString::fromUtf8(c.where)) << tag.toStdString();
        h.click(2, ken);
        EXPECT_EQ(h.text(2), QString::fromUtf8(c.commandery)) << tag.toStdString();
        EXPECT_EQ(h.text(3), QString::fromUtf8(c.county)) << tag.toStdString();
        EXPECT_EQ(h.text(9), QString::fromUtf8(c.remark)) << tag.toStdString();
    }

    const struct { int mode; const char* text; } searches[] = {{3, "成都"}, {4, "せいと"}};
    for (const auto& s : searches) {
        h.option(s.mode);
        h.search(QString::fromUtf8(s.text));
        std::vector<int> rows;  // a reading search also finds 成徳 せいとく
        for (int i = 0; i < h.items(2).size(); ++i)
            if (h.items(2).at(i) == QStringLiteral("成都 せいと"))
                rows.push_back(i);
        ASSERT_EQ(rows.size(), 2u) << s.text;
        // Catalogue order: 荊州 before 益州.
        const struct { const char* where; const char* province; const char* commandery; const char* remark; const char* file; } items[] = {
            {"南陽郡・荊州", "荊州", "南陽郡", "", "syu/荊州.txt"},
            {"蜀郡・益州", "益州", "蜀郡", "郡治", "syu/益州.txt"},
        };
        for (int i : {1, 0}) {
            EXPECT_EQ(h.hint(2, rows[static_cast<std::size_t>(i)]), QString::fromUtf8(items[i].where)) << i;
            h.click(2, rows[static_cast<std::size_t>(i)]);
            EXPECT_EQ(h.text(1), QString::fromUtf8(items[i].province)) << s.text << " " << i;
            EXPECT_EQ(h.text(2), QString::fromUtf8(items[i].commandery)) << s.text << " " << i;
            EXPECT_EQ(h.text(9), QString::fromUtf8(items[i].remark)) << s.text << " " << i;
            EXPECT_EQ(h.form().fname, QString::fromUtf8(items[i].file)) << s.text << " " << i;
        }
    }
    // A commandery of エン州 names its province with the real character.
    h.click(3, 3);
    ASSERT_GT(h.items(1).size(), 0);
    EXPECT_EQ(h.hint(1, 0), QStringLiteral("兗州"));
    h.dialogs().shown.clear();
}

// The names a reader of the period types, on either window through real
// clicks: each item shows what it was found by and leads to its record.
TEST_P(BundledPairs, NamesAReaderKnowsLeadToTheirRecords) {
    QM_HARNESS(h, GetParam(), wd.gazetteer());
    const struct {
        int mode;
        const char* typed;
        const char* shown;       // the item the user reads
        const char* province;    // what the click then shows
        const char* commandery;
        const char* county;      // empty for a commandery search
        const char* note;        // the last line of its tooltip
    } cases[] = {
        {3, "洛陽", "雒陽 らくよう（洛陽）", "司隸校尉", "河南尹", "■陽", "洛陽："},
        {3, "雒陽", "雒陽 らくよう", "司隸校尉", "河南尹", "■陽", ""},
        {3, "許昌", "許 きょ（許昌）", "豫州", "潁川郡", "許", "許昌：221年"},
        {3, "官渡", "中牟 ちゅうぼう（官渡）", "司隸校尉", "河南尹", "中牟", "官渡："},
        {1, "廣漢", "広漢郡 こうかんぐん（廣漢郡）", "益州", "広漢郡", "", "廣漢郡：後漢書 郡国志の字形"},
        {1, "广汉", "広漢郡 こうかんぐん（广汉郡）", "益州", "広漢郡", "", "广汉郡：簡体字"},
        {1, "涿郡", "涿郡 たくぐん", "幽州", "■郡", "", ""},
        {4, "がっぴ", "合肥 がっぴ", "揚州", "九江郡", "合肥", ""},
        {4, "ごうひ", "合肥 がっぴ（ごうひ）", "揚州", "九江郡", "合肥", "ごうひ："},
        {5, "鉄", "皖 かん", "揚州", "廬江郡", "皖", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        h.option(c.mode);
        h.dialogs().shown.clear();
        h.search(QString::fromUtf8(c.typed));
        const int list = c.mode <= 2 ? 1 : 2;
        // A commandery search that finds something says nothing.
        if (list == 1)
            EXPECT_TRUE(h.dialogs().shown.empty());
        else
            EXPECT_EQ(h.dialogs().shown.back().text, QStringLiteral("検索を終了しました。"));
        const int at = static_cast<int>(h.shownItems(list).indexOf(QString::fromUtf8(c.shown)));
        ASSERT_GE(at, 0) << h.shownItems(list).join(u'|').toStdString();
        const QString note = QString::fromUtf8(c.note);
        const QString hint = h.hint(list, at);
        if (!note.isEmpty())
            EXPECT_TRUE(hint.section(u'\n', 1).startsWith(note)) << hint.toStdString();
        else
            EXPECT_FALSE(hint.contains(u'\n')) << hint.toStdString();
        h.click(list, at);
        EXPECT_EQ(h.text(1), QString::fromUtf8(c.province));
        EXPECT_EQ(h.text(2), QString::fromUtf8(c.commandery));
        EXPECT_EQ(h.text(3), QString::fromUtf8(c.county));
    }
    // 県備考 lists every county whose remarks or products hold the text.
    h.option(5);
    h.search(QStringLiteral("鉄"));
    EXPECT_GT(h.items(2).size(), 30);
    EXPECT_TRUE(h.items(1).isEmpty());
    h.search(QStringLiteral("無い備考"));
    EXPECT_TRUE(h.items(2).isEmpty());
    EXPECT_EQ(h.dialogs().shown.back().text, QStringLiteral("見つかりませんでした。"));
    h.dialogs().shown.clear();
}

INSTANTIATE_TEST_SUITE_P(BothWindows, BundledPairs, QM_BOTH_WINDOWS);

}  // namespace
