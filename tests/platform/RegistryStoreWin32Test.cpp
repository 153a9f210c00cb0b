// The settings store against the Windows registry itself (Wine's registry when run under Wine).
#include "platform/RegistryStore.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <cstring>
#include <string>

namespace {

// A key of this run only, below the product's own key, removed afterwards.
class RegistryStoreWin32 : public ::testing::Test {
protected:
    void SetUp() override
    {
        parent_ = "Software\\Orvane\\RV-8200-XC Control Tool Tests";
        path_ = parent_ + "\\run-" + std::to_string(GetCurrentProcessId());
    }
    void TearDown() override
    {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, path_.c_str());
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, parent_.c_str());
    }

    std::string parent_;
    std::string path_;
};

TEST_F(RegistryStoreWin32, OpenFailsUntilCreateMakesTheKeyInLocalMachine)
{
    RegistryStore store;
    EXPECT_EQ(store.Open(path_), 0);
    EXPECT_FALSE(store.IsOpen());
    ASSERT_EQ(RegistryStore::Create(path_), 1);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, path_.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS)
        << "an administrator's (and Wine's) key lives under HKEY_LOCAL_MACHINE";
    RegCloseKey(key);
    EXPECT_EQ(store.Open(path_), 1);
    EXPECT_TRUE(store.IsOpen());
    store.Close();
    EXPECT_FALSE(store.IsOpen());
    EXPECT_EQ(RegistryStore::Create(path_), 1) << "creating an existing key succeeds";
}

TEST_F(RegistryStoreWin32, ValuesKeepTypeSizeAndContentAcrossOpens)
{
    ASSERT_EQ(RegistryStore::Create(path_), 1);
    {
        RegistryStore store;
        ASSERT_EQ(store.Open(path_), 1);
        EXPECT_EQ(store.SetDword("Communication Mode", 3), 1);
        EXPECT_EQ(store.SetDword("Big", 0xfffffffeu), 1);
        EXPECT_EQ(store.SetString("Last Folder", "C:\\Data\\Setting files"), 1);
        EXPECT_EQ(store.SetString("Empty", ""), 1);
    }
    RegistryStore store;
    ASSERT_EQ(store.Open(path_), 1);

    std::uint32_t value = 0;
    std::uint32_t type = 0;
    std::uint32_t size = sizeof value;
    ASSERT_EQ(store.Query("Communication Mode", type, &value, size), RegistryQueryResult::kOk);
    EXPECT_EQ(type, kRegDword);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(value, 3u);
    size = sizeof value;
    ASSERT_EQ(store.Query("Big", type, &value, size), RegistryQueryResult::kOk);
    EXPECT_EQ(value, 0xfffffffeu);

    std::array<char, 64> text{};
    size = text.size();
    ASSERT_EQ(store.Query("Last Folder", type, text.data(), size), RegistryQueryResult::kOk);
    EXPECT_EQ(type, kRegSz);
    EXPECT_EQ(size, std::strlen("C:\\Data\\Setting files") + 1) << "the size counts the terminating zero";
    EXPECT_STREQ(text.data(), "C:\\Data\\Setting files");
    size = text.size();
    ASSERT_EQ(store.Query("Empty", type, text.data(), size), RegistryQueryResult::kOk);
    EXPECT_EQ(size, 1u);
}

TEST_F(RegistryStoreWin32, ShortBuffersMissingValuesAndClosedKeysAreTold)
{
    ASSERT_EQ(RegistryStore::Create(path_), 1);
    RegistryStore store;
    ASSERT_EQ(store.Open(path_), 1);
    ASSERT_EQ(store.SetString("Port", "COM12"), 1);

    std::uint32_t type = 0;
    std::array<char, 3> small{};
    std::uint32_t size = small.size();
    EXPECT_EQ(store.Query("Port", type, small.data(), size), RegistryQueryResult::kMoreData);
    EXPECT_EQ(size, 6u) << "the size needed";
    size = 0;
    EXPECT_EQ(store.Query("Port", type, nullptr, size), RegistryQueryResult::kOk) << "a null buffer asks the size";
    EXPECT_EQ(size, 6u);
    size = small.size();
    EXPECT_EQ(store.Query("No such value", type, small.data(), size), RegistryQueryResult::kNotFound);

    store.Close();
    size = small.size();
    EXPECT_EQ(store.Query("Port", type, small.data(), size), RegistryQueryResult::kFailed);
    EXPECT_EQ(store.SetDword("Port", 1), 0);
}

}  // namespace
