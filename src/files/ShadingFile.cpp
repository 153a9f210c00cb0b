// Reading and writing shading data files.
#include "files/ShadingFile.h"

#include "base/StrFormat.h"

#include <algorithm>
#include <climits>

namespace {

// A field's digits gathered across whatever else stands between them; held at the 32-bit limits.
struct Field {
    std::int64_t magnitude = 0;
    bool negative = false;
    bool digits = false;

    void Take(char c)
    {
        if (c >= '0' && c <= '9') {
            magnitude = std::min<std::int64_t>(magnitude * 10 + (c - '0'), std::int64_t{INT32_MAX} + 1);
            digits = true;
        } else if (c == '-' && !digits) {
            // The writer writes signed values; a minus before the digits belongs to the value.
            negative = true;
        }
    }
    std::int32_t Value() const
    {
        const std::int64_t value = negative ? -magnitude : std::min<std::int64_t>(magnitude, INT32_MAX);
        return static_cast<std::int32_t>(std::max<std::int64_t>(value, INT32_MIN));
    }
};

}  // namespace

std::vector<std::string> ShadingFile::Lines(const ShadingTable& table)
{
    std::vector<std::string> lines;
    lines.reserve(ShadingTable::kEntries + 1);
    lines.emplace_back(kHeader);
    for (int i = 0; i < ShadingTable::kEntries; ++i) {
        lines.push_back(StrFormat("%d, %d, %d", table.At(0, i), table.At(1, i), table.At(2, i)));
    }
    return lines;
}

bool ShadingFile::ParseDataLine(std::string_view line, std::int32_t& g, std::int32_t& r, std::int32_t& b)
{
    Field fields[3];
    int field = 0;
    for (char c : line) {
        if (c == ',') {
            if (++field > 2) return false;
            continue;
        }
        fields[field].Take(c);
    }
    g = fields[0].Value();
    r = fields[1].Value();
    b = fields[2].Value();
    return true;
}

ShadingFile::ParseResult ShadingFile::Parse(const std::string& content, ShadingTable& table)
{
    ParseResult result;
    bool header = true;
    std::size_t at = 0;
    while (at < content.size()) {
        // One piece: up to and including the next LF, at most kPieceLength characters; a CR right before
        // the LF is the file's line end, not a character of the line.
        std::size_t end = at;
        std::size_t length = 0;
        while (end < content.size() && length < static_cast<std::size_t>(kPieceLength)) {
            const char c = content[end];
            if (c == '\n') break;
            if (!(c == '\r' && end + 1 < content.size() && content[end + 1] == '\n')) ++length;
            ++end;
        }
        const std::string_view piece(content.data() + at, end - at);
        at = end < content.size() && content[end] == '\n' ? end + 1 : end;
        if (header) {
            header = false;
            continue;
        }
        std::int32_t g = 0;
        std::int32_t r = 0;
        std::int32_t b = 0;
        if (!ParseDataLine(piece, g, r, b)) {
            result.status = Status::BadFormat;
            return result;
        }
        if (result.taken == ShadingTable::kEntries) {
            result.status = Status::TooMany;
            return result;
        }
        table.At(0, result.taken) = g;
        table.At(1, result.taken) = r;
        table.At(2, result.taken) = b;
        ++result.taken;
    }
    return result;
}
