// The page layout per camera model and the rules that enable, show and limit dependent controls.
#include "support/ReaderFixture.h"

#include "framework/qt/CSpinButton.h"
#include "pages/PageBinding.h"
#include "pages/PageControls.h"

#include <QGroupBox>
#include <QLineEdit>

#include <utility>

namespace {

using ControlStates = ReaderFixture;

QGroupBox* GroupOf(const PageBinding& pages, int controlId)
{
    QWidget* control = pages.Control(controlId);
    return control ? qobject_cast<QGroupBox*>(control->parentWidget()) : nullptr;
}

std::pair<int, int> SpinRange(const PageBinding& pages, int spinId)
{
    auto* spin = qobject_cast<CSpinButton*>(pages.Control(spinId));
    std::pair<int, int> range{-1, -1};
    if (spin) spin->GetRange32(range.first, range.second);
    return range;
}

// The controls of the commands each model lacks (with ETM, which both keep visible).
const std::vector<int> kOnlyOnA1 = {1233, 1294, 1296, 1298, 1290, 1291, 1292, 1293, 1195, 1268,
                                    1266, 1270, 1606, 1604, 1608, 1274, 1272, 1276, 1612, 1610,
                                    1614, 1280, 1278, 1282, 1286, 1284, 1288, 1633, 1635, 1637};
const std::vector<int> kOnlyOnB1 = {1628, 1576, 1217, 1542, 1543, 1565, 1566, 1568, 1570, 1578,
                                    1255, 1250, 1257, 1600, 1598, 1602, 1240, 1238, 1242};

struct LayoutCase {
    int modelCode;
    const std::vector<int>* shown;
    const std::vector<int>* hidden;
    std::vector<const char*> hiddenGroups;  // group boxes that go with their last control (by a member id)
    std::vector<int> hiddenGroupMembers;
    int exposureTimeModeEntries;
};

class ModelLayout : public ReaderFixture, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(ModelLayout, HidesWhatTheModelLacksAndShowsTheRest)
{
    const LayoutCase& c = GetParam();
    // Start from the other model's layout, so that showing is tested as well as hiding.
    UseModel(c.modelCode == kModelCodeB1 ? kModelCodeA1 : kModelCodeB1);
    reader_->ModelSetup();
    UseModel(c.modelCode);
    reader_->ModelSetup();

    EXPECT_EQ(Combo(1142)->currentIndex(), c.modelCode);
    for (int id : *c.hidden) EXPECT_FALSE(Shown(id)) << id;
    for (int id : *c.shown) EXPECT_TRUE(Shown(id)) << id;
    EXPECT_TRUE(Shown(1224)) << "Exposure Time Mode stays on both models";
    EXPECT_EQ(Combo(1224)->count(), c.exposureTimeModeEntries);
    for (std::size_t i = 0; i < c.hiddenGroups.size(); ++i) {
        QGroupBox* group = GroupOf(binding_, c.hiddenGroupMembers[i]);
        ASSERT_NE(group, nullptr) << c.hiddenGroups[i];
        EXPECT_EQ(group->title().toStdString(), c.hiddenGroups[i]);
        EXPECT_FALSE(group->isVisible()) << c.hiddenGroups[i];
    }
}

INSTANTIATE_TEST_SUITE_P(Models, ModelLayout,
                         ::testing::Values(LayoutCase{kModelCodeB1,
                                                      &kOnlyOnB1,
                                                      &kOnlyOnA1,
                                                      {"Factory Gain Type A", "Factory Black Type B", "Sensor Select"},
                                                      {1268, 1286, 1195},
                                                      1},
                                           LayoutCase{
                                               kModelCodeA1,
                                               &kOnlyOnA1,
                                               &kOnlyOnB1,
                                               {"Factory Gain", "Spartial Compensation", "Acquisition Linerate Option"},
                                               {1255, 1565, 1628},
                                               2}),
                         [](const ::testing::TestParamInfo<LayoutCase>& tp) {
                             return std::string(tp.param.modelCode == kModelCodeB1 ? "B1" : "A1");
                         });

struct LutCase {
    int selection;
    bool editorsHidden;
    bool openEnabled;
    bool gammaShown;
};

std::string LutCaseName(const ::testing::TestParamInfo<LutCase>& tp)
{
    static const char* const names[] = {"None", "Off", "Gamma", "Lut"};
    return names[tp.param.selection + 1];
}

class LutRule : public ReaderFixture, public ::testing::WithParamInterface<LutCase> {};

TEST_P(LutRule, FollowsTheSelector)
{
    const LutCase& c = GetParam();
    Select(1116, c.selection);
    Control(1132)->setEnabled(!c.openEnabled);
    ShowPageControl(1117, !c.gammaShown);
    ShowPageControl(1141, !c.gammaShown);

    reader_->UpdateLutState();

    EXPECT_EQ(hooks_.hides, c.editorsHidden ? 1 : 0);
    EXPECT_EQ(Enabled(1132), c.openEnabled);
    for (int id : {1117, 1118, 1141}) EXPECT_EQ(Shown(id), c.gammaShown) << id;
}

INSTANTIATE_TEST_SUITE_P(Selections, LutRule,
                         ::testing::Values(LutCase{-1, true, false, false}, LutCase{0, true, false, false},
                                           LutCase{1, true, false, true}, LutCase{2, false, true, false}),
                         LutCaseName);

TEST_F(ControlStates, RecalibrationOnlyForTheUserCorrections)
{
    for (int selection = -1; selection <= 4; ++selection) {
        Select(1192, selection);
        Select(1184, 4 - selection - 1);  // the other mode differently, so the two cannot be mixed up
        reader_->UpdatePixelCorrectionState();
        EXPECT_EQ(Enabled(1193), selection >= 2) << selection;
        EXPECT_EQ(Enabled(1183), 4 - selection - 1 >= 2) << selection;
    }
}

TEST_F(ControlStates, ExposureControlsAllEnabledWithTheirSpins)
{
    const std::vector<int> ids = {1092, 1093, 1094, 1294, 1295, 1296, 1297, 1298, 1299};
    for (int id : ids) Control(id)->setEnabled(false);
    reader_->UpdateExposureControls();
    for (int id : ids) EXPECT_TRUE(Enabled(id)) << id;
}

struct GainCase {
    int selection;
    bool individual;
    std::pair<int, int> colourSpinRange;
};

class GainModeRule : public ReaderFixture, public ::testing::WithParamInterface<GainCase> {};

TEST_P(GainModeRule, SwitchesGainAllAgainstGreenAndLimitsOnlyTheColourSpins)
{
    const GainCase& c = GetParam();
    Select(1259, c.selection);
    // The table says the opposite: the rule must go by what the combo box shows.
    table_.SetDataValue(1259, c.individual ? 0 : 1);
    reader_->UpdateGainModeState();

    for (int id : {1041, 1045}) EXPECT_EQ(Enabled(id), !c.individual) << id;
    for (int id : {1244, 1245}) EXPECT_EQ(Enabled(id), c.individual) << id;
    EXPECT_EQ(SpinRange(binding_, 1247), c.colourSpinRange);
    EXPECT_EQ(SpinRange(binding_, 1249), c.colourSpinRange);
    for (int id : {1246, 1248}) {
        int minimum = 0;
        int maximum = 0;
        ASSERT_EQ(table_.GetRange(id, minimum, maximum), 1);
        EXPECT_EQ(std::make_pair(minimum, maximum), std::make_pair(40, 1600)) << "the table's limits stay";
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, GainModeRule,
                         ::testing::Values(GainCase{0, false, {40, 400}}, GainCase{1, true, {100, 1600}}),
                         [](const ::testing::TestParamInfo<GainCase>& tp) {
                             return std::string(tp.param.individual ? "On" : "Off");
                         });

TEST_F(ControlStates, GainModeWithoutSelectionChangesNothing)
{
    reader_->UpdateGainModeState();  // the start-up ranges from the table
    Select(1259, -1);
    Control(1041)->setEnabled(false);
    Control(1244)->setEnabled(false);
    reader_->UpdateGainModeState();
    EXPECT_FALSE(Enabled(1041));
    EXPECT_FALSE(Enabled(1244));
    EXPECT_EQ(SpinRange(binding_, 1247), std::make_pair(40, 1600));
}

TEST_F(ControlStates, AutoResetOnlyWithTriggerModeOn)
{
    for (int selection : {-1, 0, 1}) {
        Select(1096, selection);
        reader_->UpdateAutoResetState();
        EXPECT_EQ(Enabled(1186), selection == 1) << selection;
    }
}

TEST_F(ControlStates, ExposureTimesAndTheirSpinsFollowTheMode)
{
    UseModel(kModelCodeA1);
    reader_->ModelSetup();  // Exposure Time Mode with both entries
    for (int mode : {-1, 0, 1, 2}) {
        for (int timeMode : {-1, 0, 1}) {
            Select(1092, mode);
            Select(1224, timeMode);
            reader_->UpdateExposureState();
            const bool timed = mode == 1;
            EXPECT_EQ(Enabled(1093), timed && timeMode == 0) << mode << "/" << timeMode;
            for (int id : {1294, 1296, 1298}) EXPECT_EQ(Enabled(id), timed && timeMode != 0) << mode << "/" << timeMode;
            // A spin beside a disabled edit would still send its steps.
            EXPECT_EQ(Enabled(1094), Enabled(1093)) << mode << "/" << timeMode;
            EXPECT_EQ(Enabled(1295), Enabled(1294)) << mode << "/" << timeMode;
        }
    }
}

TEST_F(ControlStates, UpdateControlStatesRunsEveryRule)
{
    Select(1116, 2);
    Select(1192, 3);
    Select(1259, 1);
    Select(1096, 1);
    Select(1092, 0);
    reader_->UpdateControlStates();
    EXPECT_TRUE(Enabled(1132));
    EXPECT_TRUE(Enabled(1193));
    EXPECT_FALSE(Enabled(1094)) << "the spin follows its untimed, disabled exposure time";
    EXPECT_FALSE(Enabled(1041));
    EXPECT_TRUE(Enabled(1186));
    EXPECT_FALSE(Enabled(1093));
}

TEST_F(ControlStates, ShowChangedValuesShowsOnlyRowsThatDifferFromTheirShadow)
{
    ControlTable& table = table_;
    table.CommitShadow();
    reader_->ShowAllValues();
    table.SetDataValue(1041, 432);
    table.SetDataValue(1116, 2);
    qobject_cast<QLineEdit*>(Control(1093))->setText("stale");

    reader_->ShowChangedValues();
    EXPECT_EQ(qobject_cast<QLineEdit*>(Control(1041))->text().toStdString(), "432");
    EXPECT_EQ(Combo(1116)->currentIndex(), 2);
    EXPECT_EQ(qobject_cast<QLineEdit*>(Control(1093))->text().toStdString(), "stale");

    reader_->ShowAllValues();
    EXPECT_EQ(qobject_cast<QLineEdit*>(Control(1093))->text().toStdString(), "0");
}

}  // namespace
