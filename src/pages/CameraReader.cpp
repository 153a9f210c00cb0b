// Reading the camera's settings into the control table and the pages, and the control-state rules.
#include "pages/CameraReader.h"

#include "base/StrFormat.h"
#include "framework/DialogsDisabled.h"
#include "framework/MessageBox.h"
#include "framework/ProgressSink.h"
#include "framework/UiHost.h"
#include "link/Command.h"
#include "pages/PageBinding.h"
#include "tables/ControlIds.h"
#include "settings/ControlMode.h"
#include "tables/CameraModelInfo.h"
#include "tables/ComboCatalog.h"
#include "tables/CommandTable.h"
#include "tables/ControlTable.h"
#include "tables/SettingsReadList.h"

#include <algorithm>
#include <array>

namespace {

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

bool IsKnownModel(int modelCode) { return modelCode == kModelCodeB1 || modelCode == kModelCodeA1; }

}  // namespace

CameraReader::CameraReader(Command& command, ControlTable& table, CameraModelInfo& model, ControlMode& mode, OperatorHosts hosts)
    : command_(command), session_(command, table, model), table_(table), model_(model), mode_(mode), hosts_(hosts)
{
}

void CameraReader::SetPages(PageBinding* pages) { pages_ = pages ? pages : &noPages_; }

void CameraReader::SetMainWindow(QWidget* window) { mainWindow_ = window; }
void CameraReader::SetLutEditors(LutEditorWindows* editors) { lutEditors_ = editors; }
void CameraReader::SetLineRateDisplay(LineRateDisplay* display) { lineRateDisplay_ = display; }

void CameraReader::SetProgress(ProgressSink* progress) { progress_ = progress; }

bool CameraReader::IsInReadList(int controlId) { return SettingsReadList::IsInReadList(controlId); }

int CameraReader::ModelCheck(bool quiet)
{
    const RequestOutcome outcome = session_.CheckModel();
    if (!quiet) ShowCommunicationError(hosts_.messages, outcome.FailureText());
    if (!outcome) return 0;
    ShowUnsupportedModel();
    return 1;
}

void CameraReader::ShowUnsupportedModel()
{
    if (const std::string unsupported = session_.UnsupportedModelText(); !unsupported.empty())
        ShowMessage(hosts_.messages, unsupported, {}, MessageButtons::Ok, MessageIcon::Exclamation);
}

void CameraReader::ModelSetup()
{
    const int modelCode = model_.modelCode;
    // The entries stand in model-code order; an unknown model selects none.
    pages_->Select(ctl::kCameraModelCombo, IsKnownModel(modelCode) ? modelCode : -1);
    ShowModelLayout(modelCode);
    pages_->ApplyModelVariants(modelCode);
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
            pages_->ShowControl(entry.controlId, false);
        } else if (!IsSupportedOnModel(entry.commandIndex, otherModel)) {
            pages_->ShowControl(entry.controlId, true);
        }
    }
}

bool CameraReader::ShouldRead(int row, bool factoryMode) const
{
    return SettingsReadList::ShouldRead(table_.Row(row), model_, factoryMode);
}

int CameraReader::ReadAllSettings(const RequestOutcome* modelCheck, const RequestOutcome* earlier)
{
    const bool factoryMode = mode_.IsFactory();
    // The bar advances against the table's value rows of the mode (as it always has); the summary counts
    // the rows this model really reads.
    const int barTotal = factoryMode ? table_.CountValueRows() : table_.CountUserValueRows();
    if (progress_) progress_->Open("Now, reading camera settings.");
    const CameraSession::ReadAllResult result = session_.ReadAll(
        factoryMode,
        [&](int asked, int) {
            if (progress_) progress_->SetPosition(barTotal > 0 ? asked * 100 / barTotal : 100);
            hosts_.ui.PumpMessages(false);
        },
        modelCheck, earlier);
    if (progress_) progress_->Close();
    ActivateMainWindow();
    if (const std::string summary = result.Summary(); !summary.empty())
        ShowMessage(hosts_.messages, summary, "Communication Error", MessageButtons::Ok, MessageIcon::Exclamation);
    return result.Complete() ? 1 : 0;
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
    if (outcome) pages_->ShowValue(controlId, table_.GetDataValue(controlId));
    return outcome;
}

int CameraReader::ReadOneValue(int controlId)
{
    const RequestOutcome outcome = ReadValueQuietly(controlId);
    ShowCommunicationError(hosts_.messages, outcome.FailureText());
    return outcome ? 1 : 0;
}

void CameraReader::ShowAllValues()
{
    for (int row = 0; table_.Row(row).controlId != -1; ++row)
        pages_->ShowValue(table_.Row(row).controlId, table_.Row(row).value);
}

void CameraReader::ShowChangedValues()
{
    for (int row = 0; table_.Row(row).controlId != -1; ++row) {
        const ControlEntry& entry = table_.Row(row);
        if (entry.value != entry.shadow) pages_->ShowValue(entry.controlId, entry.value);
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
    const int lut = pages_->Selection(ctl::kLutSelector);
    // The editors shape the camera's LUT; with a gamma curve or no LUT at all they have nothing to edit.
    if (lut != kLutTable && lutEditors_) lutEditors_->HideAll();
    pages_->Enable(ctl::kOpenLutTable, lut == kLutTable);
    pages_->ShowControl(ctl::kGammaSelector, lut == kLutGamma);
    pages_->ShowControl(ctl::kGammaSelectorLabel, lut == kLutGamma);
}

void CameraReader::UpdatePixelCorrectionState()
{
    // Only the user correction tables can be recalibrated; "Off" and "Default" have nothing to record.
    pages_->Enable(ctl::kRecalibratePixelGain, pages_->Selection(ctl::kPixelGainMode) >= kCorrectionUser1);
    pages_->Enable(ctl::kRecalibratePixelBlack, pages_->Selection(ctl::kPixelBlackMode) >= kCorrectionUser1);
}

void CameraReader::UpdateExposureControls()
{
    pages_->Enable(ctl::kExposureMode, true);
    for (int id : {ctl::kExposureTime, ctl::kExposureTimeR, ctl::kExposureTimeG, ctl::kExposureTimeB})
        pages_->Enable(id, true);
}

void CameraReader::UpdateGainModeState()
{
    const int mode = pages_->Selection(ctl::kGainMode);
    if (mode != kGainModeOff && mode != kGainModeOn) return;
    const bool individual = mode == kGainModeOn;
    pages_->Enable(ctl::kGainAll, !individual);
    pages_->Enable(ctl::kGainGreen, individual);
    // Only the spins follow the mode; the table keeps the camera's full range, so a value the
    // camera reports outside the spin's range is still taken and shown.
    const int minimum = individual ? kColourGainMin : kColourGainRatioMin;
    const int maximum = individual ? kColourGainMax : kColourGainRatioMax;
    pages_->SetSpinRange(ctl::kGainRed, minimum, maximum);
    pages_->SetSpinRange(ctl::kGainBlue, minimum, maximum);
}

void CameraReader::UpdateAutoResetState()
{
    pages_->Enable(ctl::kAutoResetMode, pages_->Selection(ctl::kTriggerMode) == kTriggerOn);
}

void CameraReader::UpdateExposureState()
{
    const bool timed = pages_->Selection(ctl::kExposureMode) == kExposureTimed;
    const bool common = pages_->Selection(ctl::kExposureTimeMode) == kExposureTimeCommon;
    // Untimed exposure (off, or as long as the trigger pulse) uses no exposure time at all.
    pages_->Enable(ctl::kExposureTime, timed && common);
    for (int id : {ctl::kExposureTimeR, ctl::kExposureTimeG, ctl::kExposureTimeB}) pages_->Enable(id, timed && !common);
}

void CameraReader::Refresh(const RequestOutcome* earlier)
{
    // The read lets window messages run; a refresh started from one of them would interleave its
    // queries with this one's.
    if (refreshing_) return;
    refreshing_ = true;
    {
        const DialogsDisabled disabled(hosts_.openDialogs);
        // The model check and the read are one action: one summary names a failed check with the rows.
        const RequestOutcome model = session_.CheckModel();
        if (model) ShowUnsupportedModel();
        ModelSetup();
        ReadAllSettings(&model, earlier);
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
