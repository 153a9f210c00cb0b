// Benchmark workloads: rv8200xc-ctl's "load" of a setting file of every user parameter and its
// "shading write", run by the companion's own verb code on the benchmark's link.
#include "BenchHarness.h"

#include "ctl/CtlCamera.h"
#include "ctl/CtlVerbList.h"
#include "ctl/StderrMessageHost.h"
#include "link/Command.h"
#include "settings/ControlMode.h"
#include "tables/CommandTable.h"

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
                   0.9, [command] { command->SendValue(cmd::SDM, 1, 5000); }});
}
BENCH_WORKLOADS(30, CtlWorkloads);

}  // namespace
