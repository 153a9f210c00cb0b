// Bulk transfers over the serial link against the simulated camera at 115200 bit/s with wire-time
// emulation: each workload's time compared with the time its bytes need on the line, repeated, the median
// judged. Workload files register themselves (BENCH_WORKLOADS); this file has the link's own workloads
// and main().
#include "BenchHarness.h"
#include "framework/StandardHosts.h"
#ifndef _WIN32
#include "support/CamsimProcess.h"
#endif

#include "framework/MessageBox.h"
#include "link/BaudRateHandshake.h"
#include "link/ComPort.h"
#include "link/Command.h"
#include "link/SerialLink.h"
#include "settings/ControlMode.h"
#include "settings/RegistrySettings.h"
#include "tables/CameraModelInfo.h"
#include "tables/CommandTable.h"
#include "tables/ControlTable.h"

#ifdef RV_BENCH_REFRESH
#include "pages/CTabSheetDialog.h"
#include "pages/CameraReader.h"
#include "pages/PageBinding.h"
#include "resources/PageLayouts.h"

#include <QApplication>
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

#ifdef _WIN32
// The Windows build runs under Wine against a simulated camera started outside, on COM1
// (scripts/run-wine-tests.sh).
constexpr int kPortIndex = 0;
#else
constexpr int kPortIndex = 4;  // "COM5"
#endif

#ifdef RV_BENCH_REFRESH
// The pages the refresh workload shows its reads in, as the main window's binding holds them.
PageBinding& BenchPages()
{
    static PageBinding pages;
    return pages;
}
#endif

// (a) Distinct parameters the camera answers, in control-table order.
BenchWorkload ParameterQueries(BenchContext& context)
{
    Command& command = context.command;
    auto parameters = std::make_shared<std::vector<int>>();
    ControlTable& table = context.table;
    std::set<int> seen;
    for (int row = 0; table.Row(row).controlId != -1 && parameters->size() < 148; ++row) {
        const int index = table.Row(row).commandIndex;
        if (table.Row(row).controlKind == kKindButton || !seen.insert(index).second) continue;
        context.host.shown = 0;
        if (command.Ask(index, 1000) && context.host.shown == 0) parameters->push_back(index);
    }
    return {"(a) queries of 148 distinct parameters",
            [&command, parameters] {
                int failures = parameters->size() == 148 ? 0 : 1;
                for (int index : *parameters) {
                    if (!command.Ask(index, 5000)) ++failures;
                }
                return failures;
            },
            0.8};
}

// (b) The shading write loop: per colour the selector, then index and value for every entry.
BenchWorkload ShadingWrite(Command& command)
{
    return {"(b) shading-style write, 3072 index/value pairs",
            [&command] {
                int failures = command.Set(cmd::SDM, 1, 5000) ? 0 : 1;
                for (int selector = 0; selector < 3; ++selector) {
                    if (!command.Set(cmd::SDDS, selector, 3000)) ++failures;
                    for (int k = 1; k <= 1024; ++k) {
                        if (!command.Set(cmd::SDDI, k, 1000)) ++failures;
                        if (!command.Set(cmd::SDD, (k * 7 + selector) % 512, 1000)) ++failures;
                    }
                }
                return failures;
            },
            0.8};
}

// (c) The gamma read loop of one colour: index setting, then data query.
BenchWorkload GammaLoop(Command& command)
{
    return {"(c) gamma-style loop, 256 index settings and data queries",
            [&command] {
                int failures = 0;
                for (int i = 0; i < 256; ++i) {
                    if (!command.Set(cmd::LUTIG, i, 1000)) ++failures;
                    if (!command.Ask(cmd::LUTG, 1000)) ++failures;
                }
                return failures;
            },
            0.8};
}

#ifdef RV_BENCH_REFRESH
// (d) The full refresh of the main window: model check, read of every parameter into the pages, control
// states. The progress window's closing delay is the operator's, not the link's: left out. The first
// run also lays the pages out for the model; the median is the refresh "&Reload" runs.
BenchWorkload FullRefresh(BenchContext& context)
{
    auto reader = std::make_shared<CameraReader>(context.command, context.table, context.model, context.mode,
                                                 context.hosts);
    reader->SetPages(&BenchPages());
    BenchMessageHost* host = &context.host;
    return {"(d) full refresh (model check, all user parameters)",
            [reader, host] {
                host->shown = 0;
                reader->Refresh();
                return host->shown;
            },
            0.8};
}
#endif

void LinkWorkloads(BenchContext& context, std::vector<BenchWorkload>& out)
{
    out.push_back(ParameterQueries(context));
    out.push_back(ShadingWrite(context.command));
    out.push_back(GammaLoop(context.command));
#ifdef RV_BENCH_REFRESH
    out.push_back(FullRefresh(context));
#endif
}
BENCH_WORKLOADS(0, LinkWorkloads);

struct Run {
    long long bytes = 0;
    int requests = 0;
    double wireMs = 0;
    double measuredMs = 0;
    int failures = 0;
    double Ratio() const { return measuredMs > 0 ? wireMs / measuredMs : 0.0; }
};

Run Measure(BenchContext& context, const BenchWorkload& workload)
{
    if (workload.setUp) workload.setUp();
    context.counter.bytes = 0;
    context.counter.requests = 0;
    const auto start = std::chrono::steady_clock::now();
    Run run;
    run.failures = workload.run();
    run.measuredMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    run.bytes = context.counter.bytes;
    run.requests = context.counter.requests;
    run.wireMs =
        workload.budgetMs > 0 ? workload.budgetMs : static_cast<double>(run.bytes) * 10.0 * 1000.0 / kBenchBaudRate;
    return run;
}

std::string JsonEscaped(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out;
}

// Runs the workload `repeat` times and prints its median; true when the median reaches the target and
// nothing failed.
bool RunWorkload(BenchContext& context, const BenchWorkload& workload, int repeat, bool json)
{
    std::vector<Run> runs;
    int failures = 0;
    for (int i = 0; i < repeat; ++i) {
        runs.push_back(Measure(context, workload));
        failures += runs.back().failures;
    }
    std::sort(runs.begin(), runs.end(), [](const Run& a, const Run& b) { return a.Ratio() < b.Ratio(); });
    const Run& median = runs[runs.size() / 2];
    const double spread = runs.back().Ratio() - runs.front().Ratio();
    if (json) {
        std::printf(
            "{\"name\": \"%s\", \"ratio\": %.4f, \"spread\": %.4f, \"target\": %.2f, \"failed\": %d, "
            "\"requests\": %d, \"bytes\": %lld, \"wire_ms\": %.2f, \"measured_ms\": %.2f, \"repeat\": %d}\n",
            JsonEscaped(workload.name).c_str(), median.Ratio(), spread, workload.target, failures, median.requests,
            median.bytes, median.wireMs, median.measuredMs, repeat);
    } else {
        std::printf("%-60s %9d %9lld %10.1f %10.1f %7.3f %7.3f %7.2f %7d\n", workload.name.c_str(), median.requests,
                    median.bytes, median.wireMs, median.measuredMs, median.Ratio(), spread, workload.target, failures);
    }
    std::fflush(stdout);
    return median.Ratio() >= workload.target && failures == 0;
}

struct BenchOptions {
    bool wireTime = true;
    bool json = false;
    int repeat = 5;
    std::string only;
#ifdef _WIN32
    std::string executable = "the camera on COM1";
#else
    std::string executable = RV_CAMSIM_EXECUTABLE;
#endif
};

// bench [--no-wire-time] [--json] [--repeat N] [--only TEXT] [camsim executable]. Without wire time the
// ratios mean nothing, but the time per request shows what the tool and the simulator add on their own.
// -1 to go on; else the exit status (usage asked for or wrong).
int ParseOptions(int argc, char** argv, BenchOptions& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--no-wire-time") {
            options.wireTime = false;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--repeat" && i + 1 < argc) {
            options.repeat = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--only" && i + 1 < argc) {
            options.only = argv[++i];
        } else if (arg.empty() || arg[0] == '-') {
            // An option misspelt or missing its value is no simulator's path.
            std::fprintf(arg == "--help" ? stdout : stderr,
                         "usage: bench [--no-wire-time] [--json] [--repeat N] [--only TEXT] [camsim executable]\n");
            return arg == "--help" ? 0 : 2;
        } else {
            options.executable = arg;
        }
    }
    return -1;
}

#ifdef RV_BENCH_REFRESH
// Workloads that show what they read do so in the real pages and windows, offscreen.
std::vector<std::unique_ptr<CTabSheetDialog>> MakePages()
{
    std::vector<std::unique_ptr<CTabSheetDialog>> pages;
    for (const PageLayout& layout : PageLayouts()) {
        if (!layout.created) continue;
        pages.push_back(
            std::make_unique<CTabSheetDialog>(nullptr, layout.templateId, layout.caption, layout.factoryOnly ? 1 : 0));
        pages.back()->Create(nullptr);
        BenchPages().AddPage(*pages.back());
    }
    BenchPages().InitComboItemData();
    return pages;
}
#endif

// Every registered workload the options select, one workload file at a time: its windows and buffers
// exist only while its own workloads run, so that no file's set-up weighs on another file's measurement.
bool RunAll(BenchContext& context, const BenchOptions& options)
{
    if (!options.json) {
        std::printf("link benchmark at %d bit/s against %s%s, each workload %d times, median judged\n", kBenchBaudRate,
                    options.executable.c_str(), options.wireTime ? " --wire-time" : " (no wire time)", options.repeat);
        std::printf("%-60s %9s %9s %10s %10s %7s %7s %7s %7s\n", "workload", "requests", "bytes", "wire ms",
                    "median ms", "ratio", "spread", "target", "failed");
    }
    bool allGood = true;
    for (const auto& [order, factory] : RegisteredBenchWorkloads()) {
        std::vector<BenchWorkload> workloads;
        factory(context, workloads);
        for (const BenchWorkload& workload : workloads) {
            if (!options.only.empty() && workload.name.find(options.only) == std::string::npos) continue;
            allGood = RunWorkload(context, workload, options.repeat, options.json) && allGood;
        }
    }
    return allGood;
}

}  // namespace

int main(int argc, char** argv)
{
    BenchOptions options;
    if (const int status = ParseOptions(argc, argv, options); status >= 0) return status;
    BenchMessageHost host;
#ifdef RV_BENCH_REFRESH
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication application(argc, argv);
    const std::vector<std::unique_ptr<CTabSheetDialog>> pages = MakePages();
#endif

#ifndef _WIN32
    CamsimProcess camera(options.executable, kPortIndex + 1,
                         options.wireTime ? std::vector<std::string>{"--wire-time"} : std::vector<std::string>{});
    if (!camera.Ok()) {
        std::fprintf(stderr, "bench: %s\n", camera.Error().c_str());
        return 1;
    }
#endif
    ComPort port;
    LinkSettings settings;
    settings.comPortIndex = kPortIndex;
    SerialLink link(
        settings, port, [](int) -> ClSerialKind* { return nullptr; }, nullptr);
    BenchByteCounter counter;
    link.SetTerminalSink(&counter);
    StandardHosts standard;
    const OperatorHosts hosts{host,           standard.fileDialogs,  standard.ui,         standard.timers,
                              standard.shell, standard.onlineStatus, standard.openDialogs};
    Command command(link, hosts);
    if (!link.ReopenCurrent() || !ChangeCameraBaudRate(command, link, kBenchBaudRate)) {
        std::fprintf(stderr, "bench: cannot reach the simulated camera at %d bit/s (%s)\n", kBenchBaudRate,
                     host.last.c_str());
        return 1;
    }
    // The tool's own objects, on the settings of the camera's private folder.
    RegistrySettings registry;
    ControlMode mode(registry);
    ControlTable table;
    CameraModelInfo model;
#ifdef RV_BENCH_REFRESH
    BenchPages().SetSpinRanges(table);
#endif
    BenchContext context{link, command, counter, host, table, model, mode, registry, hosts};
    const bool allGood = RunAll(context, options);
    if (!options.json && host.shown > 0) std::printf("last message: %s\n", host.last.c_str());
    return allGood ? 0 : 2;
}
