// Bulk transfers over the serial link against the simulated camera at 115200 bit/s with wire-time
// emulation: each workload's time compared with the time its bytes need on the line.
#include "support/CamsimProcess.h"

#include "framework/MessageBox.h"
#include "link/BaudRateHandshake.h"
#include "link/ComPort.h"
#include "link/Command.h"
#include "link/SerialLink.h"
#include "link/TrafficSink.h"
#include "tables/CommandTable.h"
#include "tables/ControlTable.h"

#ifdef RV_BENCH_REFRESH
#include "dialogs/CProgressBarDialog.h"
#include "pages/CTabSheetDialog.h"
#include "pages/CameraReader.h"
#include "pages/PageControls.h"
#include "resources/PageLayouts.h"

#include <QApplication>
#include <memory>
#endif

#include <chrono>
#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int kBaudRate = 115200;
constexpr int kPortIndex = 4;  // "COM5"

// Counts the bytes on the line from the traffic log: every logged line went out or came in with CR LF.
class ByteCounter : public TrafficSink {
public:
    long long bytes = 0;
    int requests = 0;
    void AddLine(const std::string& line) override
    {
        const bool sent = line.rfind("Tx: ", 0) == 0;
        if (sent) ++requests;
        if (sent || line.rfind("Rx: ", 0) == 0) bytes += static_cast<long long>(line.size()) - 4 + 2;
    }
};

// Message boxes of the benchmark go nowhere but are counted (a failed request shows one).
class CountingHost : public MessageHost {
public:
    int shown = 0;
    std::string last;
    MessageResult Show(const MessageRequest& request) override
    {
        ++shown;
        last = request.text;
        return MessageResult::Ok;
    }
};

struct Result {
    const char* name;
    long long bytes;
    double wireMs;
    double measuredMs;
    int failures;
    int requests;
};

Result Measure(const char* name, ByteCounter& counter, CountingHost& host, const std::function<int()>& workload)
{
    counter.bytes = 0;
    counter.requests = 0;
    host.shown = 0;
    const auto start = std::chrono::steady_clock::now();
    const int failures = workload();
    const double measuredMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    const double wireMs = static_cast<double>(counter.bytes) * 10.0 * 1000.0 / kBaudRate;
    return {name, counter.bytes, wireMs, measuredMs, failures, counter.requests};
}

}  // namespace

int main(int argc, char** argv)
{
    // bench [--no-wire-time] [camsim executable]. Without wire time the ratios mean nothing, but the
    // time per request shows what the tool and the simulator add on their own.
    bool wireTime = true;
    std::string executable = RV_CAMSIM_EXECUTABLE;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--no-wire-time") {
            wireTime = false;
        } else {
            executable = arg;
        }
    }
    CountingHost host;
    SetMessageHost(&host);
#ifdef RV_BENCH_REFRESH
    // The refresh shows its values in the real pages, offscreen.
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication application(argc, argv);
    std::vector<std::unique_ptr<CTabSheetDialog>> pages;
    for (const PageLayout& layout : PageLayouts()) {
        if (!layout.created) continue;
        pages.push_back(
            std::make_unique<CTabSheetDialog>(nullptr, layout.templateId, layout.caption, layout.factoryOnly ? 1 : 0));
        pages.back()->Create(nullptr);
    }
    SetSpinRanges();
    InitComboItemData();
#endif

    CamsimProcess camera(executable, kPortIndex + 1,
                         wireTime ? std::vector<std::string>{"--wire-time"} : std::vector<std::string>{});
    if (!camera.Ok()) {
        std::fprintf(stderr, "bench: %s\n", camera.Error().c_str());
        return 1;
    }
    ComPort port;
    LinkSettings settings;
    settings.comPortIndex = kPortIndex;
    SerialLink link(
        settings, port, [](int) -> ClSerialKind* { return nullptr; }, false);
    ByteCounter counter;
    link.SetTerminalSink(&counter);
    Command command(link);
    if (!link.ReopenCurrent() || !ChangeCameraBaudRate(command, link, kBaudRate)) {
        std::fprintf(stderr, "bench: cannot reach the simulated camera at %d bit/s (%s)\n", kBaudRate,
                     host.last.c_str());
        return 1;
    }

    // (a) Distinct parameters the camera answers, in control-table order.
    std::vector<int> parameters;
    {
        ControlTable& table = GetControlTable();
        std::set<int> seen;
        for (int row = 0; table.Row(row).controlId != -1 && parameters.size() < 148; ++row) {
            const int index = table.Row(row).commandIndex;
            if (table.Row(row).controlKind == kKindButton || !seen.insert(index).second) continue;
            int value = 0;
            host.shown = 0;
            if (command.QueryValue(index, value, 1000) && host.shown == 0) parameters.push_back(index);
        }
    }

    std::vector<Result> results;
    results.push_back(Measure("(a) queries of distinct parameters", counter, host, [&] {
        int failures = 0;
        for (int index : parameters) {
            int value = 0;
            if (!command.QueryValue(index, value, 5000)) ++failures;
        }
        return failures;
    }));

    // (b) The shading write loop: per colour the selector, then index and value for every entry.
    command.SendValue(cmd::SDM, 1, 5000);
    results.push_back(Measure("(b) shading-style write, 3072 index/value pairs", counter, host, [&] {
        int failures = 0;
        for (int selector = 0; selector < 3; ++selector) {
            if (!command.SendValue(cmd::SDDS, selector, 3000)) ++failures;
            for (int k = 1; k <= 1024; ++k) {
                if (!command.SendValue(cmd::SDDI, k, 1000)) ++failures;
                if (!command.SendValue(cmd::SDD, (k * 7 + selector) % 512, 1000)) ++failures;
            }
        }
        return failures;
    }));

    // (c) The gamma read loop of one colour: index setting, then data query.
    results.push_back(Measure("(c) gamma-style loop, 256 index settings and data queries", counter, host, [&] {
        int failures = 0;
        for (int i = 0; i < 256; ++i) {
            int value = 0;
            if (!command.SendValue(cmd::LUTIG, i, 1000)) ++failures;
            if (!command.QueryValue(cmd::LUTG, value, 1000)) ++failures;
        }
        return failures;
    }));

#ifdef RV_BENCH_REFRESH
    // (d) The full refresh of the main window: model check, read of every parameter into the pages, control
    // states. The progress window's closing delay is the operator's, not the link's: left out. The first
    // refresh also lays the pages out for the model and creates the progress window, once per run; the
    // measured one is the refresh "&Reload" runs on a window that has been set up.
    GetProgressBarDialog().SetCloseDelayMs(0);
    CameraReader reader(command, GetControlTable());
    const Result first = Measure("first refresh", counter, host, [&] {
        reader.Refresh();
        return host.shown;
    });
    results.push_back(Measure("(d) full refresh (model check, all user parameters)", counter, host, [&] {
        reader.Refresh();
        return host.shown;
    }));
#endif

    std::printf("link benchmark at %d bit/s against %s%s\n", kBaudRate, executable.c_str(),
                wireTime ? " --wire-time" : " (no wire time)");
    std::printf("(a) uses %zu distinct parameters\n", parameters.size());
    std::printf("%-56s %9s %9s %12s %12s %7s %11s %7s\n", "workload", "requests", "bytes", "wire ms", "measured ms",
                "ratio", "ms/request", "failed");
    bool allGood = parameters.size() == 148;
    for (const Result& r : results) {
        const double ratio = r.measuredMs > 0 ? r.wireMs / r.measuredMs : 0.0;
        std::printf("%-56s %9d %9lld %12.1f %12.1f %7.3f %11.3f %7d\n", r.name, r.requests, r.bytes, r.wireMs,
                    r.measuredMs, ratio, r.requests > 0 ? r.measuredMs / r.requests : 0.0, r.failures);
        allGood = allGood && ratio >= 0.8 && r.failures == 0;
    }
#ifdef RV_BENCH_REFRESH
    std::printf("(the first refresh of the run, with the one-time page layout: %.1f ms, ratio %.3f)\n",
                first.measuredMs, first.measuredMs > 0 ? first.wireMs / first.measuredMs : 0.0);
#endif
    if (host.shown > 0) std::printf("last message: %s\n", host.last.c_str());
    SetMessageHost(nullptr);
    return allGood ? 0 : 2;
}
