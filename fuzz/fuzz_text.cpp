// CP932 helpers and the wrap rule on arbitrary bytes.
#include "composer/composer.h"
#include "fuzz_check.h"
#include "text/cp932.h"
#include "text/lines.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    // Display conversion never loses a byte: encoding gives the same bytes back, except that
    // duplicate codes of one character (NEC and IBM extensions, lead bytes 0x87, 0xED, 0xEE,
    // 0xFA-0xFC) fold to the code Windows prefers (0xED40 -> 0xFA5C).
    const std::string shown = bw::Cp932ToDisplayUtf8(bytes);
    const bw::EncodeResult back = bw::DisplayUtf8ToCp932(shown);
    FUZZ_CHECK(back.ok);
    FUZZ_CHECK(back.bytes.size() == bytes.size());
    if (back.bytes != bytes) FUZZ_CHECK(bytes.find_first_of("\x87\xED\xEE\xFA\xFB\xFC") != std::string::npos);
    if (const auto strict = bw::Cp932ToUtf8(bytes)) FUZZ_CHECK(bw::DisplayUtf8ToCp932(*strict).ok);
    bw::DisplayUtf8ToCp932(bytes); // any bytes as UTF-8: refused or encoded, never a crash

    // Every display piece fits the width (or is one character) and the pieces give the line back.
    const std::size_t width = size > 0 ? 1 + data[0] % 90 : bw::kWrapWidth;
    std::string joined;
    bw::ForEachLine(bytes, [&](std::string_view line) {
        std::string rebuilt;
        bw::WrapLine(line, width, [&](std::string_view piece) {
            FUZZ_CHECK(!piece.empty() || line.empty());
            FUZZ_CHECK(piece.size() <= width || piece.size() <= 2);
            rebuilt += piece;
        });
        FUZZ_CHECK(rebuilt == line);
        joined += rebuilt;
    });
    FUZZ_CHECK(joined.size() <= bytes.size());

    // Line breaks come out as CR LF only.
    const std::string normal = bw::NormalizeLineBreaks(bytes);
    for (std::size_t i = 0; i < normal.size(); ++i) {
        if (normal[i] == '\r') FUZZ_CHECK(i + 1 < normal.size() && normal[i + 1] == '\n');
        if (normal[i] == '\n') FUZZ_CHECK(i > 0 && normal[i - 1] == '\r');
    }

    // Replacing a needle leaves no boundary match of it when the replacement cannot form one.
    const std::string needle = bytes.substr(0, size % 4);
    if (!needle.empty() && needle.find('\0') == std::string::npos) {
        const std::string replaced = bw::ReplaceAll(bytes, needle, std::string(1, '\0'));
        const std::size_t hit = bw::FindText(replaced, needle);
        if (hit != std::string::npos) FUZZ_CHECK(bw::FindText(bytes, needle) != std::string::npos);
    }
    return 0;
}
