// The REGEDIT4 text form of the settings store: parse, look up, change one value, write back.
#include "platform/posix/RegEditDocument.h"

#include <cstdio>

namespace {

constexpr std::uint32_t kTypeText = 1;
constexpr std::uint32_t kTypeBinary = 3;
constexpr std::uint32_t kTypeDword = 4;

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) {
            return false;
        }
    }
    return true;
}

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsSpace(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (IsSpace(s.back()) || s.back() == '\r')) {
        s.remove_suffix(1);
    }
    return s;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    c = Lower(c);
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// Reads a quoted string at the front of `s` ("..." with \\ and \" escaped); on success `s` is left after it.
bool TakeQuoted(std::string_view& s, std::string& out)
{
    if (s.empty() || s.front() != '"') {
        return false;
    }
    out.clear();
    for (std::size_t i = 1; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '"') {
            s.remove_prefix(i + 1);
            return true;
        }
        if (c == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) {
            out += s[++i];
        } else {
            out += c;  // any other backslash stands for itself, as regedit reads it
        }
    }
    return false;
}

std::string Quote(std::string_view s)
{
    std::string out = "\"";
    for (char c : s) {
        if (c == '\\' || c == '"') {
            out += '\\';
        }
        out += c;
    }
    out += '"';
    return out;
}

// Hex value data may run over several physical lines, each but the last ending in a backslash.
bool ContinuesOnNextLine(std::string_view logical)
{
    const std::string_view t = Trim(logical);
    if (t.empty() || t.back() != '\\' || (t.front() != '"' && t.front() != '@')) {
        return false;
    }
    const std::size_t eq = t.find("=hex");
    return eq != std::string_view::npos;
}

// Hex digits and nothing else, at most `maxDigits` of them.
bool ParseHexNumber(std::string_view text, std::size_t maxDigits, std::uint32_t& number)
{
    if (text.empty() || text.size() > maxDigits) {
        return false;
    }
    number = 0;
    for (char c : text) {
        const int d = HexDigit(c);
        if (d < 0) {
            return false;
        }
        number = number * 16 + static_cast<std::uint32_t>(d);
    }
    return true;
}

// "text", with its escapes.
bool ParseText(std::string_view data, RegEditValue& value)
{
    std::string text;
    if (!TakeQuoted(data, text) || !Trim(data).empty()) {
        return false;
    }
    value.type = kTypeText;
    value.data.assign(text.begin(), text.end());
    value.data.push_back(0);
    return true;
}

// The digits after "dword:", at most eight, stored low byte first.
bool ParseDword(std::string_view digits, RegEditValue& value)
{
    std::uint32_t number = 0;
    if (!ParseHexNumber(digits, 8, number)) {
        return false;
    }
    value.type = kTypeDword;
    value.data = {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
                  static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)};
    return true;
}

// What follows "hex": an optional "(type)", then ":" and bytes of one or two digits separated by commas.
bool ParseHex(std::string_view data, RegEditValue& value)
{
    std::uint32_t type = kTypeBinary;
    if (!data.empty() && data.front() == '(') {
        const std::size_t close = data.find(')');
        if (close == std::string_view::npos || !ParseHexNumber(data.substr(1, close - 1), 8, type)) {
            return false;
        }
        data.remove_prefix(close + 1);
    }
    if (data.empty() || data.front() != ':') {
        return false;
    }
    data.remove_prefix(1);
    value.type = type;
    value.data.clear();
    data = Trim(data);
    while (!data.empty()) {
        const std::size_t comma = data.find(',');
        std::uint32_t byte = 0;
        if (!ParseHexNumber(Trim(data.substr(0, comma)), 2, byte)) {
            return false;
        }
        value.data.push_back(static_cast<std::uint8_t>(byte));
        if (comma == std::string_view::npos) {
            break;
        }
        data.remove_prefix(comma + 1);
        if (Trim(data).empty()) {
            return false;  // trailing comma
        }
    }
    return true;
}

}  // namespace

RegEditDocument RegEditDocument::Parse(std::string_view text)
{
    RegEditDocument doc;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    std::vector<std::string> physical;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        physical.emplace_back(line);
        start = end + 1;
    }

    std::string currentKey;
    for (std::size_t i = 0; i < physical.size(); ++i) {
        std::string raw = physical[i];
        std::string logical = raw;
        while (ContinuesOnNextLine(logical) && i + 1 < physical.size()) {
            ++i;
            std::string_view t = Trim(logical);
            t.remove_suffix(1);  // the backslash
            logical = std::string(t) + std::string(Trim(physical[i]));
            raw += '\n';
            raw += physical[i];
        }
        if (doc.lines_.empty() && Trim(logical) == "REGEDIT4") {
            doc.hasHeader_ = true;
            doc.lines_.push_back(Line{raw, LineKind::kHeader, {}, {}, {}});
            continue;
        }
        Line line = ParseLine(logical, currentKey);
        line.raw = std::move(raw);
        if (line.kind == LineKind::kKey) {
            currentKey = line.key;
        }
        doc.lines_.push_back(std::move(line));
    }
    return doc;
}

RegEditDocument::Line RegEditDocument::ParseLine(std::string logical, const std::string& currentKey)
{
    Line line;
    std::string_view t = Trim(logical);
    if (t.empty() || t.front() == ';') {
        line.kind = LineKind::kOther;
        return line;
    }
    if (t.front() == '[') {
        if (t.back() != ']' || t.size() < 3) {
            line.kind = LineKind::kMalformed;
            return line;
        }
        line.kind = LineKind::kKey;
        line.key = std::string(t.substr(1, t.size() - 2));  // "[-...]" removes a key: it never matches ours
        return line;
    }
    if (currentKey.empty()) {
        line.kind = LineKind::kMalformed;  // a value outside any key
        return line;
    }
    line.key = currentKey;
    if (t.front() == '@') {
        t.remove_prefix(1);
    } else if (!TakeQuoted(t, line.name)) {
        line.kind = LineKind::kMalformed;
        return line;
    }
    t = Trim(t);
    if (t.empty() || t.front() != '=') {
        line.kind = LineKind::kMalformed;
        return line;
    }
    t.remove_prefix(1);
    if (!ParseValueData(Trim(t), line)) {
        line.kind = LineKind::kMalformed;
    }
    return line;
}

bool RegEditDocument::ParseValueData(std::string_view data, Line& line)
{
    if (data == "-") {
        line.kind = LineKind::kDeletion;
        return true;
    }
    line.kind = LineKind::kValue;
    if (!data.empty() && data.front() == '"') return ParseText(data, line.value);
    if (data.substr(0, 6) == "dword:") return ParseDword(data.substr(6), line.value);
    if (data.substr(0, 3) == "hex") return ParseHex(data.substr(3), line.value);
    return false;
}

bool RegEditDocument::HasKey(std::string_view keyName) const
{
    for (const Line& line : lines_) {
        if (line.kind == LineKind::kKey && SameName(line.key, keyName)) {
            return true;
        }
    }
    return false;
}

bool RegEditDocument::FindValue(std::string_view keyName, std::string_view valueName, RegEditValue& value) const
{
    // Later lines override earlier ones, as an import of the file would.
    bool found = false;
    for (const Line& line : lines_) {
        if ((line.kind == LineKind::kValue || line.kind == LineKind::kDeletion) && SameName(line.key, keyName) &&
            SameName(line.name, valueName)) {
            found = line.kind == LineKind::kValue;
            if (found) {
                value = line.value;
            }
        }
    }
    return found;
}

void RegEditDocument::AddKey(std::string_view keyName)
{
    if (!lines_.empty() && !Trim(lines_.back().raw).empty()) {
        lines_.push_back(Line{});
    }
    Line key;
    key.kind = LineKind::kKey;
    key.key = std::string(keyName);
    key.raw = "[" + key.key + "]";
    lines_.push_back(std::move(key));
}

void RegEditDocument::SetValue(std::string_view keyName, std::string_view valueName, const RegEditValue& value)
{
    Line newLine;
    newLine.kind = LineKind::kValue;
    newLine.key = std::string(keyName);
    newLine.name = std::string(valueName);
    newLine.value = value;
    newLine.raw = FormatValueLine(valueName, value);

    bool replaced = false;
    for (std::size_t i = 0; i < lines_.size();) {
        const Line& line = lines_[i];
        if ((line.kind == LineKind::kValue || line.kind == LineKind::kDeletion) && SameName(line.key, keyName) &&
            SameName(line.name, valueName)) {
            if (!replaced) {
                lines_[i] = newLine;
                replaced = true;
                ++i;
            } else {
                lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
            }
            continue;
        }
        ++i;
    }
    if (replaced) {
        return;
    }
    if (!HasKey(keyName)) {
        AddKey(keyName);
        lines_.push_back(std::move(newLine));
        return;
    }
    // After the last non-blank line of the last section of this key.
    std::size_t insertAt = 0;
    bool inKey = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const Line& line = lines_[i];
        if (line.kind == LineKind::kKey) {
            inKey = SameName(line.key, keyName);
            if (inKey) {
                insertAt = i + 1;
            }
        } else if (inKey && !Trim(line.raw).empty()) {
            insertAt = i + 1;
        }
    }
    // A hex line cut off after its continuation backslash would swallow the new line on the next read; a blank
    // line in between takes that place.
    if (insertAt > 0) {
        const std::string& raw = lines_[insertAt - 1].raw;
        const std::size_t lastStart = raw.rfind('\n');
        const std::size_t from = lastStart == std::string::npos ? 0 : lastStart + 1;
        const std::string_view last = Trim(std::string_view(raw).substr(from));
        if (!last.empty() && last.back() == '\\') {
            lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt++), Line{});
        }
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(newLine));
}

std::string RegEditDocument::FormatValueLine(std::string_view valueName, const RegEditValue& value)
{
    std::string line = valueName.empty() ? std::string("@") : Quote(valueName);
    line += '=';
    if (value.type == kTypeDword && value.data.size() == 4) {
        const std::uint32_t number =
            static_cast<std::uint32_t>(value.data[0]) | (static_cast<std::uint32_t>(value.data[1]) << 8) |
            (static_cast<std::uint32_t>(value.data[2]) << 16) | (static_cast<std::uint32_t>(value.data[3]) << 24);
        char hex[16];
        std::snprintf(hex, sizeof hex, "dword:%08x", number);
        return line + hex;
    }
    if (value.type == kTypeText && !value.data.empty() && value.data.back() == 0) {
        bool plain = true;
        for (std::size_t i = 0; i + 1 < value.data.size(); ++i) {
            if (value.data[i] < 0x20 || value.data[i] == 0x7f) {
                plain = false;  // a line break or zero inside would break the line format
                break;
            }
        }
        if (plain) {
            return line +
                   Quote(std::string_view(reinterpret_cast<const char*>(value.data.data()), value.data.size() - 1));
        }
    }
    char prefix[24];
    if (value.type == kTypeBinary) {
        std::snprintf(prefix, sizeof prefix, "hex:");
    } else {
        std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(value.type));
    }
    line += prefix;
    for (std::size_t i = 0; i < value.data.size(); ++i) {
        char byte[4];
        std::snprintf(byte, sizeof byte, "%02x", value.data[i]);
        if (i > 0) {
            line += ',';
        }
        line += byte;
    }
    return line;
}

std::string RegEditDocument::Serialize() const
{
    std::string out;
    if (!hasHeader_) {
        out = "REGEDIT4\r\n\r\n";
    }
    for (const Line& line : lines_) {
        for (char c : line.raw) {
            if (c == '\n') {
                out += "\r\n";
            } else {
                out += c;
            }
        }
        out += "\r\n";
    }
    return out;
}

int RegEditDocument::MalformedLineCount() const
{
    int count = 0;
    for (const Line& line : lines_) {
        count += line.kind == LineKind::kMalformed ? 1 : 0;
    }
    return count;
}
