// Asking before a table file that does not look like the table is used.
#include "files/TableFileCheck.h"

#include "base/StrFormat.h"
#include "files/GammaFile.h"
#include "files/ShadingFile.h"

namespace {

constexpr std::string_view kShadingHeader = ShadingFile::kHeader;
constexpr std::string_view kGammaHeader = GammaFile::kHeader;

std::string_view Trimmed(std::string_view line)
{
    const std::size_t end = line.find_last_not_of(" \t,\r\n");
    return end == std::string_view::npos ? std::string_view() : line.substr(0, end + 1);
}

bool IsNumberLine(std::string_view line)
{
    bool digit = false;
    for (char c : line) {
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c != ' ' && c != '\t' && c != ',' && c != '-' && c != '+' && c != '.' && c != '\r' && c != '\n') {
            return false;
        }
    }
    return digit;
}

}  // namespace

std::string TableFileCheck::LooksLike(std::string_view firstLine)
{
    const std::string_view line = Trimmed(firstLine);
    if (line == kShadingHeader) return "shading data";
    if (line == kGammaHeader) return "gamma data";
    return IsNumberLine(line) ? "data without a header" : "unknown data";
}

bool TableFileCheck::IsHeaderOf(Table table, std::string_view firstLine)
{
    return Trimmed(firstLine) == (table == Table::Shading ? kShadingHeader : kGammaHeader);
}

std::string TableFileCheck::Question(const std::string& path, std::string_view firstLine, int rows, Table table)
{
    const bool shading = table == Table::Shading;
    return StrFormat("%s\nThis file holds %d rows of %s; a full %s table has %d. Write it anyway?", path.c_str(), rows,
                     LooksLike(firstLine).c_str(), shading ? "shading" : "gamma",
                     shading ? ShadingTable::kEntries : GammaTable::kEntries);
}

bool TableFileCheck::LooksWhole(Table table, std::string_view firstLine, int rows)
{
    const int full = table == Table::Shading ? ShadingTable::kEntries : GammaTable::kEntries;
    return IsHeaderOf(table, firstLine) && rows >= full;
}
