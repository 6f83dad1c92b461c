#include "composer/text_lines.h"

namespace bw {

void TextLines::append(const TextLines& other) {
    const std::size_t base = buf_.size();
    buf_.append(other.buf_);
    ends_.reserve(ends_.size() + other.ends_.size());
    for (std::size_t e : other.ends_)
        ends_.push_back(base + e);
}

std::string TextLines::Joined(std::string_view eol) const {
    std::string out;
    out.reserve(buf_.size() + ends_.size() * eol.size());
    std::size_t b = 0;
    for (std::size_t e : ends_) {
        out.append(buf_, b, e - b);
        out.append(eol);
        b = e;
    }
    return out;
}

std::vector<std::string> TextLines::ToVector() const {
    std::vector<std::string> out;
    out.reserve(size());
    for (std::size_t i = 0; i < size(); ++i)
        out.emplace_back((*this)[i]);
    return out;
}

} // namespace bw
