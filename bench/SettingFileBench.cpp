// Benchmark workload: loading a setting file of every user parameter, as "&Open" runs it, with the
// progress window (offscreen) and the pages shown afterwards.
#include "BenchHarness.h"

#include "dialogs/CProgressBarDialog.h"
#include "dialogs/ProgressWindow.h"
#include "files/SettingFile.h"
#include "files/SettingFileComparison.h"
#include "files/TextFile.h"
#include "operations/SettingFileActions.h"
#include "pages/CameraReader.h"
#include "settings/ControlMode.h"
#include "settings/RegistrySettings.h"
#include "tables/CameraModelInfo.h"
#include "tables/ControlTable.h"

#include <QWidget>

#include <filesystem>
#include <memory>

namespace {

struct SettingFileBench {
    QWidget owner;
    CProgressBarDialog dialog;
    ProgressWindow progress{dialog, &owner};
    std::unique_ptr<CameraReader> reader;
    std::unique_ptr<SettingFile> file;
    std::string path;
};

void SettingFileWorkloads(BenchContext& context, std::vector<BenchWorkload>& out)
{
    auto bench = std::make_shared<SettingFileBench>();
    bench->dialog.SetCloseDelayMs(0);
    bench->owner.show();
    bench->reader =
        std::make_unique<CameraReader>(context.command, context.table, context.model, context.mode, context.hosts);
    SettingFileHooks hooks;
    CameraReader* reader = bench->reader.get();
    hooks.modelCheck = [reader] { return reader->ModelCheck(); };
    hooks.showValues = [reader] { reader->ShowAllValues(); };
    hooks.setUpModel = [reader] {
        reader->ModelSetup();
        reader->UpdateControlStates();
    };
    bench->file = std::make_unique<SettingFile>(context.command, context.table, context.mode, context.model, hooks,
                                                context.hosts);
    bench->file->SetProgress(&bench->progress);
    // The file: every user parameter of the connected model at its current value.
    // The camera's own values, so that the file holds only what the camera takes.
    reader->ModelCheck();
    context.mode.Set(0);
    reader->ReadAllSettings();
    const std::string folder = (std::filesystem::temp_directory_path() / "rv-bench-settings").string();
    std::filesystem::create_directories(folder);
    bench->path = folder + "/all.cam";
    bench->file->WriteSettingFile(bench->path, SettingFileVariant::ShippingData);

    BenchMessageHost* host = &context.host;
    out.push_back({"setting file load, all user parameters (progress window)",
                   [bench, host] {
                       host->shown = 0;
                       SettingFileActions::ShowRead(*host, bench->path,
                                                    bench->file->ReadSettingFile(bench->path),
                                                    bench->file->LastReport());
                       return host->shown + static_cast<int>(bench->file->LastReport().refused.size());
                   },
                   0.9});
    // The comparison window's work: the same file read with the load's rules and every row asked of the
    // camera. Its wire time plus a tenth at the most.
    out.push_back({"setting file compared with the camera (comparison window)",
                   [bench, &context] {
                       std::string content;
                       if (!TextFile::Load(bench->path, content)) return 1;
                       const SettingFileComparison comparison = SettingFileComparison::Compare(
                           content, context.command, context.table, context.model, false);
                       return comparison.queries.Failed();
                   },
                   1.0 / 1.1});
}
BENCH_WORKLOADS(20, SettingFileWorkloads);

}  // namespace
