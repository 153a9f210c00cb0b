// Benchmark workloads: rv8200xc-ctl's "load" of a setting file of every user parameter and its
// "shading write", run by the companion's own verb code on the benchmark's link; and the load on a line
// of three cameras in one call, as the program itself runs it.
#include "BenchHarness.h"

#include "ctl/CtlCamera.h"
#include "ctl/CtlVerbList.h"
#include "ctl/StderrMessageHost.h"
#include "link/Command.h"
#include "settings/ControlMode.h"
#ifdef RV_CAMSIM_EXECUTABLE
#include "support/CamsimProcess.h"
#include "support/TestProcess.h"
#endif
#include "tables/CommandTable.h"

#include <algorithm>
#include <chrono>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

namespace {

struct CtlBench {
    std::unique_ptr<CtlCamera> camera;
    std::FILE* quiet = nullptr;  // the verbs' output for people goes nowhere
    std::unique_ptr<StderrMessageHost> messages;
    std::string folder;

    ~CtlBench()
    {
        if (quiet) std::fclose(quiet);
    }

    // Runs one verb as the program runs it, without progress bar; gives its exit status.
    int Run(const std::string& name, const std::vector<std::string>& words)
    {
        const CtlVerb* verb = CtlVerbList::Find(name);
        if (!verb) return -1;
        CtlArgs args;
        if (!ParseVerbArgs(*verb, words, args).empty()) return -1;
        CtlContext context{*camera, *messages, nullptr, nullptr, -1, false, quiet};
        return verb->run(context, args);
    }
};

#ifdef RV_CAMSIM_EXECUTABLE
// Three simulated cameras of their own, with wire-time emulation, and the companion run on them as a process.
struct CameraLine {
    std::vector<std::unique_ptr<CamsimProcess>> cameras;
    std::string file;

    ~CameraLine()
    {
        while (!cameras.empty()) cameras.pop_back();  // each puts back the configuration folder it found
    }
    // "load FILE" on the first `count` cameras in one call; its exit status.
    int Load(std::size_t count) const
    {
        TestProcess::Launch launch;
        launch.argv = {RV_CTL_EXECUTABLE, "--quiet", "load", file};
        for (std::size_t i = 0; i < count; ++i) launch.argv.insert(launch.argv.end(), {"--port", cameras[i]->LinkPath()});
        TestProcess process;
        if (!process.Start(launch)) return -1;
        return process.Finish(120000);
    }
    double MedianMs(std::size_t count, int repeat) const
    {
        std::vector<double> times;
        for (int i = 0; i < repeat; ++i) {
            const auto start = std::chrono::steady_clock::now();
            if (Load(count) != 0) return 0.0;
            times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
        std::sort(times.begin(), times.end());
        return times[times.size() / 2];
    }
};

// The line's load is judged against one camera's: one camera's time (the median of five runs, measured here)
// over the three cameras' time must reach 1 / 1.3.
void AddLineWorkload(const std::string& settings, std::vector<BenchWorkload>& out)
{
    auto line = std::make_shared<CameraLine>();
    line->file = settings;
    for (int i = 0; i < 3; ++i) {
        line->cameras.push_back(std::make_unique<CamsimProcess>(RV_CAMSIM_EXECUTABLE, 11 + i,
                                                                std::vector<std::string>{"--wire-time"}));
        if (!line->cameras.back()->Ok()) {
            std::fprintf(stderr, "bench: %s\n", line->cameras.back()->Error().c_str());
            return;
        }
    }
    const double oneMs = line->MedianMs(1, 5);
    if (oneMs <= 0.0) {
        std::fprintf(stderr, "bench: rv8200xc-ctl load on one camera failed\n");
        return;
    }
    std::fprintf(stderr, "bench: rv8200xc-ctl load on one camera: %.1f ms (median of 5)\n", oneMs);
    BenchWorkload workload{"rv8200xc-ctl load on 3 cameras at once, vs 1 camera",
                           [line] { return line->Load(3) == 0 ? 0 : 1; }, 1.0 / 1.3};
    workload.budgetMs = oneMs;
    out.push_back(workload);
}
#endif

void CtlWorkloads(BenchContext& context, std::vector<BenchWorkload>& out)
{
    auto bench = std::make_shared<CtlBench>();
    bench->camera =
        std::make_unique<CtlCamera>(context.command, context.table, context.model, context.mode, context.settings);
#ifdef _WIN32
    bench->quiet = std::fopen("NUL", "w");
#else
    bench->quiet = std::fopen("/dev/null", "w");
#endif
    bench->messages = std::make_unique<StderrMessageHost>(bench->quiet);
    bench->folder = (std::filesystem::temp_directory_path() / "rv-bench-ctl").string();
    std::filesystem::create_directories(bench->folder);
    context.mode.Set(0);
    // The file: the camera's own values of every user parameter, saved by the companion itself.
    const std::string settings = bench->folder + "/all.cam";
    if (bench->Run("save", {settings}) != 0) std::fprintf(stderr, "bench: ctl save failed\n");

    const std::string shading = bench->folder + "/in.csv";
    {
        std::ofstream file(shading, std::ios::binary);
        file << "ShadingData  (G R B)\r\n";
        for (int i = 0; i < 1024; ++i) file << (i * 7) % 4001 - 2000 << ", " << i << ", " << -i << "\r\n";
    }
    BenchMessageHost* host = &context.host;
    Command* command = &context.command;
    out.push_back({"rv8200xc-ctl load, all user parameters",
                   [bench, host, settings] {
                       host->shown = 0;
                       return host->shown + bench->Run("load", {settings});
                   },
                   0.9});
    out.push_back({"rv8200xc-ctl shading write",
                   [bench, host, shading] {
                       host->shown = 0;
                       return host->shown + bench->Run("shading", {"write", shading});
                   },
                   0.9, [command] { command->Set(cmd::SDM, 1, 5000); }});
#ifdef RV_CAMSIM_EXECUTABLE
    // Where the simulated camera runs as a process of its own (not under Wine).
    AddLineWorkload(settings, out);
#endif
}
BENCH_WORKLOADS(30, CtlWorkloads);

}  // namespace
