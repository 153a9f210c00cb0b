// The camera's one-shot operations: white balance, shading and pixel calibrations, camera reset. Each
// sends its start command, waits for the camera, reads the result code and shows its text.
#pragma once

#include "framework/OperatorHosts.h"
#include "tables/RequestOutcome.h"

#include <string>

class Command;
class OperationClock;
class ProgressSink;

// The time-outs and the pause of the operations, in milliseconds. Tests shorten them.
struct OneShotTimes {
    int whiteBalanceStartMs = 40000;
    int shadingStartMs = 420000;
    int userCalibrationStartMs = 420000;
    int factoryCalibrationStartMs = 200000;
    int resultQueryMs = 5000;
    int pauseMs = 1000;  // before the shading result and between the status queries
    int cameraResetMs = 1000;
};

enum class PixelCalibration { UserGain, UserBlack, FactoryGain, FactoryBlack };

class CalibrationRunner {
public:
    static constexpr int kWhiteBalanceOnce = 2;  // AWB codes
    static constexpr int kWhiteBalanceExposureOnce = 4;

    CalibrationRunner(Command& command, OperationClock& clock, OperatorHosts hosts);

    void SetProgress(ProgressSink* progress) { progress_ = progress; }
    OneShotTimes& Times() { return times_; }

    // AWB=2 ("Once") or AWB=4 ("Exposure Once") and the result text. 0 when the start failed (nothing
    // shown here), 1 when it was acknowledged; the caller re-reads what the balance changed either way.
    int WhiteBalance(int mode);
    // RS=0, a pause, SDRS and its text. 1 when a result was shown.
    int Shading();
    // PGR/PBR (or the factory PGR00/PBR00) =0, then the status once a pause until it is no longer 0.
    // 1 when a result was shown.
    int Pixel(PixelCalibration which);
    // CRS00=1; the camera restarts and does not listen afterwards, so the result does not matter.
    void CameraReset();

    // How the request that ended the last operation early went (a refusal, or no answer); answered when
    // the operation ran through.
    const RequestOutcome& Failure() const { return failure_; }

    // The caption of an operation's messages.
    static std::string PixelCaption(PixelCalibration which);

private:
    class Progress;

    // Reported, and the failure kept for Failure().
    bool Noted(const RequestOutcome& outcome);

    Command& command_;
    OperationClock& clock_;
    ProgressSink* progress_ = nullptr;
    OneShotTimes times_;
    OperatorHosts hosts_;
    RequestOutcome failure_;
};
