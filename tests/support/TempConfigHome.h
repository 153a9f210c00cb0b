// A fresh XDG_CONFIG_HOME per test, so settings tests never see or touch the user's own configuration.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

class TempConfigHome {
public:
    TempConfigHome()
    {
        const char* old = std::getenv("XDG_CONFIG_HOME");
        hadOld_ = old != nullptr;
        if (hadOld_) {
            old_ = old;
        }
        std::string pattern = (std::filesystem::temp_directory_path() / "rv-settings-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            ADD_FAILURE() << "cannot create a temporary folder";
        }
        root_ = pattern;
        ::setenv("XDG_CONFIG_HOME", root_.c_str(), 1);
    }
    ~TempConfigHome()
    {
        if (hadOld_) {
            ::setenv("XDG_CONFIG_HOME", old_.c_str(), 1);
        } else {
            ::unsetenv("XDG_CONFIG_HOME");
        }
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    TempConfigHome(const TempConfigHome&) = delete;
    TempConfigHome& operator=(const TempConfigHome&) = delete;

    std::filesystem::path Root() const { return root_; }
    std::filesystem::path Folder() const { return root_ / "orvane"; }
    std::filesystem::path File() const { return Folder() / "hklm.reg"; }

    std::string ReadFile() const
    {
        std::ifstream in(File(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    void WriteFile(const std::string& text) const
    {
        std::filesystem::create_directories(Folder());
        std::ofstream(File(), std::ios::binary) << text;
    }

private:
    std::filesystem::path root_;
    std::string old_;
    bool hadOld_ = false;
};
