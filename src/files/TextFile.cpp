// Whole text files in and out.
#include "files/TextFile.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// A name beside the target that no other save of this process (or a recent one) uses at the same time.
fs::path TemporaryBeside(const fs::path& target)
{
    static std::atomic<unsigned> counter{0};
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path temporary = target;
    temporary += ".tmp" + std::to_string(static_cast<unsigned long long>(ticks) % 1000000007ULL) + "-" +
                 std::to_string(counter++);
    return temporary;
}

// Paths travel as UTF-8 text through the tool.
fs::path PathOf(const std::string& text) { return fs::path(std::u8string(text.begin(), text.end())); }

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
    if (fs::exists(status) && !fs::is_regular_file(status)) return SaveResult::CannotCreate;
    const fs::path temporary = TemporaryBeside(target);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return SaveResult::CannotCreate;
        for (const std::string& line : lines) {
            out.write(line.data(), static_cast<std::streamsize>(line.size()));
            out.write("\r\n", 2);
        }
        out.flush();
        if (!out) {
            out.close();
            fs::remove(temporary, ec);
            return SaveResult::CannotWrite;
        }
    }
    fs::rename(temporary, target, ec);
    if (ec) {
        fs::remove(temporary, ec);
        return SaveResult::CannotWrite;
    }
    return SaveResult::Saved;
}

bool TextFile::Load(const std::string& path, std::string& content)
{
    content.clear();
    std::error_code ec;
    const fs::path source = PathOf(path);
    if (fs::is_directory(source, ec)) return false;
    std::ifstream in(source, std::ios::binary);
    if (!in) return false;
    content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

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
