// One verb of the companion: its name, its help, the arguments it takes, and what it does once a camera
// answers. The verbs live in ParameterVerbs, FileVerbs and OperationVerbs; CtlVerbList holds them all.
#pragma once

#include "ctl/JsonText.h"

#include <cstdio>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

class CtlCamera;
class CtlConsole;
class ProgressSink;
class SerialLink;
class StderrMessageHost;

// A verb's own arguments: the words after its name, and the --flags among them.
struct CtlArgs {
    std::vector<std::string> words;
    std::set<std::string> flags;
    std::map<std::string, std::string> values;  // the options that take a value: "--only GA,LR"
    bool Has(const std::string& flag) const { return flags.count(flag) != 0; }
};

// What a verb runs with. The link is null where the verb runs on a link it does not own (the benchmark).
struct CtlContext {
    CtlCamera& camera;
    StderrMessageHost& messages;
    ProgressSink* progress = nullptr;
    SerialLink* link = nullptr;
    int startArea = -1;
    bool json = false;
    std::FILE* out = stdout;  // where the lines go without a console
    CtlConsole* console = nullptr;  // the run's shared output (several cameras print through it)
    std::string prefix{};  // before every line for people: "COM3: " when there are several cameras
    JsonText result{};  // the verb's fields of the run's JSON object
    std::string errorKind{};  // a failure's kind where the status alone says too little ("differ")

    // One line of the output for people (nothing in --json mode).
    void Line(const std::string& text) const;
    // The verb's fields of the run's JSON object; the program adds the run's status and counts and prints
    // one document whatever the verb did.
    void Json(const JsonText& object) { result = object; }
};

struct CtlVerb {
    std::string name;  // "shading" for "shading read FILE"
    std::string synopsis;  // "shading read|write FILE.csv"
    std::string help;  // what it does, several lines
    int minWords = 0;
    int maxWords = 0;  // -1: any number
    std::vector<std::string> flags;  // the --flags it takes
    // Checks the words before the camera is reached; gives the problem, empty when they are fine.
    std::function<std::string(const CtlArgs&)> check;
    // Gives the exit status (CtlExit).
    std::function<int(CtlContext&, const CtlArgs&)> run;
    std::vector<std::string> valueFlags = {};  // the options followed by a value
    // A verb that needs no camera runs this instead of run, before any channel is opened.
    std::function<int(const CtlArgs&, bool json)> runAlone = {};
};

// Splits a verb's arguments into words and flags and checks them against the verb; the problem, empty
// when there is none.
std::string ParseVerbArgs(const CtlVerb& verb, const std::vector<std::string>& args, CtlArgs& out);
