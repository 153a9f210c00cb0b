// Terminal test on POSIX: isatty on the stream's file descriptor.
#include "platform/Terminal.h"

#include <unistd.h>

bool IsTerminal(StandardStream stream)
{
    return ::isatty(stream == StandardStream::Output ? STDOUT_FILENO : STDERR_FILENO) == 1;
}

void SetBinaryMode(StandardStream) {}
