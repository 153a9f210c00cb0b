// The box of a control-table lookup that found nothing: a fault of the program, shown as it happens so
// that it is seen in testing, with the lookup's own words.
#pragma once

#include "tables/ControlTable.h"

#include <string>

class MessageHost;

class TableLookupActions : public LookupFailureSink {
public:
    explicit TableLookupActions(MessageHost& messages) : messages_(messages) {}

    // The text under the tool's caption, exclamation icon, OK.
    void LookupFailed(const std::string& text) override;

private:
    MessageHost& messages_;
};
