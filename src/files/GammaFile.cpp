// Reading and writing gamma data files.
#include "files/GammaFile.h"

#include "files/TextFile.h"

#include "base/StrFormat.h"
#include "framework/MessageBox.h"

#include <climits>
#include <cstdio>
#include <fstream>

namespace {

// One line as a C line reader with a 127-byte buffer gives it: at most kLineLimit characters, the
// line feed kept when it fits. A CR before the LF is dropped, so CR LF and LF files read alike.
bool NextLine(std::istream& in, std::string& line)
{
    line.clear();
    char c = 0;
    while (static_cast<int>(line.size()) < GammaFile::kLineLimit && in.get(c)) {
        if (c == '\r' && in.peek() == '\n') continue;
        line.push_back(c);
        if (c == '\n') break;
    }
    return !line.empty();
}

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

void ShowStop(const std::string& text) { ShowMessage(text, {}, MessageButtons::Ok, MessageIcon::Stop); }

}  // namespace

GammaFile::ReadResult GammaFile::Read(std::istream& in, const Tables& tables)
{
    ReadResult result;
    std::string line;
    NextLine(in, line);  // the header, whatever it says
    bool valueReported = false;
    for (int row = 0; NextLine(in, line); ++row) {
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
        if (row >= GammaTable::kEntries) {
            result.messages.emplace_back("Too many data");
            return result;
        }
        for (int colour = 0; colour < 3; ++colour) {
            int value = FieldValue(fields[colour]);
            if (value > GammaTable::kMaxLevel) {
                if (!valueReported)
                    result.messages.push_back(StrFormat("Invalid data value: Line(%d) : Value(%d)", row, value));
                valueReported = true;
                value = GammaTable::kMaxLevel;
            }
            if (GammaTable* table = tables[static_cast<std::size_t>(colour)])
                table->tableData[static_cast<std::size_t>(row)] = value;
        }
        result.rowsStored = row + 1;
    }
    result.result = 1;
    return result;
}

int GammaFile::ReadFile(const std::string& path, const Tables& tables)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        ShowStop(path + "\nCouldn't open this file");
        return 0;
    }
    const ReadResult result = Read(in, tables);
    for (const std::string& message : result.messages) ShowStop(message);
    if (!result.result) return 0;
    for (GammaTable* table : tables) {
        if (table) table->displayMode = GammaTable::kViewMode;
    }
    return 1;
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

int GammaFile::WriteFile(const std::string& path, const Tables& tables)
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
    if (TextFile::Save(path, lines) != TextFile::SaveResult::Saved) {
        ShowStop(path + "\nCouldn't open this file");
        return 0;
    }
    return 1;
}
