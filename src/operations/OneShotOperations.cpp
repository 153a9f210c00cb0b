// White balance, recalibration buttons and camera reset on the pages.
#include "operations/OneShotOperations.h"

#include "framework/MessageBox.h"
#include "link/Command.h"
#include "operations/CalibrationRunner.h"
#include "operations/ParameterHandlers.h"
#include "pages/CameraReader.h"
#include "pages/PageBinding.h"
#include "tables/ControlIds.h"
#include "tables/CameraModelInfo.h"
#include "tables/ComboCatalog.h"
#include "tables/ControlTable.h"

namespace {

using namespace ctl;

constexpr int kEntryOnce = 1;
constexpr int kEntryExposureOnce = 2;  // a preset on the RV-8200-B1, which cannot balance by exposure

}  // namespace

OneShotOperations::OneShotOperations(CalibrationRunner& runner, Command& command, ControlTable& table,
                                     CameraReader& reader, const CameraModelInfo& model, PageBinding& pages, OperatorHosts hosts)
    : runner_(runner), command_(command), table_(table), reader_(reader), model_(model), pages_(pages), hosts_(hosts)
{
}

void OneShotOperations::Install(ParameterHandlers& handlers)
{
    handlers.SetComboHook(kWhiteBalanceMode, ParameterHandlers::HookTime::Instead, [this] { WhiteBalanceSelected(); });
    handlers.SetButtonAction(kRecalibrateShading, [this] { runner_.Shading(); });
    handlers.SetButtonAction(kRecalibratePixelGain, [this] { runner_.Pixel(PixelCalibration::UserGain); });
    handlers.SetButtonAction(kRecalibratePixelBlack, [this] { runner_.Pixel(PixelCalibration::UserBlack); });
    handlers.SetButtonAction(kFactoryPixelGain, [this] { runner_.Pixel(PixelCalibration::FactoryGain); });
    handlers.SetButtonAction(kFactoryPixelBlack, [this] { runner_.Pixel(PixelCalibration::FactoryBlack); });
    handlers.SetButtonAction(kCameraReset, [this] { CameraReset(); });
}

void OneShotOperations::WhiteBalanceSelected()
{
    const int entry = pages_.Selection(kWhiteBalanceMode);
    int mode = 0;
    if (entry == kEntryOnce) {
        mode = CalibrationRunner::kWhiteBalanceOnce;
    } else if (entry == kEntryExposureOnce && model_.modelName != kModelB1) {
        mode = CalibrationRunner::kWhiteBalanceExposureOnce;
    }
    if (mode == 0) {
        // "Off" and the presets are plain settings. A refused one leaves the camera's mode on the combo
        // and in the table, so that a later save does not write the mode the camera never took.
        table_.SetDataValue(kWhiteBalanceMode, pages_.Value(kWhiteBalanceMode));
        if (const RequestOutcome sent = table_.WriteChangedValues(command_); !sent) {
            ShowCommunicationError(hosts_.messages, sent.FailureText());
            const int shadow = table_.GetShadowValue(kWhiteBalanceMode);
            table_.SetDataValue(kWhiteBalanceMode, shadow);
            pages_.ShowValue(kWhiteBalanceMode, shadow);
            return;
        }
        table_.CommitShadow();
        return;
    }
    const int started = runner_.WhiteBalance(mode);
    // The combo shows the camera's mode again (a one-shot falls back when it ends); if even that read fails,
    // it shows the mode the tool last knew rather than the one-shot that did not happen.
    if (!reader_.ReadOneValue(kWhiteBalanceMode))
        pages_.ShowValue(kWhiteBalanceMode, table_.GetDataValue(kWhiteBalanceMode));
    if (!started) return;
    if (mode == CalibrationRunner::kWhiteBalanceOnce) {
        reader_.ReadOneValue(kGainRed);
        reader_.ReadOneValue(kGainBlue);
    } else {
        reader_.ReadOneValue(kExposureTimeR);
        reader_.ReadOneValue(kExposureTimeB);
    }
    table_.CommitShadow();
}

void OneShotOperations::CameraReset()
{
    runner_.CameraReset();
    // The camera restarts at its own start speed and does not listen meanwhile: the tool ends, without the
    // exit confirmation and without moving the camera back to 9600 bit/s.
    if (cameraReset_) cameraReset_();
}
