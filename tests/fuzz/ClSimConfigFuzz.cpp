// Fuzz target: the configuration parser of the simulated Camera Link libraries.
#include "camsim/cl/SimConfig.h"

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    camsim::SimConfig config;
    std::string error;
    camsim::ParseSimConfig(text, config, error);
    return 0;
}

std::vector<std::string> FuzzSeeds()
{
    return {"port Acme Port0 model=RV-8200-B1 rates=9600,115200\nport Acme Port1 silent answer-delay=20\n",
            "port B P0 init-error=CL_ERR_PORT_IN_USE rates-error=-10001\nlog /dev/null\n"};
}
