// The committed, hand-checked files of tests/data: inputs, and the files the tool is expected to write.
#pragma once

#include <cstdlib>
#include <string>

inline std::string TestDataPath(const std::string& name)
{
    return std::string(std::getenv("RV_SOURCE_DIR") ? std::getenv("RV_SOURCE_DIR") : ".") + "/tests/data/" + name;
}
