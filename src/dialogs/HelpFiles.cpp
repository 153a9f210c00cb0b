// Finding the help documents.
#include "dialogs/HelpFiles.h"

#include "platform/FolderSearch.h"
#include "platform/OrdinaryFiles.h"

#include <algorithm>
#include <cctype>

namespace {

std::string Folded(const std::string& text)
{
    std::string folded = text;
    for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}

}  // namespace

std::vector<std::string> HelpFiles::InFolder(const std::string& folder)
{
    std::vector<std::string> names;
    // Manuals come from Windows PCs as often as not, where "Manual.PDF" is as much a PDF as "manual.pdf".
    for (std::string& name : OrdinaryFiles::List(folder)) {
        if (FolderSearch::WildcardMatch("*.pdf", name, false)) names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string fa = Folded(a);
        const std::string fb = Folded(b);
        return fa != fb ? fa < fb : a < b;
    });
    return names;
}
