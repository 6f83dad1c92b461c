// Template and layout text: line reading and placeholder expansion with values taken from
// the input, so values holding placeholders, lead bytes and CR/LF all occur.
#include "composer/composer.h"
#include "editing/templates.h"
#include "fuzz_check.h"
#include "text/lines.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    // Fields are separated by 0x00 in the input: SoftName, Producer, ArcName, HomePage, then the text.
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (int k = 0; k < 4; ++k) {
        const std::size_t nul = bytes.find('\0', start);
        if (nul == std::string::npos) break;
        parts.push_back(bytes.substr(start, nul - start));
        start = nul + 1;
    }
    const std::string text = bytes.substr(std::min(start, bytes.size()));
    bw::ReadMeProject p = bw::StartupDefaults();
    std::string* fields[] = {&p.SoftName, &p.Producer, &p.ArcName, &p.HomePage};
    for (std::size_t k = 0; k < parts.size(); ++k)
        *fields[k] = parts[k];

    const bw::ComposerState state;
    std::size_t longest = 0;
    for (const std::string& part : parts)
        longest = std::max(longest, part.size());
    for (const std::string& line : bw::TemplateLines(text)) {
        FUZZ_CHECK(line.find('\n') == std::string::npos);
        const std::string plain = bw::ExpandPlaceholders(line, p);
        const std::string layout = bw::ExpandPlaceholders(line, p, &state.Settings);
        // Growth is bounded: each 11-byte placeholder becomes at most one value (values may
        // hold later placeholders, which expand once more per pass).
        const std::size_t bound = (line.size() + 1) * (longest + 80 + 11) * 16;
        FUZZ_CHECK(plain.size() <= bound && layout.size() <= bound);
    }
    return 0;
}
