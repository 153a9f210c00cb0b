// A fresh XDG_CONFIG_HOME per test, so settings tests never see or touch the user's own configuration.
#pragma once

#include "support/FileText.h"
#include "support/ScopedEnv.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <gtest/gtest.h>

class TempConfigHome {
public:
    TempConfigHome()
    {
        if (!folder_.Ok()) ADD_FAILURE() << "cannot create a temporary folder";
        home_ = std::make_unique<ScopedEnv>("XDG_CONFIG_HOME", folder_.Path().string());
    }
    TempConfigHome(const TempConfigHome&) = delete;
    TempConfigHome& operator=(const TempConfigHome&) = delete;

    std::filesystem::path Root() const { return folder_.Path(); }
    std::filesystem::path Folder() const { return Root() / "orvane"; }
    std::filesystem::path File() const { return Folder() / "hklm.reg"; }

    std::string ReadFile() const { return ReadText(File().string()); }
    void WriteFile(const std::string& text) const
    {
        std::filesystem::create_directories(Folder());
        std::ofstream(File(), std::ios::binary) << text;
    }

private:
    TempFolder folder_{"rv-settings"};
    std::unique_ptr<ScopedEnv> home_;
};
