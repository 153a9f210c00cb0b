// Fuzz target: the setting file's line splitting and line classification.
#include "files/SettingFileFormat.h"
#include "tables/CameraModelInfo.h"
#include "tables/CommandTable.h"
#include "tables/ControlTable.h"

#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const ControlTable table;
    const std::string content(reinterpret_cast<const char*>(data), size);
    for (const std::string& line : SettingFileFormat::SplitLines(content)) {
        if (line.find('\n') != std::string::npos) std::abort();
        for (int model : {kModelCodeA1, kModelCodeB1, kModelCodeUnknown}) {
            const auto parsed = SettingFileFormat::Classify(line, table, model, model == kModelCodeA1);
            // Only a row of the table is ever sent, and only one the model has.
            if (parsed.kind == SettingFileFormat::LineKind::Setting) {
                if (parsed.controlId < 0 || table.ToCmdId(parsed.controlId) != parsed.commandIndex) std::abort();
                if (!IsSupportedOnModel(parsed.commandIndex, model)) std::abort();
                if (table.IsStoredInFile(parsed.controlId) != 1) std::abort();
            }
        }
    }
    return 0;
}

std::vector<std::string> FuzzSeeds()
{
    return {"TM=0\r\nTI=1\r\nGA=200\r\n", "MD00=RV-8200-A1\nGAORA=8000\n", " GA = 200 \r\n", "GA=&H1F",
            "LR?\r\nXYZ=5\r\n",           "STP=1\r\nCBDRT=16\r\n\r\n",     "BLR=-5"};
}
