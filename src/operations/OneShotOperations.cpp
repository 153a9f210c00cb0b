// White balance, recalibration buttons and camera reset on the pages.
#include "operations/OneShotOperations.h"

#include "framework/MessageBox.h"
#include "link/Command.h"
#include "operations/CalibrationRunner.h"
#include "operations/ParameterHandlers.h"
#include "pages/CameraReader.h"
#include "pages/PageControls.h"
#include "tables/CameraModelInfo.h"
#include "tables/ComboCatalog.h"
#include "tables/ControlTable.h"

#include <QComboBox>

namespace {

enum : int {
    kCameraReset = 1012,
    kRecalibrateShading = 1121,
    kRecalibratePixelBlack = 1183,
    kRecalibratePixelGain = 1193,
    kFactoryPixelGain = 1197,
    kFactoryPixelBlack = 1198,
    kWhiteBalanceMode = 1408,
    kGainRed = 1246,
    kGainBlue = 1248,
    kExposureTimeR = 1294,
    kExposureTimeB = 1298,
};

constexpr int kEntryOnce = 1;
constexpr int kEntryExposureOnce = 2;  // a preset on the RV-8200-B1, which cannot balance by exposure

}  // namespace

OneShotOperations::OneShotOperations(CalibrationRunner& runner, Command& command, ControlTable& table,
                                     CameraReader& reader, const CameraModelInfo& model)
    : runner_(runner), command_(command), table_(table), reader_(reader), model_(model)
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
    auto* combo = qobject_cast<QComboBox*>(FindPageControl(kWhiteBalanceMode));
    const int entry = combo ? combo->currentIndex() : -1;
    int mode = 0;
    if (entry == kEntryOnce) {
        mode = CalibrationRunner::kWhiteBalanceOnce;
    } else if (entry == kEntryExposureOnce && model_.modelName != kModelB1) {
        mode = CalibrationRunner::kWhiteBalanceExposureOnce;
    }
    if (mode == 0) {
        // "Off" and the presets are plain settings.
        table_.SetDataValue(kWhiteBalanceMode, ReadControlValue(kWhiteBalanceMode));
        reader_.ShowChangedValues();
        if (!table_.WriteChangedValues(command_)) ShowCommunicationError(command_.LastFailureText());
        table_.CommitShadow();
        return;
    }
    const int started = runner_.WhiteBalance(mode);
    // The combo shows the camera's mode again (a one-shot falls back when it ends); if even that read fails,
    // it shows the mode the tool last knew rather than the one-shot that did not happen.
    if (!reader_.ReadOneValue(kWhiteBalanceMode)) ShowValue(kWhiteBalanceMode, table_.GetDataValue(kWhiteBalanceMode));
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
