#include "shell/user_layouts.h"

#include "composer/composer.h"
#include "text/cp932.h"

#include <algorithm>

namespace bw {

namespace {

unsigned char FoldAscii(unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c; }

// Byte order with ASCII letters folded; the trail byte of a double-byte character is compared
// as it is, so only real letters fold.
bool LessIgnoringCase(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    bool trail = false;
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (!trail) {
            x = FoldAscii(x);
            y = FoldAscii(y);
        }
        if (x != y) return x < y;
        trail = !trail && IsLeadByte(static_cast<unsigned char>(a[i]));
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

} // namespace

LayoutListing ListUserLayoutFiles(const std::filesystem::path& programFolder) {
    LayoutListing listing;
    std::error_code ec;
    std::filesystem::directory_iterator it(UserLayoutFolder(programFolder), ec);
    if (ec) {
        listing.folderFound = false;
        return listing;
    }
    for (const auto& entry : it) {
        const std::string name = entry.path().filename().string();
        if (name.empty() || name[0] == '.') continue;
        std::error_code typeError;
        if (!entry.is_regular_file(typeError)) continue;
        EncodeResult cp932 = DisplayUtf8ToCp932(name);
        if (!cp932.ok || !Cp932ToUtf8(cp932.bytes)) continue;
        listing.names.push_back(std::move(cp932.bytes));
    }
    std::sort(listing.names.begin(), listing.names.end(), LessIgnoringCase);
    return listing;
}

} // namespace bw
