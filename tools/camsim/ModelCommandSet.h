// Which commands a camera model has, by the model's name as the camera reports it.
#pragma once

#include <string_view>

namespace camsim {

class ModelCommandSet {
public:
    // 1 when the model has the command. The lists of missing commands are the tool's own
    // (IsSupportedOnModel); any model name but the two known ones has the full vocabulary, because such
    // a camera is taken for a later member of the family.
    static int HasCommand(std::string_view model, int commandIndex);
};

}  // namespace camsim
