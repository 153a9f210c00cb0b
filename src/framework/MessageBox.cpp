// Routes message boxes to the installed host.
#include "framework/MessageBox.h"

#include <cstdio>

namespace {

MessageHost* g_host = nullptr;
thread_local MessageHost* t_host = nullptr;

}  // namespace

MessageResult DefaultAnswer(const MessageRequest& request)
{
    if (request.defaultButton) return *request.defaultButton;
    switch (request.buttons) {
        case MessageButtons::YesNo:
        case MessageButtons::YesNoCancel:
            return MessageResult::Yes;
        default:
            return MessageResult::Ok;
    }
}

MessageHost* SetMessageHost(MessageHost* host)
{
    MessageHost* previous = g_host;
    g_host = host;
    return previous;
}

MessageHost* GetMessageHost() { return g_host; }

MessageHost* SetThreadMessageHost(MessageHost* host)
{
    MessageHost* previous = t_host;
    t_host = host;
    return previous;
}

MessageResult ShowMessage(std::string_view text, std::string_view caption, MessageButtons buttons, MessageIcon icon,
                          std::optional<MessageResult> defaultButton)
{
    const MessageRequest request{std::string(text), std::string(caption), buttons, icon, defaultButton};
    if (t_host) return t_host->Show(request);
    if (g_host) return g_host->Show(request);
    const std::string_view shownCaption = caption.empty() ? kToolCaption : caption;
    std::fprintf(stderr, "[%.*s] %s\n", static_cast<int>(shownCaption.size()), shownCaption.data(),
                 request.text.c_str());
    return DefaultAnswer(request);
}

MessageResult ShowMessage(MessageHost& host, std::string_view text, std::string_view caption, MessageButtons buttons,
                          MessageIcon icon, std::optional<MessageResult> defaultButton)
{
    return host.Show(MessageRequest{std::string(text), std::string(caption), buttons, icon, defaultButton});
}

void ShowCommunicationError(MessageHost& host, std::string_view text)
{
    if (!text.empty()) ShowMessage(host, text, "Communication Error", MessageButtons::Ok, MessageIcon::Exclamation);
}

void ShowCommunicationError(std::string_view text)
{
    if (!text.empty()) ShowMessage(text, "Communication Error", MessageButtons::Ok, MessageIcon::Exclamation);
}
