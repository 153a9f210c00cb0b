// The committed, hand-checked files of tests/data: inputs, and the files the tool is expected to write.
#pragma once

#include "support/FileText.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

inline std::string TestDataPath(const std::string& name)
{
    return std::string(std::getenv("RV_SOURCE_DIR") ? std::getenv("RV_SOURCE_DIR") : ".") + "/tests/data/" + name;
}

// The committed file with some rows' values changed ("MN=VALUE"), as a camera holding them saves it.
inline std::string GoldenWith(const std::string& golden, const std::vector<std::string>& rows)
{
    std::string text = "\n" + ReadText(TestDataPath(golden));
    for (const std::string& row : rows) {
        const std::string key = "\n" + row.substr(0, row.find('=') + 1);
        const std::size_t at = text.find(key);
        if (at == std::string::npos) {
            ADD_FAILURE() << golden << " has no row " << key.substr(1);
            continue;
        }
        text.replace(at + 1, text.find('\r', at) - at - 1, row);
    }
    return text.substr(1);
}
