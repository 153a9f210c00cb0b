// Where a long operation shows its advance: the progress window of the tool, or nothing. Layers below the
// dialogs report through this and never see the window itself.
#pragma once

#include <string>

class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    // Shows the message at position 0; the window the operation runs for is disabled meanwhile.
    virtual void Open(const std::string& message) = 0;
    virtual void SetMessage(const std::string& text) = 0;
    virtual void SetPosition(int percent) = 0;  // 0 to 100
    // The full bar briefly, then the owner is active again.
    virtual void Close() = 0;
};
