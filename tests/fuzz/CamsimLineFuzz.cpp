// Fuzz target: the simulated camera's line handler. Every line gets complete answer lines, and error
// lines never carry "=" (the tool would take them for a value).
#include "camsim/CameraModel.h"

#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static camsim::CameraModel camera;
    const std::string line(reinterpret_cast<const char*>(data), size);
    const std::string answer = camera.HandleLine(line);
    if (!answer.empty() && (answer.size() < 2 || answer.compare(answer.size() - 2, 2, "\r\n") != 0)) std::abort();
    if (answer.rfind("ERROR", 0) == 0 && answer.find('=') != std::string::npos) std::abort();
    return 0;
}

std::vector<std::string> FuzzSeeds()
{
    return {"GA=200",  "GA?",  "MD?",  "ULCK=5829317", "ID00=ABCDEFGHIJ", "LUTIG=12", "LUTG=100", "SDDS=1", "SDDI=5",
            "SDD=-12", "SA=2", "LD=2", "EA?",          "CBDRT=1",         "PGR=1",    "PGS?",     "HB=2",   "WTC?"};
}
