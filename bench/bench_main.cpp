// The window's handlers as a user triggers them, on the in-memory controls
// and on the real Qt window (offscreen), over the compiled gazetteer and a
// synthetic one a hundred times larger; beside each, the floor: decoding
// every field of the files that operation reads. Ends with a table of
// medians, ratios to the floor and the targets.
#include "floor.h"
#include "gazetteer_gen.h"

#include "data/provinces.h"
#include "support/harness.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#ifndef QM_GAZETTEER_DIR
#define QM_GAZETTEER_DIR ""
#endif

namespace {

// ---------------------------------------------------------------- windows

// Paint events a widget has had: proof that a result reached the screen
// inside the timed operation.
struct PaintCounter : QObject {
    bool eventFilter(QObject*, QEvent* e) override {
        count += e->type() == QEvent::Paint;
        return false;
    }
    int count = 0;
};

// The tests' harness, on either window: set up a state untimed, then repeat
// one user action, letting the real window settle before the clock stops.
struct Window {
    Window(bool qt, const Gazetteer& g) : h(makeHarness(qt ? "qt" : "memory", g)) {
        if (QWidget* w = h->window())
            for (int n = 1; n <= ui::kLists; ++n)
                if (auto* list = w->findChild<QListWidget*>(QStringLiteral("List%1").arg(n)))
                    list->viewport()->installEventFilter(&paints);
        h->settle();
    }
    ~Window() {
        h.reset();  // the filter goes after the widgets it watches
    }
    Harness& operator*() { return *h; }
    Harness* operator->() { return h.get(); }

    PaintCounter paints;
    std::unique_ptr<Harness> h;
};

// ---------------------------------------------------------------- data

struct Dataset {
    std::string size;  // "real", or the multiple: "100x"
    QString dir;
    // Opened as the program opens its own: a missing record file is created.
    Gazetteer gazetteer() const { return Gazetteer::open({.create_if_missing = true}, dir); }
    QString origin;    // what it was made from, for the table's heading
    benchdata::Counts counts;
    // The scenario's choices, found once with the in-memory window.
    int commanderyProvince = 0;  // whose county file the commandery click reads
    int countyModeProvince = 0;  // where the county-mode click's county lies
};

const QString kTypical[] = {{}, QStringLiteral("陽"), QStringLiteral("よう"), QStringLiteral("陽"),
                            QStringLiteral("よう")};

// Texts that only the other names of the synthetic index hold.
const QString kOtherName[] = {{}, {}, {}, QStringLiteral("昭"), QStringLiteral("ぎょう")};

// The items the click benchmarks choose: the first province, its first
// commandery, that commandery's first county; in a county mode the last
// county a typical search lists, so the lookups read the most files.
int provinceOfFile(const QString& countyFile) {
    for (int p = 0; p < provinces::kCount; ++p)
        if (provinces::rows()[static_cast<std::size_t>(p)].countyFile == countyFile)
            return p;
    return 0;
}

void planScenario(Dataset& d) {
    const Gazetteer g = d.gazetteer();
    MemoryHarness m(g);
    m.click(3, 0);
    m.click(1, 0);
    d.commanderyProvince = provinceOfFile(m.form().fname);
    m.option(3);
    m.search(kTypical[3]);
    m.click(2, m.count(2) - 1);
    d.countyModeProvince = provinceOfFile(m.form().fname);
}

// ---------------------------------------------------------------- operations

enum class Op {
    Load,
    Province,
    Commandery,
    CountyInCommanderyMode,
    CountyInCountyMode,
    Search,
};

struct OpSpec {
    std::string name;
    Op op;
    int mode = 0;        // searches: 1..4
    bool empty = false;  // searches: the empty text
    bool other = false;  // searches: a text only other names hold
};

std::vector<OpSpec> operations() {
    std::vector<OpSpec> ops = {
        {"load", Op::Load},
        {"province click", Op::Province},
        {"commandery click", Op::Commandery},
        {"county click, mode 1", Op::CountyInCommanderyMode},
        {"county click, mode 3", Op::CountyInCountyMode},
    };
    for (int mode = 1; mode <= 4; ++mode) {
        ops.push_back({"search " + std::to_string(mode) + " typical", Op::Search, mode, false});
        ops.push_back({"search " + std::to_string(mode) + " empty", Op::Search, mode, true});
    }
    ops.push_back({"search 3 other name", Op::Search, 3, false, true});
    ops.push_back({"search 4 other name", Op::Search, 4, false, true});
    return ops;
}

bool isClick(const OpSpec& o) {
    return o.op == Op::Province || o.op == Op::Commandery || o.op == Op::CountyInCommanderyMode ||
           o.op == Op::CountyInCountyMode;
}

floorwork::Files filesRead(const OpSpec& o, const Dataset& d) {
    const auto county = [](int p) { return provinces::rows()[static_cast<std::size_t>(p)].countyFile; };
    floorwork::Files f;
    switch (o.op) {
    case Op::Load: break;
    case Op::Province: f.commanderyReads = 1; break;
    case Op::Commandery:
        f.commanderyReads = 1;
        f.countyFiles << county(d.commanderyProvince);
        break;
    case Op::CountyInCommanderyMode: f.countyFiles << county(d.commanderyProvince); break;
    case Op::CountyInCountyMode:
        // The county lookup reads the provinces up to the county's, then the
        // commandery file, then the county's file again.
        for (int p = 0; p <= d.countyModeProvince; ++p)
            f.countyFiles << county(p);
        f.commanderyReads = 1;
        f.countyFiles << county(d.countyModeProvince);
        break;
    case Op::Search:
        if (o.mode <= 2) {
            f.commanderyReads = 1;
        } else {
            for (int p = 0; p < provinces::kCount; ++p)
                f.countyFiles << county(p);
        }
        break;
    }
    return f;
}

// Brings a fresh window into the state just before the operation, checking
// that the scenario finds what it should.
bool prepare(Harness& w, const OpSpec& o, std::string& why) {
    switch (o.op) {
    case Op::Load: return true;
    case Op::Province:
        w.aim(3, 0);
        return true;
    case Op::Commandery:
    case Op::CountyInCommanderyMode:
        w.click(3, 0);
        if (w.count(1) == 0)
            return why = "the first province has no commandery", false;
        w.aim(1, 0);
        if (o.op == Op::Commandery)
            return true;
        w.clickAimed(1);
        if (w.count(2) == 0)
            return why = "the first commandery has no county", false;
        w.aim(2, 0);
        return true;
    case Op::CountyInCountyMode:
        w.option(3);
        w.search(kTypical[3]);
        if (w.count(2) == 0)
            return why = "the typical county search found nothing", false;
        w.aim(2, w.count(2) - 1);
        return true;
    case Op::Search:
        w.option(o.mode);
        w.type(o.empty ? QString() : o.other ? kOtherName[o.mode] : kTypical[o.mode]);
        return true;
    }
    return true;
}

void perform(Harness& w, const OpSpec& o) {
    switch (o.op) {
    case Op::Load: break;
    case Op::Province: w.clickAimed(3); break;
    case Op::Commandery: w.clickAimed(1); break;
    case Op::CountyInCommanderyMode:
    case Op::CountyInCountyMode: w.clickAimed(2); break;
    case Op::Search:
        w.pressSearch();
        w.dialogs().shown.clear();
        break;
    }
    w.settle();
}

// What the operation must have shown, so that a benchmark never times a
// handler that found nothing.
bool verify(Harness& w, const OpSpec& o, std::string& why) {
    switch (o.op) {
    case Op::Load:
        if (w.count(3) != provinces::kCount)
            return why = "Load did not list the provinces", false;
        return true;
    case Op::Province:
        if (w.count(1) == 0)
            return why = "the province click listed nothing", false;
        return true;
    case Op::Commandery:
        if (w.text(2).isEmpty() || w.count(2) == 0)
            return why = "the commandery click showed nothing", false;
        return true;
    case Op::CountyInCommanderyMode:
    case Op::CountyInCountyMode:
        if (w.text(3).isEmpty() || w.text(2).isEmpty())
            return why = "the county click showed nothing", false;
        return true;
    case Op::Search:
        if (w.count(o.mode <= 2 ? 1 : 2) == 0)
            return why = "the search listed nothing", false;
        return true;
    }
    return true;
}

void runOperation(benchmark::State& state, const OpSpec& o, const Dataset& d, bool qt) {
    const Gazetteer g = d.gazetteer();
    std::string why;
    if (o.op == Op::Load) {
        // Opening the window: building it, Load, and for the real window
        // showing it.
        for (auto _ : state) {
            auto w = std::make_unique<Window>(qt, g);
            state.PauseTiming();
            const bool ok = verify(**w, o, why);
            w.reset();
            state.ResumeTiming();
            if (!ok) {
                state.SkipWithError(why.c_str());
                break;
            }
        }
        return;
    }
    Window w(qt, g);
    if (!prepare(*w, o, why)) {
        state.SkipWithError(why.c_str());
        return;
    }
    w->settle();
    const int paintsBefore = w.paints.count;
    perform(*w, o);
    if (qt && o.op == Op::Search && w.paints.count == paintsBefore) {
        state.SkipWithError("the search's list was not painted before the clock stopped");
        return;
    }
    if (!verify(*w, o, why)) {
        state.SkipWithError(why.c_str());
        return;
    }
    for (auto _ : state)
        perform(*w, o);
}

void runFloor(benchmark::State& state, const floorwork::Files& files, const Dataset& d) {
    const Gazetteer g = d.gazetteer();
    for (auto _ : state)
        benchmark::DoNotOptimize(floorwork::decode(g, files));
}

// ---------------------------------------------------------------- table

// Keeps the median of every benchmark while the console shows progress.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            if (r.error_occurred) {
                failed.push_back(r.run_name.function_name);
                continue;
            }
            const bool median = r.run_type == Run::RT_Aggregate && r.aggregate_name == "median";
            const bool single = r.run_type == Run::RT_Iteration && r.repetitions <= 1;
            if (median || single)
                {
                cpu[r.run_name.function_name] = r.GetAdjustedCPUTime();
                wall[r.run_name.function_name] = r.GetAdjustedRealTime();
            }
        }
    }
    std::map<std::string, double> cpu, wall;
    std::vector<std::string> failed;
};

std::string opName(const OpSpec& o, const Dataset& d, bool qt) {
    return o.name + "/" + d.size + (qt ? "/qt" : "/memory");
}
// Operations that read the same files share one floor.
std::string floorName(const OpSpec& o, const Dataset& d) {
    const floorwork::Files f = filesRead(o, d);
    std::string key = "floor/";
    if (f.commanderyReads > 0)
        key += "commandery file";
    if (!f.countyFiles.isEmpty()) {
        key += f.commanderyReads > 0 ? " + " : "";
        key += std::to_string(f.countyFiles.size()) + " county file";
        key += f.countyFiles.size() > 1 ? "s" : "";
    }
    return key + "/" + d.size;
}

void printTable(const MedianReporter& rep, const std::vector<Dataset>& sets) {
    const auto get = [](const std::map<std::string, double>& m, const std::string& k) {
        auto it = m.find(k);
        return it == m.end() ? -1.0 : it->second;
    };
    const auto cell = [](double v, const char* fmt) {
        char b[32];
        if (v < 0)
            std::snprintf(b, sizeof b, "%s", "-");
        else
            std::snprintf(b, sizeof b, fmt, v);
        return std::string(b);
    };
    std::printf("\nMedian per operation in ms of CPU time (wall time for the Qt window beside it);\n"
                "ratio = operation / its floor, the floor being the decoding of every field of\n"
                "the files that operation reads.\n");
    for (const Dataset& d : sets)
        std::printf("  %-4s: %d commanderies, %d counties (%s)\n", d.size.c_str(),
                    d.counts.commanderies, d.counts.counties, d.origin.toUtf8().constData());
    std::printf("\n| %-20s | %-4s | %9s | %9s | %5s | %9s | %5s | %9s |\n", "operation", "size",
                "floor", "memory", "ratio", "qt", "ratio", "qt wall");
    std::printf("|%s|%s|%s|%s|%s|%s|%s|%s|\n", std::string(22, '-').c_str(),
                std::string(6, '-').c_str(), std::string(11, '-').c_str(),
                std::string(11, '-').c_str(), std::string(7, '-').c_str(),
                std::string(11, '-').c_str(), std::string(7, '-').c_str(),
                std::string(11, '-').c_str());
    std::vector<std::string> misses;
    for (const Dataset& d : sets) {
        for (const OpSpec& o : operations()) {
            const double fl = o.op == Op::Load ? -1 : get(rep.cpu, floorName(o, d));
            const double mem = get(rep.cpu, opName(o, d, false));
            const double qt = get(rep.cpu, opName(o, d, true));
            const double qtWall = get(rep.wall, opName(o, d, true));
            const double rm = fl > 0 && mem >= 0 ? mem / fl : -1;
            const double rq = fl > 0 && qt >= 0 ? qt / fl : -1;
            std::printf("| %-20s | %-4s | %9s | %9s | %5s | %9s | %5s | %9s |\n", o.name.c_str(),
                        d.size.c_str(), cell(fl, "%.3f").c_str(), cell(mem, "%.3f").c_str(),
                        cell(rm, "%.2f").c_str(), cell(qt, "%.3f").c_str(),
                        cell(rq, "%.2f").c_str(), cell(qtWall, "%.3f").c_str());
            if (d.size == "real" && isClick(o))
                for (double v : {mem, qt})
                    if (v >= 5.0)
                        misses.push_back(o.name + " at real size: " + cell(v, "%.3f") +
                                         " ms, target < 5 ms");
            if (d.size != "real") {
                for (double r : {rm, rq})
                    if (r > 1.5)
                        misses.push_back(o.name + " at 100x: " + cell(r, "%.2f") +
                                         " x its floor, target <= 1.5");
                if (o.op == Op::Search && o.mode == 3 && o.empty && qt >= 100.0)
                    misses.push_back("worst search at 100x on the Qt window: " + cell(qt, "%.3f") +
                                     " ms, target < 100 ms");
            }
        }
    }
    for (const std::string& f : rep.failed)
        misses.push_back("failed: " + f);
    std::printf("\nTargets (CPU time; - means not run): %s\n", misses.empty() ? "all met" : "MISSED");
    for (const std::string& m : misses)
        std::printf("  - %s\n", m.c_str());
}

}  // namespace

// The offscreen platform says this on every window shown; it means nothing
// to a benchmark.
QtMessageHandler previousHandler = nullptr;
void quietHandler(QtMsgType type, const QMessageLogContext& ctx, const QString& msg) {
    if (msg.contains(QStringLiteral("propagateSizeHints")))
        return;
    previousHandler(type, ctx, msg);
}

int main(int argc, char** argv) {
    previousHandler = qInstallMessageHandler(quietHandler);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    // Medians need repetitions; the caller's flags win. --qm_big_scale=N
    // makes the large gazetteer N times the real one instead (for profiling).
    std::vector<char*> args;
    int bigScale = 100;
    for (int i = 0; i < argc; ++i) {
        const std::string a = argv[i];
        if (a.rfind("--qm_big_scale=", 0) == 0)
            bigScale = std::max(1, std::atoi(a.c_str() + 15));
        else
            args.push_back(argv[i]);
    }
    bool repetitionsGiven = false, minTimeGiven = false;
    for (int i = 1; i < argc; ++i) {
        repetitionsGiven |= std::string(argv[i]).rfind("--benchmark_repetitions", 0) == 0;
        minTimeGiven |= std::string(argv[i]).rfind("--benchmark_min_time", 0) == 0;
    }
    static char reps[] = "--benchmark_repetitions=5";
    static char aggregates[] = "--benchmark_report_aggregates_only=true";
    static char minTime[] = "--benchmark_min_time=0.05";
    if (!repetitionsGiven) {
        args.push_back(reps);
        args.push_back(aggregates);
    }
    if (!minTimeGiven)
        args.push_back(minTime);
    int n = static_cast<int>(args.size());
    benchmark::Initialize(&n, args.data());
    if (benchmark::ReportUnrecognizedArguments(n, args.data()))
        return 1;

    const QString startDir = QDir::currentPath();
    QTemporaryDir realTmp, bigTmp;
    if (!realTmp.isValid() || !bigTmp.isValid()) {
        std::fprintf(stderr, "cannot make temporary directories\n");
        return 1;
    }
    QString error;
    Dataset real{"real", realTmp.path(), {}, {}, 0, 0};
    // A copy, so that nothing the handlers do can touch the compiled data.
    const QString compiled = QStringLiteral(QM_GAZETTEER_DIR);
    if (!compiled.isEmpty() && benchdata::copyGazetteer(compiled, real.dir, &error)) {
        real.origin = QStringLiteral("the compiled gazetteer, ") + compiled;
    } else {
        if (!benchdata::writeSynthetic(real.dir, 1, nullptr, &error)) {
            std::fprintf(stderr, "%s\n", error.toUtf8().constData());
            return 1;
        }
        real.origin = QStringLiteral("synthetic stand-in: no compiled gazetteer at ") +
                      (compiled.isEmpty() ? QStringLiteral("(unset)") : compiled);
    }
    Dataset big{std::to_string(bigScale) + "x", bigTmp.path(), QStringLiteral("synthetic"), {}, 0, 0};
    if (!benchdata::writeSynthetic(big.dir, bigScale, nullptr, &error)) {
        std::fprintf(stderr, "%s\n", error.toUtf8().constData());
        return 1;
    }
    std::vector<Dataset> sets = {real, big};
    for (Dataset& d : sets) {
        d.counts = benchdata::countRecords(d.gazetteer());
        planScenario(d);
    }

    for (const Dataset& d : sets) {
        std::set<std::string> floors;
        for (const OpSpec& o : operations()) {
            // The other names searched for are the synthetic index's.
            if (o.other && d.size == "real")
                continue;
            if (o.op != Op::Load && floors.insert(floorName(o, d)).second)
                benchmark::RegisterBenchmark(floorName(o, d).c_str(), runFloor, filesRead(o, d), d)
                    ->Unit(benchmark::kMillisecond)
                    ->UseRealTime();
            for (bool qt : {false, true})
                benchmark::RegisterBenchmark(opName(o, d, qt).c_str(), runOperation, o, d, qt)
                    ->Unit(benchmark::kMillisecond)
                    ->UseRealTime();
        }
    }

    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    printTable(reporter, sets);
    return 0;
}
