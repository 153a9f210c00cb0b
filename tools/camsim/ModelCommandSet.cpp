// Model name to the data sheet's per-model command lists and selection codes.
#include "camsim/ModelCommandSet.h"

#include "camsim/CameraDataSheet.h"
#include "tables/CommandTable.h"

#include <algorithm>
#include <vector>

namespace camsim {
namespace {

struct MissingCommand {
    std::string_view model;
    int commandIndex;
};

// The sheet names commands by mnemonic; resolved once.
const std::vector<MissingCommand>& MissingCommands()
{
    static const std::vector<MissingCommand> missing = [] {
        std::vector<MissingCommand> list;
        for (const SheetMissing& entry : CameraDataSheet::Missing()) {
            std::string_view rest = entry.mnemonics;
            while (!rest.empty()) {
                const std::size_t space = std::min(rest.find(' '), rest.size());
                list.push_back({entry.model, CommandTable::Find(rest.substr(0, space))});
                rest.remove_prefix(std::min(space + 1, rest.size()));
            }
        }
        return list;
    }();
    return missing;
}

// The command index of each of the sheet's selection lists, in the sheet's order.
const std::vector<int>& CodeListCommands()
{
    static const std::vector<int> commands = [] {
        std::vector<int> list;
        for (const SheetCodes& codes : CameraDataSheet::Codes()) list.push_back(CommandTable::Find(codes.mnemonic));
        return list;
    }();
    return commands;
}

}  // namespace

int ModelCommandSet::HasCommand(std::string_view model, int commandIndex)
{
    if (commandIndex < 0 || commandIndex >= CommandTable::kCount) return 0;
    for (const MissingCommand& missing : MissingCommands()) {
        if (missing.model == model && missing.commandIndex == commandIndex) return 0;
    }
    return 1;
}

std::vector<int> ModelCommandSet::SelectionCodes(int commandIndex, std::string_view model)
{
    const std::vector<SheetCodes>& lists = CameraDataSheet::Codes();
    const SheetCodes* common = nullptr;
    for (std::size_t i = 0; i < lists.size(); ++i) {
        if (CodeListCommands()[i] != commandIndex) continue;
        const SheetCodes& list = lists[i];
        if (!model.empty() && list.model == model) return list.codes;
        if (list.model.empty() && !common) common = &list;
    }
    return common ? common->codes : std::vector<int>{};
}

}  // namespace camsim
