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
    // Entries go into a copy first: a file that fails half way leaves the table as it was.
    ShadingTable read = table;
    bool header = true;
    std::size_t at = 0;
    while (at < content.size()) {
        std::size_t end = content.find('\n', at);
        if (end == std::string::npos) end = content.size();
        std::string_view line(content.data() + at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (header) {
            header = false;
            result.firstLine = line;
            continue;
        }
        std::int32_t g = 0;
        std::int32_t r = 0;
        std::int32_t b = 0;
        if (!ParseDataLine(line, g, r, b)) {
            result.status = Status::BadFormat;
            result.taken = 0;
            return result;
        }
        if (result.taken == ShadingTable::kEntries) {
            result.status = Status::TooMany;
            break;
        }
        read.At(0, result.taken) = g;
        read.At(1, result.taken) = r;
        read.At(2, result.taken) = b;
        ++result.taken;
    }
    table = read;
    return result;
}
