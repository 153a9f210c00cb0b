#include "platform/RegistryStore.h"

#include "platform/posix/RegEditDocument.h"
#include "support/TempConfigHome.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <thread>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr const char* kPath = "Software\\Orvane\\RV-8200-XC Control Tool";
const std::string kHeader = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Orvane\\RV-8200-XC Control Tool]\r\n";

std::string QueryText(RegistryStore& store, const char* name)
{
    std::array<char, 600> buffer{};
    std::uint32_t type = 0;
    std::uint32_t size = buffer.size();
    if (store.Query(name, type, buffer.data(), size) != RegistryQueryResult::kOk || type != kRegSz) {
        return "<missing>";
    }
    return std::string(buffer.data(), size);
}

std::uint32_t QueryDword(RegistryStore& store, const std::string& name)
{
    std::uint32_t value = 0xdeadbeef;
    std::uint32_t type = 0;
    std::uint32_t size = sizeof value;
    if (store.Query(name, type, &value, size) != RegistryQueryResult::kOk || type != kRegDword || size != 4) {
        return 0xdeadbeef;
    }
    return value;
}

// Writes `count` values named after `writer` through fresh opens, as the settings do on every access.
void WriteMany(int writer, int count)
{
    for (int i = 0; i < count; ++i) {
        RegistryStore store;
        if (!store.Open(kPath)) {
            RegistryStore::Create(kPath);
            ASSERT_TRUE(store.Open(kPath));
        }
        const std::string name = "w" + std::to_string(writer) + "-" + std::to_string(i);
        ASSERT_EQ(store.SetDword(name, static_cast<std::uint32_t>(writer * 1000 + i)), 1);
    }
}

void ExpectAllWritten(const TempConfigHome& home, int writers, int count)
{
    const RegEditDocument doc = RegEditDocument::Parse(home.ReadFile());
    EXPECT_EQ(doc.MalformedLineCount(), 0);
    RegistryStore store;
    ASSERT_TRUE(store.Open(kPath));
    for (int w = 0; w < writers; ++w) {
        for (int i = 0; i < count; ++i) {
            const std::string name = "w" + std::to_string(w) + "-" + std::to_string(i);
            EXPECT_EQ(QueryDword(store, name), static_cast<std::uint32_t>(w * 1000 + i)) << name;
        }
    }
    for (const auto& entry : std::filesystem::directory_iterator(home.Folder())) {
        const std::string file = entry.path().filename().string();
        EXPECT_TRUE(file == "hklm.reg" || file == "hklm.reg.lock") << "left behind: " << file;
    }
}

}  // namespace

TEST(RegistryStore, MissingKeyIsCreatedWithFolderAndFile)
{
    TempConfigHome home;
    RegistryStore store;
    EXPECT_EQ(store.Open(kPath), 0);
    EXPECT_FALSE(std::filesystem::exists(home.File()));
    EXPECT_EQ(RegistryStore::Create(kPath), 1);
    EXPECT_EQ(home.ReadFile(), kHeader);
    EXPECT_EQ(RegistryStore::Create(kPath), 1);  // already there: unchanged
    EXPECT_EQ(home.ReadFile(), kHeader);
    EXPECT_EQ(store.Open(kPath), 1);
    EXPECT_EQ(store.Open("Software\\Orvane\\Other"), 0) << "a different key is not ours";
}

TEST(RegistryStore, ValuesAreWrittenInTheTextFormat)
{
    TempConfigHome home;
    ASSERT_EQ(RegistryStore::Create(kPath), 1);
    RegistryStore store;
    ASSERT_EQ(store.Open(kPath), 1);
    EXPECT_EQ(store.SetDword("Baudrate", 10), 1);
    EXPECT_EQ(store.SetString("Camera File Path", "C:\\cams \"new\""), 1);
    EXPECT_EQ(store.SetDword("Baudrate", 115200), 1);
    EXPECT_EQ(home.ReadFile(),
              kHeader + "\"Baudrate\"=dword:0001c200\r\n\"Camera File Path\"=\"C:\\\\cams \\\"new\\\"\"\r\n");
    store.Close();
    EXPECT_EQ(store.SetDword("Baudrate", 1), 0) << "a closed key takes no writes";
}

TEST(RegistryStore, QueryGivesTypeSizeAndRefusesShortBuffers)
{
    TempConfigHome home;
    home.WriteFile(kHeader + "\"Text\"=\"abc\"\n\"Number\"=dword:fffffffe\n\"Blob\"=hex:01,02,03\n");
    RegistryStore store;
    ASSERT_EQ(store.Open(kPath), 1);

    EXPECT_EQ(QueryText(store, "Text"), std::string("abc\0", 4)) << "the stored size counts the zero";
    EXPECT_EQ(QueryDword(store, "number"), 0xfffffffeU);

    std::array<std::uint8_t, 8> buffer{};
    std::uint32_t type = 0;
    std::uint32_t size = 3;
    EXPECT_EQ(store.Query("Blob", type, buffer.data(), size), RegistryQueryResult::kOk);
    EXPECT_EQ(type, static_cast<std::uint32_t>(kRegBinary));
    EXPECT_EQ(size, 3U);

    size = 3;
    buffer.fill(0x55);
    EXPECT_EQ(store.Query("Text", type, buffer.data(), size), RegistryQueryResult::kMoreData);
    EXPECT_EQ(size, 4U);
    EXPECT_EQ(buffer[0], 0x55) << "nothing copied into a short buffer";

    size = 0;
    EXPECT_EQ(store.Query("Text", type, nullptr, size), RegistryQueryResult::kOk);
    EXPECT_EQ(size, 4U);

    size = 8;
    EXPECT_EQ(store.Query("Absent", type, buffer.data(), size), RegistryQueryResult::kNotFound);
    store.Close();
    EXPECT_EQ(store.Query("Text", type, buffer.data(), size), RegistryQueryResult::kFailed);
}

TEST(RegistryStore, DamagedFileIsOnlyReadUntilAValueIsWritten)
{
    TempConfigHome home;
    const std::string damaged = kHeader + "\"Baudrate\"=dword:zz\n\x7f\x80\x81 noise\n\"Kept\"=dword:00000005\n";
    home.WriteFile(damaged);
    {
        RegistryStore store;
        ASSERT_EQ(store.Open(kPath), 1);
        EXPECT_EQ(QueryDword(store, "Baudrate"), 0xdeadbeef);
        EXPECT_EQ(QueryDword(store, "Kept"), 5U);
        EXPECT_EQ(RegistryStore::Create(kPath), 1);
    }
    EXPECT_EQ(home.ReadFile(), damaged) << "reading never rewrites";

    RegistryStore store;
    ASSERT_EQ(store.Open(kPath), 1);
    ASSERT_EQ(store.SetDword("Baudrate", 9600), 1);
    const std::string now = home.ReadFile();
    EXPECT_NE(now.find("\"Baudrate\"=dword:00002580\r\n"), std::string::npos) << now;
    EXPECT_NE(now.find("\x7f\x80\x81 noise\r\n"), std::string::npos) << "unknown lines survive a write";
    EXPECT_NE(now.find("\"Kept\"=dword:00000005\r\n"), std::string::npos);
}

TEST(RegistryStore, UnreadableStoreFailsAndIsNeverReplaced)
{
    TempConfigHome home;
    std::filesystem::create_directories(home.File() / "inside");  // a folder where the file belongs
    RegistryStore store;
    EXPECT_EQ(store.Open(kPath), 0);
    EXPECT_EQ(RegistryStore::Create(kPath), 0);
    EXPECT_TRUE(std::filesystem::is_directory(home.File() / "inside"));
}

TEST(RegistryStore, OtherKeysInTheFileAreKept)
{
    TempConfigHome home;
    const std::string other = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Wine]\r\n\"Version\"=\"win10\"\r\n";
    home.WriteFile(other);
    ASSERT_EQ(RegistryStore::Create(kPath), 1);
    RegistryStore store;
    ASSERT_EQ(store.Open(kPath), 1);
    ASSERT_EQ(store.SetDword("Control Mode", 1), 1);
    EXPECT_EQ(home.ReadFile(), other +
                                   "\r\n[HKEY_LOCAL_MACHINE\\Software\\Orvane\\RV-8200-XC Control Tool]\r\n"
                                   "\"Control Mode\"=dword:00000001\r\n");
}

TEST(RegistryStore, WriteKeepsValuesAnotherCopyWroteAfterOurOpen)
{
    TempConfigHome home;
    ASSERT_EQ(RegistryStore::Create(kPath), 1);
    RegistryStore first;
    RegistryStore second;
    ASSERT_EQ(first.Open(kPath), 1);
    ASSERT_EQ(second.Open(kPath), 1);
    ASSERT_EQ(second.SetDword("A", 1), 1);
    ASSERT_EQ(first.SetDword("B", 2), 1);
    RegistryStore check;
    ASSERT_EQ(check.Open(kPath), 1);
    EXPECT_EQ(QueryDword(check, "A"), 1U);
    EXPECT_EQ(QueryDword(check, "B"), 2U);
}

TEST(RegistryStore, ConcurrentThreadsLoseNoWrite)
{
    TempConfigHome home;
    constexpr int kWriters = 3;
    constexpr int kCount = 40;
    std::vector<std::thread> threads;
    for (int w = 0; w < kWriters; ++w) {
        threads.emplace_back(WriteMany, w, kCount);
    }
    for (std::thread& t : threads) {
        t.join();
    }
    ExpectAllWritten(home, kWriters, kCount);
}

TEST(RegistryStore, ConcurrentProcessesLoseNoWrite)
{
    TempConfigHome home;
    constexpr int kWriters = 3;
    constexpr int kCount = 40;
    std::vector<pid_t> children;
    for (int w = 0; w < kWriters; ++w) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            WriteMany(w, kCount);
            ::_exit(::testing::Test::HasFailure() ? 1 : 0);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    ExpectAllWritten(home, kWriters, kCount);
}
