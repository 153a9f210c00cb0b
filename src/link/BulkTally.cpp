// Counting a bulk operation's requests and wording their failures.
#include "link/BulkTally.h"

#include "base/StrFormat.h"

#include <algorithm>

RequestOutcome BulkTally::Add(RequestOutcome outcome, const std::string& item)
{
    streak_.Record(outcome);
    switch (outcome.result) {
        case RequestResult::Answered:
            ++answered_;
            break;
        case RequestResult::Refused:
            if (refused_++ == 0 && firstRefusal_.empty()) firstRefusal_ = outcome.FailureText();
            if (refusedNames_.size() < kNamesShown) refusedNames_.push_back(item);
            break;
        case RequestResult::TimedOut:
        case RequestResult::NotSent:
            ++(outcome.result == RequestResult::TimedOut ? timedOut_ : notSent_);
            if (firstNote_.empty()) firstNote_ = outcome.note;
            if (unansweredNames_.size() < kNamesShown) unansweredNames_.push_back(item);
            break;
    }
    return outcome;
}

RequestOutcome BulkTally::Track(RequestOutcome outcome)
{
    streak_.Record(outcome);
    if (outcome.Refused() && firstRefusal_.empty()) firstRefusal_ = outcome.FailureText();
    return outcome;
}

void BulkTally::AddNotSent(int count, const std::string& firstItem)
{
    if (count <= 0) return;
    notSent_ += count;
    if (unansweredNames_.size() < kNamesShown && !firstItem.empty()) unansweredNames_.push_back(firstItem);
}

std::string BulkTally::ListText(const std::vector<std::string>& names, int total)
{
    std::string text;
    const int shown = static_cast<int>(std::min<std::size_t>(names.size(), kNamesShown));
    for (int i = 0; i < shown; ++i) text += (i == 0 ? "" : ", ") + names[static_cast<std::size_t>(i)];
    if (total > shown) text += StrFormat(shown > 0 ? " and %d more" : "%d", total - shown);
    return text;
}

std::string BulkTally::OutcomeLines(const char* itemWord) const
{
    std::string text;
    if (refused_ > 0) {
        text += StrFormat("\nRefused by the camera: %d %s (%s).", refused_, itemWord, RefusedList().c_str());
        text += "\nThe camera answered: " + firstRefusal_;
    }
    if (timedOut_ > 0) text += StrFormat("\nNo answer from the camera: %d %s.", timedOut_, itemWord);
    if (notSent_ > 0) text += StrFormat("\nNot sent: %d %s.", notSent_, itemWord);
    if (timedOut_ + notSent_ > 0) text += "\nWithout an answer: " + UnansweredList() + ".";
    if (!firstNote_.empty()) text += "\n" + firstNote_;
    return text;
}
