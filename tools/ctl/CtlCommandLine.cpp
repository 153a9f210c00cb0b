// Parsing the companion's command line.
#include "ctl/CtlCommandLine.h"

#include "ctl/CtlVerbList.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace {

bool AllDigits(const std::string& text)
{
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

// "COM3" (any case) is index 2; anything with a path separator is a device path.
bool ParsePort(const std::string& text, CtlConnection& connection)
{
    connection.linkMode = kLinkComPort;
    if (text.size() > 3 && (text[0] == 'C' || text[0] == 'c') && (text[1] == 'O' || text[1] == 'o') &&
        (text[2] == 'M' || text[2] == 'm') && AllDigits(text.substr(3)) && text.size() <= 6) {
        const int number = std::stoi(text.substr(3));
        if (number < 1 || number > 256) return false;
        connection.portIndex = number - 1;
        connection.devicePath.clear();
        return true;
    }
    if (text.find('/') == std::string::npos && text.find('\\') == std::string::npos) return false;
    connection.devicePath = text;
    return true;
}

// "2000:0", "2001:Grabber A", "v11:2".
bool ParseCameraLink(const std::string& text, CtlConnection& connection)
{
    const auto colon = text.find(':');
    if (colon == std::string::npos || colon + 1 == text.size()) return false;
    const std::string kind = text.substr(0, colon);
    const std::string entry = text.substr(colon + 1);
    if (kind == "2000") {
        connection.linkMode = kLinkCl2000;
    } else if (kind == "2001") {
        connection.linkMode = kLinkCl2001;
    } else if (kind == "v11" || kind == "1.1") {
        connection.linkMode = kLinkClV11;
    } else {
        return false;
    }
    connection.devicePath.clear();
    if (AllDigits(entry) && entry.size() < 6) {
        connection.portIndex = std::stoi(entry);
        connection.entryName.clear();
    } else {
        connection.portIndex = 0;
        connection.entryName = entry;
    }
    return true;
}

bool ParseBaud(const std::string& text, int& baud)
{
    if (!AllDigits(text) || text.size() > 6) return false;
    const int value = std::stoi(text);
    for (int rate : {9600, 19200, 38400, 57600, 115200}) {
        if (value == rate) {
            baud = value;
            return true;
        }
    }
    return false;
}

// The program's switches, each setting one flag of the command line.
struct Switch {
    const char* name;
    bool CtlCommandLine::*flag;
};
constexpr Switch kSwitches[] = {{"--json", &CtlCommandLine::json},       {"--yes", &CtlCommandLine::yes},
                                {"--factory", &CtlCommandLine::factory}, {"--quiet", &CtlCommandLine::quiet},
                                {"--help", &CtlCommandLine::help},       {"-h", &CtlCommandLine::help},
                                {"--version", &CtlCommandLine::version}};

// The channel options, each naming one more camera, and what their value must be.
struct ChannelOption {
    const char* name;
    bool (*parse)(const std::string& text, CtlConnection& connection);
    const char* takes;
};
constexpr ChannelOption kChannelOptions[] = {{"--port", ParsePort, "COMn or a device path"},
                                             {"--cameralink", ParseCameraLink, "KIND:ENTRY (KIND 2000, 2001 or v11)"}};
constexpr const char* kBaudOption = "--baud";
constexpr const char* kBaudTakes = "9600, 19200, 38400, 57600 or 115200";

const ChannelOption* FindChannelOption(const std::string& option)
{
    for (const ChannelOption& channel : kChannelOptions) {
        if (option == channel.name) return &channel;
    }
    return nullptr;
}

bool TakesValue(const std::string& option) { return FindChannelOption(option) || option == kBaudOption; }

bool Contains(const std::vector<std::string>& list, const std::string& word)
{
    return std::find(list.begin(), list.end(), word) != list.end();
}

// One pass over the words; the settings that hold for every camera are gathered until the end.
class CommandLineParser {
public:
    CommandLineParser(const std::vector<std::string>& args, CtlCommandLine& out, std::string& problem)
        : args_(args), out_(out), problem_(problem)
    {
    }

    int Parse()
    {
        if (!FindVerb()) return 0;
        for (std::size_t i = 0; i < args_.size(); ++i) {
            if (!TakeWord(i)) return 0;
        }
        if (out_.connections.empty()) out_.connections.emplace_back();
        for (CtlConnection& connection : out_.connections) {
            connection.baudRate = baudRate_;
            connection.keepSpeed = keepSpeed_;
        }
        return 1;
    }

private:
    // The verb first, so that its own flags can be told from the program's.
    bool FindVerb()
    {
        for (std::size_t i = 0; i < args_.size(); ++i) {
            if (args_[i] == "--") break;
            if (TakesValue(args_[i])) {
                ++i;
                continue;
            }
            if (args_[i].rfind("--", 0) == 0) continue;
            out_.verb = args_[i];
            verb_ = CtlVerbList::Find(args_[i]);
            if (!verb_ && args_[i] != "help") return Fail("unknown verb '" + args_[i] + "'");
            break;
        }
        return true;
    }

    // The word at i, and the value after it where it takes one (i then moves on to the value).
    bool TakeWord(std::size_t& i)
    {
        const std::string& arg = args_[i];
        if (wordsOnly_) {
            out_.verbArgs.push_back(arg);
            return true;
        }
        if (arg == "--") {
            wordsOnly_ = true;
            out_.verbArgs.push_back(arg);
            return true;
        }
        if (!seenVerb_ && arg == out_.verb && arg.rfind("--", 0) != 0) {
            seenVerb_ = true;
            return true;
        }
        if (verb_ && Contains(verb_->flags, arg)) {
            out_.verbArgs.push_back(arg);
            return true;
        }
        if (verb_ && Contains(verb_->valueFlags, arg)) {
            // The verb's own option and its value go to the verb together.
            out_.verbArgs.push_back(arg);
            if (i + 1 < args_.size()) out_.verbArgs.push_back(args_[++i]);
            return true;
        }
        if (TakesValue(arg)) {
            if (i + 1 >= args_.size()) return Fail(arg + " needs a value");
            return TakeValue(arg, args_[++i]);
        }
        if (TakeSwitch(arg)) return true;
        if (seenVerb_ && !(arg.size() > 2 && arg.rfind("--", 0) == 0)) {
            out_.verbArgs.push_back(arg);
            return true;
        }
        return Fail(seenVerb_ ? "'" + out_.verb + "' has no option " + arg : "unknown option " + arg);
    }

    bool TakeValue(const std::string& option, const std::string& value)
    {
        if (option == kBaudOption) {
            return ParseBaud(value, baudRate_) || Fail(option + " takes " + kBaudTakes + ", not " + value);
        }
        const ChannelOption* channel = FindChannelOption(option);
        CtlConnection connection;
        if (!channel->parse(value, connection)) return Fail(option + " takes " + channel->takes + ", not " + value);
        for (const CtlConnection& other : out_.connections) {
            // Two runs on one channel would take turns answering each other's requests.
            if (other.Describe() == connection.Describe()) return Fail(connection.Describe() + " is named twice");
        }
        out_.connections.push_back(connection);
        return true;
    }

    bool TakeSwitch(const std::string& arg)
    {
        if (arg == "--keep-speed") {
            keepSpeed_ = true;
            return true;
        }
        for (const Switch& option : kSwitches) {
            if (arg == option.name) {
                out_.*option.flag = true;
                return true;
            }
        }
        return false;
    }

    bool Fail(std::string problem)
    {
        problem_ = std::move(problem);
        return false;
    }

    const std::vector<std::string>& args_;
    CtlCommandLine& out_;
    std::string& problem_;
    const CtlVerb* verb_ = nullptr;
    bool seenVerb_ = false;
    bool wordsOnly_ = false;
    int baudRate_ = 0;  // --baud and --keep-speed hold for every camera
    bool keepSpeed_ = false;
};

}  // namespace

int CtlCommandLine::Parse(const std::vector<std::string>& args, CtlCommandLine& out, std::string& problem)
{
    return CommandLineParser(args, out, problem).Parse();
}

std::string CtlCommandLine::Usage()
{
    std::string text =
        "Usage: rv8200xc-ctl [options] VERB [arguments]\n"
        "Controls an RV-8200-XC camera from scripts, on the same core as the RV-8200-XC Control Tool.\n"
        "\n"
        "Options:\n"
        "  --port COMn|PATH        the serial port (COM1 when no channel is named); COMn as the tool maps it\n"
        "  --cameralink KIND:ENTRY a Camera Link serial library: KIND 2000, 2001 or v11, ENTRY its position\n"
        "                          in the library's list (from 0) or its name\n"
        "                          Several --port and --cameralink options run the verb on every camera at\n"
        "                          once, each on its own link: lines start with the port, --json gives an\n"
        "                          array of one object per camera, the exit status is the worst of them\n"
        "                          (save, shading read and gamma read write one file: one camera only)\n"
        "  --baud RATE             the speed the camera listens at (default: found as the tool finds it)\n"
        "  --keep-speed            leave camera and PC at 115200 bit/s (default: back to 9600 at the end)\n"
        "  --factory               factory mode: factory parameters, the factory area\n"
        "  --json                  one JSON document on standard output instead of the text for people,\n"
        "                          also when the run fails: {\"ok\": false, \"error\": {\"kind\", \"message\"}}\n"
        "  --yes                   answer Yes to every question: a table file of another kind or length\n"
        "                          is written anyway (without it a question whose default is No is\n"
        "                          answered No, nothing is sent and the status is 4); nothing is ever\n"
        "                          asked on standard input\n"
        "  --quiet                 no progress bar (it is drawn only when standard error is a terminal)\n"
        "  --help                  this text, or a verb's own with VERB --help\n"
        "  --version               the program's version\n"
        "\n"
        "Verbs:\n";
    for (const CtlVerb& verb : CtlVerbList::All()) text += "  " + verb.synopsis + "\n";
    text +=
        "\n"
        "Exit status: 0 done; 1 the camera refused something or values differ; 2 usage (nothing sent);\n"
        "3 no camera (port missing, camera silent or gone; for save and dump also a model the tool does\n"
        "not know); 4 a file problem\n"
        "(cannot be read or written, a table file of the wrong kind or length declined). Of several\n"
        "cameras the worst counts: 2, then 3, then 4, then 1.\n";
    return text;
}

bool CtlCommandLine::WantsJson(const std::vector<std::string>& args)
{
    for (const std::string& arg : args) {
        if (arg == "--") return false;
        if (arg == "--json") return true;
    }
    return false;
}
