#pragma once
// The user layout files of the preview page's style list. No Qt.

#include <filesystem>
#include <string>
#include <vector>

namespace bw {

struct LayoutListing {
    bool folderFound = true;
    std::vector<std::string> names; ///< CP932 file names
};

/// The ordinary, non-hidden files of template/UserLayout/ below programFolder, sorted ignoring
/// ASCII letter case. A name that CP932 cannot hold is left out: the project file could not
/// store it.
LayoutListing ListUserLayoutFiles(const std::filesystem::path& programFolder);

} // namespace bw
