// Benchmark workloads: the shading write and read as the "Correction Data" buttons run them, with the
// progress window (offscreen) and the file on disk.
#include "BenchHarness.h"

#include "dialogs/CProgressBarDialog.h"
#include "dialogs/ProgressWindow.h"
#include "files/ShadingFile.h"
#include "files/ShadingTransfer.h"
#include "files/TextFile.h"
#include "framework/FileDialogHost.h"
#include "link/Command.h"
#include "operations/ShadingActions.h"
#include "tables/CommandTable.h"

#include <QWidget>

#include <filesystem>
#include <memory>

namespace {

// Answers every file dialog with one path; nothing counts as existing, so no replace question comes.
class BenchFileDialogHost : public FileDialogHost {
public:
    std::string path;
    FileDialogResult Show(const FileDialogRequest&) override { return {FileDialogStatus::Ok, path, 0}; }
    bool FileExists(const std::string&) override { return false; }
};

struct ShadingBench {
    BenchFileDialogHost dialogs;
    QWidget owner;
    CProgressBarDialog dialog;
    ProgressWindow progress{dialog, &owner};
    ShadingTable buffer;
    std::unique_ptr<ShadingTransfer> transfer;
    std::unique_ptr<ShadingActions> buttons;
    std::string folder;
};

void ShadingWorkloads(BenchContext& context, std::vector<BenchWorkload>& out)
{
    auto bench = std::make_shared<ShadingBench>();
    bench->folder = (std::filesystem::temp_directory_path() / "rv-bench-shading").string();
    std::filesystem::create_directories(bench->folder);
    bench->dialog.SetCloseDelayMs(0);
    bench->owner.show();
    bench->transfer = std::make_unique<ShadingTransfer>(context.command, bench->buffer, context.hosts);
    bench->transfer->SetProgress(&bench->progress);
    bench->buttons = std::make_unique<ShadingActions>(*bench->transfer, context.hosts.messages, &bench->dialogs);

    ShadingTable table;
    for (int c = 0; c < ShadingTable::kColours; ++c) {
        for (int i = 0; i < ShadingTable::kEntries; ++i) table.At(c, i) = (i * 7 + c * 301) % 4001 - 2000;
    }
    const std::string input = bench->folder + "/in.csv";
    TextFile::Save(input, ShadingFile::Lines(table));
    Command* command = &context.command;
    BenchMessageHost* host = &context.host;
    auto shadingOn = [command] { command->Set(cmd::SDM, 1, 5000); };

    out.push_back({"shading write (file -> camera, progress window)",
                   [bench, host, input] {
                       host->shown = 0;
                       bench->dialogs.path = input;
                       bench->buttons->WriteFromFile();
                       return host->shown;
                   },
                   0.9, shadingOn});
    out.push_back({"shading read (camera -> file, progress window)",
                   [bench, host] {
                       host->shown = 0;
                       bench->dialogs.path = bench->folder + "/out.csv";
                       bench->buttons->ReadToFile();
                       return host->shown;
                   },
                   0.9, shadingOn});
}
BENCH_WORKLOADS(10, ShadingWorkloads);

}  // namespace
