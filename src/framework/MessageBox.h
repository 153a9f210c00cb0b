// Modal message boxes of the whole program, behind the host each caller is given.
#pragma once

#include "base/ToolName.h"

#include <optional>
#include <string>
#include <string_view>

// The icon carries the meaning: stop for a failed operation, exclamation for a warning or a
// communication problem, information for a completed operation, question for a yes/no choice.
enum class MessageIcon { None, Stop, Exclamation, Information, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageResult { Ok, Cancel, Yes, No };

struct MessageRequest {
    std::string text;
    std::string caption;  // empty: the host shows the tool's own title
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::Exclamation;
    // The button Enter presses; none: the first (OK or Yes). A question whose Yes sends or keeps what
    // may be wrong has No here.
    std::optional<MessageResult> defaultButton;
};

class MessageHost {
public:
    virtual ~MessageHost() = default;
    virtual MessageResult Show(const MessageRequest& request) = 0;
};

// The caption used when a message names none.
inline constexpr std::string_view kToolCaption = kToolName;

// Shows one box on the host and gives the button that ended it.
MessageResult ShowMessage(MessageHost& host, std::string_view text, std::string_view caption = {},
                          MessageButtons buttons = MessageButtons::Ok, MessageIcon icon = MessageIcon::Exclamation,
                          std::optional<MessageResult> defaultButton = std::nullopt);

// A request's failure as the operator sees it after a single action: the text under the caption
// "Communication Error" with an exclamation icon. An empty text (nothing to say) shows nothing.
void ShowCommunicationError(MessageHost& host, std::string_view text);

// The button a box presses by default: the request's own, else its first.
MessageResult DefaultAnswer(const MessageRequest& request);
