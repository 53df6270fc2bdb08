#include "platform/regex.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

namespace k3 {

struct Regex::Impl {
    pcre2_code* code = nullptr;
    std::string error;

    ~Impl() { pcre2_code_free(code); }
};

namespace {

struct MatchData {
    explicit MatchData(const pcre2_code* code) : data(pcre2_match_data_create_from_pattern(code, nullptr)) {}
    ~MatchData() { pcre2_match_data_free(data); }
    MatchData(const MatchData&) = delete;
    MatchData& operator=(const MatchData&) = delete;
    pcre2_match_data* data;
};

RegexMatch toMatch(std::string_view text, pcre2_match_data* data, int count) {
    const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(data);
    const uint32_t pairs = pcre2_get_ovector_count(data);
    RegexMatch match;
    match.offset = ovector[0];
    match.length = ovector[1] - ovector[0];
    for (uint32_t i = 0; i < pairs; ++i) {
        const bool set = static_cast<int>(i) < count && ovector[2 * i] != PCRE2_UNSET;
        match.groups.emplace_back(set ? text.substr(ovector[2 * i], ovector[2 * i + 1] - ovector[2 * i])
                                      : std::string_view());
    }
    return match;
}

std::size_t nextCharacter(std::string_view text, std::size_t offset) {
    ++offset;
    while (offset < text.size() && (static_cast<unsigned char>(text[offset]) & 0xC0) == 0x80) ++offset;
    return offset;
}

}  // namespace

Regex::Regex(std::string_view pattern) : m_impl(std::make_unique<Impl>()) {
    int errorCode = 0;
    PCRE2_SIZE errorOffset = 0;
    m_impl->code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(), PCRE2_UTF,
                                 &errorCode, &errorOffset, nullptr);
    if (m_impl->code == nullptr) {
        PCRE2_UCHAR buffer[256];
        pcre2_get_error_message(errorCode, buffer, sizeof buffer);
        m_impl->error = reinterpret_cast<const char*>(buffer);
        m_impl->error += " at offset " + std::to_string(errorOffset);
    }
}

Regex::~Regex() = default;
Regex::Regex(Regex&&) noexcept = default;
Regex& Regex::operator=(Regex&&) noexcept = default;

bool Regex::isValid() const { return m_impl->code != nullptr; }

const std::string& Regex::error() const { return m_impl->error; }

std::optional<RegexMatch> Regex::search(std::string_view text, std::size_t start) const {
    if (!isValid() || start > text.size()) return std::nullopt;
    MatchData match(m_impl->code);
    // Invalid UTF-8 in the subject is reported as an error code and treated as no match.
    const int count = pcre2_match(m_impl->code, reinterpret_cast<PCRE2_SPTR>(text.data()), text.size(), start,
                                  0, match.data, nullptr);
    if (count <= 0) return std::nullopt;
    return toMatch(text, match.data, count);
}

std::vector<RegexMatch> Regex::searchAll(std::string_view text) const {
    std::vector<RegexMatch> matches;
    std::size_t start = 0;
    while (start <= text.size()) {
        auto match = search(text, start);
        if (!match) break;
        const std::size_t end = match->offset + match->length;
        start = match->length == 0 ? nextCharacter(text, end) : end;
        matches.push_back(std::move(*match));
    }
    return matches;
}

bool Regex::matchesWhole(std::string_view text) const {
    if (!isValid()) return false;
    MatchData match(m_impl->code);
    const int count = pcre2_match(m_impl->code, reinterpret_cast<PCRE2_SPTR>(text.data()), text.size(), 0,
                                  PCRE2_ANCHORED | PCRE2_ENDANCHORED, match.data, nullptr);
    return count > 0;
}

}  // namespace k3
