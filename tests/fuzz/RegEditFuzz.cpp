// Fuzz target: the settings file reader and writer. Whatever the file holds, parsing never fails and
// a rewritten file reads back to the same text.
#include "platform/posix/RegEditDocument.h"

#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string once = RegEditDocument::Parse(text).Serialize();
    const std::string twice = RegEditDocument::Parse(once).Serialize();
    if (once != twice) std::abort();
    return 0;
}

std::vector<std::string> FuzzSeeds()
{
    return {
        "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Orvane\\RV-8200-XC Control Tool]\r\n"
        "\"Communication Mode\"=dword:00000002\r\n\"Camera File Path\"=\"C:\\\\data\\\\\\\"x\\\"\"\r\n",
        "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Other]\n\"a\"=hex:01,02,\\\n  03\n\"b\"=-\n; comment\n",
        "garbage without header\n[unterminated\n\"x\"=dword:zz\n"};
}
