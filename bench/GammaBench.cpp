// Gamma table transfers through the LUT editor's own code (offscreen windows, progress window included)
// against the simulated camera, and the table rebuild the editor runs on every repaint in "Edit Mode".
#include "BenchHarness.h"

#include "dialogs/CLUTDlg.h"
#include "dialogs/CProgressBarDialog.h"
#include "framework/qt/QtUiHost.h"
#include "link/Command.h"

#include <cmath>
#include <memory>

namespace {

constexpr double kFrameMs = 16.0;

void GammaWorkloads(BenchContext& context, std::vector<BenchWorkload>& out)
{
    // The progress window's closing pause is the operator's, not the link's.
    auto progress = std::make_shared<CProgressBarDialog>();  // kept alive by the workloads that use it
    progress->SetCloseDelayMs(0);
    // Windows repaint after every entry, as in the tool.
    auto ui = std::make_shared<QtUiHost>();
    const OperatorHosts& h = context.hosts;
    const OperatorHosts hosts{h.messages, h.fileDialogs, *ui, h.timers, h.shell, h.onlineStatus, h.openDialogs};
    auto editor = std::make_shared<CLUTDlg>(nullptr, hosts, 1, context.command, *progress);
    editor->InitDialog();
    editor->show();
    for (int i = 0; i < 256; ++i)
        editor->Table().tableData[static_cast<std::size_t>(i)] =
            static_cast<int>(std::lround(4095 * std::pow(i / 255.0, 0.45)));
    BenchMessageHost* host = &context.host;

    out.push_back({"(g1) gamma table write through the LUT editor, 512 settings",
                   [editor, host, progress, ui] {
                       host->shown = 0;
                       return editor->WriteTableData(1) ? host->shown : host->shown + 1;
                   },
                   0.9});
    out.push_back({"(g2) gamma table read through the LUT editor, 256 + 256",
                   [editor, host, progress, ui] {
                       host->shown = 0;
                       return editor->ReadTableData() ? host->shown : host->shown + 1;
                   },
                   0.9});

    // 16 points (the most a conversion gives): up to 8000 samples of two splines and the nearest-sample
    // search for all 256 entries. Judged against one frame: the ratio is 16 ms over the time taken.
    auto points = std::make_shared<CLUTDlg>(nullptr, context.hosts, 0, context.command, *progress);
    points->InitDialog();
    points->ConvertEditable(16);
    BenchWorkload rebuild{"(g3) gamma editor rebuild, ApplyEditPoints with 16 points, against one 16 ms frame",
                          [points] {
                              points->ApplyEditPoints();
                              return points->Table().tableData[255] > 4000 ? 0 : 1;
                          },
                          1.0};
    rebuild.budgetMs = kFrameMs;
    out.push_back(rebuild);
}

}  // namespace

BENCH_WORKLOADS(20, GammaWorkloads);
