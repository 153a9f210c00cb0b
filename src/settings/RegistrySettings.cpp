// The tool's persistent settings: ten numbered items kept under one registry key.
#include "settings/RegistrySettings.h"

#include "platform/RegistryStore.h"

#include <array>
#include <climits>
#include <cstring>
#include <exception>
#include <filesystem>
#include <system_error>

namespace {

constexpr std::string_view kKeyPath = "Software\\Orvane\\RV-8200-XC Control Tool";

constexpr std::array<std::string_view, kRegistryItemCount> kValueNames = {
    "Previous Application Shutdown Status",
    "Communication Mode",
    "Baudrate",
    "Com Port No",
    "Cameralink 2000 Dll Index",
    "Cameralink 2001 Dll Index",
    "Cameralink Ver11 Dll Index",
    "Control Mode",
    "Camera File Path",
    "Command Log File Path",
};

// Values longer than this (terminating zero included) count as missing.
constexpr std::uint32_t kQueryBufferSize = 512;
// Windows' path limit: a longer stored folder could not be a dialog's start folder there.
constexpr std::size_t kMaxFolderLength = 260;
constexpr int kShutdownNormal = 1;
constexpr int kStartBaudRate = 9600;
constexpr int kLinkModeCount = 4;
constexpr int kComPortCount = 16;

bool IsValidItem(int item) { return item >= 0 && item < kRegistryItemCount; }

// Opens the key for one access. A missing key is created so that later accesses find it.
bool OpenKey(RegistryStore& store)
{
    if (store.Open(kKeyPath)) {
        return true;
    }
    RegistryStore::Create(kKeyPath);
    return false;
}

// Writes open the key again after creating it: a setting written while the key was missing (deleted while the
// tool ran) would otherwise be lost without a trace.
bool OpenKeyForWrite(RegistryStore& store) { return OpenKey(store) || store.Open(kKeyPath); }

// An optional sign and decimal digits at the front of the text, as a C runtime reads a number; no number gives 0.
// Out-of-range numbers saturate instead of wrapping.
int LeadingNumber(const char* text)
{
    while (*text == ' ' || *text == '\t') {
        ++text;
    }
    bool negative = false;
    if (*text == '+' || *text == '-') {
        negative = *text == '-';
        ++text;
    }
    long long number = 0;
    while (*text >= '0' && *text <= '9') {
        number = number * 10 + (*text - '0');
        if (number > static_cast<long long>(INT_MAX) + 1) {
            number = static_cast<long long>(INT_MAX) + 1;
        }
        ++text;
    }
    if (negative) {
        number = -number;
    }
    if (number > INT_MAX) {
        return INT_MAX;
    }
    return static_cast<int>(number);
}

// Paths convert between the OS's own and our narrow form; a name that does not convert is handled like a missing
// folder instead of escaping as an exception.
std::string CurrentFolder()
{
    try {
        std::error_code error;
        const std::filesystem::path cwd = std::filesystem::current_path(error);
        if (!error) {
            return cwd.string();
        }
    } catch (const std::exception&) {
    }
    return ".";
}

bool IsExistingFolder(const std::string& text)
{
    try {
        std::error_code error;
        return std::filesystem::is_directory(std::filesystem::path(text), error);
    } catch (const std::exception&) {
        return false;
    }
}

int Sanitised(int value, int count) { return (value >= 0 && value < count) ? value : 0; }

}  // namespace

RegistrySettings::RegistrySettings()
{
    int status = 0;
    GetValue(kItemShutdownStatus, status, 0);
    previousShutdownNormal_ = status == kShutdownNormal;
    // Stays 0 while this copy runs: a crash or a forced end leaves it so for the next start.
    SetValue(kItemShutdownStatus, 0);
}

RegistrySettings::RegistrySettings(Detached) : detached_(true) {}

RegistrySettings::~RegistrySettings()
{
    if (!detached_) SetValue(kItemShutdownStatus, kShutdownNormal);
}

int RegistrySettings::GetValue(int item, int& value, int defaultValue)
{
    value = defaultValue;
    if (detached_ || !IsValidItem(item)) {
        return 0;
    }
    RegistryStore store;
    if (!OpenKey(store)) {
        return 0;
    }
    // One spare zero byte behind the query buffer so that text of any stored type ends in the buffer.
    std::array<char, kQueryBufferSize + 1> buffer{};
    std::uint32_t type = kRegNone;
    std::uint32_t size = kQueryBufferSize;
    if (store.Query(kValueNames[item], type, buffer.data(), size) != RegistryQueryResult::kOk) {
        return 0;
    }
    if (type == kRegDword) {
        std::uint32_t number = 0;
        std::memcpy(&number, buffer.data(), sizeof number);
        value = static_cast<int>(static_cast<std::int32_t>(number));
    } else {
        value = LeadingNumber(buffer.data());
    }
    return 1;
}

int RegistrySettings::SetValue(int item, int value)
{
    if (detached_ || !IsValidItem(item)) {
        return 0;
    }
    RegistryStore store;
    if (!OpenKeyForWrite(store)) {
        return 0;
    }
    return store.SetDword(kValueNames[item], static_cast<std::uint32_t>(value));
}

int RegistrySettings::SetText(int item, std::string_view text)
{
    // A text that could not be read back would replace a good folder with a value that counts as missing.
    if (detached_ || !IsValidItem(item) || text.size() + 1 > kQueryBufferSize) {
        return 0;
    }
    RegistryStore store;
    if (!OpenKeyForWrite(store)) {
        return 0;
    }
    return store.SetString(kValueNames[item], text);
}

int RegistrySettings::GetFolder(int item, std::string& folder)
{
    if (!detached_ && IsValidItem(item)) {
        RegistryStore store;
        if (OpenKey(store)) {
            std::array<char, kQueryBufferSize + 1> buffer{};
            std::uint32_t type = kRegNone;
            std::uint32_t size = kQueryBufferSize;
            if (store.Query(kValueNames[item], type, buffer.data(), size) == RegistryQueryResult::kOk) {
                const std::string text(buffer.data());  // up to the first zero byte
                if (!text.empty() && text.size() < kMaxFolderLength && IsExistingFolder(text)) {
                    folder = text;
                    return 1;
                }
            }
        }
    }
    folder = CurrentFolder();
    return 0;
}

bool RegistrySettings::IsPreviousShutdownNormal() const { return previousShutdownNormal_; }

LinkSettings RegistrySettings::ReadLinkSettings()
{
    // Out-of-range numbers (hand edits, another version) fall back to the first choice rather than indexing
    // past a table.
    LinkSettings s;
    int value = 0;
    GetValue(kItemCommunicationMode, value, 0);
    s.linkMode = Sanitised(value, kLinkModeCount);
    s.baudRate = kStartBaudRate;  // every start begins slow; the main window negotiates a faster rate
    GetValue(kItemComPortNo, value, 0);
    s.comPortIndex = Sanitised(value, kComPortCount);
    GetValue(kItemCl2000DllIndex, value, 0);
    s.cl2000Index = value < 0 ? 0 : value;
    GetValue(kItemCl2001DllIndex, value, 0);
    s.cl2001Index = value < 0 ? 0 : value;
    GetValue(kItemClV11DllIndex, value, 0);
    s.clV11Index = value < 0 ? 0 : value;
    return s;
}

void RegistrySettings::WriteLinkSettings(const LinkSettings& s)
{
    SetValue(kItemCommunicationMode, s.linkMode);
    SetValue(kItemBaudrate, s.baudRate);
    SetValue(kItemComPortNo, s.comPortIndex);
    SetValue(kItemCl2000DllIndex, s.cl2000Index);
    SetValue(kItemCl2001DllIndex, s.cl2001Index);
    SetValue(kItemClV11DllIndex, s.clV11Index);
}
