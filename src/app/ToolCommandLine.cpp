// Parsing of the tool's command line with QCommandLineParser.
#include "app/ToolCommandLine.h"

#include <QCommandLineParser>

#include <rv_build_version.h>

ToolCommandLine::Request ToolCommandLine::Parse(const QStringList& arguments, bool unknownIsError)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Controls RV-8200-XC line-scan cameras over a serial port or a Camera Link frame grabber.\n"
                       "Ports are named COM1 to COM16; on Linux COMn is the link\n"
                       "${XDG_CONFIG_HOME:-~/.config}/orvane/dosdevices/comn, else /dev/ttyS(n-1).\n"
                       "Settings: ${XDG_CONFIG_HOME:-~/.config}/orvane/hklm.reg (Linux), the registry (Windows).\n"
                       "Camera Link serial libraries: the folder $CLSERIALPATH, else /usr/local/lib/cameralink."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();

    Request request;
    const bool parsed = parser.parse(arguments);
    // Help and version win over everything else on the line, as users expect from "tool --help --whatever".
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        request.action = Action::Help;
        request.text = parser.helpText();
    } else if (parser.isSet(version)) {
        request.action = Action::Version;
        request.text = VersionLine() + QLatin1Char('\n');
    } else if (unknownIsError && !parsed) {
        request.action = Action::Fail;
        request.text = parser.errorText() + QStringLiteral("\nSee --help.\n");
    } else if (unknownIsError && !parser.positionalArguments().isEmpty()) {
        request.action = Action::Fail;
        request.text =
            QStringLiteral("Unexpected argument \"%1\".\nSee --help.\n").arg(parser.positionalArguments().constFirst());
    }
    return request;
}

QString ToolCommandLine::VersionLine()
{
    return QStringLiteral("rv8200xc-control-tool ") + QStringLiteral(RV_VERSION_TEXT);
}
