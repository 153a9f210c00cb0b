// The special page-control handlers.
#include "operations/ParameterHooks.h"

#include "framework/MessageBox.h"
#include "framework/qt/CSpinButton.h"
#include "framework/qt/ControlWindow.h"
#include "link/Command.h"
#include "operations/ParameterHandlers.h"
#include "pages/CameraReader.h"
#include "pages/PageControls.h"
#include "tables/ControlTable.h"

#include <QComboBox>
#include <QWidget>

#include <initializer_list>

namespace {

enum : int {
    kExposureMode = 1092,  // TR
    kExposureTime = 1093,  // PE
    kTriggerMode = 1096,  // TM
    kTriggerActivation = 1099,  // TA
    kPixelFormat = 1100,  // BA
    kLutSelector = 1116,  // LUN
    kShadingMode = 1120,  // SDM
    kPixelBlackMode = 1184,  // PBC
    kLineRate = 1187,  // LR
    kPixelGainMode = 1192,  // PGC
    kSensorSelect = 1195,  // STP
    kClConfiguration = 1223,  // CLCFG
    kExposureTimeMode = 1224,  // ETM
    kWidth = 1225,  // WTC
    kOffsetX = 1227,  // OFC
    kBinning = 1229,  // HB
    kGainMode = 1259,  // GM
    kGainAll = 1041,  // GA
    kGainGreen = 1244,  // GAG
    kGainRed = 1246,  // GAR
    kGainBlue = 1248,  // GAB
    kGainRedSpin = 1247,
    kGainBlueSpin = 1249,
    kExposureTimeR = 1294,  // PER
    kExposureTimeG = 1296,  // PEG
    kExposureTimeB = 1298,  // PEB
    kWhiteBalanceMode = 1408,  // AWB
    kWhiteBalanceWidth = 1404,  // AWBW
    kWhiteBalanceOffset = 1406,  // AWBO
    kLineRateOption = 1628,  // LROP
};

// Red and blue gains: ratios to Gain All while the individual gain mode is off, absolute gains while on.
constexpr int kRatioMin = 40;
constexpr int kRatioMax = 400;
constexpr int kGainMin = 100;
constexpr int kGainMax = 1600;

void EnableWithSpin(int editId, bool enable)
{
    QWidget* edit = FindPageControl(editId);
    if (!edit) return;
    edit->setEnabled(enable);
    const int spinId = static_cast<int>(GetUserData(edit));
    if (QWidget* spin = spinId != 0 ? FindPageControl(spinId) : nullptr) spin->setEnabled(enable);
}

void SetSpinRange(int spinId, int minimum, int maximum)
{
    if (auto* spin = qobject_cast<CSpinButton*>(FindPageControl(spinId))) spin->SetRange32(minimum, maximum);
}

int Selection(int comboId)
{
    auto* combo = qobject_cast<QComboBox*>(FindPageControl(comboId));
    return combo ? combo->currentIndex() : -1;
}

}  // namespace

ParameterHooks::ParameterHooks(ParameterHandlers& handlers, Command& command, ControlTable& table, CameraReader& reader)
    : handlers_(handlers), command_(command), table_(table), reader_(reader)
{
}

void ParameterHooks::Install()
{
    using Hook = ParameterHandlers::HookTime;
    ParameterHandlers& h = handlers_;
    h.SetComboHook(kExposureMode, Hook::Instead, [this] { ExposureModeChanged(); });
    h.SetComboHook(kTriggerMode, Hook::Before, [this] { reader_.UpdateAutoResetState(); });
    h.SetComboHook(kTriggerMode, Hook::After, [this] { ExposureReadBack(); });
    h.SetComboHook(kPixelFormat, Hook::Instead, [this] { SlowWrite(kPixelFormat, true); });
    h.SetComboHook(kLutSelector, Hook::Before, [this] { reader_.UpdateLutState(); });
    for (int id : {kShadingMode, kPixelBlackMode, kPixelGainMode}) {
        h.SetComboHook(id, Hook::Before, [this] { reader_.UpdatePixelCorrectionState(); });
    }
    h.SetComboHook(kSensorSelect, Hook::Instead, [this] { SlowWrite(kSensorSelect, false); });
    h.SetComboHook(kClConfiguration, Hook::Instead, [this] { SlowWrite(kClConfiguration, true); });
    h.SetComboHook(kExposureTimeMode, Hook::After, [this] {
        reader_.UpdateExposureState();
        ExposureReadBack();
    });
    h.SetComboHook(kGainMode, Hook::After, [this] { GainModeChanged(); });
    h.SetComboHook(kLineRateOption, Hook::Instead, [this] { SlowWrite(kLineRateOption, true); });

    h.SetFollowUp(kLineRate, [this] { handlers_.ShowLineRate(); });
    h.SetFollowUp(kWidth, [this] { ReadBack({kWidth}); });
    h.SetFollowUp(kOffsetX, [this] { ReadBack({kOffsetX}); });
    // Binning changes the image geometry and with it the white balance window.
    h.SetFollowUp(kBinning, [this] { ReadBack({kWidth, kOffsetX, kWhiteBalanceWidth, kWhiteBalanceOffset}); });
    h.SetFollowUp(kExposureTimeG, [this] { ReadBack({kExposureTimeR, kExposureTimeB}); });
    h.SetFollowUp(kWhiteBalanceWidth, [this] { ReadBack({kWhiteBalanceWidth}); });
    h.SetFollowUp(kWhiteBalanceOffset, [this] { ReadBack({kWhiteBalanceOffset}); });
}

void ParameterHooks::ReadBack(std::initializer_list<int> controlIds)
{
    for (int id : controlIds) reader_.ReadOneValue(id);
    table_.CommitShadow();
}

void ParameterHooks::SlowWrite(int comboId, bool lineRateReadBack)
{
    if (!handlers_.HasRow(comboId)) return;
    const int value = ReadControlValue(comboId);
    table_.SetDataValue(comboId, value);
    reader_.ShowChangedValues();
    if (const RequestOutcome sent = command_.Set(table_.ToCmdId(comboId), value, slowWriteTimeoutMs_); !sent) {
        ShowCommunicationError(sent.FailureText());
        const int shadow = table_.GetShadowValue(comboId);
        table_.SetDataValue(comboId, shadow);
        ShowValue(comboId, shadow);
        return;
    }
    if (lineRateReadBack) {
        // The camera works out the fastest line rate the new format allows.
        reader_.ReadOneValue(kLineRate);
        handlers_.ShowLineRate();
        reader_.ShowChangedValues();
    }
    table_.CommitShadow();
}

void ParameterHooks::ExposureModeChanged()
{
    reader_.UpdateExposureState();
    if (!handlers_.HasRow(kExposureMode)) return;
    table_.SetDataValue(kExposureMode, ReadControlValue(kExposureMode));
    reader_.ShowChangedValues();
    // Levelled whatever the write gave: the read-back below brings in what the camera really has.
    if (!table_.WriteChangedValues(command_)) ShowCommunicationError(command_.LastFailureText());
    table_.CommitShadow();
    for (int id : {kExposureTime, kExposureTimeG, kExposureTimeR, kExposureTimeB, kTriggerMode, kTriggerActivation,
                   kExposureTimeMode}) {
        reader_.ReadOneValue(id);
    }
    reader_.ShowChangedValues();
    table_.CommitShadow();
}

void ParameterHooks::ExposureReadBack()
{
    for (int id : {kExposureTime, kExposureTimeG, kExposureTimeR, kExposureTimeB}) reader_.ReadOneValue(id);
    reader_.ShowChangedValues();
    table_.CommitShadow();
}

void ParameterHooks::GainModeChanged()
{
    const int mode = Selection(kGainMode);
    int minimum = kRatioMin;
    int maximum = kRatioMax;
    if (mode == 0) {
        EnableWithSpin(kGainAll, true);
        EnableWithSpin(kGainGreen, false);
        reader_.ReadOneValue(kGainAll);
    } else if (mode == 1) {
        EnableWithSpin(kGainAll, false);
        EnableWithSpin(kGainGreen, true);
        reader_.ReadOneValue(kWhiteBalanceMode);
        reader_.ReadOneValue(kGainGreen);
        minimum = kGainMin;
        maximum = kGainMax;
    } else {
        ShowMessage("Unkown Parameter", "Error", MessageButtons::Ok, MessageIcon::None);
        return;
    }
    reader_.ReadOneValue(kGainRed);
    reader_.ReadOneValue(kGainBlue);
    table_.CommitShadow();
    SetSpinRange(kGainRedSpin, minimum, maximum);
    SetSpinRange(kGainBlueSpin, minimum, maximum);
    if (QWidget* edit = FindPageControl(kGainAll)) {
        if (QWidget* page = edit->window()) page->update();
    }
}
