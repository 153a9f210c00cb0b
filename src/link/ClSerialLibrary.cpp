// The parts the three Camera Link library kinds share.
#include "link/ClSerialLibrary.h"

#include "platform/FolderSearch.h"

#include <utility>

ClSerialLibrary::ClSerialLibrary(std::string folder) : folder_(std::move(folder)) {}

std::string ClSerialLibrary::EntryName(int index) const
{
    return ValidIndex(index) ? entries_[static_cast<std::size_t>(index)] : std::string();
}

std::string ClSerialLibrary::Folder() const { return folder_.empty() ? FolderSearch::CameraLinkFolder() : folder_; }

std::string ClSerialLibrary::LibraryPath(const std::string& fileName) const
{
    return FolderSearch::JoinPath(Folder(), fileName);
}
