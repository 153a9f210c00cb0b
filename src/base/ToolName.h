// The tool's own name: its window title, the caption of its boxes, its application name.
#pragma once

#include <string_view>

inline constexpr std::string_view kToolName = "RV-8200-XC Control Tool";
