// A message host for tests: keeps every box it is shown and answers from a queue.
#pragma once

#include "framework/MessageBox.h"

#include <deque>
#include <vector>

class RecordingMessageHost : public MessageHost {
public:
    // Installs itself for its lifetime and puts the previous host back afterwards.
    RecordingMessageHost();
    ~RecordingMessageHost() override;
    RecordingMessageHost(const RecordingMessageHost&) = delete;
    RecordingMessageHost& operator=(const RecordingMessageHost&) = delete;

    MessageResult Show(const MessageRequest& request) override;

    // Answers for the next boxes, in order; when the queue is empty a box gets its default button.
    void QueueAnswer(MessageResult answer) { answers_.push_back(answer); }

    const std::vector<MessageRequest>& Shown() const { return shown_; }
    std::vector<std::string> Texts() const;
    void Clear() { shown_.clear(); }

private:
    MessageHost* previous_;
    std::deque<MessageResult> answers_;
    std::vector<MessageRequest> shown_;
};
