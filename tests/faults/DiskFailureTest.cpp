// Every file the tool writes, onto a disk that refuses it: a folder that cannot be written, a path under a
// plain file, a device (a copy of /dev/full), a file that cannot be replaced, and a write that fails part
// way (the disk full). The operator reads the path (or the folder that takes no file) in a message, and an
// existing file stays as it was.
#include "e2e/MainWindowFixture.h"
#include "support/FileText.h"
#include "support/ScopedEnv.h"
#include "support/TempFolder.h"

#include "dialogs/CCommunicationDialog.h"
#include "settings/RegistrySettings.h"
#include "support/RecordingFileDialogHost.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
const std::string kOld = "what was there before\r\n";

// Root ignores permission bits; the immutable flag stops root too (where the file system has it).
bool SetImmutable(const std::string& path, bool on)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}

enum class Disk { FolderNotWritable, UnderAPlainFile, Device, FileNotReplaceable, WriteFailsPartWay };

// The window's objects the writers reach.
struct Tool {
    ToolParts& parts;
    RecordingFileDialogHost& files;
};

struct Writer {
    const char* name;
    // Saves to the path the way the operator does (menu item, button and file dialog).
    std::function<void(Tool&, const std::string&)> save;
};

void PrintTo(const Writer& writer, std::ostream* out) { *out << writer.name; }

class DiskFailure : public MainWindowFixture, public ::testing::WithParamInterface<std::tuple<Writer, Disk>> {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        ASSERT_TRUE(temp_.Ok());
        folder_ = temp_.Path().string();
    }
    void TearDown() override
    {
        for (const std::string& path : immutable_) SetImmutable(path, false);
        if (limited_) ::setrlimit(RLIMIT_FSIZE, &oldLimit_);
        MainWindowFixture::TearDown();
    }

    // Makes the disk fail in the way asked and gives the path to save to; an empty path skips the case.
    std::string Prepare(Disk disk)
    {
        const std::string file = folder_ + "/target.csv";
        switch (disk) {
            case Disk::FolderNotWritable: {
                const std::string locked = folder_ + "/locked";
                fs::create_directory(locked);
                if (!Immutable(locked)) return {};
                return locked + "/target.csv";
            }
            case Disk::UnderAPlainFile: {
                std::ofstream(folder_ + "/plain") << "x";
                return folder_ + "/plain/target.csv";
            }
            case Disk::Device:
                // The same device as /dev/full (every write fails: no space), in a folder of the test's own.
                if (::mknod(file.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0) return {};
                return file;
            case Disk::FileNotReplaceable:
                std::ofstream(file, std::ios::binary) << kOld;
                if (!Immutable(file)) return {};
                return file;
            case Disk::WriteFailsPartWay:
                // Writes beyond 64 bytes fail (EFBIG) as they would on a full disk.
                std::ofstream(file, std::ios::binary) << kOld;
                std::signal(SIGXFSZ, SIG_IGN);
                ::getrlimit(RLIMIT_FSIZE, &oldLimit_);
                {
                    rlimit small = oldLimit_;
                    small.rlim_cur = 64;
                    limited_ = ::setrlimit(RLIMIT_FSIZE, &small) == 0;
                }
                return limited_ ? file : std::string();
        }
        return {};
    }
    bool Immutable(const std::string& path)
    {
        if (!SetImmutable(path, true)) return false;
        immutable_.push_back(path);
        return true;
    }
    void Unlimit()
    {
        if (limited_) ::setrlimit(RLIMIT_FSIZE, &oldLimit_);
        limited_ = false;
    }

    RecordingFileDialogHost files_;
    TempFolder temp_{"rv-disk"};
    std::string folder_;
    std::vector<std::string> immutable_;
    rlimit oldLimit_{};
    bool limited_ = false;
};

const Writer kWriters[] = {
    {"SettingFile",
     [](Tool& t, const std::string& path) {
         t.parts.settingFile.WriteSettingFile(path, SettingFileVariant::AllData);
     }},
    {"GammaFile", [](Tool& t, const std::string& path) { t.parts.lutEditors.WriteGammaFile(path); }},
    {"ShadingFile",
     [](Tool& t, const std::string& path) {
         t.files.QueuePath(path);
         t.parts.shading.ReadToFile();
     }},
    {"TrafficLog",
     [](Tool& t, const std::string& path) {
         for (int i = 0; i < 20; ++i) t.parts.communication->AddMessage("Tx: GA=" + std::to_string(i));
         t.files.QueuePath(path);
         t.parts.communication->OnWriteMessages();
     }},
};

TEST_P(DiskFailure, PathIsShownAndTheOldFileStays)
{
    const auto& [writer, disk] = GetParam();
    StartCameraProcess({"--set", "SDM=1"});
    StartWindow();
    messages_.Clear();
    files_.UseDisk(false);

    const std::string path = Prepare(disk);
    if (path.empty()) GTEST_SKIP() << "this file system or user cannot make the disk fail that way";
    Tool tool{*parts_, files_};
    writer.save(tool, path);
    Unlimit();

    ASSERT_FALSE(messages_.Shown().empty()) << "the failure was not reported";
    const std::string& text = messages_.Shown().back().text;
    // Where the folder takes no file at all, naming the folder is what helps the operator.
    const bool folderRefuses = disk == Disk::FolderNotWritable || disk == Disk::UnderAPlainFile;
    EXPECT_NE(text.find(folderRefuses ? fs::path(path).parent_path().string() : path), std::string::npos) << text;
    EXPECT_EQ(messages_.Shown().back().icon == MessageIcon::Information, false) << text;
    if (disk == Disk::Device) {
        struct stat info {};
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_TRUE(S_ISCHR(info.st_mode)) << "the device was replaced by a file";
    }
    if (disk == Disk::FileNotReplaceable || disk == Disk::WriteFailsPartWay) {
        EXPECT_EQ(ReadText(path), kOld);
    }
    // No temporary file is left beside the target.
    for (const auto& entry : fs::recursive_directory_iterator(folder_)) {
        const std::string name = entry.path().filename().string();
        EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
    }
}

std::string DiskName(Disk disk)
{
    switch (disk) {
        case Disk::FolderNotWritable:
            return "FolderNotWritable";
        case Disk::UnderAPlainFile:
            return "UnderAPlainFile";
        case Disk::Device:
            return "Device";
        case Disk::FileNotReplaceable:
            return "FileNotReplaceable";
        case Disk::WriteFailsPartWay:
            return "WriteFailsPartWay";
    }
    return "?";
}

void PrintTo(Disk disk, std::ostream* out) { *out << DiskName(disk); }

INSTANTIATE_TEST_SUITE_P(EveryWriter, DiskFailure,
                         ::testing::Combine(::testing::ValuesIn(kWriters),
                                            ::testing::Values(Disk::FolderNotWritable, Disk::UnderAPlainFile,
                                                              Disk::Device, Disk::FileNotReplaceable,
                                                              Disk::WriteFailsPartWay)),
                         [](const ::testing::TestParamInfo<std::tuple<Writer, Disk>>& tp) {
                             return std::string(std::get<0>(tp.param).name) + "_" + DiskName(std::get<1>(tp.param));
                         });

// The settings file: a store that cannot be replaced keeps its old content and leaves no temporary file;
// the tool goes on with the value for this run.
TEST(SettingsFileOnAFailingDisk, OldContentStaysAndNoTemporaryFileRemains)
{
    const TempFolder folder;
    ASSERT_TRUE(folder.Ok());
    const std::string home = folder.Path().string();
    const ScopedEnv configHome("XDG_CONFIG_HOME", home);
    const std::string store = home + "/orvane/hklm.reg";
    {
        RegistrySettings settings;
        settings.SetText(kItemCommandLogFilePath, "/first");
        ASSERT_TRUE(fs::exists(store));
        const std::string before = ReadText(store);
        if (SetImmutable(store, true)) {
            settings.SetText(kItemCommandLogFilePath, "/second");
            SetImmutable(store, false);
            EXPECT_EQ(ReadText(store), before);
            for (const auto& entry : fs::directory_iterator(home + "/orvane")) {
                const std::string name = entry.path().filename().string();
                EXPECT_TRUE(name == "hklm.reg" || name == "hklm.reg.lock") << name;
            }
        }
    }
}

}  // namespace
