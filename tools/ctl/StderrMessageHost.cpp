// Messages to standard error.
#include "ctl/StderrMessageHost.h"

#include "ctl/CtlConsole.h"

namespace {

bool IsQuestion(const MessageRequest& request)
{
    return request.buttons == MessageButtons::YesNo || request.buttons == MessageButtons::YesNoCancel;
}

}  // namespace

void StderrMessageHost::Print(const std::string& line)
{
    if (console_) {
        console_->Err(line);
    } else {
        std::fprintf(out_, "%s\n", line.c_str());
        std::fflush(out_);
    }
}

MessageResult StderrMessageHost::Show(const MessageRequest& request)
{
    shown_.push_back(request);
    std::string prefix = "rv8200xc-ctl: ";
    if (!port_.empty()) prefix += port_ + ": ";
    if (!request.caption.empty()) prefix += request.caption + ": ";
    std::string::size_type start = 0;
    // A multi-line message keeps its prefix on every line, so that grep finds each of them.
    while (start <= request.text.size()) {
        std::string::size_type end = request.text.find('\n', start);
        if (end == std::string::npos) end = request.text.size();
        Print(prefix + request.text.substr(start, end - start));
        start = end + 1;
    }
    if (!IsQuestion(request)) return DefaultAnswer(request);
    if (answerYes_) return MessageResult::Yes;
    const MessageResult answer = DefaultAnswer(request);
    if (answer == MessageResult::No) Print(prefix + "answered No (--yes answers Yes)");
    return answer;
}
