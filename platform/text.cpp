#include "platform/text.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <limits>

namespace k3 {
namespace {

// Length of the UTF-8 sequence starting with lead byte b, 0 when b cannot start one.
std::size_t sequenceLength(unsigned char b) {
    if (b < 0x80) return 1;
    if (b >= 0xC2 && b <= 0xDF) return 2;
    if (b >= 0xE0 && b <= 0xEF) return 3;
    if (b >= 0xF0 && b <= 0xF4) return 4;
    return 0;
}

// Full-width forms U+FF01..U+FF5E are ASCII 0x21..0x7E shifted; U+3000 is the full-width space.
// Folds them to ASCII and keeps every other byte as it is.
std::string foldFullWidth(std::string_view text) {
    std::string folded;
    folded.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto b0 = static_cast<unsigned char>(text[i]);
        if (i + 2 < text.size() && (b0 == 0xEF || b0 == 0xE3)) {
            const auto b1 = static_cast<unsigned char>(text[i + 1]);
            const auto b2 = static_cast<unsigned char>(text[i + 2]);
            const unsigned code = ((b0 & 0x0Fu) << 12) | ((b1 & 0x3Fu) << 6) | (b2 & 0x3Fu);
            if ((b1 & 0xC0) == 0x80 && (b2 & 0xC0) == 0x80) {
                if (code >= 0xFF01 && code <= 0xFF5E) {
                    folded.push_back(static_cast<char>(code - 0xFEE0));
                    i += 3;
                    continue;
                }
                if (code == 0x3000) {
                    folded.push_back(' ');
                    i += 3;
                    continue;
                }
            }
        }
        folded.push_back(text[i]);
        ++i;
    }
    return folded;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

template <typename Int>
Int leadingInteger(std::string_view text) {
    const std::string folded = foldFullWidth(text);
    std::size_t i = 0;
    while (i < folded.size() && isBlank(folded[i])) ++i;
    bool negative = false;
    if (i < folded.size() && (folded[i] == '-' || folded[i] == '+')) {
        negative = folded[i] == '-';
        ++i;
    }
    // Accumulate as a negative number so that the minimum value fits; saturate past the limits.
    constexpr Int lowest = std::numeric_limits<Int>::min();
    Int value = 0;
    bool saturated = false;
    for (; i < folded.size() && folded[i] >= '0' && folded[i] <= '9'; ++i) {
        const Int digit = folded[i] - '0';
        if (value < (lowest + digit) / 10) {
            saturated = true;
            break;
        }
        value = value * 10 - digit;
    }
    if (saturated) return negative ? lowest : std::numeric_limits<Int>::max();
    if (negative) return value;
    return value == lowest ? std::numeric_limits<Int>::max() : -value;
}

std::optional<std::string> convert(std::string_view input, const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string output(input.size() * 2 + 8, '\0');
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    std::size_t done = 0;
    bool ok = true;
    while (inLeft > 0) {
        char* out = output.data() + done;
        std::size_t outLeft = output.size() - done;
        const std::size_t result = iconv(cd, &in, &inLeft, &out, &outLeft);
        done = output.size() - outLeft;
        if (result != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) {
            output.resize(output.size() * 2);
            continue;
        }
        ok = false;  // EILSEQ or EINVAL: invalid or truncated input
        break;
    }
    iconv_close(cd);
    if (!ok) return std::nullopt;
    output.resize(done);
    return output;
}

}  // namespace

int32_t textToInt(std::string_view text) { return leadingInteger<int32_t>(text); }

int64_t textToInt64(std::string_view text) { return leadingInteger<int64_t>(text); }

std::vector<std::string> splitText(std::string_view text, std::string_view separator) {
    std::vector<std::string> pieces;
    if (text.empty()) return pieces;
    if (separator.empty()) {
        pieces.emplace_back(text);
        return pieces;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t found = text.find(separator, start);
        if (found == std::string_view::npos) {
            if (start < text.size()) pieces.emplace_back(text.substr(start));
            return pieces;
        }
        pieces.emplace_back(text.substr(start, found - start));
        start = found + separator.size();
    }
}

std::string joinText(const std::vector<std::string>& pieces, std::string_view separator) {
    std::string joined;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0) joined.append(separator);
        joined.append(pieces[i]);
    }
    return joined;
}

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) return std::string(text);
    std::string result;
    std::size_t start = 0;
    for (std::size_t found = text.find(from); found != std::string_view::npos;
         found = text.find(from, start)) {
        result.append(text.substr(start, found - start));
        result.append(to);
        start = found + from.size();
    }
    result.append(text.substr(start));
    return result;
}

bool containsText(std::string_view text, std::string_view needle) {
    return !needle.empty() && text.find(needle) != std::string_view::npos;
}

std::string formatDouble(double value) {
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof buffer, "%.13g", value);
    return std::string(buffer, static_cast<std::size_t>(length));
}

std::optional<std::string> utf8ToGbk(std::string_view utf8) {
    if (!isValidUtf8(utf8)) return std::nullopt;
    return convert(utf8, "GBK", "UTF-8");
}

std::optional<std::string> gbkToUtf8(std::string_view gbk) { return convert(gbk, "UTF-8", "GBK"); }

bool isValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto b0 = static_cast<unsigned char>(text[i]);
        const std::size_t length = sequenceLength(b0);
        if (length == 0 || i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        }
        if (length >= 3) {
            const auto b1 = static_cast<unsigned char>(text[i + 1]);
            if (b0 == 0xE0 && b1 < 0xA0) return false;  // overlong
            if (b0 == 0xED && b1 > 0x9F) return false;  // surrogates
            if (b0 == 0xF0 && b1 < 0x90) return false;  // overlong
            if (b0 == 0xF4 && b1 > 0x8F) return false;  // beyond U+10FFFF
        }
        i += length;
    }
    return true;
}

}  // namespace k3
