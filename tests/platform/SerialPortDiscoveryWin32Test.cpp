// The serial-port look on Windows: the registry's SERIALCOMM list, with entries the test puts there (under Wine;
// on Windows only an administrator may write there, and the test skips).
#include "platform/SerialPortDiscovery.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

namespace {

constexpr const wchar_t* kList = L"HARDWARE\\DEVICEMAP\\SERIALCOMM";
constexpr const wchar_t* kEntries[][2] = {
    {L"\\Device\\VCP7", L"COM9"}, {L"\\Device\\Serial5", L"COM14"}, {L"\\Device\\Printer2", L"LPT3"}};

TEST(SerialPortDiscoveryWin32, ListsTheRegistrysComPortsByDriver)
{
    HKEY key = nullptr;
    // The HARDWARE tree lives only while the system runs: its keys must be volatile too.
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kList, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                          nullptr) != ERROR_SUCCESS) {
        GTEST_SKIP() << "the list of COM ports cannot be written here";
    }
    for (const auto& entry : kEntries) {
        const DWORD bytes = static_cast<DWORD>((wcslen(entry[1]) + 1) * sizeof(wchar_t));
        ASSERT_EQ(::RegSetValueExW(key, entry[0], 0, REG_SZ, reinterpret_cast<const BYTE*>(entry[1]), bytes),
                  ERROR_SUCCESS);
    }
    const SerialPortSnapshot look = SerialPortDiscovery().Look();
    for (const auto& entry : kEntries) ::RegDeleteValueW(key, entry[0]);
    ::RegCloseKey(key);

    const auto named = [&](const char* port) {
        return std::find_if(look.adapters.begin(), look.adapters.end(),
                            [&](const SerialAdapter& a) { return a.device == port; });
    };
    ASSERT_NE(named("COM9"), look.adapters.end());
    EXPECT_EQ(named("COM9")->node, "\\Device\\VCP7");
    EXPECT_EQ(named("COM9")->driver, "VCP");
    EXPECT_EQ(named("COM9")->kind, SerialAdapterKind::Usb);
    ASSERT_NE(named("COM14"), look.adapters.end());
    EXPECT_EQ(named("COM14")->kind, SerialAdapterKind::OnBoard);
    EXPECT_EQ(named("LPT3"), look.adapters.end());
    ASSERT_EQ(look.routes.size(), 16u);
    EXPECT_EQ(look.routes[8].state, SerialRouteState::Adapter);
    EXPECT_EQ(look.adapters[static_cast<std::size_t>(look.routes[8].adapter)].device, "COM9");
    EXPECT_FALSE(SerialPortDiscovery::CanLink());
    EXPECT_NE(SerialPortDiscovery().UseAs(9, "COM9"), "");
}

}  // namespace
