// Reading the simulated camera: the model check, the rows read per model and mode with the progress,
// the whole refresh, and what an unsupported or silent camera leaves untouched.
#include "support/ReaderFixture.h"

#include "dialogs/CProgressBarDialog.h"
#include "framework/OpenDialogList.h"
#include "pages/PageBinding.h"
#include "pages/PageControls.h"
#include "support/TestHosts.h"

#include <QLineEdit>

#include <algorithm>
#include <set>

namespace {

std::string EditText(const PageBinding& pages, int controlId)
{
    auto* edit = qobject_cast<QLineEdit*>(pages.Control(controlId));
    return edit ? edit->text().toStdString() : "<no edit>";
}

struct ReadCase {
    const char* model;
    int factoryMode;
    int queries;
    int lastPercent;
    const char* factorySetting;  // a factory value the camera holds, read only in factory mode
    int factoryId;
};

class ReadAll : public ReaderFixture, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadAll, ReadsEveryRowTheModelAndModeHaveWithTheProgressInPercent)
{
    const ReadCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(StartCamera({"--model", c.model, "--set", "GA=250", "--set", c.factorySetting}));
    ASSERT_EQ(reader_->ModelCheck(), 1);
    SetFactoryMode(c.factoryMode);
    const int gainShadow = table_.GetShadowValue(1041);
    const int factoryDefault = table_.GetDataValue(c.factoryId);
    reader_->ShowAllValues();
    ClearTraffic();

    EXPECT_EQ(reader_->ReadAllSettings(), 1);

    const std::vector<std::string> queries = Queries();
    EXPECT_EQ(static_cast<int>(queries.size()), c.queries);
    EXPECT_EQ(std::set<std::string>(queries.begin(), queries.end()).size(), queries.size()) << "a row read twice";
    for (const char* onDemand : {"LUTIG?", "LUTR?", "RS?", "PGR?", "SA00?", "PBR00?"}) {
        EXPECT_EQ(std::count(queries.begin(), queries.end(), onDemand), 0) << onDemand;
    }
    EXPECT_TRUE(host_.Shown().empty()) << "a command the model lacks was asked for: "
                                       << ::testing::PrintToString(host_.Texts());
    ASSERT_EQ(static_cast<int>(pump_.positions.size()), c.queries) << "one pump per row read";
    EXPECT_TRUE(std::is_sorted(pump_.positions.begin(), pump_.positions.end()));
    EXPECT_EQ(pump_.positions.back(), c.lastPercent);

    EXPECT_EQ(table_.GetDataValue(1041), 250);
    EXPECT_EQ(table_.GetShadowValue(1041), gainShadow) << "the read leaves the shadows to its callers";
    EXPECT_EQ(table_.GetDataValue(c.factoryId), c.factoryMode ? 9000 : factoryDefault);
    EXPECT_EQ(EditText(binding_, 1041), "100") << "the read does not show the values";
    EXPECT_FALSE(progressDialog_.IsOpen());
    EXPECT_TRUE(mainWindow_->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(ModelsAndModes, ReadAll,
                         ::testing::Values(ReadCase{"RV-8200-A1", 0, 148, 90, "GAORA=9000", 1268},
                                           ReadCase{"RV-8200-B1", 0, 148, 90, "GAOR=9000", 1255},
                                           ReadCase{"RV-8200-B1", 1, 164, 81, "GAOR=9000", 1255},
                                           ReadCase{"RV-8200-A1", 1, 176, 87, "GAORA=9000", 1268}),
                         [](const ::testing::TestParamInfo<ReadCase>& tp) {
                             return std::string(tp.param.model).substr(8) + (tp.param.factoryMode ? "Factory" : "User");
                         });

TEST_F(ReaderFixture, RefreshReadsShowsLevelsAndSetsTheStatesWithTheDialogsHeldOff)
{
    ASSERT_NO_FATAL_FAILURE(StartCamera(
        {"--model", "RV-8200-A1", "--set", "GM=1", "--set", "GAR=1200", "--set", "LUN=2", "--set", "LR=12340"}));
    FakeDialog dialog;
    TestHosts().openDialogs.Register(&dialog);
    bool disabledDuringRead = true;
    pump_.onPump = [&] {
        disabledDuringRead = disabledDuringRead && !dialog.enabled;
        reader_->Refresh();  // from a window message during the read: must not start a second read
    };

    reader_->Refresh();

    const std::vector<std::string> queries = Queries();
    EXPECT_EQ(std::count(queries.begin(), queries.end(), "MD?"), 1);
    EXPECT_EQ(queries.size(), 149u);
    EXPECT_TRUE(Settings().empty()) << "values just read are not sent back: " << ::testing::PrintToString(Settings());
    EXPECT_TRUE(host_.Shown().empty()) << ::testing::PrintToString(host_.Texts());
    EXPECT_EQ(model_.modelCode, kModelCodeA1);
    EXPECT_EQ(Combo(1142)->currentText().toStdString(), "RV-8200-A1");

    EXPECT_EQ(EditText(binding_, 1246), "1200");
    EXPECT_EQ(EditText(binding_, 1187), "12340");
    EXPECT_EQ(Combo(1116)->currentIndex(), 2);
    for (int row = 0; row < ControlTable::kRowCount; ++row) {
        EXPECT_EQ(table_.Row(row).shadow, table_.Row(row).value) << "row " << row;
    }
    EXPECT_FALSE(Enabled(1041)) << "individual gain mode read as on";
    EXPECT_TRUE(Enabled(1132)) << "LUT selector read as LUT";
    EXPECT_EQ(hooks_.lineRates, 1);

    EXPECT_TRUE(disabledDuringRead);
    EXPECT_EQ(dialog.changes, (std::vector<bool>{false, true}));
    EXPECT_TRUE(mainWindow_->isEnabled());
    TestHosts().openDialogs.Unregister(&dialog);
}

struct UnsupportedCase {
    const char* answer;
};

class UnsupportedModel : public ReaderFixture, public ::testing::WithParamInterface<UnsupportedCase> {};

TEST_P(UnsupportedModel, IsNamedReadNotAtAllAndLeavesPagesAndValues)
{
    UseModel(kModelCodeB1, "RV-8200-B1");
    reader_->ModelSetup();
    Select(1142, 0);
    table_.SetDataValue(1041, 123);
    reader_->ShowAllValues();
    ASSERT_NO_FATAL_FAILURE(StartCamera({"--model", GetParam().answer}));

    reader_->Refresh();

    EXPECT_EQ(host_.Texts(), std::vector<std::string>{"Unsupported model: \"" + std::string(GetParam().answer) + "\""});
    EXPECT_EQ(Queries(), std::vector<std::string>{"MD?"});
    EXPECT_EQ(model_.modelCode, kModelCodeUnknown);
    EXPECT_EQ(model_.modelName, GetParam().answer);
    EXPECT_EQ(Combo(1142)->currentIndex(), -1);
    EXPECT_FALSE(Shown(1294)) << "the previous model's layout stays";
    EXPECT_EQ(Combo(1224)->count(), 1) << "the previous model's entries stay";
    EXPECT_EQ(table_.GetDataValue(1041), 123);
    EXPECT_EQ(EditText(binding_, 1041), "123");
}

INSTANTIATE_TEST_SUITE_P(Answers, UnsupportedModel,
                         ::testing::Values(UnsupportedCase{"RV-8200-C1"}, UnsupportedCase{"rv-8200-a1"},
                                           UnsupportedCase{"RV-8200-A10"}),
                         [](const ::testing::TestParamInfo<UnsupportedCase>& tp) {
                             return "Answer" + std::to_string(tp.index);
                         });

TEST_F(ReaderFixture, NoCameraChangesNothing)
{
    ASSERT_NO_FATAL_FAILURE(StartCamera({"--silent"}));
    UseModel(kModelCodeA1, "RV-8200-A1");
    EXPECT_EQ(reader_->ModelCheck(), 0);
    EXPECT_EQ(model_.modelCode, kModelCodeA1) << "no answer keeps the recorded model";
    EXPECT_EQ(model_.modelName, "RV-8200-A1");

    UseModel(kModelCodeUnknown, "");
    table_.SetDataValue(1041, 321);

    EXPECT_EQ(reader_->ModelCheck(), 0);
    EXPECT_EQ(model_.modelCode, kModelCodeUnknown);
    EXPECT_TRUE(model_.modelName.empty());

    ClearTraffic();
    reader_->Refresh();
    EXPECT_EQ(Queries(), std::vector<std::string>{"MD?"}) << "no model known, so nothing is read";
    EXPECT_TRUE(host_.Shown().empty()) << "a time-out is not a message";
    EXPECT_EQ(table_.GetDataValue(1041), 321);
    EXPECT_TRUE(Shown(1294));
    EXPECT_TRUE(Shown(1217));
}

TEST_F(ReaderFixture, ReadOneValueStoresAndShowsButSkipsWhatTheModelLacks)
{
    ASSERT_NO_FATAL_FAILURE(StartCamera(
        {"--model", "RV-8200-A1", "--set", "GA=300", "--set", "TR=1", "--set", "ETM=1", "--set", "PER=777"}));
    ASSERT_EQ(reader_->ModelCheck(), 1);
    ClearTraffic();

    EXPECT_EQ(reader_->ReadOneValue(1041), 1);
    EXPECT_EQ(table_.GetDataValue(1041), 300);
    EXPECT_EQ(EditText(binding_, 1041), "300");
    EXPECT_EQ(reader_->ReadOneValue(1294), 1);
    EXPECT_EQ(EditText(binding_, 1294), "777");

    // The same request while a B1 is recorded: the B1 has no per-colour exposure times, and asking
    // would only bring its refusal up as a communication error.
    UseModel(kModelCodeB1, "RV-8200-B1");
    table_.SetDataValue(1294, 5);
    ClearTraffic();
    EXPECT_EQ(reader_->ReadOneValue(1294), 0);
    EXPECT_TRUE(Queries().empty());
    EXPECT_TRUE(host_.Shown().empty());
    EXPECT_EQ(table_.GetDataValue(1294), 5);
}

}  // namespace
