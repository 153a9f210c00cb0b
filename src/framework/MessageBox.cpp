// Message boxes on a host.
#include "framework/MessageBox.h"

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

MessageResult ShowMessage(MessageHost& host, std::string_view text, std::string_view caption, MessageButtons buttons,
                          MessageIcon icon, std::optional<MessageResult> defaultButton)
{
    return host.Show(MessageRequest{std::string(text), std::string(caption), buttons, icon, defaultButton});
}

void ShowCommunicationError(MessageHost& host, std::string_view text)
{
    if (!text.empty()) ShowMessage(host, text, "Communication Error", MessageButtons::Ok, MessageIcon::Exclamation);
}
