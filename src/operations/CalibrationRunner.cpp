// White balance, shading and pixel calibrations, camera reset.
#include "operations/CalibrationRunner.h"

#include "base/StrFormat.h"
#include "framework/MessageBox.h"
#include "framework/ProgressSink.h"
#include "framework/TimerService.h"
#include "link/Command.h"
#include "operations/OperationClock.h"
#include "operations/RequestReport.h"
#include "operations/ResultTexts.h"
#include "tables/CommandTable.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr int kCalibrationBusy = 0;
constexpr int kCalibrationTimeout = 4;  // "Timeout Error"
constexpr int kTickMs = 1000;

struct PixelCommands {
    int start;
    int status;
    bool factory;
};

PixelCommands CommandsOf(PixelCalibration which)
{
    switch (which) {
        case PixelCalibration::UserGain:
            return {cmd::PGR, cmd::PGS, false};
        case PixelCalibration::UserBlack:
            return {cmd::PBR, cmd::PBS, false};
        case PixelCalibration::FactoryGain:
            return {cmd::PGR00, cmd::PGS00, true};
        case PixelCalibration::FactoryBlack:
        default:
            return {cmd::PBR00, cmd::PBS00, true};
    }
}

// A result box: the operation's name as caption, no icon.
void ShowResult(MessageHost& messages, const std::string& text, const std::string& caption)
{
    ShowMessage(messages, text, caption, MessageButtons::Ok, MessageIcon::None);
}

// The camera did not do what was asked: "<operation> (Tool: <command> Command Timeout)".
void ShowToolFailure(MessageHost& messages, const std::string& caption, int commandIndex)
{
    ShowMessage(messages, StrFormat("%s (Tool: %s Command Timeout)", caption.c_str(), CommandTable::Mnemonic(commandIndex)),
                caption, MessageButtons::Ok, MessageIcon::Stop);
}

}  // namespace

// The progress window while an operation runs, with the seconds since its start. The seconds advance by a
// timer, which also fires while a request waits (the waits keep the windows painted).
class CalibrationRunner::Progress {
public:
    Progress(ProgressSink* sink, OperationClock& clock, TimerService& timers, std::string caption, int limitMs)
        : sink_(sink),
          timers_(timers),
          clock_(clock),
          caption_(std::move(caption)),
          limitMs_(std::max(1, limitMs)),
          startMs_(clock.NowMs())
    {
        if (!sink_) return;
        sink_->Open(Text(0));
        timerId_ = timers_.StartTimer(kTickMs, [this] { Update(); });
    }
    ~Progress()
    {
        if (timerId_ != 0) timers_.StopTimer(timerId_);
        if (sink_) sink_->Close();
    }
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    std::int64_t ElapsedMs() const { return clock_.NowMs() - startMs_; }

    void Update()
    {
        if (!sink_) return;
        const std::int64_t elapsed = std::max<std::int64_t>(0, ElapsedMs());
        sink_->SetMessage(Text(static_cast<int>(elapsed / 1000)));
        sink_->SetPosition(static_cast<int>(std::min<std::int64_t>(100, elapsed * 100 / limitMs_)));
    }

private:
    std::string Text(int seconds) const { return StrFormat("Now, running %s: %d s", caption_.c_str(), seconds); }

    ProgressSink* sink_;
    TimerService& timers_;
    OperationClock& clock_;
    std::string caption_;
    int limitMs_;
    std::int64_t startMs_;
    int timerId_ = 0;
};

CalibrationRunner::CalibrationRunner(Command& command, OperationClock& clock, OperatorHosts hosts) : command_(command), clock_(clock), hosts_(hosts)
{}

std::string CalibrationRunner::PixelCaption(PixelCalibration which)
{
    switch (which) {
        case PixelCalibration::UserGain:
            return "Recalibrate Pixel Gain";
        case PixelCalibration::UserBlack:
            return "Recalibrate Pixel Black";
        case PixelCalibration::FactoryGain:
            return "Recalibrate Pixel Gain (Factory)";
        case PixelCalibration::FactoryBlack:
        default:
            return "Recalibrate Pixel Black (Factory)";
    }
}

bool CalibrationRunner::Noted(const RequestOutcome& outcome)
{
    if (!outcome) failure_ = outcome;
    return Reported(hosts_.messages, outcome);
}

int CalibrationRunner::WhiteBalance(int mode)
{
    failure_ = RequestOutcome::AllAnswered();
    const bool once = mode == kWhiteBalanceOnce;
    const std::string caption = once ? "White Balance Once" : "White Balance Exposure Once";
    const int resultCommand = once ? cmd::AWRS : cmd::AHRS;
    int result = 0;
    bool answered = false;
    {
        Progress progress(progress_, clock_, hosts_.timers, caption, times_.whiteBalanceStartMs);
        if (!Noted(command_.Set(cmd::AWB, mode, times_.whiteBalanceStartMs))) return 0;
        const RequestOutcome answer = command_.Ask(resultCommand, times_.resultQueryMs);
        answered = Noted(answer);
        result = answer.value.intValue;
    }
    // The progress window is gone before the result shows.
    if (answered) {
        ShowResult(hosts_.messages, WhiteBalanceResultText(result), caption);
    } else {
        ShowToolFailure(hosts_.messages, caption, resultCommand);
    }
    return 1;
}

int CalibrationRunner::Shading()
{
    failure_ = RequestOutcome::AllAnswered();
    const std::string caption = "Shading Calibration";
    int result = 0;
    int failed = -1;  // the command that failed, if one did
    {
        Progress progress(progress_, clock_, hosts_.timers, caption, times_.shadingStartMs);
        if (!Noted(command_.Set(cmd::RS, 0, times_.shadingStartMs))) {
            failed = cmd::RS;
        } else {
            clock_.Pause(times_.pauseMs);
            progress.Update();
            // The shading result has no busy code: it is asked for once.
            const RequestOutcome answer = command_.Ask(cmd::SDRS, times_.resultQueryMs);
            if (!Noted(answer)) failed = cmd::SDRS;
            result = answer.value.intValue;
        }
    }
    if (failed >= 0) {
        ShowToolFailure(hosts_.messages, caption, failed);
        return 0;
    }
    ShowResult(hosts_.messages, ShadingResultText(result), caption);
    return 1;
}

int CalibrationRunner::Pixel(PixelCalibration which)
{
    failure_ = RequestOutcome::AllAnswered();
    const PixelCommands commands = CommandsOf(which);
    const std::string caption = PixelCaption(which);
    const int limitMs = commands.factory ? times_.factoryCalibrationStartMs : times_.userCalibrationStartMs;
    int status = kCalibrationBusy;
    int failed = -1;  // the command that failed, if one did
    bool timedOut = false;
    {
        Progress progress(progress_, clock_, hosts_.timers, caption, limitMs);
        if (!Noted(command_.Set(commands.start, 0, limitMs))) {
            failed = commands.start;
        } else {
            // The camera works on after acknowledging the start and reports 0 until it is done. The polling
            // is bounded by the start's own time-out, and a status query that fails ends it: a camera that
            // has gone away must not hold the tool.
            const std::int64_t pollStart = clock_.NowMs();
            while (true) {
                clock_.Pause(times_.pauseMs);
                progress.Update();
                const RequestOutcome answer = command_.Ask(commands.status, times_.resultQueryMs);
                status = answer.value.intValue;
                if (!Noted(answer)) {
                    failed = commands.status;
                    break;
                }
                if (status != kCalibrationBusy) break;
                if (clock_.NowMs() - pollStart >= limitMs) {
                    timedOut = true;
                    break;
                }
            }
        }
    }
    if (failed >= 0) {
        // A factory calibration whose start is refused ends silently; the factory sees the traffic.
        if (!(commands.factory && failed == commands.start)) ShowToolFailure(hosts_.messages, caption, failed);
        return 0;
    }
    ShowResult(hosts_.messages, CalibrationResultText(timedOut ? kCalibrationTimeout : status), caption);
    return timedOut ? 0 : 1;
}

void CalibrationRunner::CameraReset() { Reported(hosts_.messages, command_.Set(cmd::CRS00, 1, times_.cameraResetMs)); }
