// The protocol's lines: setting and query lines formatted from the command table, answer lines parsed.
#include "link/ProtocolLine.h"

#include "tables/CommandTable.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>

namespace {

// A decimal integer as the camera writes it: optional sign, digits up to the first other character,
// no digits give 0. Values beyond 32 bits are held at the nearest limit.
std::int32_t ReadDecimal(const std::string& text)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    std::int64_t magnitude = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        magnitude = std::min<std::int64_t>(magnitude * 10 + (text[i] - '0'), std::int64_t{INT32_MAX} + 1);
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

// Hexadecimal digits after the "&H" prefix, as a 32-bit register value (so &HFFFFFFFF is -1).
std::int32_t ReadHex(const std::string& digits)
{
    std::uint32_t value = 0;
    for (char c : digits) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            break;
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    return static_cast<std::int32_t>(value);
}

// Floating-point text in the camera's notation whatever the process locale says.
double ReadReal(const std::string& text)
{
    std::size_t start = (!text.empty() && text[0] == '+') ? 1 : 0;
    double value = 0.0;
    std::from_chars(text.data() + start, text.data() + text.size(), value);
    return value;
}

double PowerOfTen(int exponent)
{
    double p = 1.0;
    for (int i = 0; i < exponent; ++i) p *= 10.0;
    return p;
}

std::string FormatFixed(double value, int decimals)
{
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, std::max(decimals, 0));
    if (result.ec != std::errc()) return "0";
    return std::string(buffer, result.ptr);
}

}  // namespace

std::string ProtocolLine::MnemonicOf(int commandIndex)
{
    if (commandIndex < 0 || commandIndex >= CommandTable::kCount) return {};
    return CommandTable::Mnemonic(commandIndex);
}

std::string ProtocolLine::FormatSetting(int commandIndex, const CommandValue& value, bool withLineEnd)
{
    std::string valueText;
    const int type = value.valueType != kValueInteger ? value.valueType : CommandTable::ValueType(commandIndex);
    switch (type) {
        case kValueInteger:
            valueText = std::to_string(value.intValue);
            break;
        case kValueDecimal:
            valueText = FormatFixed(value.realValue, CommandTable::Decimals(commandIndex));
            break;
        default:
            valueText = value.text;
            break;
    }
    std::string line = MnemonicOf(commandIndex) + "=" + valueText;
    if (withLineEnd) line += "\r\n";
    return line;
}

std::string ProtocolLine::FormatQuery(int commandIndex, bool withLineEnd)
{
    std::string line = MnemonicOf(commandIndex) + "?";
    if (withLineEnd) line += "\r\n";
    return line;
}

int ProtocolLine::ParseAnswer(const std::string& line, CommandAnswer& answer)
{
    answer = CommandAnswer{};
    for (char c : line) {
        if (c != ' ' && c != '\r' && c != '\n') answer.raw += c;
    }
    const std::string& raw = answer.raw;
    std::size_t separator = raw.find('=');
    if (separator == std::string::npos) separator = raw.find('?');
    if (separator == std::string::npos) return 0;

    answer.mnemonic = raw.substr(0, separator);
    answer.separator = raw.substr(separator, 1);
    const std::string rest = raw.substr(separator + 1);
    if (answer.separator == "=") {
        // Only a comma after the separator splits the value; one inside a mnemonic splits nothing.
        const std::size_t comma = rest.find(',');
        if (comma == std::string::npos) {
            answer.valueText = rest;
            answer.form = 1;
        } else {
            answer.valueText = rest.substr(0, comma);
            answer.secondText = rest.substr(comma + 1);
            answer.firstInt = ReadDecimal(answer.valueText);
            answer.form = 2;
        }
    } else {
        answer.valueText = rest;
        answer.form = rest.empty() ? 0 : 1;
    }

    int valueType = 0;
    int decimals = 0;
    const int index = answer.mnemonic.empty() ? -1 : CommandTable::Find(answer.mnemonic, &valueType, &decimals);
    if (index < 0) return 0;
    answer.commandIndex = index;
    answer.decimals = decimals;

    answer.value = ReadValue(answer.valueText, valueType, decimals);
    answer.failed = false;
    return 1;
}

CommandValue ProtocolLine::ReadValue(const std::string& text, int valueType, int decimals)
{
    CommandValue value;
    value.valueType = valueType;
    value.text = text;
    switch (valueType) {
        case kValueInteger:
            // The prefix is the camera's "&H", case-sensitive: "&h1F" is read as a decimal number.
            if (text.compare(0, 2, "&H") == 0) {
                value.intValue = ReadHex(text.substr(2));
            } else {
                value.intValue = ReadDecimal(text);
            }
            value.realValue = value.intValue;
            break;
        case kValueDecimal: {
            value.realValue = ReadReal(text);
            // The small bias keeps 0.29 with two decimals at 29 instead of 28.999...
            const double scaled = value.realValue * PowerOfTen(decimals);
            const double truncated = std::trunc(scaled + (scaled >= 0 ? 1e-7 : -1e-7));
            value.intValue = static_cast<std::int32_t>(std::clamp<double>(truncated, INT32_MIN, INT32_MAX));
            break;
        }
        default:
            break;
    }
    return value;
}

int ProtocolLine::ParseSettingLine(const std::string& line, int& commandIndex, std::string& mnemonic, int& value,
                                   std::string& text)
{
    CommandAnswer answer;
    if (!ParseAnswer(line, answer)) return 0;
    commandIndex = answer.commandIndex;
    mnemonic = answer.mnemonic;
    value = answer.value.intValue;
    text = answer.value.text;
    return 1;
}

CommandValue ProtocolLine::ValueOf(int commandIndex, int value)
{
    CommandValue v;
    v.valueType = CommandTable::ValueType(commandIndex);
    v.intValue = value;
    v.realValue = value / PowerOfTen(CommandTable::Decimals(commandIndex));
    v.text = std::to_string(value);
    return v;
}
