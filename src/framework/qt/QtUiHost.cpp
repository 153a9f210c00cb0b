// Qt wait cursor and message pump.
#include "framework/qt/QtUiHost.h"

#include <QApplication>
#include <QCursor>
#include <QEventLoop>

QtUiHost::~QtUiHost()
{
    while (waitDepth_ > 0) ShowWaitCursor(false);
}

void QtUiHost::ShowWaitCursor(bool show)
{
    // Wait cursors nest (each request inside a transfer inside a refresh); each show is undone by its own
    // hide. Only the outermost pair touches the application's cursor: a bulk transfer makes thousands of
    // requests, and changing the cursor of every window for each of them would cost more than the line.
    if (show) {
        if (waitDepth_++ == 0) QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    } else if (waitDepth_ > 0) {
        if (--waitDepth_ == 0) QApplication::restoreOverrideCursor();
    }
}

void QtUiHost::PumpMessages(bool paintOnly)
{
    QCoreApplication::processEvents(paintOnly ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents);
}
