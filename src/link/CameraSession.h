// What every program that works on the camera does the same way: find out which model is there, read
// all settings into the control table with the stop rule, and write a value and read back what the
// camera holds. Without Qt; the tool's pages and the command-line companion both use it.
#pragma once

#include "link/BulkTally.h"
#include "tables/RequestOutcome.h"

#include <functional>
#include <string>

class Command;
class ControlTable;
struct CameraModelInfo;

class CameraSession {
public:
    static constexpr int kModelTimeoutMs = 1000;
    static constexpr int kReadTimeoutMs = 5000;

    // How a read of all settings ended: the rows asked and read, and every request's outcome.
    struct ReadAllResult {
        int total = 0;  // rows this model and mode read
        int read = 0;
        BulkTally tally;
        std::string modelFailure;  // the model check that went before the read, when it failed
        bool modelRefused = false;
        bool CameraGone() const { return tally.CameraGone(); }
        bool Complete() const { return read == total; }
        // One summary for the operator; empty when every row was read and the model check (if any) was not
        // refused. A time-out alone is no message: the status shows the camera offline.
        std::string Summary() const;
    };

    // A write and its read-back: what the camera said to the value, and what it holds afterwards.
    struct WriteResult {
        RequestOutcome write;
        RequestOutcome readBack;  // asked only when the write was answered (also a refusal)
        int held = 0;  // readBack answered: the camera's value
    };

    CameraSession(Command& command, ControlTable& table, CameraModelInfo& model);

    // Asks for the model and, when the camera answered, records it (an unknown text as the unknown model).
    RequestOutcome CheckModel();
    // The operator's message for an answered model check that found no supported model; empty otherwise.
    std::string UnsupportedModelText() const;

    // Queries every row the recorded model and the mode read into the table. A row that fails keeps its
    // value and the read goes on; the second unanswered request in a row ends it. `afterRow` runs after
    // each row asked, with the count asked so far and the count to ask.
    // A model check just before (`modelCheck`) is part of the same read: an unanswered one counts toward the
    // stop rule, and a failed one is named in the summary. So does a request of the same action before it
    // (`earlier`) count toward the stop rule.
    ReadAllResult ReadAll(bool factoryMode, const std::function<void(int asked, int total)>& afterRow = {},
                          const RequestOutcome* modelCheck = nullptr, const RequestOutcome* earlier = nullptr);
    // One row's query into the table; a command this model lacks is not asked (the outcome is not sent).
    RequestOutcome ReadOne(int controlId);
    // Sends the value and, when the camera answered, reads the command back into the table's row (if it
    // has one) so that the table holds what the camera took, not what was asked.
    WriteResult WriteAndReadBack(int commandIndex, int value);

    void SetReadTimeoutMs(int timeoutMs) { readTimeoutMs_ = timeoutMs; }
    int ReadTimeoutMs() const { return readTimeoutMs_; }
    Command& Protocol() { return command_; }

private:
    Command& command_;
    ControlTable& table_;
    CameraModelInfo& model_;
    int readTimeoutMs_ = kReadTimeoutMs;
};
