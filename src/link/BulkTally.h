// The requests of one bulk operation counted by how they ended, for the one summary the operator sees.
#pragma once

#include "link/RequestStreak.h"
#include "tables/RequestOutcome.h"

#include <string>
#include <vector>

// A bulk operation (reading all settings, a setting-file load, a table transfer, store-all, the about
// read-out) asks many requests and says nothing until it ends. The tally keeps what its summary needs:
// counts by outcome, the first few items of each failure by name, the camera's own text of the first
// refusal, and the stop rule.
class BulkTally {
public:
    static constexpr int kNamesShown = 10;  // a summary names at most this many items of a kind

    // Records how the request about `item` (a mnemonic, a table entry, an area) ended; gives it back.
    RequestOutcome Add(RequestOutcome outcome, const std::string& item);
    // A request that is no item of its own (a selector before a run of items): it counts toward the stop
    // rule, and a refusal's text is kept, but it is not counted. Gives it back.
    RequestOutcome Track(RequestOutcome outcome);
    // A request of the same action before the operation began (a model or area query): it counts toward
    // the stop rule alone; its refusal is the caller's to tell.
    void Precede(const RequestOutcome& outcome) { streak_.Record(outcome); }
    // Items the operation passed over without asking (a table colour whose selector failed, the rest of an
    // operation the camera left): counted as not sent, the first of them by name.
    void AddNotSent(int count, const std::string& firstItem);

    int Answered() const { return answered_; }
    int Refused() const { return refused_; }
    int TimedOut() const { return timedOut_; }
    int NotSent() const { return notSent_; }
    int Failed() const { return refused_ + timedOut_ + notSent_; }
    bool AllAnswered() const { return Failed() == 0; }
    bool CameraGone() const { return streak_.CameraGone(); }
    bool LastUnanswered() const { return streak_.LastUnanswered(); }

    // "GA, GB and 3 more": the first names the tally kept of refusals, and of requests without an answer.
    std::string RefusedList() const { return ListText(refusedNames_, refused_); }
    std::string UnansweredList() const { return ListText(unansweredNames_, timedOut_ + notSent_); }
    const std::vector<std::string>& RefusedNames() const { return refusedNames_; }
    const std::vector<std::string>& UnansweredNames() const { return unansweredNames_; }
    // The camera's answer to the first refused request (its whole line, or "<answer> for <query>").
    const std::string& FirstRefusal() const { return firstRefusal_; }
    // The tool's own word on the first unanswered request that has one (an answer too long for the buffer).
    const std::string& FirstNote() const { return firstNote_; }

    // The lines a summary adds after its own first sentence: each kind of failure with its count and first
    // names, and what the camera said to the first refusal. Empty when everything was answered.
    std::string OutcomeLines(const char* itemWord) const;

    // Up to kNamesShown of `names`, comma separated, then "and N more" for the rest of `total`.
    static std::string ListText(const std::vector<std::string>& names, int total);

    void Reset() { *this = BulkTally{}; }

private:
    int answered_ = 0;
    int refused_ = 0;
    int timedOut_ = 0;
    int notSent_ = 0;
    std::vector<std::string> refusedNames_;
    std::vector<std::string> unansweredNames_;
    std::string firstRefusal_;
    std::string firstNote_;
    RequestStreak streak_;
};
