// The identity operations against the simulated camera: the user id limit, the camera id unlock, the
// device version's four parts, and the texts the operator reads.
#include "dialogs/CameraIdentity.h"

#include "dialogs/IdentityFixture.h"
#include "support/TestHosts.h"
#include "tables/CommandTable.h"

namespace {

using Strings = std::vector<std::string>;

// ---- device version and camera id texts ----

struct SplitCase {
    const char* answer;
    int result;
    CameraIdentity::DeviceVersion parts;
};

class DeviceVersionSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(DeviceVersionSplit, ExactlyThreePointsGiveFourWholeParts)
{
    const SplitCase& c = GetParam();
    CameraIdentity::DeviceVersion parts = {"?", "?", "?", "?"};
    EXPECT_EQ(CameraIdentity::SplitDeviceVersion(c.answer, parts), c.result);
    EXPECT_EQ(parts, c.parts) << "a text that does not split leaves the parts as they were";
}

const CameraIdentity::DeviceVersion kUnread = {"?", "?", "?", "?"};

// The camera's own answers (1.10.2.3, 1.2.3, 1.2.3.4.5, empty) go through the about dialog.
INSTANTIATE_TEST_SUITE_P(Answers, DeviceVersionSplit,
                         ::testing::Values(SplitCase{"a.bc.d.efgh", 1, {"a", "bc", "d", "efgh"}},
                                           SplitCase{"1.2.3.", 1, {"1", "2", "3", ""}},
                                           SplitCase{"...", 1, {"", "", "", ""}}, SplitCase{"1", 0, kUnread},
                                           SplitCase{"1..2", 0, kUnread}));

// The parts and fields joined are what the saves below send; a character beyond ASCII is taken whole, never
// as half of its bytes.
TEST(CameraIdentityTexts, ACharacterBeyondAsciiIsTakenWhole)
{
    EXPECT_EQ(CameraIdentity::FirstCharacter("\xC3\xA9t\xC3\xA9"), "\xC3\xA9");
    EXPECT_EQ(CameraIdentity::FirstCharacter("\xE2\x82\xAC"
                                             "1"),
              "\xE2\x82\xAC");
    EXPECT_EQ(CameraIdentity::FirstCharacter("\xC3"), "\xC3");
    EXPECT_EQ(CameraIdentity::FirstCharacter(""), "");
}

// ---- user id save ----

struct UserIdCase {
    const char* name;
    std::string text;
    bool sent;
    std::string message;
    MessageIcon icon;
};

class UserIdSave : public IdentityFixture, public ::testing::WithParamInterface<UserIdCase> {};

TEST_P(UserIdSave, SixtyFourBytesAtMost)
{
    const UserIdCase& c = GetParam();
    StartCamera();
    CameraIdentity identity(GetCommand(), TestHosts());
    EXPECT_EQ(identity.SaveUserId(c.text), c.sent ? 1 : 0);
    EXPECT_EQ(Received(), c.sent ? Strings{"UD=" + c.text} : Strings{});
    ASSERT_EQ(messages_.Shown().size(), 1u) << ::testing::PrintToString(messages_.Texts());
    EXPECT_EQ(messages_.Shown()[0].text, c.message);
    EXPECT_EQ(messages_.Shown()[0].icon, c.icon);
}

const std::string k64(64, 'u');
const std::string k65(65, 'u');
// 63 letters and one two-byte character: 64 characters, 65 bytes.
const std::string k65Bytes = std::string(63, 'u') + "\xC3\xA9";

INSTANTIATE_TEST_SUITE_P(
    Texts, UserIdSave,
    ::testing::Values(
        UserIdCase{"Bytes64", k64, true, "Writing the User ID \"" + k64 + "\" has been completed.",
                   MessageIcon::Information},
        UserIdCase{"Bytes65", k65, false, "User ID string is too long !!", MessageIcon::Stop},
        UserIdCase{"Bytes65In64Characters", k65Bytes, false, "User ID string is too long !!", MessageIcon::Stop},
        UserIdCase{"Empty", "", true, "Writing the User ID \"\" has been completed.", MessageIcon::Information},
        UserIdCase{"Percent", "50%s line", true, "Writing the User ID \"50%s line\" has been completed.",
                   MessageIcon::Information}),
    [](const ::testing::TestParamInfo<UserIdCase>& tp) { return std::string(tp.param.name); });

TEST_F(IdentityFixture, RefusedUserIdSaysSoAfterTheCameraReport)
{
    camsim::CameraConfig config;
    config.garbage = true;  // every answer is noise: the camera refuses whatever it is sent
    StartCamera(config);
    CameraIdentity identity(GetCommand(), TestHosts());
    EXPECT_EQ(identity.SaveUserId("line 4"), 0);
    ASSERT_FALSE(messages_.Shown().empty());
    EXPECT_EQ(LastMessage(), "Couldn't write the User ID.");
    EXPECT_EQ(messages_.Shown().back().icon, MessageIcon::Stop);
}

// ---- camera id save ----

struct CameraIdCase {
    const char* name;
    int unlockCode;
    CameraIdentity::CameraIdFields fields;
    Strings lines;
    std::string message;
    int result;
};

class CameraIdSave : public IdentityFixture, public ::testing::WithParamInterface<CameraIdCase> {};

TEST_P(CameraIdSave, UnlockThenFirstCharacters)
{
    const CameraIdCase& c = GetParam();
    camsim::CameraConfig config;
    config.unlockCode = c.unlockCode;
    StartCamera(config);
    CameraIdentity identity(GetCommand(), TestHosts());
    EXPECT_EQ(identity.SaveCameraId(c.fields), c.result);
    EXPECT_EQ(Received(), c.lines);
    EXPECT_EQ(LastMessage(), c.message);
    EXPECT_EQ(messages_.Shown().back().icon, c.result ? MessageIcon::Information : MessageIcon::Stop);
    if (c.result) {
        std::string id;
        const RequestOutcome idAsked = GetCommand().Ask(cmd::ID, 1000);
        ASSERT_TRUE(idAsked.Answered());
        id = idAsked.value.text;
        EXPECT_EQ("ID00=" + id, c.lines.back()) << "the camera keeps what was sent";
    }
}

constexpr int kCode = CameraIdentity::kUnlockCode;
const std::string kUnlock = "ULCK=5829317";

INSTANTIATE_TEST_SUITE_P(
    Fields, CameraIdSave,
    ::testing::Values(
        CameraIdCase{"Three", kCode, {"A", "B", "C"}, {kUnlock, "ID00=ABC"}, "Completed saving camera id: ABC.", 1},
        CameraIdCase{"GapCloses",
                     kCode,
                     {"A", "", "C", "", "", "", "", "", "", "J"},
                     {kUnlock, "ID00=ACJ"},
                     "Completed saving camera id: ACJ.",
                     1},
        CameraIdCase{"Ten",
                     kCode,
                     {"X", "C", "8", "2", "0", "0", "0", "4", "1", "7"},
                     {kUnlock, "ID00=XC82000417"},
                     "Completed saving camera id: XC82000417.",
                     1},
        // The camera refuses an empty id: the second text, not the unlock's.
        CameraIdCase{"EmptyIdRefused", kCode, {}, {kUnlock, "ID00="}, "Couldn't save the camera id.", 0},
        // Another camera's unlock code: nothing follows the refused unlock.
        CameraIdCase{"UnlockRefused", 1234567, {"A", "B", "C"}, {kUnlock}, "Couldn't save camera id.", 0}),
    [](const ::testing::TestParamInfo<CameraIdCase>& tp) { return std::string(tp.param.name); });

// ---- device version save ----

TEST_F(IdentityFixture, DeviceVersionSavesOneCharacterPerPart)
{
    StartCamera();
    CameraIdentity identity(GetCommand(), TestHosts());
    EXPECT_EQ(identity.SaveDeviceVersion({"1", "10", "2", "3"}), 1);
    EXPECT_EQ(LastMessage(), "Writing the Device Version has been completed.");
    EXPECT_EQ(identity.SaveDeviceVersion({"1", "", "2", "3"}), 0) << "the camera refuses an empty part";
    EXPECT_EQ(LastMessage(), "Couldn't write the Device Version.");
    EXPECT_EQ(Received(), (Strings{"DV00=1.1.2.3", "DV00=1..2.3"}));
    std::string version;
    const RequestOutcome versionAsked = GetCommand().Ask(cmd::DV, 1000);
    ASSERT_TRUE(versionAsked.Answered());
    version = versionAsked.value.text;
    EXPECT_EQ(version, "1.1.2.3") << "the refused write changed nothing";
}

}  // namespace
