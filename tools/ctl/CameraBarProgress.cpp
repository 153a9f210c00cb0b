// A camera's bar on the shared console.
#include "ctl/CameraBarProgress.h"

#include "ctl/CtlConsole.h"

void CameraBarProgress::Open(const std::string& message)
{
    message_ = message;
    percent_ = 0;
    console_.SetBar(row_, label_, percent_, message_, true);
}

void CameraBarProgress::SetMessage(const std::string& text)
{
    message_ = text;
    console_.SetBar(row_, label_, percent_, message_, false);
}

void CameraBarProgress::SetPosition(int percent)
{
    percent_ = percent;
    console_.SetBar(row_, label_, percent_, message_, percent >= 100);
}

void CameraBarProgress::Close()
{
    // The finished bar stays, full, until the run ends: the operator sees which cameras are done.
    percent_ = 100;
    console_.SetBar(row_, label_, percent_, message_, true);
}
