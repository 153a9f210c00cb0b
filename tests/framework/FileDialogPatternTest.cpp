// The file dialog pattern every file operation shares, against the recording host.
#include "framework/FileDialogHost.h"
#include "support/RecordingFileDialogHost.h"
#include "support/RecordingMessageHost.h"
#include "support/TestHosts.h"

#include <gtest/gtest.h>

namespace {

FileDialogRequest SaveRequest()
{
    FileDialogRequest request;
    request.mode = FileDialogMode::Save;
    request.startFolder = "/data/cam";
    request.filters = {{"Camera setting file (*.cam)", "*.cam"}};
    request.defaultExtension = "cam";
    return request;
}

TEST(FileDialogPattern, DialogErrorShowsItsReturnCode)
{
    RecordingFileDialogHost files;
    RecordingMessageHost messages;
    files.QueueError(12290);
    std::string path;
    EXPECT_EQ(ChooseFile(TestHosts().fileDialogs, TestHosts().messages, SaveRequest(), path), 0);
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text, "Error in Load Dialog! (Return-code = 12290)");
    EXPECT_EQ(messages.Shown()[0].caption, "Load Error");
    EXPECT_EQ(messages.Shown()[0].icon, MessageIcon::Exclamation);
}

struct ExtensionCase {
    const char* typed;
    const char* expected;
};

class DefaultExtension : public ::testing::TestWithParam<ExtensionCase> {};

TEST_P(DefaultExtension, AppendedOnlyToNamesWithoutOne)
{
    EXPECT_EQ(WithDefaultExtension(GetParam().typed, "cam"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Names, DefaultExtension,
                         ::testing::Values(ExtensionCase{"/d/settings", "/d/settings.cam"},
                                           ExtensionCase{"/d/settings.cam", "/d/settings.cam"},
                                           ExtensionCase{"/d/settings.txt", "/d/settings.txt"},
                                           ExtensionCase{"/d.v2/settings", "/d.v2/settings.cam"},
                                           ExtensionCase{"C:\\d.v2\\settings", "C:\\d.v2\\settings.cam"},
                                           ExtensionCase{"/d/.hidden", "/d/.hidden.cam"},
                                           ExtensionCase{"/d/settings.", "/d/settings.cam"}, ExtensionCase{"", ""}));

TEST(FileDialogPattern, OpenAppendsTheExtensionAndNeverAsksToReplace)
{
    RecordingFileDialogHost files;
    RecordingMessageHost messages;
    FileDialogRequest request = SaveRequest();
    request.mode = FileDialogMode::Open;
    files.AddExistingFile("/data/cam/a.cam");
    files.QueuePath("/data/cam/a");
    std::string path;
    EXPECT_EQ(ChooseFile(TestHosts().fileDialogs, TestHosts().messages, request, path), 1);
    EXPECT_EQ(path, "/data/cam/a.cam");
    EXPECT_TRUE(messages.Shown().empty());
}

TEST(FileDialogPattern, OverwriteYesTakesTheExistingFile)
{
    RecordingFileDialogHost files;
    RecordingMessageHost messages;
    files.AddExistingFile("/data/cam/old.cam");
    files.QueuePath("/data/cam/old");
    messages.QueueAnswer(MessageResult::Yes);
    std::string path;
    EXPECT_EQ(ChooseFile(TestHosts().fileDialogs, TestHosts().messages, SaveRequest(), path), 1);
    EXPECT_EQ(path, "/data/cam/old.cam");
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text, "/data/cam/old.cam\nThis file already exists.\nReplace existing file?");
    EXPECT_EQ(messages.Shown()[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(messages.Shown()[0].icon, MessageIcon::Question);
}

TEST(FileDialogPattern, OverwriteNoEndsTheSaveWithoutAnotherDialog)
{
    RecordingFileDialogHost files;
    RecordingMessageHost messages;
    files.AddExistingFile("/data/cam/old.cam");
    files.QueuePath("/data/cam/old.cam");
    files.QueuePath("/data/cam/other.cam");
    messages.QueueAnswer(MessageResult::No);
    std::string path;
    EXPECT_EQ(ChooseFile(TestHosts().fileDialogs, TestHosts().messages, SaveRequest(), path), 0);
    EXPECT_TRUE(path.empty());
    EXPECT_EQ(files.Shown().size(), 1u);
}

TEST(FileDialogPattern, CannotOpenNamesThePath)
{
    RecordingMessageHost messages;
    ReportCannotOpen(TestHosts().messages, "/data/cam/x.cam");
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0], "/data/cam/x.cam\nCouldn't open this file");
}

}  // namespace
