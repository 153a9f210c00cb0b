// Recording shell host for tests.
#include "support/RecordingShellHost.h"

#include "support/TestHosts.h"

RecordingShellHost::RecordingShellHost() : previous_(SetShellHost(this)) {}

RecordingShellHost::~RecordingShellHost() { SetShellHost(previous_); }
