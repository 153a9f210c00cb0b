// The tool's persistent settings: ten numbered items kept under one registry key.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

enum RegistryItem : int {
    kItemShutdownStatus = 0,
    kItemCommunicationMode = 1,
    kItemBaudrate = 2,
    kItemComPortNo = 3,
    kItemCl2000DllIndex = 4,
    kItemCl2001DllIndex = 5,
    kItemClV11DllIndex = 6,
    kItemControlMode = 7,
    kItemCameraFilePath = 8,
    kItemCommandLogFilePath = 9,
};

inline constexpr int kRegistryItemCount = 10;

// Items 1 to 6 as one record, in this order.
struct LinkSettings {
    std::int32_t linkMode = 0;
    std::int32_t baudRate = 9600;
    std::int32_t comPortIndex = 0;
    std::int32_t cl2000Index = 0;
    std::int32_t cl2001Index = 0;
    std::int32_t clV11Index = 0;
};

class RegistrySettings {
public:
    RegistrySettings();  // reads item 0 (default 0) as the shutdown status, then writes 0 to item 0
    // Settings that touch no store: every item reads as its default and nothing is written, not even the
    // shutdown status. For programs beside the tool (the command-line companion), which must neither take
    // the tool's settings nor make its next start believe it ended badly.
    struct Detached {};
    explicit RegistrySettings(Detached);
    ~RegistrySettings();  // writes 1 to item 0 (normal exit; it must outlive every other settings user)
    RegistrySettings(const RegistrySettings&) = delete;
    RegistrySettings& operator=(const RegistrySettings&) = delete;

    int GetValue(int item, int& value, int defaultValue);
    int SetValue(int item, int value);
    int SetText(int item, std::string_view text);
    int GetFolder(int item, std::string& folder);
    bool IsPreviousShutdownNormal() const;
    LinkSettings ReadLinkSettings();  // items 1..6, baudRate forced to 9600
    void WriteLinkSettings(const LinkSettings& s);  // items 1..6, item 2 = s.baudRate

private:
    bool previousShutdownNormal_ = false;
    bool detached_ = false;
};
