// The start-up's search for the speed the camera listens at: the link's own speed first, then every speed
// from 115200 down to 9600 bit/s.
#pragma once

#include <functional>

class SerialLink;

class SpeedScan {
public:
    // cameraAnswers asks the camera something short and tells whether it answered.
    SpeedScan(SerialLink& link, std::function<bool()> cameraAnswers);

    // Called with the baud-rate index each time the port has really moved to a speed.
    void SetSpeedShown(std::function<void(int baudIndex)> shown) { shown_ = std::move(shown); }

    // The link must be open. A speed the port does not offer, or refuses, is skipped without a message: the
    // scan is not the operator's choice of a speed. Gives true when the camera answered; the link then runs
    // at that speed. Otherwise it runs at the last speed the port really took.
    bool Run();

private:
    SerialLink& link_;
    std::function<bool()> cameraAnswers_;
    std::function<void(int)> shown_;
};
