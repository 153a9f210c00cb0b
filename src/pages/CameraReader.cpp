// Reading the camera's settings into the control table and the pages, and the control-state rules.
#include "pages/CameraReader.h"

#include "base/StrFormat.h"
#include "framework/DialogsDisabled.h"
#include "framework/MessageBox.h"
#include "framework/ProgressSink.h"
#include "framework/UiHost.h"
#include "framework/qt/CSpinButton.h"
#include "framework/qt/ControlWindow.h"
#include "link/Command.h"
#include "pages/PageControls.h"
#include "settings/ControlMode.h"
#include "tables/CameraModelInfo.h"
#include "tables/ComboCatalog.h"
#include "tables/CommandTable.h"
#include "tables/ControlTable.h"
#include "tables/SettingsReadList.h"

#include <QComboBox>

#include <algorithm>
#include <array>

namespace {

// Control ids of the page controls the rules and the model set-up work on.
enum : int {
    kIdCameraModel = 1142,
    kIdLutSelector = 1116,
    kIdOpenLutTable = 1132,
    kIdGammaSelector = 1117,
    kIdGammaSelectorLabel = 1141,
    kIdPixelGainMode = 1192,
    kIdRecalibratePixelGain = 1193,
    kIdPixelBlackMode = 1184,
    kIdRecalibratePixelBlack = 1183,
    kIdTriggerMode = 1096,
    kIdAutoResetMode = 1186,
    kIdExposureMode = 1092,
    kIdExposureTimeMode = 1224,
    kIdExposureTime = 1093,
    kIdExposureTimeR = 1294,
    kIdExposureTimeG = 1296,
    kIdExposureTimeB = 1298,
    kIdGainMode = 1259,
    kIdGainAll = 1041,
    kIdGainRed = 1246,
    kIdGainGreen = 1244,
    kIdGainBlue = 1248,
};

// Combo selections the rules test (entry positions in the page lists).
constexpr int kLutGamma = 1;
constexpr int kLutTable = 2;
constexpr int kCorrectionUser1 = 2;  // "Off", "Default", then "User1" .. "User3"
constexpr int kTriggerOn = 1;
constexpr int kExposureTimed = 1;
constexpr int kExposureTimeCommon = 0;
constexpr int kGainModeOff = 0;
constexpr int kGainModeOn = 1;

// Gain Red and Blue are ratios to Gain All while the individual gain mode is off, and absolute gains
// like Gain Green while it is on.
constexpr int kColourGainRatioMin = 40;
constexpr int kColourGainRatioMax = 400;
constexpr int kColourGainMin = 100;
constexpr int kColourGainMax = 1600;

// The combo box's selected entry, -1 for none or when the control is not a combo box.
int Selection(int controlId)
{
    auto* combo = qobject_cast<QComboBox*>(FindPageControl(controlId));
    return combo ? combo->currentIndex() : -1;
}

// The spin whose buddy is this edit box (its id is in the edit's user data).
CSpinButton* SpinOf(int editId)
{
    QWidget* edit = FindPageControl(editId);
    const int spinId = edit ? static_cast<int>(GetUserData(edit)) : 0;
    return spinId != 0 ? qobject_cast<CSpinButton*>(FindPageControl(spinId)) : nullptr;
}

void EnableControl(int controlId, bool enable)
{
    if (QWidget* control = FindPageControl(controlId)) control->setEnabled(enable);
}

void EnableWithSpin(int editId, bool enable)
{
    EnableControl(editId, enable);
    if (CSpinButton* spin = SpinOf(editId)) spin->setEnabled(enable);
}

void SetSpinRange(int editId, int minimum, int maximum)
{
    if (CSpinButton* spin = SpinOf(editId)) spin->SetRange32(minimum, maximum);
}

bool IsKnownModel(int modelCode) { return modelCode == kModelCodeB1 || modelCode == kModelCodeA1; }

}  // namespace

CameraReader::CameraReader(Command& command, ControlTable& table, CameraModelInfo& model, ControlMode& mode)
    : command_(command), session_(command, table, model), table_(table), model_(model), mode_(mode)
{
}

void CameraReader::SetMainWindow(QWidget* window) { mainWindow_ = window; }
void CameraReader::SetLutEditors(LutEditorWindows* editors) { lutEditors_ = editors; }
void CameraReader::SetLineRateDisplay(LineRateDisplay* display) { lineRateDisplay_ = display; }

void CameraReader::SetProgress(ProgressSink* progress) { progress_ = progress; }

bool CameraReader::IsInReadList(int controlId) { return SettingsReadList::IsInReadList(controlId); }

int CameraReader::ModelCheck(bool quiet)
{
    const RequestOutcome outcome = session_.CheckModel();
    if (!quiet) ShowCommunicationError(outcome.FailureText());
    if (!outcome) return 0;
    if (const std::string unsupported = session_.UnsupportedModelText(); !unsupported.empty())
        ShowMessage(unsupported, {}, MessageButtons::Ok, MessageIcon::Exclamation);
    return 1;
}

void CameraReader::ModelSetup()
{
    const int modelCode = model_.modelCode;
    if (auto* combo = qobject_cast<QComboBox*>(FindPageControl(kIdCameraModel))) {
        // The entries stand in model-code order.
        combo->setCurrentIndex(IsKnownModel(modelCode) && modelCode < combo->count() ? modelCode : -1);
    }
    ShowModelLayout(modelCode);
    ApplyModelVariants(modelCode);
}

void CameraReader::ShowModelLayout(int modelCode)
{
    if (!IsKnownModel(modelCode)) return;
    const int otherModel = modelCode == kModelCodeB1 ? kModelCodeA1 : kModelCodeB1;
    for (int row = 0; table_.Row(row).controlId != -1; ++row) {
        const ControlEntry& entry = table_.Row(row);
        // Both models have an exposure time mode; the B1 merely lacks the individual entry, which the
        // model variants take out of the list.
        if (entry.commandIndex == cmd::ETM) continue;
        if (!IsSupportedOnModel(entry.commandIndex, modelCode)) {
            ShowPageControl(entry.controlId, false);
        } else if (!IsSupportedOnModel(entry.commandIndex, otherModel)) {
            ShowPageControl(entry.controlId, true);
        }
    }
}

bool CameraReader::ShouldRead(int row, bool factoryMode) const
{
    return SettingsReadList::ShouldRead(table_.Row(row), model_, factoryMode);
}

int CameraReader::ReadAllSettings()
{
    const bool factoryMode = mode_.IsFactory();
    // The bar advances against the table's value rows of the mode (as it always has); the summary counts
    // the rows this model really reads.
    const int barTotal = factoryMode ? table_.CountValueRows() : table_.CountUserValueRows();
    if (progress_) progress_->Open("Now, reading camera settings.");
    const CameraSession::ReadAllResult result = session_.ReadAll(factoryMode, [&](int asked, int) {
        if (progress_) progress_->SetPosition(barTotal > 0 ? asked * 100 / barTotal : 100);
        PumpMessages();
    });
    if (progress_) progress_->Close();
    ActivateMainWindow();
    if (result.Complete()) return 1;
    ShowMessage(result.Summary(), "Communication Error", MessageButtons::Ok, MessageIcon::Exclamation);
    return 0;
}

void CameraReader::ActivateMainWindow()
{
    if (!mainWindow_) return;
    if (!mainWindow_->isActiveWindow()) mainWindow_->activateWindow();
    mainWindow_->raise();
}

RequestOutcome CameraReader::ReadValueQuietly(int controlId)
{
    RequestOutcome outcome = session_.ReadOne(controlId);
    if (outcome) ShowValue(controlId, table_.GetDataValue(controlId));
    return outcome;
}

int CameraReader::ReadOneValue(int controlId)
{
    const RequestOutcome outcome = ReadValueQuietly(controlId);
    ShowCommunicationError(outcome.FailureText());
    return outcome ? 1 : 0;
}

void CameraReader::ShowAllValues()
{
    for (int row = 0; table_.Row(row).controlId != -1; ++row)
        ShowValue(table_.Row(row).controlId, table_.Row(row).value);
}

void CameraReader::ShowChangedValues()
{
    for (int row = 0; table_.Row(row).controlId != -1; ++row) {
        const ControlEntry& entry = table_.Row(row);
        if (entry.value != entry.shadow) ShowValue(entry.controlId, entry.value);
    }
}

void CameraReader::UpdateControlStates()
{
    UpdateLutState();
    UpdatePixelCorrectionState();
    UpdateExposureControls();
    UpdateGainModeState();
    UpdateAutoResetState();
    UpdateExposureState();
}

void CameraReader::UpdateLutState()
{
    const int lut = Selection(kIdLutSelector);
    // The editors shape the camera's LUT; with a gamma curve or no LUT at all they have nothing to edit.
    if (lut != kLutTable && lutEditors_) lutEditors_->HideAll();
    EnableControl(kIdOpenLutTable, lut == kLutTable);
    ShowPageControl(kIdGammaSelector, lut == kLutGamma);
    ShowPageControl(kIdGammaSelectorLabel, lut == kLutGamma);
}

void CameraReader::UpdatePixelCorrectionState()
{
    // Only the user correction tables can be recalibrated; "Off" and "Default" have nothing to record.
    EnableControl(kIdRecalibratePixelGain, Selection(kIdPixelGainMode) >= kCorrectionUser1);
    EnableControl(kIdRecalibratePixelBlack, Selection(kIdPixelBlackMode) >= kCorrectionUser1);
}

void CameraReader::UpdateExposureControls()
{
    EnableControl(kIdExposureMode, true);
    for (int id : {kIdExposureTime, kIdExposureTimeR, kIdExposureTimeG, kIdExposureTimeB}) EnableWithSpin(id, true);
}

void CameraReader::UpdateGainModeState()
{
    const int mode = Selection(kIdGainMode);
    if (mode != kGainModeOff && mode != kGainModeOn) return;
    const bool individual = mode == kGainModeOn;
    EnableWithSpin(kIdGainAll, !individual);
    EnableWithSpin(kIdGainGreen, individual);
    // Only the spins follow the mode; the table keeps the camera's full range, so a value the
    // camera reports outside the spin's range is still taken and shown.
    const int minimum = individual ? kColourGainMin : kColourGainRatioMin;
    const int maximum = individual ? kColourGainMax : kColourGainRatioMax;
    SetSpinRange(kIdGainRed, minimum, maximum);
    SetSpinRange(kIdGainBlue, minimum, maximum);
}

void CameraReader::UpdateAutoResetState() { EnableControl(kIdAutoResetMode, Selection(kIdTriggerMode) == kTriggerOn); }

void CameraReader::UpdateExposureState()
{
    const bool timed = Selection(kIdExposureMode) == kExposureTimed;
    const bool common = Selection(kIdExposureTimeMode) == kExposureTimeCommon;
    // Untimed exposure (off, or as long as the trigger pulse) uses no exposure time at all.
    EnableControl(kIdExposureTime, timed && common);
    for (int id : {kIdExposureTimeR, kIdExposureTimeG, kIdExposureTimeB}) EnableControl(id, timed && !common);
}

void CameraReader::Refresh()
{
    // The read lets window messages run; a refresh started from one of them would interleave its
    // queries with this one's.
    if (refreshing_) return;
    refreshing_ = true;
    {
        const DialogsDisabled disabled;
        ModelCheck();
        ModelSetup();
        ReadAllSettings();
        ShowAllValues();
        table_.CommitShadow();
        table_.WriteChangedValues(command_);
        table_.CommitShadow();
        ShowAllValues();
        UpdateControlStates();
        if (lineRateDisplay_) lineRateDisplay_->ShowLineRate();
    }
    refreshing_ = false;
}
