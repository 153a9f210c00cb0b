// Reading and writing gamma data files.
#include "files/GammaFile.h"

#include "base/StrFormat.h"

#include <climits>
#include <iterator>

namespace {

// The digits of a field as a number; values beyond the int range stay at INT_MAX (they are clamped
// to 4095 anyway).
int FieldValue(const std::string& digits)
{
    long long value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
        if (value > INT_MAX) return INT_MAX;
    }
    return static_cast<int>(value);
}

// The next line of the content from `at` on, without its LF and a CR before it; false at the end.
bool NextLine(std::string_view content, std::size_t& at, std::string_view& line)
{
    if (at >= content.size()) return false;
    std::size_t end = content.find('\n', at);
    if (end == std::string_view::npos) end = content.size();
    line = content.substr(at, end - at);
    at = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return true;
}

using Levels = std::array<std::array<int, GammaTable::kEntries>, 3>;

}  // namespace

GammaFile::ReadResult GammaFile::Parse(std::string_view content, const Tables& tables)
{
    ReadResult result;
    // Rows go into a copy first: a file that fails half way leaves every table as it was.
    Levels levels{};
    for (std::size_t colour = 0; colour < 3; ++colour) {
        if (tables[colour]) levels[colour] = tables[colour]->tableData;
    }
    std::size_t at = 0;
    std::string_view line;
    if (NextLine(content, at, line)) result.firstLine = line;  // the header, not verified here
    bool valueReported = false;
    int rows = 0;
    for (; NextLine(content, at, line); ++rows) {
        std::string fields[3];
        int commas = 0;
        for (char c : line) {
            if (c >= '0' && c <= '9') {
                fields[commas].push_back(c);
            } else if (c == ',') {
                if (commas == 2) {
                    result.messages.emplace_back("Invalid data count format");
                    return result;
                }
                ++commas;
            }
        }
        if (commas != 2) {
            result.messages.emplace_back("Invaild line format");
            return result;
        }
        if (rows >= GammaTable::kEntries) {
            result.messages.emplace_back("Too many data");
            return result;
        }
        for (std::size_t colour = 0; colour < 3; ++colour) {
            int value = FieldValue(fields[colour]);
            if (value > GammaTable::kMaxLevel) {
                if (!valueReported)
                    result.messages.push_back(StrFormat("Invalid data value: Line(%d) : Value(%d)", rows, value));
                valueReported = true;
                value = GammaTable::kMaxLevel;
            }
            levels[colour][static_cast<std::size_t>(rows)] = value;
        }
    }
    for (std::size_t colour = 0; colour < 3; ++colour) {
        if (tables[colour]) tables[colour]->tableData = levels[colour];
    }
    result.rowsStored = rows;
    result.result = 1;
    return result;
}

GammaFile::ReadResult GammaFile::Read(std::istream& in, const Tables& tables)
{
    const std::string content(std::istreambuf_iterator<char>(in), {});
    return Parse(content, tables);
}

GammaFile::FileRead GammaFile::ReadFile(const std::string& path, const Tables& tables, const Accept& accept)
{
    FileRead outcome;
    std::string content;
    if (!TextFile::Load(path, content)) return outcome;
    // Read into copies, so that what the operator turns down is not kept either.
    std::array<GammaTable, 3> read;
    Tables copies{};
    for (std::size_t colour = 0; colour < 3; ++colour) {
        if (tables[colour]) read[colour] = *tables[colour];
        copies[colour] = tables[colour] ? &read[colour] : nullptr;
    }
    outcome.read = Parse(content, copies);
    if (!outcome.read.result) {
        outcome.status = FileStatus::Malformed;
        return outcome;
    }
    if (accept && !accept(outcome.read)) {
        outcome.status = FileStatus::Declined;
        return outcome;
    }
    for (std::size_t colour = 0; colour < 3; ++colour) {
        if (!tables[colour]) continue;
        tables[colour]->tableData = read[colour].tableData;
        tables[colour]->displayMode = GammaTable::kViewMode;
    }
    outcome.status = FileStatus::Kept;
    return outcome;
}

std::string GammaFile::Format(const Tables& tables)
{
    std::string text = std::string(kHeader) + "\r\n";
    for (std::size_t i = 0; i < GammaTable::kEntries; ++i) {
        int values[3] = {};
        for (std::size_t colour = 0; colour < 3; ++colour)
            values[colour] = tables[colour] ? tables[colour]->tableData[i] : 0;
        text += StrFormat("%d,%d,%d\r\n", values[0], values[1], values[2]);
    }
    return text;
}

TextFile::SaveResult GammaFile::WriteFile(const std::string& path, const Tables& tables)
{
    // Saved like every text file of the tool: CR LF, through a temporary file that replaces the target only
    // when all of it was written.
    std::vector<std::string> lines;
    const std::string text = Format(tables);
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return TextFile::Save(path, lines);
}
