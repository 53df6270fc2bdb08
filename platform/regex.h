// Regular expressions over UTF-8 text, matching characters (a Chinese character counts once).
// A pattern is compiled once when the object is made and reused for every search.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace k3 {

struct RegexMatch {
    std::vector<std::string> groups;  // groups[0] is the whole match; unset groups are empty
    std::size_t offset = 0;           // byte offset of the match in the searched text
    std::size_t length = 0;           // byte length of the match
};

class Regex {
public:
    explicit Regex(std::string_view pattern);
    ~Regex();
    Regex(Regex&&) noexcept;
    Regex& operator=(Regex&&) noexcept;
    Regex(const Regex&) = delete;
    Regex& operator=(const Regex&) = delete;

    bool isValid() const;
    const std::string& error() const;  // compile error text, empty when valid

    // First match at or after byte offset start.
    std::optional<RegexMatch> search(std::string_view text, std::size_t start = 0) const;
    // Every successive non-overlapping match, left to right.
    std::vector<RegexMatch> searchAll(std::string_view text) const;
    // True when the pattern matches the whole text.
    bool matchesWhole(std::string_view text) const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace k3
