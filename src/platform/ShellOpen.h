// Opening a document or a web address with the program the desktop associates with it.
#pragma once

#include <string>

class ShellOpen {
public:
    // Hands target (UTF-8; a file name is resolved against the current working folder) to the desktop's
    // opener as one argument, never through a command interpreter, so blanks, quotes or ';' in it stay
    // part of the name. Does not wait for the opener; true when it could be started. Whether a program
    // then opens the target is the desktop's business and is not reported.
    // Windows: the shell's "open" verb with a normal window. POSIX: xdg-open (open on macOS).
    static bool Open(const std::string& target);

    // The argument the opener receives for target: a name that begins with '-' (which the opener would
    // take for an option) or that names an existing file relative to the working folder gets "./" in
    // front on POSIX, so it can only mean that file; elsewhere the target unchanged.
    static std::string OpenerArgument(const std::string& target);
};
