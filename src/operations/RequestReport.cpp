// Reporting a single action's request.
#include "operations/RequestReport.h"

#include "framework/MessageBox.h"
#include "link/SerialLink.h"

bool Reported(MessageHost& messages, const RequestOutcome& outcome)
{
    ShowCommunicationError(messages, outcome.FailureText());
    return outcome.Answered();
}

void ReportLinkError(MessageHost& messages, const SerialLink& link)
{
    if (!link.LastError().empty()) ShowMessage(messages, link.LastError(), {}, MessageButtons::Ok, MessageIcon::Exclamation);
}
