// Parsing the companion's command line.
#include "ctl/CtlCommandLine.h"

#include "ctl/CtlVerbList.h"

#include <algorithm>
#include <cctype>

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

bool TakesValue(const std::string& option)
{
    return option == "--port" || option == "--cameralink" || option == "--baud";
}

}  // namespace

int CtlCommandLine::Parse(const std::vector<std::string>& args, CtlCommandLine& out, std::string& problem)
{
    // The verb first, so that its own flags can be told from the program's.
    const CtlVerb* verb = nullptr;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--") break;
        if (TakesValue(args[i])) {
            ++i;
            continue;
        }
        if (args[i].rfind("--", 0) == 0) continue;
        out.verb = args[i];
        verb = CtlVerbList::Find(args[i]);
        if (!verb && args[i] != "help") {
            problem = "unknown verb '" + args[i] + "'";
            return 0;
        }
        break;
    }
    bool seenVerb = false;
    bool wordsOnly = false;
    int baudRate = 0;
    bool keepSpeed = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (wordsOnly) {
            out.verbArgs.push_back(arg);
            continue;
        }
        if (arg == "--") {
            wordsOnly = true;
            out.verbArgs.push_back(arg);
            continue;
        }
        if (!seenVerb && arg == out.verb && arg.rfind("--", 0) != 0) {
            seenVerb = true;
            continue;
        }
        const bool verbFlag = verb && std::find(verb->flags.begin(), verb->flags.end(), arg) != verb->flags.end();
        const bool verbValue =
            verb && std::find(verb->valueFlags.begin(), verb->valueFlags.end(), arg) != verb->valueFlags.end();
        if (verbFlag) {
            out.verbArgs.push_back(arg);
        } else if (verbValue) {
            // The verb's own option and its value go to the verb together.
            out.verbArgs.push_back(arg);
            if (i + 1 < args.size()) out.verbArgs.push_back(args[++i]);
        } else if (TakesValue(arg)) {
            if (i + 1 >= args.size()) {
                problem = arg + " needs a value";
                return 0;
            }
            const std::string& value = args[++i];
            CtlConnection connection;
            if (arg == "--port" && !ParsePort(value, connection)) {
                problem = "--port takes COMn or a device path, not " + value;
                return 0;
            }
            if (arg == "--cameralink" && !ParseCameraLink(value, connection)) {
                problem = "--cameralink takes KIND:ENTRY (KIND 2000, 2001 or v11), not " + value;
                return 0;
            }
            if (arg == "--baud" && !ParseBaud(value, baudRate)) {
                problem = "--baud takes 9600, 19200, 38400, 57600 or 115200, not " + value;
                return 0;
            }
            if (arg == "--baud") continue;
            for (const CtlConnection& other : out.connections) {
                // Two runs on one channel would take turns answering each other's requests.
                if (other.Describe() == connection.Describe()) {
                    problem = connection.Describe() + " is named twice";
                    return 0;
                }
            }
            out.connections.push_back(connection);
        } else if (arg == "--json") {
            out.json = true;
        } else if (arg == "--yes") {
            out.yes = true;
        } else if (arg == "--factory") {
            out.factory = true;
        } else if (arg == "--quiet") {
            out.quiet = true;
        } else if (arg == "--keep-speed") {
            keepSpeed = true;
        } else if (arg == "--help" || arg == "-h") {
            out.help = true;
        } else if (arg == "--version") {
            out.version = true;
        } else if (seenVerb && !(arg.size() > 2 && arg.rfind("--", 0) == 0)) {
            out.verbArgs.push_back(arg);
        } else {
            problem = seenVerb ? "'" + out.verb + "' has no option " + arg : "unknown option " + arg;
            return 0;
        }
    }
    if (out.connections.empty()) out.connections.emplace_back();
    for (CtlConnection& connection : out.connections) {
        connection.baudRate = baudRate;
        connection.keepSpeed = keepSpeed;
    }
    return 1;
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
