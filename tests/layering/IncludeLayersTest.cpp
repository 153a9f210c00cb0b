// Reads every #include of src/ and tools/ and checks it against the layer arrows
//   app -> dialogs -> operations -> files -> pages -> link -> tables -> settings -> framework -> base, platform
// (resources sits on the tables beside the link; framework/qt is the framework's widget half). A file may
// include its own layer and the layers below it, never one above or beside it; the layers without Qt
// include no Qt header, and nothing above platform includes an OS header.
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Layers = std::set<std::string>;

Layers Join(Layers a, const Layers& b)
{
    a.insert(b.begin(), b.end());
    return a;
}

// What each layer may include, itself among them.
const std::map<std::string, Layers>& AllowedIncludes()
{
    static const std::map<std::string, Layers> allowed = [] {
        std::map<std::string, Layers> m;
        m["platform"] = {"platform"};
        m["base"] = {"base"};
        m["framework"] = {"framework", "base", "platform"};
        m["framework/qt"] = Join(m["framework"], {"framework/qt"});
        m["settings"] = Join(m["framework"], {"settings"});
        m["tables"] = Join(m["settings"], {"tables"});
        m["link"] = Join(m["tables"], {"link"});
        m["resources"] = Join(m["tables"], {"resources"});
        m["pages"] = Join(Join(m["link"], m["resources"]), {"framework/qt", "pages"});
        m["files"] = Join(m["pages"], {"files"});
        m["operations"] = Join(m["files"], {"operations"});
        m["dialogs"] = Join(m["operations"], {"dialogs"});
        m["app"] = Join(m["dialogs"], {"app"});
        m["camsim"] = {"camsim", "base", "platform", "tables", "link"};
        m["ctl"] = Join(m["link"], {"ctl", "files", "operations"});
        return m;
    }();
    return allowed;
}

// Layers whose code builds without Qt, and so includes none of its headers.
const Layers kWithoutQt = {"platform", "base", "framework", "settings", "tables", "link", "resources", "camsim", "ctl"};

// The layer of a path below src/ or tools/ ("framework/qt/CDialogBase.h" -> "framework/qt").
std::string LayerOf(const std::string& path)
{
    if (path.rfind("framework/qt/", 0) == 0) return "framework/qt";
    const auto slash = path.find('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool IsOsHeader(const std::string& header)
{
    static const std::regex os(R"re(^(windows\.h|winbase\.h|unistd\.h|termios\.h|fcntl\.h|dlfcn\.h|dirent\.h|pty\.h|)re"
                               R"re(poll\.h|pthread\.h|sys/.*|linux/.*)$)re",
                               std::regex::icase);
    return std::regex_match(header, os);
}

struct Finding {
    std::string where;  // file:line
    std::string what;
};

// Checks one source file, named relative to its root (src/ or tools/).
void CheckFile(const fs::path& file, const std::string& relative, const fs::path& srcRoot, std::vector<Finding>& out)
{
    const std::string layer = LayerOf(relative);
    const auto& allowed = AllowedIncludes();
    const auto rule = allowed.find(layer);
    std::ifstream in(file);
    std::string line;
    int number = 0;
    static const std::regex quoted(R"re(^\s*#\s*include\s*"([^"]+)")re");
    static const std::regex angled(R"re(^\s*#\s*include\s*<([^>]+)>)re");
    while (std::getline(in, line)) {
        ++number;
        const std::string where = relative + ":" + std::to_string(number);
        std::smatch m;
        if (std::regex_search(line, m, quoted)) {
            const std::string target = m[1];
            if (rule == allowed.end()) {
                out.push_back({where, "the folder '" + layer + "' is not a layer"});
                break;
            }
            const std::string to = LayerOf(target);
            if (to.empty() || (!fs::exists(srcRoot / target) && !fs::exists(srcRoot.parent_path() / "tools" / target)))
                out.push_back({where, "includes \"" + target + "\", which is not a path below src/ or tools/"});
            else if (!rule->second.count(to))
                out.push_back({where, layer + " includes " + to + " (\"" + target + "\"): against the arrows"});
            else if ((layer == "link" || layer == "files" || layer == "tables") &&
                     (target == "framework/MessageBox.h" || target == "framework/FileDialogHost.h"))
                out.push_back({where, layer + " reports outcomes; the action that owns them shows or asks"});
        } else if (std::regex_search(line, m, angled)) {
            const std::string header = m[1];
            if (kWithoutQt.count(layer) && header.size() > 1 && header[0] == 'Q' && std::isupper(header[1]))
                out.push_back({where, layer + " builds without Qt but includes <" + header + ">"});
            if (layer != "platform" && layer != "camsim" && IsOsHeader(header))
                out.push_back({where, layer + " includes the OS header <" + header + ">; only platform may"});
        }
    }
}

std::vector<Finding> CheckTree(const fs::path& root)
{
    std::vector<Finding> findings;
    for (const char* top : {"src", "tools"}) {
        const fs::path base = root / top;
        if (!fs::exists(base)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(base)) {
            const auto ext = entry.path().extension();
            if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp")) continue;
            std::string relative = fs::relative(entry.path(), base).generic_string();
            // The simulated camera's Camera Link libraries belong to the simulator.
            if (std::string(top) == "tools" && relative.rfind("camsim/", 0) != 0 && relative.rfind("ctl/", 0) != 0)
                relative = "tools:" + relative;
            CheckFile(entry.path(), relative, root / "src", findings);
        }
    }
    return findings;
}

fs::path SourceRoot()
{
    const char* dir = std::getenv("RV_LAYERING_ROOT");  // another tree to check, e.g. an old checkout
    if (!dir || !*dir) dir = std::getenv("RV_SOURCE_DIR");
    return dir ? fs::path(dir) : fs::path(".");
}

TEST(IncludeLayers, EveryIncludePointsDownTheArrows)
{
    const fs::path root = SourceRoot();
    ASSERT_TRUE(fs::exists(root / "src")) << "no src/ below " << root;
    const auto findings = CheckTree(root);
    for (const auto& f : findings) ADD_FAILURE() << f.where << ": " << f.what;
}

TEST(IncludeLayers, RulesCatchUpwardSidewaysAndToolkitIncludes)
{
    const TempFolder folder("rv-layering");
    const fs::path dir = folder.Path();
    struct Case {
        const char* file;
        const char* text;
        bool wrong;
    };
    const Case cases[] = {
        {"src/link/A.h", "#include \"tables/T.h\"\n#include \"link/B.h\"\n", false},
        {"src/link/B.h", "#include \"settings/S.h\"\n", false},
        {"src/tables/T.h", "#include \"link/B.h\"\n", true},  // upward
        {"src/files/F.h", "#include \"operations/O.h\"\n", true},  // upward: the operations sit on the files
        {"src/settings/S.h", "#include <QString>\n", true},  // Qt in a core layer
        {"src/pages/P.h", "#include <QWidget>\n#include \"framework/qt/W.h\"\n", false},
        {"src/framework/W.h", "#include \"framework/qt/W.h\"\n", true},  // core framework on its Qt half
        {"src/framework/qt/W.h", "#include \"framework/Z.h\"\n", false},
        {"src/framework/Z.h", "#include <termios.h>\n", true},  // OS header above platform
        {"src/operations/O.h", "#include \"dialogs/D.h\"\n", true},
        {"src/dialogs/D.h", "#include \"files/F.h\"\n#include \"operations/O.h\"\n", false},
        {"src/params/X.h", "#include \"link/B.h\"\n", true},  // not a layer
        {"src/framework/MessageBox.h", "", false},
        {"src/link/C.h", "#include \"framework/MessageBox.h\"\n", true},  // the link never speaks itself
        {"src/files/G.h", "#include \"framework/FileDialogHost.h\"\n", true},  // nor do the file formats
        {"src/tables/U.h", "#include \"framework/MessageBox.h\"\n", true},
    };
    int expected = 0;
    for (const auto& c : cases) {
        fs::create_directories((dir / c.file).parent_path());
        std::ofstream(dir / c.file) << c.text;
        expected += c.wrong;
    }
    const auto findings = CheckTree(dir);
    std::set<std::string> wrongFiles;
    for (const auto& f : findings) wrongFiles.insert(f.where.substr(0, f.where.find(':')));
    for (const auto& c : cases) {
        std::string relative = std::string(c.file).substr(4);
        EXPECT_EQ(c.wrong, wrongFiles.count(relative) == 1) << c.file;
    }
    EXPECT_EQ(static_cast<size_t>(expected), wrongFiles.size());
}

// Process-wide state in src/: every object of a run is owned by the composition root and passed in, so a
// host installer, a thread-local or a function-local static object is a finding unless it is one of these.
const std::map<std::string, std::string>& AllowedProcessState()
{
    static const std::map<std::string, std::string> allowed = {
        {"platform/DiskFile.cpp", "the disk-failure drill's step hook, set by fault tests only"},
        {"platform/posix/SerialDevicePosix.cpp", "the open drill's override, set by port tests only"},
        {"platform/win32/SerialDeviceWin32.cpp", "the open drill's override, set by port tests only"},
        {"platform/posix/DiskFilePosix.cpp", "a counter that makes temporary file names unique"},
        {"platform/win32/DiskFileWin32.cpp", "a counter that makes temporary file names unique"},
        {"files/LutEditPoints.cpp", "scratch buffers of the spline sampling, per thread"},
        {"link/ClSerialKinds.cpp", "one object per serial library the process has loaded"},
        {"link/LinkClock.cpp", "the steady clock, which holds no state"},
    };
    return allowed;
}

std::vector<Finding> ProcessState(const fs::path& srcRoot)
{
    static const std::regex installer(R"re(\bSet\w*(Host|Service)\s*\()re");
    static const std::regex state(
        R"re(^\s*(static|thread_local)\s+(?!constexpr|const\b|inline\b)[\w:<>,*& ]+?\s+\*?\s*\w+\s*(=|;|\{))re");
    std::vector<Finding> findings;
    for (const auto& entry : fs::recursive_directory_iterator(srcRoot)) {
        const auto ext = entry.path().extension();
        if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp")) continue;
        const std::string relative = fs::relative(entry.path(), srcRoot).generic_string();
        const bool allowed = AllowedProcessState().count(relative) > 0;
        std::ifstream in(entry.path());
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            const std::string where = relative + ":" + std::to_string(number);
            if (std::regex_search(line, installer)) findings.push_back({where, "installs a host process-wide"});
            if (!allowed && std::regex_search(line, state)) findings.push_back({where, "process-wide state"});
        }
    }
    return findings;
}

TEST(IncludeLayers, NothingInSrcIsFoundThroughProcessWideState)
{
    const fs::path root = SourceRoot();
    ASSERT_TRUE(fs::exists(root / "src")) << "no src/ below " << root;
    for (const auto& f : ProcessState(root / "src")) ADD_FAILURE() << f.where << ": " << f.what;

    const TempFolder folder("rv-process-state");
    const fs::path src = folder.Path() / "src";
    fs::create_directories(src / "framework");
    std::ofstream(src / "framework/A.cpp") << "MessageHost* SetMessageHost(MessageHost* host);\n";
    std::ofstream(src / "framework/B.cpp") << "Registry& Get()\n{\n    static Registry* registry = new Registry;\n}\n";
    std::ofstream(src / "framework/C.cpp") << "thread_local MessageHost* t_host = nullptr;\n";
    std::ofstream(src / "framework/D.cpp") << "    static constexpr int kLimit = 3;\n    static const Table table{};\n"
                                              "    static int Count(int x);\n";
    std::set<std::string> wrong;
    for (const auto& f : ProcessState(src)) wrong.insert(f.where.substr(0, f.where.find(':')));
    EXPECT_EQ(wrong, (std::set<std::string>{"framework/A.cpp", "framework/B.cpp", "framework/C.cpp"}));
}

}  // namespace
