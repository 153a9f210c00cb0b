// Messages to standard error.
#include "ctl/StderrMessageHost.h"

MessageResult StderrMessageHost::Show(const MessageRequest& request)
{
    shown_.push_back(request);
    std::string prefix = "rv8200xc-ctl: ";
    if (!request.caption.empty()) prefix += request.caption + ": ";
    std::string::size_type start = 0;
    // A multi-line message keeps its prefix on every line, so that grep finds each of them.
    while (start <= request.text.size()) {
        std::string::size_type end = request.text.find('\n', start);
        if (end == std::string::npos) end = request.text.size();
        std::fprintf(out_, "%s%s\n", prefix.c_str(), request.text.substr(start, end - start).c_str());
        start = end + 1;
    }
    std::fflush(out_);
    switch (request.buttons) {
        case MessageButtons::YesNo:
        case MessageButtons::YesNoCancel:
            return MessageResult::Yes;
        default:
            return MessageResult::Ok;
    }
}
