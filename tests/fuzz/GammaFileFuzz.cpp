// Fuzz target: the gamma data file reader. Whatever the file holds, the reader stores at most 256 rows
// of levels within 0..4095, says why it stopped, and a file written from the tables reads back to them.
#include "files/GammaFile.h"

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    GammaTable tables[3] = {GammaTable(0), GammaTable(1), GammaTable(2)};
    const GammaFile::Tables pointers = {&tables[0], &tables[1], &tables[2]};
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    const GammaFile::ReadResult result = GammaFile::Read(in, pointers);
    if (result.rowsStored < 0 || result.rowsStored > GammaTable::kEntries) std::abort();
    if (result.messages.size() > 2) std::abort();  // at most the value message and the one that ended the read
    if (result.result == 0 && result.messages.empty()) std::abort();
    for (const GammaTable& table : tables) {
        for (int value : table.tableData) {
            if (value < 0 || value > GammaTable::kMaxLevel) std::abort();
        }
    }
    GammaTable again[3] = {GammaTable(0), GammaTable(1), GammaTable(2)};
    std::istringstream written(GammaFile::Format(pointers));
    const GammaFile::ReadResult reread = GammaFile::Read(written, {&again[0], &again[1], &again[2]});
    if (reread.result != 1 || !reread.messages.empty()) std::abort();
    for (int colour = 0; colour < 3; ++colour) {
        if (again[colour].tableData != tables[colour].tableData) std::abort();
    }
    return 0;
}

std::vector<std::string> FuzzSeeds()
{
    std::string full = "GammaData (R G B)\r\n";
    for (int i = 0; i < 256; ++i) full += std::to_string(16 * i) + "," + std::to_string(4095 - 16 * i) + ",0\r\n";
    return {full, "GammaData (R G B)\n1,2,3\n12,,7\n-5 , 3 , 2\n", "x\r\n1,5000,2\r\n1,2,3,4\r\n", "\r\n\r\n,,\r\n"};
}
