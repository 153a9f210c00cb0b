// Which commands a camera model has and which codes its selections accept, by the model's name as the
// camera reports it, from the camera's data sheet.
#pragma once

#include <string_view>
#include <vector>

namespace camsim {

class ModelCommandSet {
public:
    // 1 when the model has the command. Any model name but the two known ones has the full vocabulary,
    // because such a camera is taken for a later member of the family.
    static int HasCommand(std::string_view model, int commandIndex);

    // The codes a selection accepts on this model; empty when the command is not a selection.
    static std::vector<int> SelectionCodes(int commandIndex, std::string_view model);
};

}  // namespace camsim
