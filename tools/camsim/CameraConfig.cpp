// Camera speed codes and bit rates.
#include "camsim/CameraConfig.h"

namespace camsim {
namespace {

constexpr int kCodes[] = {1, 2, 4, 8, 16};
constexpr int kRates[] = {9600, 19200, 38400, 57600, 115200};

}  // namespace

int BaudRateOfCode(int code)
{
    for (int i = 0; i < 5; ++i) {
        if (kCodes[i] == code) return kRates[i];
    }
    return 0;
}

int CodeOfBaudRate(int bitsPerSecond)
{
    for (int i = 0; i < 5; ++i) {
        if (kRates[i] == bitsPerSecond) return kCodes[i];
    }
    return 0;
}

}  // namespace camsim
