// Parsing of the tool's command line with QCommandLineParser.
#include "app/ToolCommandLine.h"

#include "platform/FolderSearch.h"
#include "platform/SerialDevice.h"

#include <QCommandLineParser>

#include <rv_build_version.h>

ToolCommandLine::Request ToolCommandLine::Parse(const QStringList& arguments, bool unknownIsError)
{
    QCommandLineParser parser;
    // Where the names lead on this system, as the link will open them.
    parser.setApplicationDescription(
        QStringLiteral("Controls RV-8200-XC line-scan cameras over a serial port or a Camera Link frame grabber.\n"
                       "Serial ports are named COM1 to COM16; COM1 opens %1 here.\n"
                       "Camera Link serial libraries are loaded from %2.")
            .arg(QString::fromStdString(SerialDevice::DevicePath("COM1")),
                 QString::fromStdString(FolderSearch::CameraLinkFolder())));
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
