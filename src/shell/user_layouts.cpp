#include "shell/user_layouts.h"

#include "composer/composer.h"
#include "text/cp932.h"
#include "text/files.h"

namespace bw {

LayoutListing ListUserLayoutFiles(const std::filesystem::path& programFolder) {
    LayoutListing listing;
    const auto names = ListOrdinaryFiles(UserLayoutFolder(programFolder), NameOrder::IgnoreCase);
    if (!names) {
        listing.folderFound = false;
        return listing;
    }
    for (const std::string& name : *names) {
        EncodeResult cp932 = DisplayUtf8ToCp932(name);
        // Only a name that survives the round trip can be stored in the project and found again.
        if (!cp932.ok || Cp932ToUtf8(cp932.bytes) != name) continue;
        listing.names.push_back(std::move(cp932.bytes));
    }
    return listing;
}

} // namespace bw
