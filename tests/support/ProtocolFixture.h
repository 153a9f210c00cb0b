// A protocol under test: Command over a link whose channel is a ScriptedChannel, both on a manual clock,
// so that waits and time-outs take no real time and clock_ tells how long a request took.
#pragma once

#include "link/ComPort.h"
#include "link/Command.h"
#include "link/SerialLink.h"
#include "support/ManualLinkClock.h"
#include "support/RecordingMessageHost.h"
#include "support/ScriptedChannel.h"
#include "support/TestHosts.h"

#include <gtest/gtest.h>

#include <map>

class ProtocolFixture : public ::testing::Test {
protected:
    ProtocolFixture()
        : link_(
              LinkSettings{}, port_, [this](int mode) { return mode == kLinkCl2000 ? &channel_ : nullptr; }, nullptr),
          command_(link_, TestHosts())
    {
        link_.SetClock(&clock_);
        channel_.clock = &clock_;
        link_.SetTerminalSink(&terminal_);
        link_.SetMessageSink(&messages_);
        EXPECT_EQ(link_.Open(kLinkCl2000, 115200, 0), 1);
        channel_.responder = [this](const std::string& line) -> std::vector<ScriptedChannel::Piece> {
            auto it = answers_.find(line);
            if (it == answers_.end()) return {};
            return {{it->second, 0}};
        };
    }

    // The camera answers line with answer (CR LF is added).
    void Answer(const std::string& line, const std::string& answer) { answers_[line] = answer + "\r\n"; }
    void AnswerRaw(const std::string& line, const std::string& bytes) { answers_[line] = bytes; }

    ManualLinkClock clock_;
    ComPort port_;
    ScriptedChannel channel_;
    SerialLink link_;
    Command command_;
    RecordingMessageHost host_;
    RecordingSink terminal_;
    RecordingSink messages_;
    RecordingStatusDialog status_;
    std::map<std::string, std::string> answers_;
};
