// What kind of command the simulated camera takes each mnemonic for, and the rules its written texts follow.
#pragma once

#include "tables/CommandTable.h"

#include <string>
#include <string_view>

namespace camsim {

// The four counters' commands, by counter number.
inline constexpr int kCounterSource[4] = {cmd::CE0, cmd::CE1, cmd::CE2, cmd::CE3};
inline constexpr int kCounterValue[4] = {cmd::CV0, cmd::CV1, cmd::CV2, cmd::CV3};
inline constexpr int kCounterStatus[4] = {cmd::CS0, cmd::CS1, cmd::CS2, cmd::CS3};
inline constexpr int kCounterReset[4] = {cmd::CR0, cmd::CR1, cmd::CR2, cmd::CR3};

// The command's position in a list of four; -1 when it is not in it.
int IndexOf(const int (&list)[4], int command);

// Answered to a query, refused to a write: identity, versions, status, results, counters.
bool IsReadOnly(int command);
// Written as text rather than as a number: the user id and the factory identity.
bool IsWrittenText(int command);
// The status query that reports a calibration's progress; -1 for a command that starts none.
int StatusOf(int startCommand);

// A byte below 32 or DEL: no line of the protocol holds one.
bool HasControlCharacter(std::string_view line);
// The command word before "=" or "?", without spaces and upper-cased; empty when it is not 1 to 16 letters
// and digits.
std::string CommandWord(std::string_view text);
// The text without its leading and trailing spaces.
std::string_view Trim(std::string_view text);
// A decimal integer with an optional sign and nothing else; false when the text is not one.
bool ParseInteger(std::string_view text, long long& value);
// Identity texts travel inside answer lines, so they must not hold the answer's own separators.
bool IsCleanText(std::string_view text);
// Four dotted parts of 1 to `partMax` clean characters each, like 1.0.2.3.
bool IsDottedVersion(std::string_view text, int partMax);

}  // namespace camsim
