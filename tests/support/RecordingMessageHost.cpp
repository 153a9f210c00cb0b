// Recording message host for tests.
#include "support/RecordingMessageHost.h"

#include "support/TestHosts.h"

RecordingMessageHost::RecordingMessageHost() : previous_(SetMessageHost(this)) {}

RecordingMessageHost::~RecordingMessageHost() { SetMessageHost(previous_); }

MessageResult RecordingMessageHost::Show(const MessageRequest& request)
{
    shown_.push_back(request);
    if (!answers_.empty()) {
        MessageResult answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    return DefaultAnswer(request);
}

std::vector<std::string> RecordingMessageHost::Texts() const
{
    std::vector<std::string> texts;
    texts.reserve(shown_.size());
    for (const MessageRequest& request : shown_) texts.push_back(request.text);
    return texts;
}
