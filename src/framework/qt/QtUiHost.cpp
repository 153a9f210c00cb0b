// Qt wait cursor and message pump.
#include "framework/qt/QtUiHost.h"

#include <QApplication>
#include <QCursor>
#include <QEventLoop>

QtUiHost::QtUiHost() : previous_(SetUiHost(this)) {}

QtUiHost::~QtUiHost()
{
    while (waitDepth_ > 0) ShowWaitCursor(false);
    SetUiHost(previous_);
}

void QtUiHost::ShowWaitCursor(bool show)
{
    // Wait cursors nest (a transfer inside a refresh); each show is undone by its own hide.
    if (show) {
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        ++waitDepth_;
    } else if (waitDepth_ > 0) {
        QApplication::restoreOverrideCursor();
        --waitDepth_;
    }
}

void QtUiHost::PumpMessages(bool paintOnly)
{
    QCoreApplication::processEvents(paintOnly ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents);
}
