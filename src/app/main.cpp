// Entry point of the control tool.
#include "app/CCtrlToolApp.h"
#include "app/ToolCommandLine.h"
#include "base/ToolName.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>

namespace {

// Prints what the command line asked for; the exit code, or -1 to go on and open the window.
int Answer(const ToolCommandLine::Request& request)
{
    using Action = ToolCommandLine::Action;
    if (request.action == Action::Start) return -1;
    const QByteArray text = request.text.toLocal8Bit();
    std::fputs(text.constData(), request.action == Action::Fail ? stderr : stdout);
    return request.action == Action::Fail ? 2 : 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication::setApplicationName(QLatin1String(kToolName.data(), kToolName.size()));
    {
        // --help and --version need no window system: they work on a console without a display.
        QCoreApplication console(argc, argv);
        if (const int code = Answer(ToolCommandLine::Parse(QCoreApplication::arguments(), false)); code >= 0) {
            return code;
        }
    }
    QApplication application(argc, argv);
    // The window system has taken its own options out by now; whatever is left must be ours.
    if (const int code = Answer(ToolCommandLine::Parse(QCoreApplication::arguments(), true)); code >= 0) return code;
    CCtrlToolApp tool;
    // Returning from main (not exit() from inside the window) is what runs the exit-time writes.
    return tool.InitInstance();
}
