// One parsed answer line.
#pragma once

#include "tables/CommandValue.h"

#include <cstdint>
#include <string>

struct CommandAnswer {
    std::string raw;  // the line without any blank, CR or LF
    std::string mnemonic;  // before the separator
    std::string separator;  // "=" or "?"
    std::string valueText;  // after the separator, up to a comma
    std::string secondText;  // after the first comma
    std::int32_t form = 0;  // 0 bare query echo, 1 one value, 2 two values
    std::int32_t commandIndex = -1;
    std::int32_t decimals = 0;
    std::int32_t firstInt = 0;  // form 2: valueText as a decimal integer
    bool failed = true;
    CommandValue value;
};
