// Fuzz target: the shading file reader.
#include "files/ShadingFile.h"

#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string content(reinterpret_cast<const char*>(data), size);
    ShadingTable table;
    const auto result = ShadingFile::Parse(content, table);
    if (result.taken < 0 || result.taken > ShadingTable::kEntries) std::abort();
    // What the reader took survives the writer and a second read unchanged.
    if (result.status == ShadingFile::Status::Ok) {
        std::string text;
        for (const std::string& line : ShadingFile::Lines(table)) text += line + "\r\n";
        ShadingTable again;
        const auto second = ShadingFile::Parse(text, again);
        if (second.status != ShadingFile::Status::Ok || again.values != table.values) std::abort();
    }
    return 0;
}

std::vector<std::string> FuzzSeeds()
{
    return {"ShadingData  (G R B)\r\n1, 2, 3\r\n-4, 5, -6\r\n", "h\n100 200 300\n\n", "h\r\n1, 2, 3, 4\r\n",
            "h\n-5, 7, 9", "h\n99999999999, -99999999999, 0\n"};
}
