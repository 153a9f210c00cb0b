// Model name to model code, for the tool's per-model command lists.
#include "camsim/ModelCommandSet.h"

#include "tables/CameraModelInfo.h"
#include "tables/ComboCatalog.h"
#include "tables/CommandTable.h"

namespace camsim {

int ModelCommandSet::HasCommand(std::string_view model, int commandIndex)
{
    if (commandIndex < 0 || commandIndex >= CommandTable::kCount) return 0;
    int code = kModelCodeUnknown;
    if (model == kModelB1) code = kModelCodeB1;
    if (model == kModelA1) code = kModelCodeA1;
    return IsSupportedOnModel(commandIndex, code);
}

}  // namespace camsim
