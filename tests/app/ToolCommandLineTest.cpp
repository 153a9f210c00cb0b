#include "app/ToolCommandLine.h"

#include "support/ScopedEnv.h"

#include <gtest/gtest.h>

#include <rv_build_version.h>

namespace {

using Action = ToolCommandLine::Action;

struct LineCase {
    const char* name;
    QStringList arguments;  // after the program name
    bool unknownIsError;
    Action action;
    const char* textContains;
};

class ToolCommandLineCases : public ::testing::TestWithParam<LineCase> {};

TEST_P(ToolCommandLineCases, PicksTheActionAndItsText)
{
    const LineCase& c = GetParam();
    const auto request =
        ToolCommandLine::Parse(QStringList{QStringLiteral("rv8200xc-control-tool")} + c.arguments, c.unknownIsError);
    EXPECT_EQ(request.action, c.action);
    EXPECT_TRUE(request.text.contains(QString::fromUtf8(c.textContains))) << request.text.toStdString();
}

const QString kUnknown = QStringLiteral("--frobnicate");

INSTANTIATE_TEST_SUITE_P(
    Lines, ToolCommandLineCases,
    ::testing::Values(
        LineCase{"Nothing", {}, true, Action::Start, ""},
        LineCase{
            "Version", {QStringLiteral("--version")}, true, Action::Version, "rv8200xc-control-tool " RV_VERSION_TEXT},
        LineCase{"ShortVersion", {QStringLiteral("-v")}, true, Action::Version, RV_VERSION_TEXT},
        LineCase{"Help", {QStringLiteral("--help")}, true, Action::Help, "--version"},
        LineCase{"HelpNamesThePorts", {QStringLiteral("-h")}, true, Action::Help, "COM1 to COM16"},
        // Before the window system took its options out, -platform and friends are not ours to reject ...
        LineCase{"QtOptionBeforeTheWindowSystem",
                 {QStringLiteral("-platform"), QStringLiteral("offscreen")},
                 false,
                 Action::Start,
                 ""},
        // ... but help still wins when it stands among them.
        LineCase{"HelpAmongUnknownOptions", {kUnknown, QStringLiteral("--help")}, false, Action::Help, "Usage"},
        LineCase{"UnknownOption", {kUnknown}, true, Action::Fail, "frobnicate"},
        LineCase{"StrayArgument", {QStringLiteral("settings.csv")}, true, Action::Fail, "settings.csv"}),
    [](const ::testing::TestParamInfo<LineCase>& tp) { return std::string(tp.param.name); });

// The help names the places the link really uses on this system, not a fixed text.
TEST(ToolCommandLine, HelpNamesTheCameraLinkFolderInForce)
{
    const auto request = [] {
        const ScopedEnv folder("CLSERIALPATH", "/opt/grabber/serial");
        return ToolCommandLine::Parse({QStringLiteral("rv8200xc-control-tool"), QStringLiteral("-h")}, true);
    }();
    EXPECT_TRUE(request.text.contains(QStringLiteral("loaded from /opt/grabber/serial.")))
        << request.text.toStdString();
}

}  // namespace
