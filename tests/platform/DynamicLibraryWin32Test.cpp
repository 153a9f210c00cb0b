// Loading a cross-built library through the Windows loader: by full path only, with its own folder searched
// for what it needs, and with the loader's own reason when it fails.
#include "platform/DynamicLibrary.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

// The probe libraries lie in a folder of their own (not beside the test program, not on PATH).
std::string ProbeFolder()
{
    char program[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string folder(program);
    folder.resize(folder.find_last_of("\\/"));
    return folder + "\\probe-libraries";
}

using Answer = int (*)();

TEST(DynamicLibraryWin32, LoadsByFullPathAndFindsItsDependencyInItsOwnFolder)
{
    DynamicLibrary library;
    ASSERT_EQ(library.Load(ProbeFolder() + "\\rvprobe.dll"), 1) << library.LastError();
    EXPECT_TRUE(library.IsLoaded());
    auto answer = reinterpret_cast<Answer>(library.Symbol("rvProbeAnswer"));
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);
    auto fromDependency = reinterpret_cast<Answer>(library.Symbol("rvProbeFromDependency"));
    ASSERT_NE(fromDependency, nullptr);
    EXPECT_EQ(fromDependency(), 7);
    EXPECT_EQ(library.Symbol("clSerialInit"), nullptr) << "a function the library lacks";
    EXPECT_EQ(library.Symbol(nullptr), nullptr);
    library.Unload();
    EXPECT_FALSE(library.IsLoaded());
    EXPECT_EQ(library.Symbol("rvProbeAnswer"), nullptr);
}

TEST(DynamicLibraryWin32, ForwardSlashesMakeAFullPathToo)
{
    std::string slashed = ProbeFolder() + "/rvprobe.dll";
    for (char& c : slashed) {
        if (c == '\\') c = '/';
    }
    DynamicLibrary library;
    EXPECT_EQ(library.Load(slashed), 1) << library.LastError();
}

struct FailureCase {
    const char* name;
    std::string path;
    const char* reasonContains;
};

class DynamicLibraryWin32Failures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(DynamicLibraryWin32Failures, FailWithTheReasonAndNothingLoaded)
{
    const FailureCase& c = GetParam();
    DynamicLibrary library;
    EXPECT_EQ(library.Load(c.path), 0);
    EXPECT_FALSE(library.IsLoaded());
    EXPECT_NE(library.LastError().find(c.reasonContains), std::string::npos) << library.LastError();
}

INSTANTIATE_TEST_SUITE_P(
    Paths, DynamicLibraryWin32Failures,
    ::testing::Values(
        // A bare name would let the loader search the working folder, where anybody can plant a file.
        FailureCase{"BareName", "rvprobe.dll", "not a full path"},
        FailureCase{"BareSystemName", "kernel32.dll", "not a full path"},
        FailureCase{"MissingFile", ProbeFolder() + "\\no-such-library.dll", "no-such-library.dll: "},
        // The dependency alone is there, but a text file with a library's name is no library.
        FailureCase{"NotALibrary", ProbeFolder() + "\\not-a-library.dll", "not-a-library.dll: "}),
    [](const ::testing::TestParamInfo<FailureCase>& tp) { return std::string(tp.param.name); });

}  // namespace
