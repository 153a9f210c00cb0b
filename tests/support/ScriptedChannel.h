// A Camera Link channel in memory for protocol tests: records what is written and delivers scripted
// answers, optionally in pieces with pauses. Its time is the link clock it is given: on a manual clock a
// read that waits moves the clock instead of sleeping.
#pragma once

#include "framework/COnlineStatusUpdater.h"
#include "framework/OnlineStatusRegistry.h"
#include "framework/StatusStrip.h"
#include "link/ClSerialKind.h"
#include "link/LinkClock.h"
#include "link/TrafficSink.h"
#include "support/TestHosts.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

class ScriptedChannel : public ClSerialKind {
public:
    // Gives the answer pieces for one written line (without CR LF); each piece is delivered after its
    // delay (counted from the previous piece).
    struct Piece {
        std::string bytes;
        int delayMs = 0;
    };
    using Responder = std::function<std::vector<Piece>(const std::string& line)>;

    std::vector<std::string> entries{"grabber A", "grabber B"};
    Responder responder;
    std::string written;  // every byte written
    std::vector<std::string> lines;  // written lines without CR LF
    int openIndex = -1;
    int rate = 0;
    bool refuseRate = false;
    int closeCount = 0;
    LinkClock* clock = &SteadyLinkClock::Instance();

    int ScanEntries() override { return static_cast<int>(entries.size()); }
    std::string EntryName(int index) const override
    {
        return index >= 0 && index < static_cast<int>(entries.size()) ? entries[static_cast<std::size_t>(index)]
                                                                      : std::string();
    }
    int OpenEntry(int index) override
    {
        if (index < 0 || index >= static_cast<int>(entries.size())) return 0;
        openIndex = index;
        return 1;
    }
    bool SupportsBaudRate(int r) override { return !refuseRate && r > 0; }
    int SetBaudRate(int r) override
    {
        if (refuseRate) return 0;
        rate = r;
        return 1;
    }
    void CloseEntry() override
    {
        openIndex = -1;
        ++closeCount;
    }

    int WriteBytes(const std::uint8_t* buffer, int count, int /*timeoutMs*/) override
    {
        for (int i = 0; i < count; ++i) {
            const char c = static_cast<char>(buffer[i]);
            written += c;
            if (c == '\n') {
                std::string line = partial_;
                if (!line.empty() && line.back() == '\r') line.pop_back();
                partial_.clear();
                lines.push_back(line);
                if (responder) Deliver(responder(line));
            } else {
                partial_ += c;
            }
        }
        return count;
    }

    // Queues bytes as if the camera sent them by itself.
    void Deliver(const std::vector<Piece>& pieces)
    {
        std::int64_t at = clock->NowUs();
        for (const Piece& piece : pieces) {
            at += piece.delayMs * 1000LL;
            for (char c : piece.bytes) input_.push_back({at, static_cast<std::uint8_t>(c)});
        }
    }

    int ReadBytes(std::uint8_t* buffer, int count, int timeoutMs) override
    {
        const std::int64_t deadline = clock->NowUs() + timeoutMs * 1000LL;
        int got = 0;
        while (got < count) {
            const std::int64_t now = clock->NowUs();
            if (!input_.empty() && input_.front().at <= now) {
                buffer[got++] = input_.front().byte;
                input_.pop_front();
                continue;
            }
            if (got > 0 || now >= deadline) break;
            std::int64_t wake = deadline;
            if (!input_.empty() && input_.front().at < wake) wake = input_.front().at;
            // Rounded up to whole milliseconds, so that the wait always moves the clock.
            clock->Pause(static_cast<int>((wake - now + 999) / 1000));
        }
        return got;
    }

    std::size_t Pending() const { return input_.size(); }

private:
    struct Timed {
        std::int64_t at;  // microseconds on the channel's clock
        std::uint8_t byte;
    };
    std::string partial_;
    std::deque<Timed> input_;
};

class RecordingSink : public TrafficSink {
public:
    std::vector<std::string> lines;
    void AddLine(const std::string& line) override { lines.push_back(line); }
};

// A dialog stand-in that records the online/offline notifications.
class RecordingStatusDialog : public COnlineStatusUpdater, private StatusStrip {
public:
    std::vector<bool> changes;
    RecordingStatusDialog()
    {
        BindStatusStrip(this);
        TestHosts().onlineStatus.Register(this);
    }
    void OnOnlineStatusChanged(bool online) override { changes.push_back(online); }

private:
    void SetStatusBitmap(int /*bitmapId*/) override {}
    bool Exists() const override { return true; }
};
