// Recording shell host for tests.
#include "support/RecordingShellHost.h"

RecordingShellHost::RecordingShellHost() : previous_(SetShellHost(this)) {}

RecordingShellHost::~RecordingShellHost() { SetShellHost(previous_); }
