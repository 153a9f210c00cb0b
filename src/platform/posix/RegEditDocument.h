// The REGEDIT4 text form of the settings store: parse, look up, change one value, write back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct RegEditValue {
    std::uint32_t type = 0;  // RegistryValueType numbering
    std::vector<std::uint8_t> data;  // as the registry holds it: text with its zero, DWORD little-endian
};

// Lines the parser does not understand are kept verbatim and otherwise ignored, so a hand-edited or damaged
// file never stops the tool and a rewrite loses nothing of it. Key and value names compare without case, as the
// registry's do.
class RegEditDocument {
public:
    static RegEditDocument Parse(std::string_view text);

    // `keyName` is the full name as in the section header, e.g. "HKEY_LOCAL_MACHINE\Software\...".
    bool HasKey(std::string_view keyName) const;
    bool FindValue(std::string_view keyName, std::string_view valueName, RegEditValue& value) const;
    void AddKey(std::string_view keyName);
    // Replaces the value (first line of that name; later duplicates are dropped) or appends it to the key,
    // adding the key when missing.
    void SetValue(std::string_view keyName, std::string_view valueName, const RegEditValue& value);

    // The whole file with CR LF line ends, starting with the "REGEDIT4" line and a blank line.
    std::string Serialize() const;
    int MalformedLineCount() const;

    // One value line, e.g. "Name"=dword:0000000a; texts with control characters go out as hex(1):.
    static std::string FormatValueLine(std::string_view valueName, const RegEditValue& value);

private:
    enum class LineKind { kHeader, kOther, kKey, kValue, kDeletion, kMalformed };
    struct Line {
        std::string raw;  // physical lines of this logical line, joined by '\n'
        LineKind kind = LineKind::kOther;
        std::string key;  // kKey: its name; kValue/kDeletion: the key it belongs to
        std::string name;  // kValue/kDeletion: value name ("" for @)
        RegEditValue value;
    };

    static Line ParseLine(std::string raw, const std::string& currentKey);
    static bool ParseValueData(std::string_view data, Line& line);

    std::vector<Line> lines_;
    bool hasHeader_ = false;
};
