// Reporting a single action's request.
#include "operations/RequestReport.h"

#include "framework/MessageBox.h"
#include "link/SerialLink.h"

bool Reported(const RequestOutcome& outcome)
{
    ShowCommunicationError(outcome.FailureText());
    return outcome.Answered();
}

void ReportLinkError(const SerialLink& link)
{
    if (!link.LastError().empty()) ShowMessage(link.LastError(), {}, MessageButtons::Ok, MessageIcon::Exclamation);
}
