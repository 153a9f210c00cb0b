// The communication dialog and the terminal as the operator sees them, for a look by eye.
#include "app/ToolObjects.h"
#include "support/LinkDialogsEnvironment.h"
#include "support/RecordingMessageHost.h"
#include "support/RenderFile.h"

#include "dialogs/CCommunicationDialog.h"
#include "dialogs/CTerminalDialog.h"
#include "support/TestHosts.h"

#include <gtest/gtest.h>

#include <QLineEdit>

namespace {

TEST(LinkDialogRenders, WithSomeTraffic)
{
    RecordingMessageHost messages;
    ToolObjects& o = TestObjects();
    CCommunicationDialog communication(o.link, o.command, o.reader, o.mode, o.settings, o.progress, TestHosts());
    communication.InitDialog();
    for (const char* line : {"MD?", "MD=RV-8200-A1", "GA=100", "COMPLETE"}) communication.AddMessage(line);
    communication.show();
    SaveRender(communication, QStringLiteral("communication"));

    CTerminalDialog terminal(o.link, o.settings, TestHosts());
    terminal.InitDialog();
    for (const char* line : {"Tx: MD?", "Rx: MD=RV-8200-A1", "Tx: GA=100", "Rx: COMPLETE"}) terminal.AddLine(line);
    terminal.CommandEdit()->setText(QStringLiteral("ST?"));
    terminal.show();
    SaveRender(terminal, QStringLiteral("terminal"));
    EXPECT_TRUE(messages.Shown().empty()) << ::testing::PrintToString(messages.Texts());
}

}  // namespace
