// A single action's request, reported to the operator the one way every action does it.
#pragma once

#include "tables/RequestOutcome.h"

class MessageHost;
class SerialLink;

// Shows a failed request as the camera worded it (caption "Communication Error"); a plain time-out shows
// nothing, the online status says it. Gives whether the request was answered.
bool Reported(MessageHost& messages, const RequestOutcome& outcome);
// Shows why the link's last open failed (the port or library's own words), if it said why.
void ReportLinkError(MessageHost& messages, const SerialLink& link);
