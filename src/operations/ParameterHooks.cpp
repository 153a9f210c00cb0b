// The special page-control handlers.
#include "operations/ParameterHooks.h"

#include "framework/MessageBox.h"
#include "link/Command.h"
#include "operations/ParameterHandlers.h"
#include "pages/CameraReader.h"
#include "pages/PageBinding.h"
#include "tables/ControlIds.h"
#include "tables/ControlTable.h"

#include <initializer_list>

namespace {

using namespace ctl;

// Red and blue gains: ratios to Gain All while the individual gain mode is off, absolute gains while on.
constexpr int kRatioMin = 40;
constexpr int kRatioMax = 400;
constexpr int kGainMin = 100;
constexpr int kGainMax = 1600;

}  // namespace

ParameterHooks::ParameterHooks(ParameterHandlers& handlers, Command& command, ControlTable& table, CameraReader& reader,
                               PageBinding& pages, OperatorHosts hosts)
    : handlers_(handlers), command_(command), table_(table), reader_(reader), pages_(pages), hosts_(hosts)
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

bool ParameterHooks::WriteSelection(int comboId, int timeoutMs)
{
    table_.SetDataValue(comboId, pages_.Value(comboId));
    if (const RequestOutcome sent = command_.Set(table_.ToCmdId(comboId), table_.GetDataValue(comboId), timeoutMs);
        !sent) {
        // The camera keeps its value: so do the table and the combo, and nothing that follows the mode
        // changes.
        ShowCommunicationError(hosts_.messages, sent.FailureText());
        const int shadow = table_.GetShadowValue(comboId);
        table_.SetDataValue(comboId, shadow);
        pages_.ShowValue(comboId, shadow);
        return false;
    }
    table_.CommitShadow();
    return true;
}

void ParameterHooks::SlowWrite(int comboId, bool lineRateReadBack)
{
    if (!handlers_.HasRow(comboId)) return;
    if (!WriteSelection(comboId, slowWriteTimeoutMs_)) return;
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
    if (!handlers_.HasRow(kExposureMode)) return;
    if (!WriteSelection(kExposureMode, reader_.ReadTimeoutMs())) return;
    // The exposure edits follow the mode the camera took; the read-back brings in the times and modes the
    // camera changed with it.
    reader_.UpdateExposureState();
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
    const int mode = pages_.Selection(kGainMode);
    int minimum = kRatioMin;
    int maximum = kRatioMax;
    if (mode == 0) {
        pages_.Enable(kGainAll, true);
        pages_.Enable(kGainGreen, false);
        reader_.ReadOneValue(kGainAll);
    } else if (mode == 1) {
        pages_.Enable(kGainAll, false);
        pages_.Enable(kGainGreen, true);
        reader_.ReadOneValue(kWhiteBalanceMode);
        reader_.ReadOneValue(kGainGreen);
        minimum = kGainMin;
        maximum = kGainMax;
    } else {
        ShowMessage(hosts_.messages, "Unkown Parameter", "Error", MessageButtons::Ok, MessageIcon::None);
        return;
    }
    reader_.ReadOneValue(kGainRed);
    reader_.ReadOneValue(kGainBlue);
    table_.CommitShadow();
    pages_.SetSpinRange(kGainRed, minimum, maximum);
    pages_.SetSpinRange(kGainBlue, minimum, maximum);
    pages_.Repaint(kGainAll);
}
