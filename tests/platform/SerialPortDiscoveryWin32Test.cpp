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

    ASSERT_EQ(look.routes.size(), 16u);
    ASSERT_EQ(look.routes[8].state, SerialRouteState::Adapter);
    const SerialAdapter& com9 = look.adapters[static_cast<std::size_t>(look.routes[8].adapter)];
    EXPECT_EQ(com9.node + " " + com9.Description(), "\\Device\\VCP7 FTDI USB serial port (VCP)");
    ASSERT_EQ(look.routes[13].state, SerialRouteState::Adapter);
    EXPECT_EQ(look.adapters[static_cast<std::size_t>(look.routes[13].adapter)].kind, SerialAdapterKind::OnBoard);
    // A printer port is no serial port.
    EXPECT_TRUE(std::none_of(look.adapters.begin(), look.adapters.end(),
                             [](const SerialAdapter& a) { return a.device == "LPT3"; }));
    EXPECT_FALSE(SerialPortDiscovery::CanLink());
    EXPECT_NE(SerialPortDiscovery().UseAs(9, "COM9"), "");
}

}  // namespace
