// The program's standard output and error as a command-line program needs them: whether one is a
// terminal (a progress bar is drawn only for a person watching, never into a pipe or a file a script
// reads), and bytes written unchanged where the C runtime would otherwise translate line ends.
#pragma once

enum class StandardStream { Output, Error };

bool IsTerminal(StandardStream stream);

// From now on "\r\n" written to the stream arrives as these two bytes (Windows' text mode would make
// "\r\r\n" of it); nothing to do on POSIX.
void SetBinaryMode(StandardStream stream);
