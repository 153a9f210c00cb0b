// The three Camera Link library kinds against simulated frame-grabber libraries, loaded for real.
#include "support/ClSimFolder.h"
#include "support/ScopedEnv.h"

#include "link/ClSerial2000.h"
#include "link/ClSerial2001.h"
#include "link/ClSerialV11.h"
#include "support/RecordingMessageHost.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

namespace {

using Strings = std::vector<std::string>;
const std::string kNotSupported = "Selected baud rate is not supported.";

// One library kind as the tests set it up: where its library comes from, the file name it must have,
// and how to make a fresh object on a folder.
struct KindCase {
    const char* label;
    const char* built;  // the simulated library in the build tree
    const char* fileName;  // the name the kind looks for
    const char* faulty;  // a variant lacking one bound function
    std::function<std::unique_ptr<ClSerialLibrary>(const std::string&)> make;
};

void PrintTo(const KindCase& kind, std::ostream* out) { *out << kind.label; }

std::string Stem(const KindCase& kind)
{
    std::string name = kind.fileName;
    return name.substr(0, name.rfind('.'));
}

const KindCase kKinds[] = {
    {"Kind2000", "2000/clsersim.so", "clsersim.so", "faulty/clsersim-noclose.so",
     [](const std::string& folder) { return std::make_unique<ClSerial2000>(folder); }},
    {"Kind2001", "2001/clserial.so", "clserial.so", "faulty/clserial-noportid.so",
     [](const std::string& folder) { return std::make_unique<ClSerial2001>(folder); }},
    {"KindV11", "v11/clallserial.so", "clallserial.so", "faulty/clallserial-noflush.so",
     [](const std::string& folder) { return std::make_unique<ClSerialV11>(folder); }},
};

class EveryKind : public testing::TestWithParam<KindCase> {
protected:
    RecordingMessageHost messages_;
    ClSimFolder folder_;
};

INSTANTIATE_TEST_SUITE_P(Cl, EveryKind, testing::ValuesIn(kKinds),
                         [](const testing::TestParamInfo<KindCase>& tp) { return tp.param.label; });

TEST_P(EveryKind, EmptyOrMissingFolderGivesNoEntriesAndNothingOpens)
{
    for (const std::string& path : {folder_.Path(), folder_.Path() + "/does-not-exist"}) {
        SCOPED_TRACE(path);
        auto kind = GetParam().make(path);
        EXPECT_EQ(kind->ScanEntries(), 0);
        EXPECT_EQ(kind->EntryName(0), "");
        EXPECT_EQ(kind->OpenEntry(0), 0);
        EXPECT_FALSE(kind->IsEntryOpen());
        std::uint8_t byte = 0;
        EXPECT_EQ(kind->ReadBytes(&byte, 1, 10), 0);
        EXPECT_EQ(kind->WriteBytes(&byte, 1, 500), 0);
    }
    EXPECT_TRUE(messages_.Shown().empty());
}

TEST_P(EveryKind, ConversationWithTheCameraBehindEntryZero)
{
    folder_.AddLibrary(GetParam().built, GetParam().fileName);
    auto kind = GetParam().make(folder_.Path());
    ASSERT_GE(kind->ScanEntries(), 1);
    ASSERT_EQ(kind->OpenEntry(0), 1);
    EXPECT_TRUE(kind->IsLibraryLoaded());
    ASSERT_EQ(kind->SetBaudRate(9600), 1);
    EXPECT_EQ(Converse(*kind, "MD?"), "MD=RV-8200-A1");
    EXPECT_EQ(Converse(*kind, "GA=300"), "COMPLETE");
    EXPECT_EQ(Converse(*kind, "GA?"), "GA=300");
    kind->CloseEntry();
    EXPECT_FALSE(kind->IsEntryOpen());
    EXPECT_FALSE(kind->IsLibraryLoaded());
    EXPECT_TRUE(folder_.Called(Stem(GetParam()), "clSerialClose"));
    EXPECT_TRUE(messages_.Shown().empty());
}

TEST_P(EveryKind, LibraryLackingOneBoundFunctionIsNeverUsed)
{
    // The missing functions are ones the tool never calls (or, for the 2000 kind, only at close): the
    // binding still refuses the library.
    folder_.AddLibrary(GetParam().faulty, GetParam().fileName, "port A P0\n");
    auto kind = GetParam().make(folder_.Path());
    int entries = kind->ScanEntries();
    if (std::string(GetParam().label) == "Kind2000") {
        // The 2000 kind lists files without loading them; the open is what fails.
        EXPECT_EQ(entries, 1);
    } else {
        EXPECT_EQ(entries, 0);
    }
    EXPECT_EQ(kind->OpenEntry(0), 0);
    EXPECT_FALSE(kind->IsEntryOpen());
    EXPECT_FALSE(folder_.Called(Stem(GetParam()), "clSerialInit"));
}

TEST_P(EveryKind, FailedInitLeavesTheLibraryLoadedUntilClose)
{
    folder_.AddLibrary(GetParam().built, GetParam().fileName,
                       "port A P0 init-error=CL_ERR_PORT_IN_USE\nport A P1 init-error=CL_ERR_PORT_IN_USE\n");
    auto kind = GetParam().make(folder_.Path());
    ASSERT_GE(kind->ScanEntries(), 1);
    EXPECT_EQ(kind->OpenEntry(0), 0);
    EXPECT_FALSE(kind->IsEntryOpen());
    EXPECT_TRUE(kind->IsLibraryLoaded());
    kind->CloseEntry();
    EXPECT_FALSE(kind->IsLibraryLoaded());
    // Nothing was open, so nothing is closed in the library.
    EXPECT_FALSE(folder_.Called(Stem(GetParam()), "clSerialClose"));
}

TEST_P(EveryKind, OpenBeforeAScanOrBeyondTheListFailsWithoutLoading)
{
    folder_.AddLibrary(GetParam().built, GetParam().fileName);
    auto kind = GetParam().make(folder_.Path());
    EXPECT_EQ(kind->OpenEntry(0), 0) << "no scan yet";
    int entries = kind->ScanEntries();
    ASSERT_GE(entries, 1);
    for (int index : {entries, entries + 5, -1}) {
        EXPECT_EQ(kind->OpenEntry(index), 0) << index;
        EXPECT_FALSE(kind->IsLibraryLoaded()) << index;
        EXPECT_EQ(kind->EntryName(index), "") << index;
    }
}

TEST_P(EveryKind, ReadAndWriteErrorsGiveZero)
{
    folder_.AddLibrary(GetParam().built, GetParam().fileName,
                       "port A P0 read-error=CL_ERR_INVALID_REFERENCE write-error=CL_ERR_TIMEOUT\n"
                       "port A P1 read-error=CL_ERR_INVALID_REFERENCE write-error=CL_ERR_TIMEOUT\n");
    auto kind = GetParam().make(folder_.Path());
    ASSERT_GE(kind->ScanEntries(), 1);
    ASSERT_EQ(kind->OpenEntry(0), 1);
    std::uint8_t bytes[4] = {'M', 'D', '?', '\n'};
    EXPECT_EQ(kind->WriteBytes(bytes, 4, 500), 0);
    EXPECT_EQ(kind->ReadBytes(bytes, 1, 10), 0);
}

TEST_P(EveryKind, SilentCameraReadsNothingWithinTheTimeout)
{
    folder_.AddLibrary(GetParam().built, GetParam().fileName, "port A P0 silent\nport A P1 silent\n");
    auto kind = GetParam().make(folder_.Path());
    ASSERT_GE(kind->ScanEntries(), 1);
    ASSERT_EQ(kind->OpenEntry(0), 1);
    EXPECT_EQ(Converse(*kind, "MD?", 200), "");
}

TEST_P(EveryKind, AReferenceOfZeroIsAnOpenPortLikeAnyOther)
{
    folder_.AddLibrary(GetParam().built, GetParam().fileName, "references index\nport A P0\nport A P1\n");
    auto kind = GetParam().make(folder_.Path());
    ASSERT_GE(kind->ScanEntries(), 1);
    ASSERT_EQ(kind->OpenEntry(0), 1);
    EXPECT_TRUE(kind->IsEntryOpen());
    ASSERT_EQ(kind->SetBaudRate(9600), 1);
    EXPECT_EQ(Converse(*kind, "MD?"), "MD=RV-8200-A1");
    kind->CloseEntry();
    // Closed in the library too: a second open is not refused as "in use".
    EXPECT_FALSE(folder_.Called(Stem(GetParam()), "clSerialClose (not open)"));
    EXPECT_EQ(kind->OpenEntry(0), 1);
}

TEST_P(EveryKind, ReopeningAfterCloseReachesTheSameCamera)
{
    folder_.AddLibrary(GetParam().built, GetParam().fileName);
    auto kind = GetParam().make(folder_.Path());
    ASSERT_GE(kind->ScanEntries(), 1);
    ASSERT_EQ(kind->OpenEntry(0), 1);
    ASSERT_EQ(Converse(*kind, "GA=420"), "COMPLETE");
    kind->CloseEntry();
    // An open while open closes the earlier one first: the port is not reported in use.
    ASSERT_EQ(kind->OpenEntry(0), 1);
    ASSERT_EQ(kind->OpenEntry(0), 1);
    EXPECT_EQ(Converse(*kind, "GA?"), "GA=420");
}

// One kind at a time.
class OneKind : public testing::Test {
protected:
    RecordingMessageHost messages_;
    ClSimFolder folder_;
};
using Kind2000 = OneKind;
using Kind2001 = OneKind;
using KindV11 = OneKind;

// The 2000 kind.

TEST_F(Kind2000, ListsMatchingLibraryFilesSortedWithoutLoadingThem)
{
    folder_.AddLibrary("2000/clsersim.so", "clserZeta.so");
    folder_.AddLibrary("2000/clsersim.so", "clserAlpha.so");
    folder_.AddLibrary("2001/clserial.so", "clserial.so");  // matches as well, as on Windows
    folder_.AddLibrary("2000/clsersim.so", "other.so");
    folder_.AddFile("clser.txt");
    folder_.AddFile("clserfolder.so/");
    folder_.AddFile("Clserupper.so");
    ClSerial2000 kind(folder_.Path());
    EXPECT_EQ(kind.ScanEntries(), 3);
    EXPECT_EQ(kind.EntryName(0), "clserAlpha.so");
    EXPECT_EQ(kind.EntryName(1), "clserZeta.so");
    EXPECT_EQ(kind.EntryName(2), "clserial.so");
    EXPECT_FALSE(kind.IsLibraryLoaded());
    EXPECT_TRUE(folder_.Calls("clserAlpha").empty());
}

TEST_F(Kind2000, RescanForgetsLibrariesThatWereRemoved)
{
    folder_.AddLibrary("2000/clsersim.so", "clserA.so");
    ClSerial2000 kind(folder_.Path());
    ASSERT_EQ(kind.ScanEntries(), 1);
    std::filesystem::remove(folder_.Path() + "/clserA.so");
    EXPECT_EQ(kind.ScanEntries(), 0);
    EXPECT_EQ(kind.OpenEntry(0), 0);
}

TEST_F(Kind2000, EntryNOpensSerialIndexNOfItsOwnLibrary)
{
    folder_.AddLibrary("2000/clsersim.so", "clserA.so", "port A P0 model=RV-8200-A1\n");
    folder_.AddLibrary("2000/clsersim.so", "clserB.so", "port B P0 model=X0\nport B P1 model=RV-8200-B1\n");
    ClSerial2000 kind(folder_.Path());
    ASSERT_EQ(kind.ScanEntries(), 2);
    ASSERT_EQ(kind.OpenEntry(1), 1);
    EXPECT_EQ(Converse(kind, "MD?"), "MD=RV-8200-B1");
    EXPECT_TRUE(folder_.Called("clserB", "clSerialInit 1 -> CL_ERR_NO_ERR"));
    EXPECT_TRUE(folder_.Calls("clserA").empty());
}

struct RateCase {
    int rate;
    int result;
};

void PrintTo(const RateCase& c, std::ostream* out) { *out << c.rate << " bit/s"; }

class Kind2000Rates : public testing::TestWithParam<RateCase> {};

TEST_P(Kind2000Rates, OnlyNineSixHundredIsAcceptedAndTheLibraryIsNotAsked)
{
    RecordingMessageHost messages;
    ClSimFolder folder;
    folder.AddLibrary("2000/clsersim.so", "clserA.so");
    ClSerial2000 kind(folder.Path());
    ASSERT_EQ(kind.ScanEntries(), 1);
    ASSERT_EQ(kind.OpenEntry(0), 1);
    EXPECT_EQ(kind.SetBaudRate(GetParam().rate), GetParam().result);
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_EQ(kind.LastError(), GetParam().result == 1 ? "" : kNotSupported);
    EXPECT_EQ(folder.Calls("clserA"), Strings{"clSerialInit 0 -> CL_ERR_NO_ERR"});
    // A refused rate leaves the entry open at the library's own rate.
    EXPECT_TRUE(kind.IsEntryOpen());
    EXPECT_EQ(Converse(kind, "MD?"), "MD=RV-8200-A1");
}

INSTANTIATE_TEST_SUITE_P(Cl, Kind2000Rates,
                         testing::Values(RateCase{9600, 1}, RateCase{19200, 0}, RateCase{115200, 0}, RateCase{0, 0},
                                         RateCase{-9600, 0}));

// The 2001 kind.

TEST_F(Kind2001, ListsMakersInIndexOrderAndUnloadsAfterTheScan)
{
    folder_.AddLibrary("2001/clserial.so", "clserial.so", "port Zeta P0\nport Alpha P0\nport Zeta P1\n");
    ClSerial2001 kind(folder_.Path());
    EXPECT_EQ(kind.ScanEntries(), 2);
    EXPECT_EQ(kind.EntryName(0), "Zeta");
    EXPECT_EQ(kind.EntryName(1), "Alpha");
    EXPECT_FALSE(kind.IsLibraryLoaded());
}

// The simulated libraries stay mapped once loaded (they keep their cameras), so a library "going away"
// is a change of CLSERIALPATH to a folder without it, seen by an object on the system folder.
using ClserialpathScope = std::optional<ScopedEnv>;

TEST_F(Kind2001, AScanThatCannotLoadKeepsTheEarlierList)
{
    folder_.AddLibrary("2001/clserial.so", "clserial.so");
    ClSimFolder empty;
    ClserialpathScope path(std::in_place, "CLSERIALPATH", folder_.Path());
    ClSerial2001 kind;
    ASSERT_EQ(kind.ScanEntries(), 2);
    path.emplace("CLSERIALPATH", empty.Path());
    EXPECT_EQ(kind.ScanEntries(), 2);
    EXPECT_EQ(kind.EntryName(1), "B");
    EXPECT_EQ(kind.OpenEntry(0), 0);
}

TEST_F(Kind2001, OpenSelectsTheMakerOfTheEntry)
{
    folder_.AddLibrary("2001/clserial.so", "clserial.so",
                       "port A P0\nport B P0 model=X0\nport B P1 model=RV-8200-B1\n");
    ClSerial2001 kind(folder_.Path());
    ASSERT_EQ(kind.ScanEntries(), 2);
    ASSERT_EQ(kind.OpenEntry(1), 1);
    EXPECT_TRUE(folder_.Called("clserial", "clSelectManufacturer B"));
    EXPECT_TRUE(folder_.Called("clserial", "clSerialInit 1 -> CL_ERR_NO_ERR"));
    EXPECT_EQ(Converse(kind, "MD?"), "MD=RV-8200-B1");
}

TEST_F(Kind2001, MakerWithTooFewPortsFailsToOpen)
{
    // Entry 1 is serial index 1 of maker B, which has one port only.
    folder_.AddLibrary("2001/clserial.so", "clserial.so", "port A P0\nport B P0\n");
    ClSerial2001 kind(folder_.Path());
    ASSERT_EQ(kind.ScanEntries(), 2);
    EXPECT_EQ(kind.OpenEntry(1), 0);
    EXPECT_FALSE(kind.IsEntryOpen());
}

// Rate refusals of the 2001 and version 1.1 kinds: the refused entry stays open, the message names the
// kind's text.
struct RefusalCase {
    const char* label;
    const char* portOptions;  // appended to every configured port
    int rate;
};

void PrintTo(const RefusalCase& c, std::ostream* out) { *out << c.label; }

const RefusalCase kRefusals[] = {
    {"NotInMask", "rates=9600,19200", 115200},
    {"UnknownRate", "", 14400},
    {"SupportedRatesFails", "rates-error=CL_ERR_INVALID_REFERENCE", 19200},
    {"SetFailsAfterListing", "set-error=CL_ERR_BAUD_RATE_NOT_SUPPORTED", 19200},
};

class RateRefusal : public testing::TestWithParam<std::tuple<KindCase, RefusalCase>> {};

TEST_P(RateRefusal, RefusedRateShowsTheMessageAndKeepsTheEntryOpen)
{
    const KindCase& kindCase = std::get<0>(GetParam());
    const RefusalCase& refusal = std::get<1>(GetParam());
    RecordingMessageHost messages;
    ClSimFolder folder;
    std::string options = refusal.portOptions;
    folder.AddLibrary(kindCase.built, kindCase.fileName,
                      "port Acme Port0 " + options + "\nport Acme Port1 " + options + "\n");
    auto kind = kindCase.make(folder.Path());
    ASSERT_EQ(kind->ScanEntries(), kindCase.label == std::string("KindV11") ? 2 : 1);
    ASSERT_EQ(kind->OpenEntry(0), 1);
    EXPECT_EQ(kind->SetBaudRate(refusal.rate), 0);
    std::string expected = kindCase.label == std::string("KindV11")
                               ? "Selected baud rate is not supported in Acme - Port0."
                               : kNotSupported;
    EXPECT_EQ(kind->LastError(), expected);
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_TRUE(kind->IsEntryOpen());
    EXPECT_EQ(Converse(*kind, "MD?"), "MD=RV-8200-A1");
    kind->CloseEntry();
    EXPECT_TRUE(folder.Called(Stem(kindCase), "clSerialClose"));
}

INSTANTIATE_TEST_SUITE_P(Cl, RateRefusal,
                         testing::Combine(testing::Values(kKinds[1], kKinds[2]), testing::ValuesIn(kRefusals)),
                         [](const testing::TestParamInfo<std::tuple<KindCase, RefusalCase>>& tp) {
                             return std::string(std::get<0>(tp.param).label) + "_" + std::get<1>(tp.param).label;
                         });

class RateChange : public testing::TestWithParam<KindCase> {};

TEST_P(RateChange, CameraAndPortMoveTogetherAndTheCameraKeepsItsSpeedAcrossReopen)
{
    RecordingMessageHost messages;
    ClSimFolder folder;
    folder.AddLibrary(GetParam().built, GetParam().fileName);
    auto kind = GetParam().make(folder.Path());
    ASSERT_GE(kind->ScanEntries(), 1);
    EXPECT_EQ(kind->SetBaudRate(115200), 0) << "no entry open";
    EXPECT_TRUE(messages.Shown().empty());
    ASSERT_EQ(kind->OpenEntry(0), 1);
    ASSERT_EQ(kind->SetBaudRate(9600), 1);
    ASSERT_EQ(Converse(*kind, "CBDRT=16"), "COMPLETE");
    // The camera listens at 115200 now; the port at 9600 reaches nothing.
    EXPECT_EQ(Converse(*kind, "MD?", 200), "");
    ASSERT_EQ(kind->SetBaudRate(115200), 1);
    EXPECT_TRUE(folder.Called(Stem(GetParam()), "clSetBaudRate 16 -> CL_ERR_NO_ERR"));
    EXPECT_EQ(Converse(*kind, "MD?"), "MD=RV-8200-A1");
    // The link's reopen at the new rate: the library is unloaded and loaded again.
    kind->CloseEntry();
    ASSERT_EQ(kind->OpenEntry(0), 1);
    ASSERT_EQ(kind->SetBaudRate(115200), 1);
    EXPECT_EQ(Converse(*kind, "MD?"), "MD=RV-8200-A1");
    EXPECT_TRUE(messages.Shown().empty());
}

INSTANTIATE_TEST_SUITE_P(Cl, RateChange, testing::Values(kKinds[1], kKinds[2]),
                         [](const testing::TestParamInfo<KindCase>& tp) { return tp.param.label; });

// Version 1.1.

TEST_F(KindV11, PortsOfOneMakerListInIndexOrder)
{
    folder_.AddLibrary("v11/clallserial.so", "clallserial.so", "port A P0\nport A P1\n");
    ClSerialV11 kind(folder_.Path());
    EXPECT_EQ(kind.ScanEntries(), 2);
    EXPECT_EQ(kind.EntryName(0), "A - P0");
    EXPECT_EQ(kind.EntryName(1), "A - P1");
    EXPECT_FALSE(kind.IsLibraryLoaded());
}

TEST_F(KindV11, AScanThatCannotLoadEmptiesTheList)
{
    folder_.AddLibrary("v11/clallserial.so", "clallserial.so");
    ClSimFolder empty;
    ClserialpathScope path(std::in_place, "CLSERIALPATH", folder_.Path());
    ClSerialV11 kind;
    ASSERT_EQ(kind.ScanEntries(), 3);
    path.emplace("CLSERIALPATH", empty.Path());
    EXPECT_EQ(kind.ScanEntries(), 0);
    EXPECT_EQ(kind.EntryName(0), "");
}

TEST_F(KindV11, EachPortIsItsOwnCamera)
{
    folder_.AddLibrary("v11/clallserial.so", "clallserial.so", "port A P0\nport B P0 model=RV-8200-B1\n");
    ClSerialV11 kind(folder_.Path());
    ASSERT_EQ(kind.ScanEntries(), 2);
    EXPECT_EQ(kind.EntryName(1), "B - P0");
    ASSERT_EQ(kind.OpenEntry(1), 1);
    EXPECT_EQ(Converse(kind, "MD?"), "MD=RV-8200-B1");
    ASSERT_EQ(kind.OpenEntry(0), 1);
    EXPECT_EQ(Converse(kind, "MD?"), "MD=RV-8200-A1");
}

TEST_F(KindV11, RescanWhileOpenLeavesTheOpenPortWorking)
{
    folder_.AddLibrary("v11/clallserial.so", "clallserial.so", "port Acme Port0 rates=9600\n");
    ClSerialV11 kind(folder_.Path());
    ASSERT_EQ(kind.ScanEntries(), 1);
    ASSERT_EQ(kind.OpenEntry(0), 1);
    // The communication dialog refills its list while the link is open.
    ASSERT_EQ(kind.ScanEntries(), 1);
    EXPECT_TRUE(kind.IsLibraryLoaded());
    EXPECT_EQ(Converse(kind, "MD?"), "MD=RV-8200-A1");
    EXPECT_EQ(kind.SetBaudRate(19200), 0);
    EXPECT_EQ(kind.LastError(), "Selected baud rate is not supported in Acme - Port0.");
    kind.CloseEntry();
    EXPECT_TRUE(folder_.Called("clallserial", "clSerialClose"));
    EXPECT_FALSE(folder_.Called("clallserial", "clSerialClose (not open)"));
}

TEST_F(KindV11, ANeverCalledFunctionBesidesFlushIsStillRequired)
{
    folder_.AddLibrary("faulty/clallserial-noavail.so", "clallserial.so");
    ClSerialV11 kind(folder_.Path());
    EXPECT_EQ(kind.ScanEntries(), 0);
}

TEST_F(KindV11, AnUnreadableConfigurationGivesAGrabberWithoutPorts)
{
    folder_.AddLibrary("v11/clallserial.so", "clallserial.so", "port A\n");
    ClSerialV11 kind(folder_.Path());
    EXPECT_EQ(kind.ScanEntries(), 0);
}

// The process-wide objects.

TEST(ClSerialKinds, ModesOneToThreeHaveOneObjectEach)
{
    ClSerialKind* kinds[] = {GetClSerialKind(1), GetClSerialKind(2), GetClSerialKind(3)};
    EXPECT_NE(dynamic_cast<ClSerial2000*>(kinds[0]), nullptr);
    EXPECT_NE(dynamic_cast<ClSerial2001*>(kinds[1]), nullptr);
    EXPECT_NE(dynamic_cast<ClSerialV11*>(kinds[2]), nullptr);
    EXPECT_EQ(GetClSerialKind(2), kinds[1]);
    for (int mode : {0, 4, -1}) {
        EXPECT_EQ(GetClSerialKind(mode), nullptr) << mode;
    }
}

// The version 1.1 object through CLSERIALPATH is the end-to-end ClLinkProcessWide test's.
TEST(ClSerialKinds, ProcessWideObjectsSearchTheFolderNamedByClserialpath)
{
    RecordingMessageHost messages;
    ClSimFolder folder;
    folder.AddLibrary("2000/clsersim.so", "clserX.so");
    const ScopedEnv path("CLSERIALPATH", folder.Path() + "/");
    ClSerialKind* k2000 = GetClSerialKind(1);
    EXPECT_EQ(k2000->ScanEntries(), 1);
    EXPECT_EQ(k2000->EntryName(0), "clserX.so");
}

}  // namespace
