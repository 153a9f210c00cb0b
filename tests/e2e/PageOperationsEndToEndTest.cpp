// The page operations against the simulated camera: what goes over the wire, in which order, and what the
// operator is told. One table per family of operations.
#include "e2e/MainWindowFixture.h"
#include "support/RenderFile.h"

#include "dialogs/CProgressBarDialog.h"
#include "dialogs/ProgressWindow.h"

#include "files/SettingFile.h"
#include "framework/qt/CSpinButton.h"
#include "framework/qt/ControlWindow.h"
#include "framework/qt/QtUiHost.h"
#include "support/TestHosts.h"
#include "link/Command.h"
#include "operations/OperationClock.h"
#include "pages/CTabSheetDialog.h"
#include "pages/CameraReader.h"
#include "pages/PageControls.h"
#include "settings/ControlMode.h"
#include "tables/ControlTable.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

// Pauses take no time: the simulated camera's busy polls are counted, not timed.
class InstantClock : public OperationClock {
public:
    std::int64_t NowMs() override { return now; }
    void Pause(int ms) override { now += ms; }
    std::int64_t now = 0;
};

class Operations : public MainWindowFixture {
protected:
    void Start(const Strings& options)
    {
        StartCamera(options);
        StartWindow();
        parts_->operations.SetClock(&operationClock_);
        // A camera that goes silent costs one short wait, not five seconds.
        parts_->operations.Times().resultQueryMs = 700;
        messages_.Clear();
        Mark();
    }

    void Mark() { mark_ = Traffic().size(); }
    // The lines the camera received since the mark ("LOST" lines, sent to a vanished camera, are left out).
    Strings Received() const
    {
        Strings lines;
        const Strings all = Traffic();
        for (std::size_t i = mark_; i < all.size(); ++i) {
            const std::string& entry = all[i];
            std::size_t pos = 0;
            for (int field = 0; field < 2 && pos != std::string::npos; ++field) pos = entry.find(' ', pos + 1);
            if (pos == std::string::npos) continue;
            const std::size_t end = entry.find(' ', pos + 1);
            if (end == std::string::npos || entry.substr(pos + 1, end - pos - 1) != "RX") continue;
            lines.push_back(entry.substr(end + 1));
        }
        return lines;
    }

    // Clicks the page's button, as the operator does: a button that is missing or greyed fails.
    void Press(int buttonId)
    {
        auto* button = qobject_cast<QAbstractButton*>(FindPageControl(buttonId));
        ASSERT_NE(button, nullptr) << buttonId;
        ASSERT_TRUE(button->isEnabled()) << buttonId;
        button->click();
    }
    QLineEdit* Edit(int id) const { return qobject_cast<QLineEdit*>(FindPageControl(id)); }
    std::string Text(int id) const
    {
        QWidget* control = FindPageControl(id);
        if (auto* label = qobject_cast<QLabel*>(control)) return label->text().toStdString();
        if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit->text().toStdString();
        return "<none>";
    }

    InstantClock operationClock_;
    std::size_t mark_ = 0;
};

// ---- one-shot operations and calibrations ----

struct OneShotCase {
    const char* name;
    Strings options;
    std::function<void(Operations&)> act;
    Strings received;
    std::string message;  // empty: no message at all
    std::string caption;
    std::string question{};  // asked (and answered Yes) before the message
};

void PrintTo(const OneShotCase& c, std::ostream* out) { *out << c.name; }

class OneShot : public Operations, public ::testing::WithParamInterface<OneShotCase> {
public:
    void ChooseFor(int comboId, int index) { Choose(comboId, index); }
    void PressFor(int buttonId) { Press(buttonId); }
    void EditFor(int editId, const char* text) { Edit(editId)->setText(QString::fromUtf8(text)); }
    void AnswerYes() { messages_.QueueAnswer(MessageResult::Yes); }
};

TEST_P(OneShot, WireSequenceAndResult)
{
    const OneShotCase& c = GetParam();
    Start(c.options);
    if (!c.question.empty()) AnswerYes();
    c.act(*this);
    EXPECT_EQ(Received(), c.received);
    Strings boxes;
    for (const std::string& text : {c.question, c.message}) {
        if (!text.empty()) boxes.push_back(text);
    }
    ASSERT_EQ(messages_.Texts(), boxes);
    if (!c.message.empty()) {
        EXPECT_EQ(messages_.Shown().back().caption, c.caption);
    }
}

auto ChooseEntry(int comboId, int index)
{
    return [comboId, index](Operations& t) { static_cast<OneShot&>(t).ChooseFor(comboId, index); };
}
auto PressButton(int buttonId)
{
    return [buttonId](Operations& t) { static_cast<OneShot&>(t).PressFor(buttonId); };
}
// Types the index and data of a LUT row, then clicks its button.
auto PressLutButton(int buttonId, int indexEdit, const char* index, int dataEdit, const char* data)
{
    return [=](Operations& t) {
        auto& test = static_cast<OneShot&>(t);
        test.EditFor(indexEdit, index);
        test.EditFor(dataEdit, data);
        test.PressFor(buttonId);
    };
}

const Strings kFast = {"--rs-time", "0", "--awb-time", "0"};
Strings With(Strings more)
{
    Strings all = kFast;
    all.insert(all.end(), more.begin(), more.end());
    return all;
}

INSTANTIATE_TEST_SUITE_P(
    Operations, OneShot,
    ::testing::Values(
        OneShotCase{"WhiteBalanceOnceTooDarkStillReadsBack",
                    With({"--result", "AWRS=3"}),
                    ChooseEntry(1408, 1),
                    {"AWB=2", "AWRS?", "AWB?", "GAR?", "GAB?"},
                    "Error2 - G image was too dark",
                    "White Balance Once"},
        OneShotCase{"WhiteBalanceExposureOnce",
                    With({"--set", "TR=1", "--set", "ETM=1"}),
                    ChooseEntry(1408, 2),
                    {"AWB=4", "AHRS?", "AWB?", "PER?", "PEB?"},
                    "Succeeded",
                    "White Balance Exposure Once"},
        OneShotCase{"B1EntryTwoIsAPreset", With({"--model", "RV-8200-B1"}), ChooseEntry(1408, 2), {"AWB=5"}, "", ""},
        OneShotCase{"WhiteBalanceStatus7",
                    With({"--result", "AWRS=7"}),
                    ChooseEntry(1408, 1),
                    {"AWB=2", "AWRS?", "AWB?", "GAR?", "GAB?"},
                    "Unknown Result",
                    "White Balance Once"},
        OneShotCase{"ShadingConditionError",
                    With({"--result", "SDRS=0"}),
                    PressButton(1121),
                    {"RS=0", "SDRS?"},
                    "Condition_Error",
                    "Shading Calibration"},
        OneShotCase{"ShadingStatus7",
                    With({"--result", "SDRS=7"}),
                    PressButton(1121),
                    {"RS=0", "SDRS?"},
                    "Unknown Result",
                    "Shading Calibration"},
        OneShotCase{"PixelGainBusyThreeTimes",
                    With({"--busy-polls", "3", "--set", "PGC=2"}),
                    PressButton(1193),
                    {"PGR=0", "PGS?", "PGS?", "PGS?", "PGS?"},
                    "Succeeded",
                    "Recalibrate Pixel Gain"},
        OneShotCase{"PixelBlackStatus7",
                    With({"--busy-polls", "0", "--result", "PBS=7", "--set", "PBC=2"}),
                    PressButton(1183),
                    {"PBR=0", "PBS?"},
                    "Unknown Result",
                    "Recalibrate Pixel Black"},
        OneShotCase{"FactoryPixelGainStatus7",
                    With({"--busy-polls", "1", "--result", "PGS00=7"}),
                    PressButton(1197),
                    {"PGR00=0", "PGS00?", "PGS00?"},
                    "Unknown Result",
                    "Recalibrate Pixel Gain (Factory)"},
        OneShotCase{"FactoryPixelBlackTooDark",
                    With({"--busy-polls", "0", "--result", "PBS00=3"}),
                    PressButton(1198),
                    {"PBR00=0", "PBS00?"},
                    "Too Dark",
                    "Recalibrate Pixel Black (Factory)"},
        OneShotCase{"StatusQueryFailsMidCalibration",
                    With({"--busy-polls", "5", "--vanish-on", "PGS?@2", "--set", "PGC=2"}),
                    PressButton(1193),
                    {"PGR=0", "PGS?"},
                    "Recalibrate Pixel Gain (Tool: PGS Command Timeout)",
                    "Recalibrate Pixel Gain"},
        // Every other button of the pages, once, through its widget.
        OneShotCase{"ShadingReadWithShadingOff", {}, PressButton(1336), {"SDM?"}, "Shading Mode is OFF", ""},
        OneShotCase{"ShadingWriteFileDialogCancelled", {"--set", "SDM=1"}, PressButton(1337), {"SDM?"}, "", ""},
        OneShotCase{"ShadingStoreInFlash", {}, PressButton(1338), {"SDDA=0"}, "", ""},
        OneShotCase{"ShadingStoreRefused", {"--refuse", "SDDA"}, PressButton(1338), {"SDDA=0"}, "ERROR: SDDA refused",
                    "Communication Error"},
        OneShotCase{"StoreAllIntoEveryArea", {}, PressButton(1021), {"SA=1", "SA=2", "SA=3", "SA00=0"},
                    "Completed to store current setting data!", "", "Are you sure you want to overwrite into all EEPROM areas?"},
        OneShotCase{"Counter0Reset", {}, PressButton(1441), {"CR0=0", "CV0?", "CS0?"}, "", ""},
        OneShotCase{"Counter1Read", {}, PressButton(1448), {"CV1?", "CS1?"}, "", ""},
        OneShotCase{"Counter2Reset", {}, PressButton(1453), {"CR2=0", "CV2?", "CS2?"}, "", ""},
        OneShotCase{"Counter2Read", {}, PressButton(1454), {"CV2?", "CS2?"}, "", ""},
        OneShotCase{"Counter3Reset", {}, PressButton(1459), {"CR3=0", "CV3?", "CS3?"}, "", ""},
        OneShotCase{"Counter3Read", {}, PressButton(1460), {"CV3?", "CS3?"}, "", ""},
        OneShotCase{"LutGreenRead", {}, PressLutButton(1164, 1160, "5", 1162, "0"), {"LUTIG=5", "LUTG?"}, "", ""},
        OneShotCase{"LutGreenWrite", {}, PressLutButton(1165, 1160, "6", 1162, "77"), {"LUTIG=6", "LUTG=77"}, "", ""},
        OneShotCase{"LutBlueRead", {}, PressLutButton(1432, 1425, "7", 1427, "0"), {"LUTIB=7", "LUTB?"}, "", ""},
        OneShotCase{"LutBlueWrite", {}, PressLutButton(1433, 1425, "8", 1427, "88"), {"LUTIB=8", "LUTB=88"}, "", ""}),
    [](const ::testing::TestParamInfo<OneShotCase>& tp) { return std::string(tp.param.name); });

TEST_F(Operations, CameraResetEndsTheToolWithoutAskingAndWithoutTheSpeedReturn)
{
    Start({});
    window_->show();
    ASSERT_TRUE(window_->isVisible());
    Press(1012);
    EXPECT_EQ(Received(), Strings{"CRS00=1"});
    EXPECT_TRUE(messages_.Shown().empty()) << ::testing::PrintToString(messages_.Texts());
    EXPECT_FALSE(window_->isVisible());
    parts_.reset();
    window_ = nullptr;
    // Nothing more went to the camera: it restarts at its own speed and would not have heard the handshake.
    EXPECT_EQ(Received(), Strings{"CRS00=1"});
}

// The progress window as the operator sees it while a calibration polls (build/<dir>/renders/).
class GrabbingProgress : public ProgressSink {
public:
    GrabbingProgress(CProgressBarDialog& dialog, QWidget* owner) : dialog_(dialog), window_(dialog, owner) {}
    void Open(const std::string& message) override { window_.Open(message); }
    void SetMessage(const std::string& text) override
    {
        window_.SetMessage(text);
        texts.push_back(text);
        QWidget* shown = dialog_.Window();
        if (!shown || grabbed) return;
        SaveRender(*shown, QStringLiteral("progress-calibration"));
        grabbed = true;
    }
    void SetPosition(int percent) override { window_.SetPosition(percent); }
    void Close() override { window_.Close(); }

    CProgressBarDialog& dialog_;
    ProgressWindow window_;
    Strings texts;
    bool grabbed = false;
};

TEST_F(Operations, CalibrationShowsTheProgressWindowWithTheSeconds)
{
    Start({"--busy-polls", "2", "--set", "PGC=2"});
    window_->show();
    GrabbingProgress progress(objects_->progress, window_);
    parts_->operations.SetProgress(&progress);
    Press(1193);
    parts_->operations.SetProgress(nullptr);
    EXPECT_TRUE(progress.grabbed);
    ASSERT_GE(progress.texts.size(), 3u);
    EXPECT_EQ(progress.texts[2], "Now, running Recalibrate Pixel Gain: 3 s");
    EXPECT_FALSE(objects_->progress.IsOpen());
    EXPECT_EQ(messages_.Texts(), Strings{"Succeeded"});
}

// ---- maintenance writes on the factory page ----

struct MaintenanceCase {
    const char* name;
    Strings options;
    Strings editsBefore;  // the three XML digit edits, or empty to leave them
    int button;
    Strings received;
    Strings editsAfter;  // empty: not checked
    Strings messages;
};

void PrintTo(const MaintenanceCase& c, std::ostream* out) { *out << c.name; }

class Maintenance : public Operations, public ::testing::WithParamInterface<MaintenanceCase> {};

TEST_P(Maintenance, WireAndDisplay)
{
    const MaintenanceCase& c = GetParam();
    Start(c.options);
    constexpr int kDigits[3] = {1178, 1179, 1180};
    if (!c.editsBefore.empty()) {
        for (int i = 0; i < 3; ++i) Edit(kDigits[i])->setText(QString::fromStdString(c.editsBefore[i]));
    }
    if (c.button == 1014) Choose(1142, 1);
    Mark();
    Press(c.button);
    EXPECT_EQ(Received(), c.received);
    if (!c.editsAfter.empty()) {
        EXPECT_EQ((Strings{Text(1178), Text(1179), Text(1180)}), c.editsAfter);
    }
    EXPECT_EQ(messages_.Texts(), c.messages);
}

INSTANTIATE_TEST_SUITE_P(
    Factory, Maintenance,
    ::testing::Values(MaintenanceCase{"Read123", {"--answer", "XMLVR=123"}, {}, 1182, {"XMLVR?"}, {"1", "2", "3"}, {}},
                      MaintenanceCase{"Read7", {"--answer", "XMLVR=7"}, {}, 1182, {"XMLVR?"}, {"0", "0", "7"}, {}},
                      MaintenanceCase{
                          "Read1234", {"--answer", "XMLVR=1234"}, {}, 1182, {"XMLVR?"}, {"12", "3", "4"}, {}},
                      MaintenanceCase{"FailedReadKeepsTheDigits",
                                      {"--refuse", "XMLVR"},
                                      {"9", "8", "7"},
                                      1182,
                                      {"XMLVR?"},
                                      {"9", "8", "7"},
                                      {"ERROR:XMLVRrefused for XMLVR?"}},
                      MaintenanceCase{"WriteSkipsAnEmptyEdit",
                                      {},
                                      {"1", "", "5"},
                                      1181,
                                      {"XMLVR=15"},
                                      {},
                                      {"Writing the XML Version has been completed."}},
                      MaintenanceCase{"WriteTakesFirstCharacters",
                                      {},
                                      {"12", "3", "4"},
                                      1181,
                                      {"XMLVR=134"},
                                      {},
                                      {"Writing the XML Version has been completed."}},
                      MaintenanceCase{"WriteNonDigitGivesZero",
                                      {},
                                      {"x", "2", "3"},
                                      1181,
                                      {"XMLVR=0"},
                                      {},
                                      {"Writing the XML Version has been completed."}},
                      MaintenanceCase{"WriteRefused",
                                      {"--refuse", "XMLVR"},
                                      {"1", "2", "3"},
                                      1181,
                                      {"XMLVR=123"},
                                      {},
                                      {"ERROR: XMLVR refused", "Couldn't write the XML Version."}},
                      MaintenanceCase{"SetModelChecksTheModelBeforeSaying",
                                      {},
                                      {},
                                      1014,
                                      {"MD00=RV-8200-A1", "MD?"},
                                      {},
                                      {"Succeeded in writting camera model id."}},
                      MaintenanceCase{"SetModelRefused",
                                      {"--refuse", "MD00"},
                                      {},
                                      1014,
                                      {"MD00=RV-8200-A1"},
                                      {},
                                      {"ERROR: MD00 refused", "Failed writting camera model id."}}),
    [](const ::testing::TestParamInfo<MaintenanceCase>& tp) { return std::string(tp.param.name); });

// ---- special parameter handlers and read-outs ----

TEST_F(Operations, GainModeOffAfterOnGivesTheRatioRanges)
{
    Start({});
    Choose(1259, 1);
    Choose(1259, 0);
    EXPECT_EQ(Received(), (Strings{"GM=1", "AWB?", "GAG?", "GAR?", "GAB?", "GM=0", "GA?", "GAR?", "GAB?"}));
    EXPECT_FALSE(FindPageControl(1244)->isEnabled());
    EXPECT_TRUE(FindPageControl(1041)->isEnabled());
    for (int spinId : {1247, 1249}) {
        auto* spin = qobject_cast<CSpinButton*>(FindPageControl(spinId));
        ASSERT_NE(spin, nullptr);
        int minimum = 0;
        int maximum = 0;
        spin->GetRange32(minimum, maximum);
        EXPECT_EQ(minimum, 40);
        EXPECT_EQ(maximum, 400);
    }
}

// A gain mode without an entry (a camera value the list does not have) when the gain mode's change runs: the
// box, and nothing sent or read. The window itself never gets there (a write the camera refuses runs no
// change), so the change is run on the combo as the camera's value left it.
TEST_F(Operations, GainModeWithoutAnEntryIsAnUnknownParameter)
{
    Start({});
    qobject_cast<QComboBox*>(FindPageControl(1259))->setCurrentIndex(-1);
    parts_->operations.Hooks().GainModeChanged();
    EXPECT_TRUE(Received().empty()) << ::testing::PrintToString(Received());
    ASSERT_EQ(messages_.Texts(), Strings{"Unkown Parameter"});
    EXPECT_EQ(messages_.Shown()[0].caption, "Error");
    EXPECT_EQ(messages_.Shown()[0].icon, MessageIcon::None);
}

TEST_F(Operations, ExposureModeChangeReadsBackInOrder)
{
    Start({});
    auto* combo = qobject_cast<QComboBox*>(FindPageControl(1092));
    ASSERT_NE(combo, nullptr);
    const int next = (combo->currentIndex() + 1) % combo->count();
    Choose(1092, next);
    const Strings received = Received();
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received.front().rfind("TR=", 0), 0u);
    EXPECT_EQ(Strings(received.begin() + 1, received.end()),
              (Strings{"PE?", "PEG?", "PER?", "PEB?", "TM?", "TA?", "ETM?"}));
}

TEST_F(Operations, SlowWritesReadTheLineRateBackAndAFailureRestoresTheCombo)
{
    Start({"--refuse", "STP"});
    auto* format = qobject_cast<QComboBox*>(FindPageControl(1100));
    ASSERT_NE(format, nullptr);
    const int value = objects_->table.GetDataValue(1100);
    Choose(1100, (format->currentIndex() + 1) % format->count());
    const Strings received = Received();
    ASSERT_EQ(received.size(), 2u) << ::testing::PrintToString(received);
    EXPECT_EQ(received[0].rfind("BA=", 0), 0u);
    EXPECT_EQ(received[1], "LR?");
    EXPECT_NE(objects_->table.GetDataValue(1100), value);
    EXPECT_EQ(objects_->table.GetShadowValue(1100), objects_->table.GetDataValue(1100));

    // The refused sensor selection: the combo shows what the camera still has, nothing is read back.
    auto* sensor = qobject_cast<QComboBox*>(FindPageControl(1195));
    ASSERT_NE(sensor, nullptr);
    const int before = sensor->currentIndex();
    const int stored = objects_->table.GetDataValue(1195);
    Mark();
    messages_.Clear();
    Choose(1195, (before + 1) % sensor->count());
    ASSERT_EQ(Received().size(), 1u);
    EXPECT_EQ(Received()[0].rfind("STP=", 0), 0u);
    EXPECT_EQ(sensor->currentIndex(), before);
    EXPECT_EQ(objects_->table.GetDataValue(1195), stored);
    // The camera's refusal, once, as it worded it.
    EXPECT_EQ(messages_.Texts(), Strings{"ERROR: STP refused"});
    EXPECT_EQ(messages_.Shown()[0].caption, "Communication Error");
}

TEST_F(Operations, CountersLimitsTemperatureAndLutEntries)
{
    Start({"--answer", "CS0=3", "--answer", "CS1=4", "--answer", "TMP0=41", "--answer", "LRMIN=1234", "--refuse",
           "PEMAX"});
    Press(1442);
    EXPECT_EQ(Text(1444), "---");
    Press(1447);
    EXPECT_EQ(Text(1450), "Counter Overflow");
    Press(1125);
    EXPECT_EQ(Text(1049), "41");
    Press(1219);
    EXPECT_EQ(Text(1218), "1234");
    const std::string maxBefore = Text(1220);
    Press(1222);  // PEMAX refused: its display stays; PEMIN still read
    EXPECT_EQ(Text(1220), maxBefore);
    Edit(1421)->setText("17");
    Edit(1423)->setText("999");
    Press(1431);  // LUT write, row R
    Edit(1423)->setText("0");
    Press(1430);  // LUT read, row R
    EXPECT_EQ(Text(1423), "999");
    EXPECT_EQ(objects_->table.GetDataValue(1423), 999);
    EXPECT_EQ(Received(), (Strings{"CV0?", "CS0?", "CR1=0", "CV1?", "CS1?", "TMP0?", "LRMIN?", "PEMAX?", "PEMIN?",
                                   "LUTIR=17", "LUTR=999", "LUTIR=17", "LUTR?"}));
}

TEST_F(Operations, ALutEntryStopsWhenItsIndexIsRefused)
{
    Start({"--refuse", "LUTIR"});
    Edit(1421)->setText("10");
    Edit(1423)->setText("999");
    Press(1431);  // write: the data would land on whichever entry the camera's index points at
    EXPECT_EQ(Received(), Strings{"LUTIR=10"});
    EXPECT_EQ(messages_.Texts().size(), 1u) << ::testing::PrintToString(messages_.Texts());
    Mark();
    Press(1430);  // read: the answer would be another entry's value
    EXPECT_EQ(Received(), Strings{"LUTIR=10"});
    EXPECT_EQ(Text(1423), "999");
    EXPECT_EQ(messages_.Texts().size(), 2u) << "one box per action";
}

// ---- what the pages show is what the camera took ----

TEST_F(Operations, TheWheelOverAPageComboOrSpinSendsNothing)
{
    Start({});
    int combos = 0;
    int spins = 0;
    for (CTabSheetDialog* page : window_->Pages()) {
        for (QWidget* control : page->findChildren<QWidget*>()) {
            auto* combo = qobject_cast<QComboBox*>(control);
            auto* spin = qobject_cast<CSpinButton*>(control);
            if (!combo && !spin) continue;
            combos += combo ? 1 : 0;
            spins += spin ? 1 : 0;
            const int before = combo ? combo->currentIndex() : spin->GetPos32();
            for (int step : {-120, 120}) {
                QWheelEvent wheel(QPointF(4, 4), QPointF(4, 4), QPoint(), QPoint(0, step), Qt::NoButton, Qt::NoModifier,
                                  Qt::NoScrollPhase, false);
                QCoreApplication::sendEvent(control, &wheel);
                EXPECT_FALSE(wheel.isAccepted()) << GetControlId(control) << ": left for the page to scroll";
            }
            EXPECT_EQ(combo ? combo->currentIndex() : spin->GetPos32(), before) << GetControlId(control);
        }
    }
    EXPECT_GT(combos, 50);
    EXPECT_GT(spins, 30);
    EXPECT_EQ(Received(), Strings{});
    EXPECT_TRUE(messages_.Shown().empty()) << ::testing::PrintToString(messages_.Texts());
}

TEST_F(Operations, ASpinStepShowsWhatTheCameraKept)
{
    Start({});
    struct StepCase {
        int edit;
        int step;
        Strings received;
        std::string shown;
    };
    // The camera keeps widths and offsets in multiples of 8; the full width leaves no room for an offset.
    for (const StepCase& c :
         {StepCase{1225, -1, {"WTC=4095", "WTC?"}, "4088"}, StepCase{1227, +1, {"OFC=1", "OFC?"}, "0"}}) {
        Mark();
        auto* spin = qobject_cast<CSpinButton*>(FindPageControl(static_cast<int>(GetUserData(Edit(c.edit)))));
        ASSERT_NE(spin, nullptr);
        spin->Step(c.step);
        EXPECT_EQ(Received(), c.received) << c.edit;
        EXPECT_EQ(Text(c.edit), c.shown) << c.edit;
        EXPECT_EQ(std::to_string(spin->GetPos32()), c.shown) << c.edit;
        EXPECT_EQ(std::to_string(objects_->table.GetDataValue(c.edit)), c.shown) << c.edit;
    }
    EXPECT_TRUE(messages_.Shown().empty()) << ::testing::PrintToString(messages_.Texts());
}

struct RefusedCase {
    const char* name;
    Strings options;
    int combo;
    int entry;
    int dependent;  // a control whose enable state follows the combo's value
    std::string mnemonic;
};

void PrintTo(const RefusedCase& c, std::ostream* out) { *out << c.name; }

class Refused : public Operations, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(Refused, SelectionLeavesComboTableStatesAndSavedFileAsTheyWere)
{
    const RefusedCase& c = GetParam();
    Start(c.options);
    auto* combo = qobject_cast<QComboBox*>(FindPageControl(c.combo));
    ASSERT_NE(combo, nullptr);
    ASSERT_NE(combo->currentIndex(), c.entry);
    const int index = combo->currentIndex();
    const int value = objects_->table.GetDataValue(c.combo);
    const bool enabled = FindPageControl(c.dependent)->isEnabled();

    Choose(c.combo, c.entry);
    EXPECT_EQ(combo->currentIndex(), index);
    EXPECT_EQ(objects_->table.GetDataValue(c.combo), value);
    EXPECT_EQ(objects_->table.GetShadowValue(c.combo), value);
    EXPECT_EQ(FindPageControl(c.dependent)->isEnabled(), enabled);
    ASSERT_EQ(messages_.Shown().size(), 1u) << ::testing::PrintToString(messages_.Texts());
    EXPECT_EQ(messages_.Shown()[0].caption, "Communication Error");

    const std::string path = logPath_ + ".settings.txt";
    ASSERT_EQ(parts_->settingFile.WriteSettingFile(path, SettingFileVariant::AllData), 1);
    std::ifstream in(path);
    std::stringstream saved;
    saved << in.rdbuf();
    std::remove(path.c_str());
    EXPECT_NE(saved.str().find("\n" + c.mnemonic + "=" + std::to_string(value) + "\r"), std::string::npos)
        << saved.str();
}

INSTANTIATE_TEST_SUITE_P(
    Operations, Refused,
    ::testing::Values(RefusedCase{"ExposureModeTriggerWidth", {"--refuse", "TR=2"}, 1092, 2, 1093, "TR"},
                      RefusedCase{"WhiteBalancePreset", {"--refuse", "AWB"}, 1408, 3, 1246, "AWB"},
                      RefusedCase{"PixelGainUser2", {"--refuse", "PGC"}, 1192, 3, 1193, "PGC"}),
    [](const ::testing::TestParamInfo<RefusedCase>& tp) { return std::string(tp.param.name); });

// Edits and combos whose change is followed by reads of the values it altered, in the camera's order.
struct FollowUpCase {
    const char* name;
    int control;  // an edit (a new text is typed and left) or a combo (the next entry is chosen)
    std::string typed;  // for an edit
    Strings readBack;  // what is asked after the change's own setting line
    Strings options;  // the camera's
};

void PrintTo(const FollowUpCase& c, std::ostream* out) { *out << c.name; }

class FollowUp : public Operations, public ::testing::WithParamInterface<FollowUpCase> {};

TEST_P(FollowUp, ReadsBackWhatTheChangeAltered)
{
    const FollowUpCase& c = GetParam();
    Start(c.options);
    if (QLineEdit* edit = Edit(c.control)) {
        edit->setText(QString::fromStdString(c.typed));
        parts_->handlers.OnEditCommitted(c.control);
    } else {
        auto* combo = qobject_cast<QComboBox*>(FindPageControl(c.control));
        ASSERT_NE(combo, nullptr);
        Choose(c.control, (combo->currentIndex() + 1) % combo->count());
    }
    const Strings received = Received();
    ASSERT_FALSE(received.empty());
    EXPECT_NE(received.front().find('='), std::string::npos) << received.front();
    EXPECT_EQ(Strings(received.begin() + 1, received.end()), c.readBack);
    EXPECT_TRUE(messages_.Shown().empty()) << ::testing::PrintToString(messages_.Texts());
    // Whatever was read back is the camera's now: nothing is left to send.
    for (int row = 0; objects_->table.Row(row).controlId != -1; ++row) {
        EXPECT_EQ(objects_->table.Row(row).value, objects_->table.Row(row).shadow) << "row " << row;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Hooks, FollowUp,
    ::testing::Values(FollowUpCase{"Binning", 1229, "2", {"WTC?", "OFC?", "AWBW?", "AWBO?"}, {}},
                      FollowUpCase{"Width", 1225, "2048", {"WTC?"}, {}},
                      FollowUpCase{"OffsetX", 1227, "16", {"OFC?"}, {}},
                      FollowUpCase{
                          "ExposureGreen", 1296, "2000", {"PER?", "PEB?"}, {"--set", "TR=1", "--set", "ETM=1"}},
                      FollowUpCase{"WhiteBalanceWidth", 1404, "1024", {"AWBW?"}, {}},
                      FollowUpCase{"WhiteBalanceOffset", 1406, "32", {"AWBO?"}, {}},
                      FollowUpCase{"LineRateShowsOnly", 1187, "12340", {}, {}},
                      FollowUpCase{"TriggerMode", 1096, "", {"PE?", "PEG?", "PER?", "PEB?"}, {}},
                      FollowUpCase{"ExposureTimeMode", 1224, "", {"PE?", "PEG?", "PER?", "PEB?"}, {}},
                      FollowUpCase{"ClConfiguration", 1223, "", {"LR?"}, {}},
                      FollowUpCase{"LineRateOption", 1628, "", {"LR?"}, {"--model", "RV-8200-B1"}},
                      FollowUpCase{"SensorSelectReadsNothing", 1195, "", {}, {}}),
    [](const ::testing::TestParamInfo<FollowUpCase>& tp) { return std::string(tp.param.name); });

TEST_F(Operations, LineRateDisplayFollowsTheEdit)
{
    Start({});
    Edit(1187)->setText("12340");
    parts_->handlers.OnEditCommitted(1187);
    EXPECT_EQ(Text(1215), "123.40us");
    EXPECT_EQ(Text(1216), "8103.7277hz");
}

// ---- a camera that goes away ----

TEST_F(Operations, CameraUnpluggedDuringAReloadFreesTheToolAfterTwoTimeOuts)
{
    Start({"--vanish-on", "GA?@2"});
    const int gain = objects_->table.GetDataValue(1041);
    parts_->menu.Action(MainMenu::kCmdReload)->trigger();

    // The struck GA? and one request after it go unanswered; then the reload sends nothing more.
    const Strings all = Traffic();
    Strings lost;
    for (std::size_t i = mark_; i < all.size(); ++i) {
        if (all[i].find(" LOST ") != std::string::npos) lost.push_back(all[i].substr(all[i].find(" LOST ") + 6));
    }
    EXPECT_EQ(lost.size(), 2u) << ::testing::PrintToString(lost);
    EXPECT_EQ(lost.empty() ? "" : lost.front(), "GA?");
    ASSERT_EQ(messages_.Shown().size(), 1u) << ::testing::PrintToString(messages_.Texts());
    const std::string& text = messages_.Shown()[0].text;
    EXPECT_EQ(text.rfind("The camera stopped answering: ", 0), 0u) << text;
    EXPECT_NE(text.find(" settings were read."), std::string::npos) << text;
    EXPECT_EQ(objects_->table.GetDataValue(1041), gain);
    EXPECT_FALSE(objects_->command.IsBusy());
}

// The area and model queries are part of the reload's read: a refused model query is told in the read's one
// summary, and the camera is gone at the second unanswered request in a row, wherever it falls.
TEST_F(Operations, AReloadWhoseFirstQueriesFailSaysSoInItsOneSummary)
{
    struct Case {
        const char* from;  // the first struck line after arming: 1 the reload's EA?, 2 its MD?
        Strings fault;
        const char* first;  // the summary's first line
        const char* then;  // a later part of it
    };
    const Case cases[] = {
        {"2", {"--error-answer", "--fault-lines", "1"}, "The camera refused the model query (MD): ERROR", ""},
        {"2",
         {"--error-answer", "--fault-lines", "2"},
         "Not every setting was read: ",
         "\nThe camera answered: ERROR:refusedbyfaultinjection for CBDRT?"},  // the first row's, not MD's
        {"2",
         {"--silent"},
         "The camera stopped answering: 0 of ",
         "\nThe camera did not answer the model query (MD).\nNo answer from the camera: 1 setting(s).\n"},
        {"1",
         {"--silent"},
         "The camera stopped answering: 0 of ",
         "\nThe camera did not answer the model query (MD).\nNot sent: "},
    };
    for (const Case& c : cases) {
        Strings options{"--dormant", "--fault-from", c.from};
        options.insert(options.end(), c.fault.begin(), c.fault.end());
        Start(options);
        objects_->command.SetTimeoutLimitMs(400);
        ArmFaults();
        parts_->menu.Action(MainMenu::kCmdReload)->trigger();
        objects_->command.SetTimeoutLimitMs(0);
        ASSERT_EQ(messages_.Shown().size(), 1u) << ::testing::PrintToString(messages_.Texts());
        const std::string& text = messages_.Shown()[0].text;
        EXPECT_EQ(text.rfind(c.first, 0), 0u) << text;
        EXPECT_NE(text.find(c.then), std::string::npos) << text;
    }
}

// ---- operator input while the camera is busy ----

TEST_F(Operations, FactoryCodeTypedDuringAReloadTogglesWholeAfterIt)
{
    Start({});
    QtUiHost uiHost;  // the read lets window messages run, as in the tool
    const ScopedUiHost pumping(uiHost);
    QWidget* edit = FindPageControl(1041);
    ASSERT_NE(edit, nullptr);
    auto post = [edit](int key, Qt::KeyboardModifiers modifiers) {
        QCoreApplication::postEvent(edit, new QKeyEvent(QEvent::KeyPress, key, modifiers));
    };
    post(Qt::Key_F12, Qt::ShiftModifier | Qt::ControlModifier);
    for (int key : {Qt::Key_F, Qt::Key_A, Qt::Key_C}) post(key, Qt::NoModifier);
    parts_->menu.Action(MainMenu::kCmdReload)->trigger();
    QCoreApplication::processEvents();

    EXPECT_EQ(objects_->mode.Get(), 1);
    EXPECT_EQ(window_->TabCaptions().back(), "Factory A");
    // The factory parameters were read after the reload, not dropped because a read was running.
    EXPECT_GT(CountReceivedStartingWith("GAORA?"), 0);
}

// The factory code sends what the table holds and the camera has not taken yet; the camera's refusal is
// said once, and the refresh after the toggle shows what the camera kept, not the refused value.
TEST_F(Operations, FactoryToggleWithARefusedPendingWriteShowsWhatTheCameraKept)
{
    Start({"--refuse", "GA=300"});
    const int kept = objects_->table.GetDataValue(1041);
    objects_->table.SetDataValue(1041, 300);
    QWidget* edit = FindPageControl(1041);
    ASSERT_NE(edit, nullptr);
    const std::pair<int, Qt::KeyboardModifiers> kFactoryCode[] = {
        {Qt::Key_F12, Qt::ShiftModifier | Qt::ControlModifier}, {Qt::Key_F, {}}, {Qt::Key_A, {}}, {Qt::Key_C, {}}};
    for (const auto& [key, modifiers] : kFactoryCode) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(edit, &press);
    }
    EXPECT_EQ(objects_->mode.Get(), 1);
    const Strings received = Received();
    ASSERT_GE(received.size(), 3u);
    EXPECT_EQ(Strings(received.begin(), received.begin() + 2), (Strings{"GA=300", "EA?"}));
    EXPECT_EQ(std::count(received.begin(), received.end(), "GA=300"), 1);
    EXPECT_EQ(std::count(received.begin(), received.end(), "GA?"), 1) << "the refresh reads it back";
    EXPECT_EQ(messages_.Texts(), Strings{"ERROR: refused on request"});
    EXPECT_EQ(objects_->table.GetDataValue(1041), kept);
    EXPECT_EQ(Text(1041), std::to_string(kept));
}

}  // namespace
