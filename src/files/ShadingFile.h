// The shading data file (*.csv): a header line, then one "G, R, B" line per entry.
#pragma once

#include "files/ShadingTable.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class ShadingFile {
public:
    static constexpr const char* kHeader = "ShadingData  (G R B)";

    enum class Status { Ok, BadFormat, TooMany };
    struct ParseResult {
        Status status = Status::Ok;
        int taken = 0;  // data lines stored into the table, from entry 0 on
        std::string firstLine;  // without its line end: what the file says it holds
    };

    // The header and 1024 data lines of the table (without line ends).
    static std::vector<std::string> Lines(const ShadingTable& table);

    // Takes the data lines of a file's content into the table, entry by entry: the first line is
    // skipped, at most 1024 are taken. A line ends at LF, a CR before it included, however long it is.
    // BadFormat at a line with a third comma, and the table is left as it was; TooMany when a 1025th
    // data line follows (the 1024 taken stand).
    static ParseResult Parse(const std::string& content, ShadingTable& table);

    // One data line: only digits, commas and a minus sign before a field's first digit count; a field
    // without digits is 0. False on a third comma.
    static bool ParseDataLine(std::string_view line, std::int32_t& g, std::int32_t& r, std::int32_t& b);
};
