// A verb's arguments and output.
#include "ctl/CtlVerb.h"

#include "ctl/CtlConsole.h"

#include <algorithm>

void CtlContext::Line(const std::string& text) const
{
    if (json) return;
    if (console) {
        console->Out(prefix + text);
        return;
    }
    std::fprintf(out, "%s%s\n", prefix.c_str(), text.c_str());
    std::fflush(out);
}

std::string ParseVerbArgs(const CtlVerb& verb, const std::vector<std::string>& args, CtlArgs& out)
{
    bool wordsOnly = false;  // after "--" everything is a word (a setting file named "--x.cam")
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!wordsOnly && arg == "--") {
            wordsOnly = true;
        } else if (!wordsOnly &&
                   std::find(verb.valueFlags.begin(), verb.valueFlags.end(), arg) != verb.valueFlags.end()) {
            if (i + 1 >= args.size()) return arg + " needs a value";
            out.values[arg] = args[++i];
        } else if (!wordsOnly && arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
            if (std::find(verb.flags.begin(), verb.flags.end(), arg) == verb.flags.end()) {
                return "'" + verb.name + "' has no option " + arg;
            }
            out.flags.insert(arg);
        } else {
            out.words.push_back(arg);
        }
    }
    const int count = static_cast<int>(out.words.size());
    if (count < verb.minWords || (verb.maxWords >= 0 && count > verb.maxWords)) {
        return "usage: rv8200xc-ctl [options] " + verb.synopsis;
    }
    return verb.check ? verb.check(out) : std::string();
}
