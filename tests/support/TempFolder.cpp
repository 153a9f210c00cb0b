// A unique temporary folder per test.
#include "support/TempFolder.h"

#include <cstdlib>

TempFolder::TempFolder(const std::string& stem)
{
    std::error_code ec;
    std::string pattern = (std::filesystem::temp_directory_path(ec) / (stem + "-XXXXXX")).string();
    if (!ec && ::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}
