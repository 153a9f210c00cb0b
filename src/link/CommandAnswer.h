// The value of one camera command, and one parsed answer line.
#pragma once

#include <cstdint>
#include <string>

struct CommandValue {
    std::int32_t valueType = 0;  // CommandValueType of the command
    std::int32_t intValue = 0;  // type 1: the value times 10^decimals, truncated toward zero
    double realValue = 0.0;
    std::string text;  // type 2: the value; other types: the value as it was written
};

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
