// The ordinary files of a folder: no folders, no hidden, read-only or special files.
#include "platform/OrdinaryFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

TEST(OrdinaryFiles, OnlyWritableVisibleRegularFilesSorted)
{
    const char* binary = std::getenv("RV_BINARY_DIR");
    const fs::path folder = fs::path(binary ? binary : fs::temp_directory_path().string()) / "test-files" /
                            ("ordinary-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::create_directories(folder / "sub.pdf");
    for (const char* name : {"b.pdf", "a b.pdf", ".hidden.pdf", "readonly.pdf", "sub.pdf/inner.pdf"}) {
        std::ofstream(folder / name) << "x";
    }
    fs::permissions(folder / "readonly.pdf", fs::perms::owner_read | fs::perms::group_read);
    fs::create_symlink(folder / "b.pdf", folder / "link.pdf");
    fs::create_symlink(folder / "sub.pdf", folder / "dirlink.pdf");
    fs::create_symlink(folder / "gone.pdf", folder / "dangling.pdf");
    ASSERT_EQ(::mkfifo((folder / "pipe.pdf").c_str(), 0666), 0);

    EXPECT_EQ(OrdinaryFiles::List(folder.string()), (std::vector<std::string>{"a b.pdf", "b.pdf", "link.pdf"}));
    EXPECT_TRUE(OrdinaryFiles::List((folder / "missing").string()).empty());

    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

}  // namespace
