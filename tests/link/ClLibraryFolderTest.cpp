// Finding and loading the Camera Link libraries: the wildcard rule, the folder lookup and run-time
// loading by full path.
#include "support/ClSimFolder.h"
#include "support/ScopedEnv.h"

#include "platform/DynamicLibrary.h"
#include "platform/FolderSearch.h"

#include <gtest/gtest.h>

namespace {

struct MatchCase {
    const char* pattern;
    const char* name;
    bool caseSensitive;
    bool matches;
};

class Wildcard : public testing::TestWithParam<MatchCase> {};

TEST_P(Wildcard, MatchesLikeTheSystemSearch)
{
    const MatchCase& c = GetParam();
    EXPECT_EQ(FolderSearch::WildcardMatch(c.pattern, c.name, c.caseSensitive), c.matches)
        << c.pattern << " vs " << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cl, Wildcard,
    testing::Values(MatchCase{"clser*.so", "clser.so", true, true}, MatchCase{"clser*.so", "clserial.so", true, true},
                    MatchCase{"clser*.so", "clserA.so.1", true, false},
                    MatchCase{"clser*.so", "xclser.so", true, false}, MatchCase{"clser*.so", "clser.s", true, false},
                    MatchCase{"clser*.so", "CLSERX.SO", true, false},
                    MatchCase{"clser*.dll", "CLSERX.DLL", false, true},
                    MatchCase{"clser*.dll", "clserx.dllx", false, false}, MatchCase{"*.so", ".so", true, true},
                    MatchCase{"a*b*c", "aXbYbZc", true, true}, MatchCase{"a*b*c", "aXbYbZ", true, false},
                    MatchCase{"a?c", "abc", true, true}, MatchCase{"a?c", "ac", true, false},
                    MatchCase{"**", "", true, true}, MatchCase{"x", "", true, false}));

TEST(FolderSearch, JoinPathAddsOneSeparator)
{
    EXPECT_EQ(FolderSearch::JoinPath("/opt/cl", "clserial.so"), "/opt/cl/clserial.so");
    EXPECT_EQ(FolderSearch::JoinPath("/opt/cl/", "clserial.so"), "/opt/cl/clserial.so");
    EXPECT_EQ(FolderSearch::JoinPath("/", "x.so"), "/x.so");
}

TEST(FolderSearch, CameraLinkFolderFollowsClserialpath)
{
    const std::pair<std::optional<std::string>, std::string> cases[] = {
        {std::nullopt, "/usr/local/lib/cameralink"},
        {"", "/usr/local/lib/cameralink"},
        {"/opt/grabber/lib//", "/opt/grabber/lib"},
        {"/", "/"},
    };
    for (const auto& [value, folder] : cases) {
        const ScopedEnv path("CLSERIALPATH", value);
        EXPECT_EQ(FolderSearch::CameraLinkFolder(), folder) << value.value_or("(not set)");
    }
}

TEST(DynamicLibrary, LoadsOnlyByFullPathAndFindsExportedFunctions)
{
    ClSimFolder folder;
    folder.AddLibrary("2000/clsersim.so", "clserA.so");
    DynamicLibrary library;
    // A bare name would be searched for on the library path; it is refused outright.
    EXPECT_EQ(library.Load("clserA.so"), 0);
    EXPECT_FALSE(library.LastError().empty());
    EXPECT_EQ(library.Load(folder.Path() + "/missing.so"), 0);
    EXPECT_FALSE(library.IsLoaded());

    ASSERT_EQ(library.Load(folder.Path() + "/clserA.so"), 1) << library.LastError();
    EXPECT_NE(library.Symbol("clSerialInit"), nullptr);
    EXPECT_EQ(library.Symbol("clGetNumPorts"), nullptr);
    // The simulator's own code stays private to the library.
    EXPECT_EQ(library.Symbol("_ZN6camsim10SimLibrary8InstanceEPKc"), nullptr);
    EXPECT_EQ(library.Symbol(nullptr), nullptr);
    library.Unload();
    EXPECT_FALSE(library.IsLoaded());
    EXPECT_EQ(library.Symbol("clSerialInit"), nullptr);
}

TEST(DynamicLibrary, NotALibraryFailsWithAReason)
{
    ClSimFolder folder;
    folder.AddFile("clserBroken.so");
    DynamicLibrary library;
    EXPECT_EQ(library.Load(folder.Path() + "/clserBroken.so"), 0);
    EXPECT_FALSE(library.LastError().empty());
}

}  // namespace
