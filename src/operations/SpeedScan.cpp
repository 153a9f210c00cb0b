// The start-up's speed scan.
#include "operations/SpeedScan.h"

#include "link/SerialLink.h"

SpeedScan::SpeedScan(SerialLink& link, std::function<bool()> cameraAnswers)
    : link_(link), cameraAnswers_(std::move(cameraAnswers))
{
}

bool SpeedScan::Run()
{
    const int startRate = link_.GetBaudRate();
    if (cameraAnswers_()) return true;
    int portRate = startRate;  // the speed the port is really at
    for (int index = SerialLink::kBaudCount - 1; index >= 0; --index) {
        const int rate = SerialLink::BaudRateFromIndex(index);
        // Asking first keeps the port's own "not supported" message out of the scan.
        if (!link_.SupportsBaudRate(rate)) continue;
        if (!link_.ReopenWithBaud(rate)) continue;
        portRate = rate;
        if (shown_) shown_(index);
        if (cameraAnswers_()) return true;
    }
    // A refused last try leaves the link's record at the refused speed; the port goes back to a speed it
    // really runs at, so that what is shown and stored at exit is true.
    if (link_.GetBaudRate() != portRate && link_.ReopenWithBaud(portRate) && shown_) {
        shown_(SerialLink::IndexOfBaudRate(portRate));
    }
    return false;
}
