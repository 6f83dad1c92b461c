#pragma once
// Reading integers from text without locale, leading blanks or silent overflow.

#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

namespace bw {

/// Decimal digits with an optional "-" in front; nullopt for anything else or a value that
/// does not fit in 64 bits.
inline std::optional<std::int64_t> ParseDecimal(std::string_view text) {
    const bool negative = !text.empty() && text[0] == '-';
    const std::string_view digits = text.substr(negative ? 1 : 0);
    if (digits.empty()) return std::nullopt;
    // Accumulate negatively so that the smallest value fits too.
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    std::int64_t n = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        const int digit = c - '0';
        if (n < (kMin + digit) / 10) return std::nullopt;
        n = n * 10 - digit;
    }
    if (!negative) {
        if (n == kMin) return std::nullopt;
        n = -n;
    }
    return n;
}

} // namespace bw
