// Whether the program's standard output or error is a terminal, so that a command-line program draws a
// progress bar only for a person watching, never into a pipe or a file a script reads.
#pragma once

enum class StandardStream { Output, Error };

bool IsTerminal(StandardStream stream);
