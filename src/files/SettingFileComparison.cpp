// Comparing a setting file with the camera.
#include "files/SettingFileComparison.h"

#include "link/Command.h"
#include "tables/CameraModelInfo.h"
#include "tables/CommandTable.h"

#include <algorithm>

int SettingFileComparison::DifferenceCount() const
{
    return static_cast<int>(std::count_if(rows.begin(), rows.end(), [](const Row& row) { return row.Differs(); }));
}

const char* SettingFileComparison::ReasonOf(SettingFileFormat::LineKind kind)
{
    using Kind = SettingFileFormat::LineKind;
    switch (kind) {
        case Kind::UnknownMnemonic:
            return "Unknown mnemonic";
        case Kind::NotOnModel:
            return "Not on this model";
        case Kind::FactoryInUserMode:
            return "Factory parameter in user mode";
        case Kind::NotASetting:
            return "Not a setting";
        case Kind::NotANumber:
            return "Not a number";
        case Kind::Blank:
        case Kind::Setting:
        case Kind::ModelId:
            break;
    }
    return "";
}

SettingFileComparison SettingFileComparison::Compare(const std::string& content, Command& command,
                                                     const ControlTable& table, const CameraModelInfo& model,
                                                     bool factoryMode,
                                                     const std::function<void(int done, int total)>& afterRow)
{
    using Kind = SettingFileFormat::LineKind;
    SettingFileComparison result;
    const std::vector<std::string> lines = SettingFileFormat::SplitLines(content);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const SettingFileFormat::Line parsed =
            SettingFileFormat::Classify(lines[i], table, model.modelCode, factoryMode);
        const int number = static_cast<int>(i) + 1;
        if (parsed.kind == Kind::Blank) continue;
        if (parsed.kind != Kind::Setting && parsed.kind != Kind::ModelId) {
            result.skipped.push_back(
                {number, lines[i], parsed.mnemonic.empty() ? lines[i] : parsed.mnemonic, ReasonOf(parsed.kind)});
            continue;
        }
        Row row;
        row.lineNumber = number;
        row.line = lines[i];
        row.mnemonic = parsed.kind == Kind::ModelId ? "MD00" : parsed.mnemonic;
        row.commandIndex = parsed.commandIndex;
        row.controlId = parsed.kind == Kind::ModelId ? -1 : parsed.controlId;
        row.modelId = parsed.kind == Kind::ModelId;
        row.fileValue = parsed.value;
        row.fileText = parsed.text;
        row.cameraText = model.modelName;
        result.rows.push_back(std::move(row));
    }
    const int total = static_cast<int>(result.rows.size());
    int done = 0;
    for (Row& row : result.rows) {
        ++done;
        // The model id was asked by the model check before; a camera that has gone is not asked again.
        if (!row.modelId && !result.CameraGone())
            row.camera = result.queries.Add(command.Ask(row.commandIndex, kQueryTimeoutMs), row.mnemonic);
        if (afterRow) afterRow(done, total);
    }
    return result;
}
