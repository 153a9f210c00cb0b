// Test helper: a fresh folder holding copies of the simulated Camera Link libraries, each copy a frame
// grabber of its own, with its configuration and call log beside it.
#pragma once

#include "link/ClSerialKind.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

class ClSimFolder {
public:
    // A new empty folder under the build tree.
    ClSimFolder()
    {
        static int counter = 0;
        const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
        std::string name = test != nullptr ? std::string(test->test_suite_name()) + "." + test->name() : "cl";
        for (char& c : name) {
            if (c == '/') {
                c = '_';
            }
        }
        path_ = std::filesystem::path(RV_CL_TEST_ROOT) /
                (name + "-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + "-" +
                 std::to_string(++counter));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }

    // Kept when the test failed, for the call logs.
    ~ClSimFolder()
    {
        const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
        if (test != nullptr && !test->result()->Failed()) {
            std::error_code ignored;
            std::filesystem::remove_all(path_, ignored);
        }
    }
    ClSimFolder(const ClSimFolder&) = delete;
    ClSimFolder& operator=(const ClSimFolder&) = delete;

    std::string Path() const { return path_.string(); }

    // Copies a built simulated library ("2000/clsersim.so", "faulty/clserial-noportid.so", ...) into the
    // folder as fileName, with the configuration text beside it (none: the library's built-in ports).
    // Every configuration logs the calls to "<stem>.calls".
    void AddLibrary(const std::string& built, const std::string& fileName, const std::string& config = {})
    {
        std::filesystem::copy_file(std::filesystem::path(RV_CL_SIM_DIR) / built, path_ / fileName,
                                   std::filesystem::copy_options::overwrite_existing);
        std::string stem = fileName.substr(0, fileName.rfind('.'));
        std::ofstream(path_ / (stem + ".cfg")) << "log " << stem << ".calls\n" << config;
    }

    // Writes any file (or a folder, when the name ends in '/').
    void AddFile(const std::string& name)
    {
        if (!name.empty() && name.back() == '/') {
            std::filesystem::create_directories(path_ / name);
        } else {
            std::ofstream(path_ / name) << "not a library\n";
        }
    }

    // The calls the library of that stem logged, one per line.
    std::vector<std::string> Calls(const std::string& stem) const
    {
        std::vector<std::string> lines;
        std::ifstream file(path_ / (stem + ".calls"));
        for (std::string line; std::getline(file, line);) {
            lines.push_back(line);
        }
        return lines;
    }

    // True when any logged call of that library begins with prefix.
    bool Called(const std::string& stem, const std::string& prefix) const
    {
        for (const std::string& line : Calls(stem)) {
            if (line.rfind(prefix, 0) == 0) {
                return true;
            }
        }
        return false;
    }

private:
    std::filesystem::path path_;
};

// Sends one command line through an open entry and collects the answer line (without CR LF), reading one
// byte at a time with the link's 10 ms, as the link does. Empty when nothing complete came in time.
inline std::string Converse(ClSerialKind& kind, const std::string& line, int limitMs = 3000)
{
    std::string request = line + "\r\n";
    if (kind.WriteBytes(reinterpret_cast<const std::uint8_t*>(request.data()), static_cast<int>(request.size()), 500) !=
        1) {
        return "(write failed)";
    }
    std::string answer;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (std::chrono::steady_clock::now() < deadline) {
        std::uint8_t byte = 0;
        if (kind.ReadBytes(&byte, 1, 10) == 1) {
            answer.push_back(static_cast<char>(byte));
            if (answer.size() >= 2 && answer.compare(answer.size() - 2, 2, "\r\n") == 0) {
                return answer.substr(0, answer.size() - 2);
            }
        }
    }
    return {};
}
