#pragma once
// A list of lines kept in one buffer, so that composing a large ReadMe costs no
// allocation per line.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

class TextLines {
  public:
    TextLines() = default;
    TextLines(std::initializer_list<std::string_view> lines) {
        for (auto l : lines)
            push_back(l);
    }

    /// Appends one line made of the given parts, joined.
    void push_back(std::string_view line) { push_back(line, {}); }
    void push_back(std::string_view head, std::string_view tail) {
        buf_.append(head);
        buf_.append(tail);
        ends_.push_back(buf_.size());
    }
    void append(const TextLines& other);
    void clear() {
        buf_.clear();
        ends_.clear();
    }
    void reserve(std::size_t bytes, std::size_t lines) {
        buf_.reserve(bytes);
        ends_.reserve(lines);
    }

    std::size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }
    std::string_view operator[](std::size_t i) const {
        const std::size_t b = i == 0 ? 0 : ends_[i - 1];
        return std::string_view(buf_).substr(b, ends_[i] - b);
    }
    /// Total bytes of all lines, without line breaks.
    std::size_t byteCount() const { return buf_.size(); }

    /// Every line followed by eol ("\r\n" for the ReadMe file).
    std::string Joined(std::string_view eol) const;
    std::vector<std::string> ToVector() const;

    bool operator==(const TextLines& o) const = default;

  private:
    std::string buf_;
    std::vector<std::size_t> ends_;
};

} // namespace bw
