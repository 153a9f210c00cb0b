// The hosts the objects under test are built with: each routes to the double a test has installed for its
// lifetime (RecordingMessageHost, RecordingFileDialogHost, ManualTimerService, ...), and without one behaves
// as a run without windows does. One registry and one dialog list serve the whole test binary.
#pragma once

#include "framework/OperatorHosts.h"

OperatorHosts& TestHosts();
