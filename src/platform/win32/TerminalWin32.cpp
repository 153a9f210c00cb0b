// Terminal test on Windows: the C runtime's _isatty on the stream's descriptor (a console is a character
// device; a pipe or a file is not).
#include "platform/Terminal.h"

#include <fcntl.h>
#include <io.h>
#include <cstdio>
#include <stdio.h>

bool IsTerminal(StandardStream stream)
{
    return _isatty(_fileno(stream == StandardStream::Output ? stdout : stderr)) != 0;
}

void SetBinaryMode(StandardStream stream)
{
    std::fflush(stream == StandardStream::Output ? stdout : stderr);
    _setmode(_fileno(stream == StandardStream::Output ? stdout : stderr), _O_BINARY);
}
