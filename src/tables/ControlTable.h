// The model of the camera's parameters: one row per page control, bound to a command, with kind,
// group, limits, the current value and the shadow (the value last known to be in the camera).
#pragma once

#include "tables/RequestOutcome.h"

#include <array>
#include <cstdint>
#include <string>

struct ControlEntry {
    std::int32_t controlId;  // page control id; -1 in the end row
    std::int32_t commandIndex;  // index into the CommandTable
    std::int32_t controlKind;  // ControlKind
    std::int32_t spinMargin;  // 1: spin range one wider than the limits at each end
    std::int32_t group;  // ControlGroup
    std::int32_t minimum;
    std::int32_t maximum;
    std::int32_t value;
    std::int32_t shadow;
    std::int32_t storedInFile;  // 1: written to and read from the camera setting file
};

enum ControlKind : std::int32_t { kKindCombo = 4, kKindEdit = 6, kKindButton = 7, kKindEnd = 8 };
enum ControlGroup : std::int32_t { kGroupAction = 0, kGroupUser = 1, kGroupFactory = 2, kGroupEnd = 3 };

// Sends one value to the camera; the protocol implements it (Command::Set). The outcome says how the
// request ended; the caller that owns the operator's action says what failed.
class ValueSender {
public:
    virtual ~ValueSender() = default;
    virtual RequestOutcome Set(int commandIndex, int value, int timeoutMs) = 0;
};

// Told when a lookup names an id the table does not hold: a fault of the program, not of the camera or
// the operator. The composition root shows it; the table itself speaks to no one.
class LookupFailureSink {
public:
    virtual ~LookupFailureSink() = default;
    virtual void LookupFailed(const std::string& text) = 0;
};

// Lookups scan the rows in table order and stop at the end row. A lookup of an id that is not in
// the table tells the sink (when there is one) and gives the "not found" result.
class ControlTable {
public:
    static constexpr int kRowCount = 207;  // rows, not counting the end row

    // Every row at its default, shadows 0; lookups that find nothing are told to `failures`.
    explicit ControlTable(LookupFailureSink* failures = nullptr);

    int GetDataValue(int controlId) const;
    int SetDataValue(int controlId, int value);
    int GetShadowValue(int controlId) const;
    int ToCmdId(int controlId) const;
    int CtrlId2TblIndex(int controlId) const;
    int ToCtrlId(int commandIndex) const;
    int GetSpinMargin(int controlId) const;
    int GetRange(int controlId, int& minimum, int& maximum) const;
    int IsStoredInFile(int controlId) const;
    int IsFactoryParam(int controlId) const;
    int IsValueControl(int row) const;
    int CountValueRows() const;
    int CountUserValueRows() const;

    void CommitShadow();
    // Sends every row whose value differs from its shadow, in table order, with a 5000 ms time-out.
    // Stops at the first failed send and gives its outcome; answered when all were sent (or none had to
    // be). Shadows are untouched.
    RequestOutcome WriteChangedValues(ValueSender& sender) const;

    // Row access by position, 0 .. kRowCount (the end row included), for the scans of other layers.
    const ControlEntry& Row(int row) const { return rows_[static_cast<std::size_t>(row)]; }
    ControlEntry& Row(int row) { return rows_[static_cast<std::size_t>(row)]; }

    // The rows as built into the program, end row last.
    static const std::array<ControlEntry, kRowCount + 1>& Defaults();

private:
    int FindRow(int controlId) const;
    void Warn(const std::string& text) const;

    std::array<ControlEntry, kRowCount + 1> rows_;
    LookupFailureSink* failures_;
};
