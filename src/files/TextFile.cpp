// Whole text files in and out.
#include "files/TextFile.h"

#include "platform/DiskFile.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Paths travel as UTF-8 text through the tool.
fs::path PathOf(const std::string& text) { return fs::path(std::u8string(text.begin(), text.end())); }

std::string TextOf(const fs::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace

TextFile::SaveResult TextFile::Save(const std::string& path, const std::vector<std::string>& lines)
{
    fs::path target = PathOf(path);
    std::error_code ec;
    // A symbolic link stays: the file it names is the one replaced.
    if (fs::is_symlink(target, ec)) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec) target = resolved;
    }
    // Only an ordinary file can be replaced by a rename. A folder, a device (/dev/full, a serial port), a
    // pipe or a socket would be swapped for a plain file, or the write would never reach it: refused.
    const fs::file_status status = fs::status(target, ec);
    if (fs::exists(status) && !fs::is_regular_file(status)) return SaveResult::CannotWrite;
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    switch (DiskFile::Replace(TextOf(target), bytes)) {
        case DiskFile::ReplaceResult::Replaced:
            return SaveResult::Saved;
        case DiskFile::ReplaceResult::FolderRefused:
            return SaveResult::CannotCreate;
        case DiskFile::ReplaceResult::Failed:
            break;
    }
    return SaveResult::CannotWrite;
}

bool TextFile::Load(const std::string& path, std::string& content) { return DiskFile::Read(path, content); }

bool TextFile::Exists(const std::string& path)
{
    std::error_code ec;
    return fs::is_regular_file(PathOf(path), ec);
}

std::string TextFile::FolderOf(const std::string& path)
{
    const std::size_t last = path.find_last_of("/\\");
    return last == std::string::npos ? std::string() : path.substr(0, last);
}

std::string TextFile::FolderRefusedText(const std::string& path)
{
    std::error_code ec;
    const fs::path absolute = fs::absolute(PathOf(path), ec);
    const std::string folder = ec ? FolderOf(path) : TextOf(absolute.parent_path());
    return folder + "\nCouldn't create a file in this folder";
}
