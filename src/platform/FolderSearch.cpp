// The parts of the folder search that are the same on every system.
#include "platform/FolderSearch.h"

#include <cctype>

namespace {

#if defined(_WIN32)
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

bool SameChar(char a, char b, bool caseSensitive)
{
    if (caseSensitive) {
        return a == b;
    }
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

}  // namespace

std::string FolderSearch::JoinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty()) {
        return name;
    }
    char last = folder.back();
    if (last == kSeparator || last == '/') {
        return folder + name;
    }
    return folder + kSeparator + name;
}

bool FolderSearch::WildcardMatch(const std::string& pattern, const std::string& name, bool caseSensitive)
{
    // Greedy match with one back-track point per '*': linear in practice, no recursion.
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starP = std::string::npos;
    std::size_t starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || SameChar(pattern[p], name[n], caseSensitive))) {
            ++p;
            ++n;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}
