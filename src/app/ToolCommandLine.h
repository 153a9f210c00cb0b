// The tool's command line: --help and --version answer on the console; anything else starts the window.
#pragma once

#include <QString>
#include <QStringList>

class ToolCommandLine {
public:
    enum class Action {
        Start,  // open the main window
        Help,  // print text to standard output, exit 0
        Version,  // print text to standard output, exit 0
        Fail,  // print text to standard error, exit 2
    };
    struct Request {
        Action action = Action::Start;
        QString text;
    };

    // Reads arguments (the program's name first). With unknownIsError false, options this class does not know
    // are passed over: before the window system has taken its own options (-platform, -style, ...) out of the
    // list, they are not ours to reject.
    static Request Parse(const QStringList& arguments, bool unknownIsError);
    // "rv8200xc-control-tool 0.29": the line --version prints.
    static QString VersionLine();
};
