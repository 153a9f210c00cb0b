// store, restore, calibrate and white-balance.
#include "ctl/OperationVerbs.h"

#include "ctl/CtlCamera.h"
#include "ctl/CtlExit.h"
#include "ctl/StderrMessageHost.h"

#include "framework/MessageBox.h"
#include "link/Command.h"
#include "operations/CalibrationRunner.h"
#include "operations/FlashAreas.h"
#include "operations/OperationClock.h"
#include "operations/ResultTexts.h"
#include "settings/ControlMode.h"
#include "tables/CommandTable.h"

namespace {

void Problem(MessageHost& messages, const std::string& text) { ShowMessage(messages, text, {}, MessageButtons::Ok, MessageIcon::Stop); }

std::string CheckArea(const CtlArgs& args)
{
    return OperationVerbs::AreaOf(args.words[0]) >= 0
               ? std::string()
               : "not a flash area: " + args.words[0] + " (factory, user1, user2, user3)";
}

int RunStore(CtlContext& context, const CtlArgs& args)
{
    const int area = OperationVerbs::AreaOf(args.words[0]);
    Command& command = context.camera.Protocol();
    // The factory area holds what the camera returns to; only factory mode overwrites it.
    if (area == kFlashFactory && !context.camera.Mode().IsFactory()) {
        Problem(context.messages, "Storing into the factory area needs --factory; nothing was sent.");
        return kExitUsage;
    }
    FlashAreas areas(command, nullptr, nullptr, context.camera.Hosts());
    if (const RequestOutcome stored = areas.Store(area, FlashAreas::kStoreTimeoutMs); !stored) {
        ShowCommunicationError(context.messages, stored.FailureText());
        Problem(context.messages, "Couldn't store current setting data!");
        return stored.Unanswered() ? kExitNoCamera : kExitRefused;
    }
    context.Line("Completed saving current setting data ! (" + args.words[0] + ")");
    context.Json(JsonText().Add("area", args.words[0]).Add("stored", true));
    return kExitOk;
}

int RunRestore(CtlContext& context, const CtlArgs& args)
{
    const int area = OperationVerbs::AreaOf(args.words[0]);
    Command& command = context.camera.Protocol();
    if (const RequestOutcome loaded = command.Set(cmd::LD, area, FlashAreas::kLoadTimeoutMs); !loaded) {
        ShowCommunicationError(context.messages, loaded.FailureText());
        Problem(context.messages, "Couldn't load the setting data of " + args.words[0] + ".");
        return loaded.Unanswered() ? kExitNoCamera : kExitRefused;
    }
    context.Line("Loaded the setting data of " + args.words[0]);
    context.Json(JsonText().Add("area", args.words[0]).Add("loaded", true));
    return kExitOk;
}

// A one-shot operation's outcome: the result text it showed, and whether that text is its success.
// The runner shows its result without an icon, and a failure of its own (a command without an answer) with
// the stop icon; only the former is the camera's result.
int Outcome(CtlContext& context, const std::string& operation, const CalibrationRunner& runner, const char* success)
{
    std::string result;
    for (const MessageRequest& message : context.messages.Shown()) {
        if (message.icon == MessageIcon::None) result = message.text;
    }
    if (result.empty()) {
        if (runner.Failure().Unanswered()) {
            Problem(context.messages, operation + ": no answer from the camera.");
            context.Json(JsonText().Add("operation", operation).AddRaw("result", "null").Add("succeeded", false));
            return kExitNoCamera;
        }
        Problem(context.messages, operation + ": the camera did not start it.");
        context.Json(JsonText().Add("operation", operation).AddRaw("result", "null").Add("succeeded", false));
        return kExitRefused;
    }
    const bool succeeded = result == success;
    context.Line(operation + ": " + result);
    context.Json(JsonText().Add("operation", operation).Add("result", result).Add("succeeded", succeeded));
    return succeeded ? kExitOk : kExitRefused;
}

std::string CheckCalibration(const CtlArgs& args)
{
    const std::string& what = args.words[0];
    if (what != "shading" && what != "pixel-gain" && what != "pixel-black") {
        return "not a calibration: " + what + " (shading, pixel-gain, pixel-black)";
    }
    if (what == "shading" && args.Has("--factory")) return "the shading calibration has no factory variant";
    return {};
}

int RunCalibrate(CtlContext& context, const CtlArgs& args)
{
    SteadyOperationClock clock(context.camera.Hosts().ui);
    CalibrationRunner runner(context.camera.Protocol(), clock, context.camera.Hosts());
    runner.SetProgress(context.progress);
    const std::string& what = args.words[0];
    context.messages.Clear();
    if (what == "shading") {
        runner.Shading();
        return Outcome(context, "shading calibration", runner, "Complete");
    }
    const bool factory = args.Has("--factory");
    if (factory && !context.camera.Mode().IsFactory()) context.camera.Mode().Set(1);
    const PixelCalibration which = what == "pixel-gain"
                                       ? (factory ? PixelCalibration::FactoryGain : PixelCalibration::UserGain)
                                       : (factory ? PixelCalibration::FactoryBlack : PixelCalibration::UserBlack);
    runner.Pixel(which);
    return Outcome(context, CalibrationRunner::PixelCaption(which), runner, "Succeeded");
}

std::string CheckWhiteBalance(const CtlArgs& args)
{
    return args.words[0] == "once" || args.words[0] == "exposure-once"
               ? std::string()
               : "not a white balance: " + args.words[0] + " (once, exposure-once)";
}

int RunWhiteBalance(CtlContext& context, const CtlArgs& args)
{
    SteadyOperationClock clock(context.camera.Hosts().ui);
    CalibrationRunner runner(context.camera.Protocol(), clock, context.camera.Hosts());
    runner.SetProgress(context.progress);
    context.messages.Clear();
    const int mode =
        args.words[0] == "once" ? CalibrationRunner::kWhiteBalanceOnce : CalibrationRunner::kWhiteBalanceExposureOnce;
    runner.WhiteBalance(mode);
    return Outcome(context, "white balance " + args.words[0], runner, "Succeeded");
}

}  // namespace

int OperationVerbs::AreaOf(const std::string& word)
{
    if (word == "factory") return kFlashFactory;
    if (word == "user1") return kFlashUser1;
    if (word == "user2") return kFlashUser2;
    if (word == "user3") return kFlashUser3;
    return -1;
}

void OperationVerbs::Add(std::vector<CtlVerb>& verbs)
{
    verbs.push_back({"store",
                     "store AREA",
                     "Stores the camera's current settings into a flash area: user1, user2, user3, or factory\n"
                     "(with --factory).",
                     1,
                     1,
                     {},
                     CheckArea,
                     RunStore});
    verbs.push_back({"restore",
                     "restore AREA",
                     "Loads a flash area (factory, user1, user2, user3) into the camera's current settings.",
                     1,
                     1,
                     {},
                     CheckArea,
                     RunRestore});
    verbs.push_back({"calibrate",
                     "calibrate shading|pixel-gain|pixel-black [--factory]",
                     "Runs a calibration and prints its result. --factory runs the factory pixel calibrations.\n"
                     "Exit 1 when the result is not a success. A calibration may take minutes.",
                     1,
                     1,
                     {"--factory"},
                     CheckCalibration,
                     RunCalibrate});
    verbs.push_back({"white-balance",
                     "white-balance once|exposure-once",
                     "Runs the white balance once (or with the exposure) and prints its result.",
                     1,
                     1,
                     {},
                     CheckWhiteBalance,
                     RunWhiteBalance});
}
