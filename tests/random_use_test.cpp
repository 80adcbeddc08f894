// A long seeded run of random user actions on the real window over a
// generated gazetteer: placeholders and their glyphs, names repeated within
// a province and shared across provinces. After every action the window must
// agree with a plain model of the data, keep its pictures in step with its
// texts, hold no record file open and leave every file as it was. Each list
// item is the record it was made from: the model keeps, beside each item,
// which record that is.
//
// The seed is fixed, so every run is the same run; QM_RANDOM_SEED=<seed>
// runs another one and QM_RANDOM_ACTIONS=<n> changes its length. A second,
// shorter run over records of garbage (NULs, lone lead bytes, noise, names
// with spaces) holds to the checks that need no model.
#include "data/cp932.h"
#include "data/record_file.h"
#include "data/record_writer.h"
#include "data/text_model.h"
#include "support/harness.h"
#include "support/sample_data.h"
#include "support/typed_data.h"
#include "support/window_checks.h"

#include <QCoreApplication>
#include <deque>
#include <gtest/gtest.h>
#include <iostream>
#include <cstring>
#include <random>

namespace {

using checks::kSanitized;

// Under the sanitizers every action costs several times as much; a quarter
// of the run still covers every kind of action thousands of times.
constexpr long kActions = kSanitized ? 25000 : 100000;
constexpr long kDigestEvery = 1000;

const QString kKanji = QStringLiteral("河南陽城陳留潁川汝沛梁魯東西北安平原代上谷遼陵丹呉章江夏長沙零桂武蜀巴漢中隴天水金門太雲");
const QString kKana = QStringLiteral("あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわんょゅゃっ");
// Characters the data never holds, some with no CP932 code at all.
const QString kStrangers = QStringLiteral("魏呉蜀晋ｶナＡa■□　兗\U0001F600");

struct Gun {
    int province;
    QString name, reading, glyph, households;
};
struct Ken {
    QString gun, name, reading, glyph, glyph2, remark, products;
};

QString item(const QString& name, const QString& reading) { return name + u' ' + reading; }

QString shown(const QString& s) { return s; }
QString shown(const std::string& s) { return QString::fromStdString(s); }
QString shown(const QStringList& l) { return l.join(u'|'); }
template <class N>
    requires std::is_arithmetic_v<N>
QString shown(N n) { return QString::number(n); }

// The catalogue as the window must apply it, typed in the tests.
using typed::displayOf;
using typed::fileOf;
using typed::labelOf;

// The gazetteer as generated, in file order: what the window must show.
struct Model {
    std::vector<Gun> guns;
    std::array<std::vector<Ken>, provinces::kCount> kens;

    const Gun* lastGunNamed(const QString& name) const {
        const Gun* found = nullptr;
        for (const Gun& g : guns)
            if (g.name == name)
                found = &g;
        return found;
    }
    int provinceOfFile(const QString& file) const {
        for (int i = 0; i < provinces::kCount; ++i)
            if (fileOf(i) == file)
                return i;
        return -1;
    }
};

class Generator {
public:
    explicit Generator(std::uint64_t seed) : rng_(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(rng_); }
    QChar pick(const QString& pool) { return pool.at(below(static_cast<int>(pool.size()))); }
    QString run(const QString& pool, int min, int max) {
        QString s;
        for (int n = min + below(max - min + 1); n > 0; --n)
            s += pick(pool);
        return s;
    }
    template <class T>
    const T& pickFrom(const std::vector<T>& v) { return v[static_cast<std::size_t>(below(static_cast<int>(v.size())))]; }

    // Up to six characters, so any name fits its 12-byte field.
    QString placeName(bool county) {
        QString s = run(kKanji, 1, 3) + (chance(0.3) ? QStringLiteral("郡") : QString());
        if (chance(0.2)) s[0] = glyphs::kBlack;
        if (s.size() > 1 && chance(0.2)) s[1] = county && chance(0.5) ? glyphs::kWhite : glyphs::kBlack;
        return s;
    }

    Model gazetteer() {
        Model m;
        std::vector<QString> gunNames, kenNames;
        for (int p = 0; p < provinces::kCount; ++p) {
            for (int c = 2 + below(5); c > 0; --c) {
                QString name = placeName(false);
                if (!gunNames.empty() && chance(0.15))
                    name = pickFrom(gunNames);  // repeated here or shared with another province
                gunNames.push_back(name);
                m.guns.push_back({p, name, run(kKana, 2, 12), QStringLiteral("g%1").arg(below(12)),
                                  QString::number(below(300000))});
            }
        }
        // Counties follow their commandery's last record, in province order.
        for (const Gun& g : m.guns) {
            const Gun* owner = m.lastGunNamed(g.name);
            if (owner != &g)
                continue;
            for (int c = 2 + below(6); c > 0; --c) {
                QString name = placeName(true);
                if (!kenNames.empty() && chance(0.1))
                    name = pickFrom(kenNames);
                kenNames.push_back(name);
                // Remarks and products for 県備考: often empty, as in the treatise.
                const QString reading = chance(0.1) ? QStringLiteral("どうめい") : run(kKana, 2, 10);
                const QString glyph = QStringLiteral("k%1").arg(below(12));
                const QString glyph2 = QStringLiteral("k%1").arg(below(12));
                const QString remark = chance(0.4) ? QString() : run(kKanji, 1, 12);
                m.kens[static_cast<std::size_t>(g.province)].push_back(
                    {g.name, name, reading, glyph, glyph2, remark, chance(0.7) ? QString() : run(kKanji, 1, 4)});
            }
        }
        return m;
    }

    // Texts to search for: pieces of the data, strangers and the empty text.
    QString needle(const Model& m) {
        switch (below(6)) {
        case 0: { const Gun& g = pickFrom(m.guns); return chance(0.5) ? slice(g.name) : slice(g.reading); }
        case 1: {
            const auto& kens = m.kens[static_cast<std::size_t>(below(provinces::kCount))];
            if (kens.empty()) return QString();
            const Ken& k = pickFrom(kens);
            const int which = below(4);
            const QString& field = which == 0 ? k.name : which == 1 ? k.reading : which == 2 ? k.remark : k.products;
            return field.isEmpty() ? slice(k.name) : slice(field);
        }
        case 2: return run(kKana, 1, 2);
        case 3: return run(kKanji, 1, 2);
        case 4: return run(kStrangers, 1, 2);
        default: return chance(0.2) ? QString() : QString(pick(QStringLiteral("■□郡")));
        }
    }

    std::mt19937_64& rng() { return rng_; }

private:
    QString slice(const QString& s) {
        const int from = below(static_cast<int>(s.size()));
        return s.mid(from, 1 + below(static_cast<int>(s.size()) - from));
    }
    std::mt19937_64 rng_;
};

void writeModel(const WorkDir& wd, const Model& m) {
    std::vector<gunrec> guns;
    for (const Gun& g : m.guns)
        guns.push_back(gun({labelOf(g.province), g.name, g.reading, g.glyph, "", "1",
                            g.households, "", ""}));
    wd.writeCommanderies(guns);
    for (int p = 0; p < provinces::kCount; ++p) {
        std::vector<kenrec> kens;
        for (const Ken& k : m.kens[static_cast<std::size_t>(p)])
            kens.push_back(ken({"", k.gun, k.name, k.reading, k.glyph, k.glyph2, k.remark, k.products}));
        wd.writeCounties(p, kens);
    }
    // Most glyphs have a bitmap; the others leave an empty picture.
    for (int n = 0; n < 10; ++n) {
        wd.writeGlyph(QStringLiteral("g%1").arg(n), qRgb(n, 0, 0));
        wd.writeGlyph(QStringLiteral("k%1").arg(n), qRgb(0, n, 0));
    }
    wd.writeGlyph(QStringLiteral("en4"));
}

// The record files' sizes, checked after every action.
std::vector<qint64> recordSizes(const WorkDir& wd) {
    std::vector<qint64> out{QFileInfo(wd.file(kCommanderyFile)).size()};
    for (const ProvinceRow& row : provinces::rows())
        out.push_back(QFileInfo(wd.file(row.countyFile)).size());
    return out;
}

// What must hold after any action, whatever the records hold: empty when
// all of it does.
std::string brokenAfterAnyAction(Harness& h, const WorkDir& wd, const std::vector<qint64>& sizes) {
    const int kop = h.form().kop;
    if (kop < 1 || kop > 5)
        return "kop is " + std::to_string(kop);
    if (const std::string glyphs = checks::glyphRuleBroken(h); !glyphs.empty())
        return "glyph rule: " + glyphs;
    if (const std::string open = checks::openFilesUnder(wd.path()); !open.empty())
        return "record files open: " + open;
    if (recordSizes(wd) != sizes)
        return "a record file changed size";
    return {};
}

std::uint64_t seedFromEnvironment() {
    bool ok = false;
    const std::uint64_t s = qEnvironmentVariable("QM_RANDOM_SEED").toULongLong(&ok);
    return ok ? s : 20261208;
}

class RandomUse : public ::testing::Test {
protected:
    WorkDir wd;
};

TEST_F(RandomUse, HundredThousandActionsOnTheRealWindow) {
    const std::uint64_t seed = seedFromEnvironment();
    bool countOk = false;
    long actions = qEnvironmentVariable("QM_RANDOM_ACTIONS").toLong(&countOk);
    if (!countOk || actions <= 0)
        actions = kActions;
    std::cout << "[ random ] seed " << seed << ", " << actions << " actions"
              << " (replay: QM_RANDOM_SEED=" << seed << ")" << std::endl;
    RecordProperty("seed", std::to_string(seed));

    for (const QString& pool : {kKanji, kKana})
        ASSERT_TRUE(cp932::representable(pool)) << pool.toStdString();
    Generator gen(seed);
    const Model model = gen.gazetteer();
    writeModel(wd, model);
    const checks::FileState start = checks::FileState::take(wd.gazetteer());
    const std::vector<qint64> sizes = recordSizes(wd);

    QM_HARNESS(h, "qt", wd.gazetteer());
    std::deque<std::string> recent;
    // The records behind List1's items (index into model.guns) and List2's
    // (province, index into its counties).
    std::vector<std::size_t> refs1;
    std::vector<std::pair<int, std::size_t>> refs2;
    std::array<long, ui::kPictures + 1> pictureSeen{};  // actions after which Picture n was visible
    QString problem;
    const auto expect = [&problem](bool ok, const QString& what) {
        if (!ok && problem.isEmpty())
            problem = what;
    };
    const auto expectEq = [&problem](const auto& have, const auto& want, const char* what) {
        if (!(have == want) && problem.isEmpty())
            problem = QStringLiteral("%1: have [%2], want [%3]")
                          .arg(QLatin1String(what))
                          .arg(shown(have), shown(want));
    };

    for (long i = 0; i < actions && problem.isEmpty(); ++i) {
        const int kopBefore = h.form().kop;
        const QString fnameBefore = h.form().fname;
        std::string said;
        int kind = gen.below(100);
        // A click needs an item to land on.
        if ((kind < 55 && kind >= 35 && h.items(2).isEmpty()) || (kind < 35 && kind >= 15 && h.items(1).isEmpty()))
            kind = gen.below(15);

        if (kind < 15) {  // a province
            const int row = gen.below(provinces::kCount);
            said = "List3 #" + std::to_string(row);
            h.click(3, row);
            QStringList want;
            refs1.clear();
            refs2.clear();
            for (std::size_t g = 0; g < model.guns.size(); ++g)
                if (model.guns[g].province == row) {
                    want << item(model.guns[g].name, model.guns[g].reading);
                    refs1.push_back(g);
                }
            expectEq(h.items(1), want, "List1 after a province");
            expectEq(h.items(2), QStringList(), "List2 after a province");
            expectEq(h.text(1), displayOf(row), "Text1");
            expectEq(h.form().fname, fileOf(row), "fname");
            expectEq(h.text(2), QString(), "Text2 after a province");
            expectEq(int(h.form().kop), 1, "kop after a province");
        } else if (kind < 35) {  // a commandery
            const int row = gen.below(static_cast<int>(h.items(1).size()));
            const QString chosen = h.items(1).at(row);
            said = "List1 #" + std::to_string(row) + " " + chosen.toStdString();
            h.click(1, row);
            const bool known = static_cast<std::size_t>(row) < refs1.size();
            expect(known, QStringLiteral("List1 held an item the model does not: ") + chosen);
            if (known) {
                // That record, with the counties of its name in its own province.
                const Gun& own = model.guns[refs1[static_cast<std::size_t>(row)]];
                QStringList want;
                refs2.clear();
                const auto& kens = model.kens[static_cast<std::size_t>(own.province)];
                for (std::size_t k = 0; k < kens.size(); ++k)
                    if (kens[k].gun == own.name) {
                        want << item(kens[k].name, kens[k].reading);
                        refs2.emplace_back(own.province, k);
                    }
                expectEq(h.text(2), own.name, "Text2");
                expectEq(h.text(4), own.reading, "Text4");
                expectEq(h.text(6), own.households, "Text6");
                expectEq(h.text(1), displayOf(own.province), "Text1 after a commandery");
                expectEq(h.form().fname, fileOf(own.province), "fname after a commandery");
                expectEq(h.items(2), want, "List2 after a commandery");
                expectEq(h.text(3), QString(), "Text3 after a commandery");
            }
            expectEq(int(h.form().kop), 1, "kop after a commandery");
        } else if (kind < 55) {  // a county
            const int row = gen.below(static_cast<int>(h.items(2).size()));
            const QString chosen = h.items(2).at(row);
            said = "List2 #" + std::to_string(row) + " " + chosen.toStdString();
            h.click(2, row);
            const bool known = static_cast<std::size_t>(row) < refs2.size();
            expect(known, QStringLiteral("List2 held an item the model does not: ") + chosen);
            const auto [own, index] = known ? refs2[static_cast<std::size_t>(row)] : std::pair<int, std::size_t>(-1, 0);
            const Ken* k = known ? &model.kens[static_cast<std::size_t>(own)][index] : nullptr;
            int province = model.provinceOfFile(fnameBefore);
            if (kopBefore >= 3 && k) {
                // Its commandery is the one of its name in its own province.
                const Gun* g = nullptr;
                for (const Gun& c : model.guns)
                    if (c.province == own && c.name == k->gun)
                        g = &c;
                expect(g, QStringLiteral("a county whose commandery is not in its province: ") + chosen);
                if (g) {
                    province = own;
                    expectEq(h.text(2), g->name, "Text2 after a county");
                    expectEq(h.text(4), g->reading, "Text4 after a county");
                    expectEq(h.text(1), displayOf(province), "Text1 after a county");
                }
            }
            // In the commandery modes a county of another province is not found.
            const Ken* shown = province == own ? k : nullptr;
            expectEq(h.text(3), shown ? shown->name : QString(), "Text3");
            expectEq(h.text(5), shown ? shown->reading : QString(), "Text5");
            expectEq(int(h.form().kop), kopBefore, "kop after a county");
        } else if (kind < 65) {  // a search option
            const int mode = 1 + gen.below(5);
            said = "option " + std::to_string(mode);
            const QString before = h.snapshot();
            h.option(mode);
            expectEq(int(h.form().kop), mode, "kop after an option");
            expectEq(h.prompt(), mode % 2 ? QStringLiteral("漢字を入力して下さい") : QStringLiteral("かなを入力して下さい"),
                     "prompt");
            QStringList a = before.split(u'\n'), b = h.snapshot().split(u'\n');
            a.resize(a.size() - 3);  // all but the prompt, kop and fname
            b.resize(b.size() - 3);
            expectEq(b, a, "window after an option");
        } else if (kind < 92) {  // a search
            const QString needle = gen.needle(model);
            said = "search \"" + needle.toStdString() + "\" in mode " + std::to_string(kopBefore);
            h.dialogs().shown.clear();
            h.search(needle);
            const auto has = [&needle](const QString& field) { return !field.isEmpty() && field.contains(needle); };
            QStringList want;
            refs1.clear();
            refs2.clear();
            if (kopBefore <= 2) {
                for (std::size_t g = 0; g < model.guns.size(); ++g)
                    if (has(kopBefore == 1 ? model.guns[g].name : model.guns[g].reading)) {
                        want << item(model.guns[g].name, model.guns[g].reading);
                        refs1.push_back(g);
                    }
                expectEq(h.items(1), want, "List1 after a search");
                expectEq(h.items(2), QStringList(), "List2 after a commandery search");
                expectEq(h.dialogs().shown.size(), std::size_t(want.isEmpty() ? 1 : 0), "messages");
            } else {
                for (int p = 0; p < provinces::kCount; ++p) {
                    const auto& kens = model.kens[static_cast<std::size_t>(p)];
                    for (std::size_t k = 0; k < kens.size(); ++k)
                        if (kopBefore == 5 ? has(kens[k].remark) || has(kens[k].products)
                                           : has(kopBefore == 3 ? kens[k].name : kens[k].reading)) {
                            want << item(kens[k].name, kens[k].reading);
                            refs2.emplace_back(p, k);
                        }
                }
                expectEq(h.items(2), want, "List2 after a search");
                expectEq(h.items(1), QStringList(), "List1 after a county search");
                expectEq(h.dialogs().shown.size(), std::size_t(1), "messages");
            }
        } else {  // the home page or another program, answered OK or Cancel
            const int n = gen.below(7);
            const bool ok = gen.chance(0.5);
            said = "menu " + std::to_string(n) + (ok ? " OK" : " Cancel");
            h.dialogs().shown.clear();
            // OK hands back the address as shown or as the user edited it.
            const QString edited = gen.chance(0.5) ? QString() : gen.needle(model);
            h.dialogs().answer = [ok, edited](const QString& initial) {
                return ok ? initial + edited : QString();
            };
            const QString before = h.snapshot();
            h.menuItem(n);
            expectEq(h.dialogs().shown.size(), std::size_t(1), "dialogs after a menu item");
            expectEq(h.snapshot(), before, "window after a menu item");
        }
        h.dialogs().shown.clear();

        recent.push_back(said);
        if (recent.size() > 25)
            recent.pop_front();

        // What must hold after any action.
        expectEq(brokenAfterAnyAction(h, wd, sizes), std::string(), "any action");
        if ((i + 1) % kDigestEvery == 0 || i + 1 == actions)
            expectEq(checks::changes(start, checks::FileState::take(wd.gazetteer())), std::string(), "files");
        if (i % 64 == 63)
            QCoreApplication::processEvents();
        for (int n = 1; n <= ui::kPictures; ++n)
            pictureSeen[static_cast<std::size_t>(n)] += h.shown(n);

        if (!problem.isEmpty()) {
            std::string trail;
            for (const std::string& s : recent)
                trail += "\n  " + s;
            ADD_FAILURE() << "seed " << seed << ", action #" << i << " (" << said << "): "
                          << problem.toStdString() << "\nlast actions, oldest first:" << trail
                          << "\nreplay: QM_RANDOM_SEED=" << seed << " QM_RANDOM_ACTIONS=" << i + 1;
        }
    }
    std::cout << "[ random ] actions after which Picture1..5 showed:";
    for (int n = 1; n <= ui::kPictures; ++n)
        std::cout << ' ' << pictureSeen[static_cast<std::size_t>(n)];
    std::cout << std::endl;
    // A run that never showed a glyph would have checked little of the rule.
    if (problem.isEmpty() && actions >= 1000) {
        for (int n = 1; n <= ui::kPictures; ++n)
            EXPECT_GT(pictureSeen[static_cast<std::size_t>(n)], 0) << "Picture" << n << " never shown";
    }
}

// Fields mixing sound text, placeholders, inner spaces, NULs, lone lead
// bytes and noise, browsed and searched at random, in every search mode.
TEST_F(RandomUse, GarbageRecordsBrowsedAtRandom) {
    std::mt19937 rng(20261208);
    const auto below = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    const QStringList names = {"■郡", "■■", "河 南", "■ 南", "□■", "陳留郡", " ■", "■州", "郡"};
    const auto fill = [&](char* field, std::size_t width, const QStringList& pool) {
        std::string bytes;
        switch (below(6)) {
        case 0: bytes = std::string(width, '\0'); break;
        case 1:
            for (std::size_t i = 0; i < width; ++i)
                bytes += static_cast<char>(below(256));
            break;
        default: {
            const QString text = recwrite::fitToBytes(pool.at(below(int(pool.size()))), width);
            ASSERT_TRUE(cp932::encode(text, bytes));
            bytes.resize(width, ' ');
            if (below(4) == 0) bytes[width - 1] = '\x93';
            if (below(6) == 0) bytes[std::size_t(below(int(width)))] = '\0';
        }
        }
        std::memcpy(field, bytes.data(), width);
    };
    QStringList labels;
    for (int p = 0; p < provinces::kCount; ++p)
        labels << labelOf(p) << labelOf(p) + u' ';
    const QStringList glyphNames = {"g", "en4", "..", "../x", "missing"};
    std::vector<gunrec> guns(60);
    for (gunrec& g : guns) {
        fill(g.syumei, sizeof g.syumei, labels);
        fill(g.gunmei, sizeof g.gunmei, names);
        fill(g.gunyomi, sizeof g.gunyomi, {"かな", "か な", ""});
        fill(g.gunji, sizeof g.gunji, glyphNames);
        fill(g.kosu, sizeof g.kosu, {"1"});
        fill(g.gunbiko, sizeof g.gunbiko, {"備考"});
    }
    wd.writeCommanderies(guns);
    for (int p = 0; p < provinces::kCount; ++p) {
        std::vector<kenrec> kens(20);
        for (kenrec& k : kens) {
            fill(k.gunmei, sizeof k.gunmei, names);
            fill(k.kenmei, sizeof k.kenmei, names);
            fill(k.kenyomi, sizeof k.kenyomi, {"かな", "か な"});
            fill(k.kenji, sizeof k.kenji, glyphNames);
            fill(k.kenji2, sizeof k.kenji2, glyphNames);
            fill(k.kenbiko, sizeof k.kenbiko, {"有鉄。故属", "備 考"});
        }
        wd.writeCounties(p, kens);
    }
    wd.writeGlyph(QStringLiteral("g"));
    wd.writeGlyph(QStringLiteral("en4"));
    const checks::FileState start = checks::FileState::take(wd.gazetteer());
    const std::vector<qint64> sizes = recordSizes(wd);

    QM_HARNESS(h, "qt", wd.gazetteer());
    const QStringList needles = {"", "■", "□", "郡", " ", "か", QString(QChar(0xFFFD)), "南", "鉄"};
    for (int i = 0; i < 1500 && !HasFailure(); ++i) {
        const int list = 1 + below(3);
        std::string said;
        switch (below(4)) {
        case 0:
            said = "option";
            h.option(1 + below(5));
            break;
        case 1:
            said = "search";
            h.option(1 + below(5));
            h.search(needles.at(below(int(needles.size()))));
            break;
        default:
            said = "click List" + std::to_string(list);
            if (const int n = int(h.items(list).size()); n > 0)
                h.click(list, below(n));
        }
        h.dialogs().shown.clear();
        EXPECT_EQ(brokenAfterAnyAction(h, wd, sizes), "") << "action #" << i << ": " << said;
    }
    EXPECT_EQ(checks::changes(start, checks::FileState::take(wd.gazetteer())), "");
}

}  // namespace
