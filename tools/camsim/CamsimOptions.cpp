// Command-line parsing of the pseudo-terminal camera.
#include "camsim/CamsimOptions.h"

#include "camsim/CameraModel.h"
#include "tables/ComboCatalog.h"
#include "tables/CommandTable.h"

#include <climits>

namespace camsim {
namespace {

// The result queries whose codes can be forced.
constexpr int kForcible[] = {cmd::AWRS, cmd::AHRS, cmd::SDRS, cmd::PGS, cmd::PBS, cmd::PGS00, cmd::PBS00, cmd::SDS00};

bool ParseCount(const std::string& text, int& value)
{
    if (text.empty() || text.size() > 9) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    value = std::stoi(text);
    return true;
}

// The identity text a query mnemonic reports, or nullptr for any other mnemonic.
std::string* IdentityField(CameraConfig& camera, const std::string& mnemonic)
{
    if (mnemonic == "VN") return &camera.firmwareVersion;
    if (mnemonic == "FPVN") return &camera.fpgaVersion;
    if (mnemonic == "ID") return &camera.cameraId;
    if (mnemonic == "UD") return &camera.userId;
    if (mnemonic == "DV") return &camera.deviceVersion;
    return nullptr;
}

// Answer lines carry the text: no control characters, which would end or garble the line.
bool IsPrintable(const std::string& text)
{
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 32 || c == 127) return false;
    }
    return text.size() <= 256;
}

// A whole number with an optional minus sign.
bool ParseSigned(const std::string& text, long long& value)
{
    const bool negative = !text.empty() && text.front() == '-';
    int magnitude = 0;
    if (!ParseCount(negative ? text.substr(1) : text, magnitude)) return false;
    value = negative ? -static_cast<long long>(magnitude) : magnitude;
    return true;
}

bool Fail(std::string& error, const char* reason)
{
    error = reason;
    return false;
}

// How an option takes its value: none, ignored (--help=x is still help), any text, or a whole number of 0 or more.
enum class Takes { Nothing, Ignored, Text, Count };

using Apply = bool (*)(CamsimOptions& options, const std::string& text, int count, std::string& error);

// One command-line option: a switch or a count of the camera, or an option with a rule of its own (apply, which
// gives false with the reason in error). A count may have bounds, with the reason given when it is outside them.
struct Option {
    const char* name;
    Takes takes;
    Apply apply = nullptr;
    bool CameraConfig::*flag = nullptr;
    int CameraConfig::*count = nullptr;
    int least = 0;
    int most = INT_MAX;
    const char* outside = nullptr;
};

bool ApplyModel(CamsimOptions& options, const std::string& text, int, std::string& error)
{
    std::string value = text;
    if (value == "A1") value = std::string(kModelA1);
    if (value == "B1") value = std::string(kModelB1);
    // The model text travels in answer lines: no separators, no control characters.
    bool clean = !value.empty() && value.size() <= 32 && value.find_first_of("=?,") == std::string::npos;
    for (char c : value) clean = clean && static_cast<unsigned char>(c) >= 32 && c != 127;
    if (!clean) return Fail(error, "--model needs 1 to 32 printable characters without = ? ,");
    options.camera.model = value;
    return true;
}

bool ApplySpeed(CamsimOptions& options, const std::string&, int code, std::string& error)
{
    if (CodeOfBaudRate(code)) code = CodeOfBaudRate(code);
    if (!BaudRateOfCode(code)) {
        return Fail(error, "--speed needs a code 1, 2, 4, 8, 16 or a rate 9600, 19200, 38400, 57600, 115200");
    }
    options.camera.baudCode = code;
    return true;
}

bool ApplyResult(CamsimOptions& options, const std::string& value, int, std::string& error)
{
    const std::size_t sep = value.find('=');
    const int command = sep == std::string::npos ? -1 : CommandTable::Find(value.substr(0, sep));
    bool forcible = false;
    for (int candidate : kForcible) forcible = forcible || candidate == command;
    int code = 0;
    if (!forcible || !ParseCount(value.substr(sep + 1), code)) {
        return Fail(error, "--result needs MN=CODE with MN one of AWRS, AHRS, SDRS, PGS, PBS, PGS00, PBS00, SDS00");
    }
    options.camera.forcedResults[command] = code;
    return true;
}

bool ApplyIdentity(CamsimOptions& options, const std::string& value, int, std::string& error)
{
    const std::size_t sep = value.find('=');
    std::string* field = sep == std::string::npos ? nullptr : IdentityField(options.camera, value.substr(0, sep));
    const std::string text = field ? value.substr(sep + 1) : std::string();
    if (!field || !IsPrintable(text)) {
        return Fail(error, "--identity needs MN=TEXT with MN one of VN, FPVN, ID, UD, DV and printable text");
    }
    *field = text;
    return true;
}

bool ApplyVanishOn(CamsimOptions& options, const std::string& value, int, std::string& error)
{
    const std::size_t at = value.rfind('@');
    options.camera.vanishOn = value.substr(0, at);
    if (at != std::string::npos &&
        (!ParseCount(value.substr(at + 1), options.camera.vanishCount) || options.camera.vanishCount < 1)) {
        return Fail(error, "--vanish-on needs LINE or LINE@N with N at least 1");
    }
    return true;
}

bool ApplyAnswer(CamsimOptions& options, const std::string& value, int, std::string& error)
{
    const std::size_t sep = value.find('=');
    const int command = sep == std::string::npos ? -1 : CommandTable::Find(value.substr(0, sep));
    long long answer = 0;
    if (command < 0 || !ParseSigned(value.substr(sep + 1), answer)) {
        return Fail(error, "--answer needs MN=VALUE with a known MN and a whole number");
    }
    options.camera.forcedAnswers[command] = static_cast<int>(answer);
    return true;
}

// A bare mnemonic refuses every line of that command; anything else is one exact line.
bool ApplyRefuse(CamsimOptions& options, const std::string& value, int, std::string& error)
{
    const bool wholeLine = value.find_first_of("=?") != std::string::npos;
    const int command = wholeLine ? -1 : CommandTable::Find(value);
    if (command >= 0) {
        options.camera.refusedCommands.insert(command);
    } else if (wholeLine) {
        options.camera.refusedLines.push_back(value);
    } else {
        return Fail(error, "--refuse needs a known command or a whole line (MN=VALUE, MN?)");
    }
    return true;
}

bool ApplyHelp(CamsimOptions& options, const std::string&, int, std::string&) { return options.help = true; }

bool ApplyVersion(CamsimOptions& options, const std::string&, int, std::string&) { return options.version = true; }

bool ApplyLink(CamsimOptions& options, const std::string& value, int, std::string& error)
{
    options.linkPath = value;
    return !value.empty() || Fail(error, "--link needs a path");
}

bool ApplyLog(CamsimOptions& options, const std::string& value, int, std::string& error)
{
    options.logPath = value;
    return !value.empty() || Fail(error, "--log needs a file name");
}

bool ApplySet(CamsimOptions& options, const std::string& value, int, std::string&)
{
    options.camera.presetLines.push_back(value);
    return true;
}

bool ApplyReadyFd(CamsimOptions& options, const std::string&, int fd, std::string& error)
{
    options.readyFd = fd;
    return fd >= 3 || Fail(error, "--ready-fd needs a descriptor number of 3 or more");
}

const Option kOptions[] = {
    {.name = "--help", .takes = Takes::Ignored, .apply = ApplyHelp},
    {.name = "-h", .takes = Takes::Ignored, .apply = ApplyHelp},
    {.name = "--version", .takes = Takes::Ignored, .apply = ApplyVersion},
    {.name = "--link", .takes = Takes::Text, .apply = ApplyLink},
    {.name = "--log", .takes = Takes::Text, .apply = ApplyLog},
    {.name = "--model", .takes = Takes::Text, .apply = ApplyModel},
    {.name = "--speed", .takes = Takes::Count, .apply = ApplySpeed},
    {.name = "--wire-time", .takes = Takes::Nothing, .flag = &CameraConfig::wireTime},
    {.name = "--answer-delay", .takes = Takes::Count, .count = &CameraConfig::answerDelayMs},
    {.name = "--rs-time", .takes = Takes::Count, .count = &CameraConfig::rsMilliseconds},
    {.name = "--awb-time", .takes = Takes::Count, .count = &CameraConfig::awbMilliseconds},
    {.name = "--busy-polls", .takes = Takes::Count, .count = &CameraConfig::busyPolls},
    {.name = "--result", .takes = Takes::Text, .apply = ApplyResult},
    {.name = "--set", .takes = Takes::Text, .apply = ApplySet},
    {.name = "--identity", .takes = Takes::Text, .apply = ApplyIdentity},
    {.name = "--ready-fd", .takes = Takes::Count, .apply = ApplyReadyFd},
    {.name = "--unlock-code", .takes = Takes::Count, .count = &CameraConfig::unlockCode},
    {.name = "--silent", .takes = Takes::Nothing, .flag = &CameraConfig::silent},
    {.name = "--garbage", .takes = Takes::Nothing, .flag = &CameraConfig::garbage},
    {.name = "--overlong", .takes = Takes::Nothing, .flag = &CameraConfig::overlong},
    {.name = "--split", .takes = Takes::Count, .count = &CameraConfig::splitMs},
    {.name = "--disconnect-after", .takes = Takes::Count, .count = &CameraConfig::disconnectAfter},
    {.name = "--vanish-on", .takes = Takes::Text, .apply = ApplyVanishOn},
    {.name = "--fault-from",
     .takes = Takes::Count,
     .count = &CameraConfig::faultFrom,
     .least = 1,
     .outside = "--fault-from needs a line number of 1 or more"},
    {.name = "--fault-lines", .takes = Takes::Count, .count = &CameraConfig::faultLines},
    {.name = "--late", .takes = Takes::Count, .count = &CameraConfig::lateMs},
    {.name = "--dormant", .takes = Takes::Nothing, .flag = &CameraConfig::dormant},
    {.name = "--random-faults",
     .takes = Takes::Count,
     .count = &CameraConfig::randomFaultPercent,
     .most = 100,
     .outside = "--random-faults needs a percentage of 0 to 100"},
    {.name = "--error-answer", .takes = Takes::Nothing, .flag = &CameraConfig::errorAnswer},
    {.name = "--hang-up-on",
     .takes = Takes::Count,
     .count = &CameraConfig::hangUpOn,
     .least = 1,
     .outside = "--hang-up-on needs a line number of 1 or more"},
    {.name = "--answer", .takes = Takes::Text, .apply = ApplyAnswer},
    {.name = "--refuse", .takes = Takes::Text, .apply = ApplyRefuse},
};

// Applies a found option to the options; false with the reason in error.
bool ApplyOption(const Option& option, CamsimOptions& options, const std::string& value, int count, std::string& error)
{
    if (option.flag) return options.camera.*option.flag = true;
    if (!option.count) return option.apply(options, value, count, error);
    options.camera.*option.count = count;
    return (count >= option.least && count <= option.most) || Fail(error, option.outside);
}

const Option* FindOption(const std::string& name)
{
    for (const Option& option : kOptions) {
        if (name == option.name) return &option;
    }
    return nullptr;
}

}  // namespace

std::string CamsimOptions::Usage()
{
    return "Usage: rv8200xc-camsim [options]\n"
           "Simulated RV-8200-XC camera on a pseudo-terminal. Prints the terminal's path, then answers command\n"
           "lines as the camera does until SIGTERM or SIGINT.\n"
           "\n"
           "  --link PATH            make PATH a symlink to the terminal (replaced if it exists, missing folders\n"
           "                         created, removed at exit)\n"
           "  --model A1|B1|TEXT     camera model: RV-8200-A1 (default), RV-8200-B1 or any other model text\n"
           "  --speed CODE           camera speed code 1, 2, 4, 8, 16 (or the rate 9600 .. 115200); default 1\n"
           "  --wire-time            every byte takes 10/baud seconds on the line, both ways\n"
           "  --answer-delay MS      pause before every answer\n"
           "  --rs-time MS           duration of the shading calibration RS=0 (default 2000)\n"
           "  --awb-time MS          duration of the white balances AWB=2 and AWB=4 (default 500)\n"
           "  --busy-polls N         calibration status reads busy N times before the result (default 3)\n"
           "  --result MN=CODE       force a result code: AWRS, AHRS, SDRS, PGS, PBS, PGS00, PBS00, SDS00\n"
           "  --set MN=VALUE         apply a setting line at power-up (repeatable)\n"
           "  --identity MN=TEXT     identity the camera reports: VN, FPVN, ID, UD or DV (repeatable)\n"
           "  --unlock-code N        the code ULCK must carry before ID00 (default 5829317)\n"
           "  --log FILE             record every received and sent line with a time stamp\n"
           "  --ready-fd N           write the terminal's path to the open descriptor N, then close it, once the\n"
           "                         link exists and the signals below are handled (for a parent that waits)\n"
           "  --silent               never answer\n"
           "  --garbage              answer every line with a line of random bytes\n"
           "  --overlong             answer every line with a line longer than 1023 bytes\n"
           "  --split MS             send answers in pieces of 4 bytes with MS pauses\n"
           "  --disconnect-after N   go quiet after N received lines\n"
           "  --vanish-on LINE[@N]   go quiet from the N-th (default first) time LINE is received on\n"
           "  --answer MN=VALUE      answer every query of MN with VALUE (a counter state, a limit, ...)\n"
           "  --refuse MN|LINE       answer every line of MN, or this exact line, with an error (repeatable)\n"
           "  --fault-from N         the answer faults (--silent, --garbage, --overlong, --split, --late,\n"
           "                         --error-answer) strike from the N-th received line on (default 1)\n"
           "  --fault-lines N        and only N lines (default: every line from there on)\n"
           "  --late MS              answers to the struck lines come MS later\n"
           "  --error-answer         answer the struck lines with an error line\n"
           "  --hang-up-on N         close the terminal when the N-th line arrives (the adapter pulled); a new\n"
           "                         terminal behind the same --link follows SIGUSR1\n"
           "  --dormant              the faults sleep until SIGUSR2 arms them; line numbers count from there\n"
           "  --random-faults P      P percent of the lines get silence, an error line or garbage instead\n"
           "  SIGUSR1                lifts every fault: from then on the camera answers as it should\n"
           "  SIGUSR2                arms the faults (again), counting lines from then on\n"
           "  --help                 this text\n"
           "  --version              the version number\n";
}

int CamsimOptions::Parse(const std::vector<std::string>& args, CamsimOptions& options, std::string& error)
{
    options = {};
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::string value;
        bool hasValue = false;
        const std::size_t equals = name.find('=');
        if (name.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
            hasValue = true;
        }
        const Option* option = FindOption(name);
        if (!option) {
            error = "unknown option \"" + args[i] + "\" (see --help)";
            return 0;
        }
        if (option->takes == Takes::Nothing && hasValue) {
            error = name + " takes no value";
            return 0;
        }
        const bool needsValue = option->takes == Takes::Text || option->takes == Takes::Count;
        if (needsValue && !hasValue) {
            if (i + 1 >= args.size()) {
                error = name + " needs a value";
                return 0;
            }
            value = args[++i];
        }
        int count = 0;
        if (option->takes == Takes::Count && !ParseCount(value, count)) {
            error = name + " needs a whole number of 0 or more, not \"" + value + "\"";
            return 0;
        }
        if (!ApplyOption(*option, options, value, count, error)) return 0;
    }

    // A preset the camera would refuse is a mistake on the command line, not something to find out later.
    CameraConfig probeConfig = options.camera;
    probeConfig.presetLines.clear();
    CameraModel probe(probeConfig);
    for (const std::string& line : options.camera.presetLines) {
        const std::string answer = probe.HandleLine(line);
        if (answer.rfind("COMPLETE", 0) != 0) {
            const bool refused = answer.rfind("ERROR", 0) == 0;
            error = "--set " + line + ": " + (refused ? answer.substr(0, answer.find('\r')) : "not a setting line");
            return 0;
        }
    }
    return 1;
}

}  // namespace camsim
