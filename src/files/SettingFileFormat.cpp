// The camera setting file's rows and lines.
#include "files/SettingFileFormat.h"

#include "link/Command.h"
#include "link/ProtocolLine.h"
#include "tables/CameraModelInfo.h"
#include "tables/CommandTable.h"
#include "tables/ControlTable.h"

#include <cctype>

namespace {

// The first row bound to the command, -1 when no row is (without the table's own message box: a file
// line naming such a command is reported in the load's summary instead).
int RowOfCommand(const ControlTable& table, int commandIndex)
{
    for (int row = 0; table.Row(row).controlId != -1; ++row) {
        if (table.Row(row).commandIndex == commandIndex) return row;
    }
    return -1;
}

// A value the file may send: a decimal whole number with an optional sign, or "&H" and hexadecimal digits.
// Anything else ("abc", "12x", "1.5", "12,5") would reach the camera as whatever its leading digits say.
bool IsWholeNumber(const std::string& text)
{
    std::size_t at = 0;
    bool hex = false;
    if (text.compare(0, 2, "&H") == 0) {
        hex = true;
        at = 2;
    } else if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        at = 1;
    }
    if (at == text.size()) return false;
    for (; at < text.size(); ++at) {
        const unsigned char c = static_cast<unsigned char>(text[at]);
        if (!(hex ? std::isxdigit(c) : std::isdigit(c))) return false;
    }
    return true;
}

}  // namespace

std::vector<std::string> SettingFileFormat::RowLines(const ControlTable& table, int modelCode, bool withFactoryRows)
{
    std::vector<std::string> lines;
    for (int row = 0; table.Row(row).controlId != -1; ++row) {
        const ControlEntry& entry = table.Row(row);
        if (entry.storedInFile != 1) continue;
        if (!IsSupportedOnModel(entry.commandIndex, modelCode)) continue;
        if (entry.group == kGroupFactory && !withFactoryRows) continue;
        lines.push_back(std::string(CommandTable::Mnemonic(entry.commandIndex)) + "=" + std::to_string(entry.value));
    }
    return lines;
}

SettingFileFormat::Line SettingFileFormat::Classify(const std::string& line, const ControlTable& table, int modelCode,
                                                    bool factoryMode)
{
    Line result;
    CommandAnswer parsed;
    const bool ok = ProtocolLine::ParseAnswer(line, parsed) == 1;
    result.mnemonic = parsed.mnemonic;
    if (parsed.raw.empty()) return result;  // Blank
    if (parsed.separator.empty()) {
        result.kind = LineKind::NotASetting;
        return result;
    }
    if (!ok) {
        result.kind = LineKind::UnknownMnemonic;
        return result;
    }
    result.commandIndex = parsed.commandIndex;
    // "LR?" asks for a value and "LR=" gives none: neither may reach the camera as 0.
    if (parsed.separator != "=" || parsed.valueText.empty()) {
        result.kind = LineKind::NotASetting;
        return result;
    }
    if (parsed.commandIndex == cmd::MD00) {
        result.kind = LineKind::ModelId;
        result.text = parsed.valueText;
        return result;
    }
    const int row = RowOfCommand(table, parsed.commandIndex);
    if (row < 0) {
        result.kind = LineKind::NotASetting;
        return result;
    }
    const ControlEntry& entry = table.Row(row);
    result.controlId = entry.controlId;
    result.value = parsed.value.intValue;
    if (entry.group == kGroupFactory && !factoryMode) {
        result.kind = LineKind::FactoryInUserMode;
    } else if (entry.storedInFile != 1) {
        result.kind = LineKind::NotASetting;
    } else if (!IsSupportedOnModel(parsed.commandIndex, modelCode)) {
        result.kind = LineKind::NotOnModel;
    } else if (const std::string value = parsed.raw.substr(parsed.raw.find('=') + 1); !IsWholeNumber(value)) {
        result.kind = LineKind::NotANumber;
        result.text = value;
    } else {
        result.kind = LineKind::Setting;
    }
    return result;
}

std::vector<std::string> SettingFileFormat::SplitLines(const std::string& content)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        std::size_t stop = end;
        if (stop > start && content[stop - 1] == '\r') --stop;
        lines.push_back(content.substr(start, stop - start));
        start = end + 1;
    }
    return lines;
}
