// Entry point of the control tool.
#include "app/CCtrlToolApp.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("RV-8200-XC Control Tool"));
    CCtrlToolApp tool;
    // Returning from main (not exit() from inside the window) is what runs the exit-time writes.
    return tool.InitInstance();
}
