// The value of one camera command, as the table types it and the protocol carries it.
#pragma once

#include <cstdint>
#include <string>

struct CommandValue {
    std::int32_t valueType = 0;  // CommandValueType of the command
    std::int32_t intValue = 0;  // type 1: the value times 10^decimals, truncated toward zero
    double realValue = 0.0;
    std::string text;  // type 2: the value; other types: the value as it was written
};
