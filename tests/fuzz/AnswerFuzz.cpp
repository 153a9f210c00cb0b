// Fuzz target: the protocol's answer and setting-line parsers.
#include "link/Command.h"
#include "link/ProtocolLine.h"
#include "tables/CommandTable.h"

#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string line(reinterpret_cast<const char*>(data), size);
    CommandAnswer answer;
    if (ProtocolLine::ParseAnswer(line, answer)) {
        // A parsed answer always names a command of the table.
        if (answer.commandIndex < 0 || answer.commandIndex >= CommandTable::kCount) std::abort();
    }
    int commandIndex = -1;
    int value = 0;
    std::string mnemonic;
    std::string text;
    if (ProtocolLine::ParseSettingLine(line, commandIndex, mnemonic, value, text)) {
        if (commandIndex < 0 || commandIndex >= CommandTable::kCount) std::abort();
    }
    return 0;
}

std::vector<std::string> FuzzSeeds()
{
    return {"GA=100",
            "GA=&H64",
            "GA=-5, 7",
            "MD=RV-8200-A1",
            "GA?",
            "COMPLETE",
            "ERROR: GA 900 out of range 100..800",
            "LUTG=4095,12",
            "  PE = 12 ",
            "XMLVR=&HFFFFFFFF",
            "UD=hello world"};
}
