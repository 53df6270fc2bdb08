#include "shell/profile_text.h"

#include <cstddef>
#include <vector>

namespace k3 {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kBlanks = " \t\r\n";

// One line of the file, with its line ending, as it was read.
struct Line {
    std::string_view raw;
    std::size_t position = 0;  // offset of raw in the file text
};

enum class LineKind { Other, Section, Entry };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    std::string_view name;   // section name or key
    std::string_view value;  // entries only
};

std::vector<Line> splitLines(std::string_view text) {
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t newline = text.find('\n', start);
        const std::size_t end = newline == std::string_view::npos ? text.size() : newline + 1;
        lines.push_back({text.substr(start, end - start), start});
        start = end;
    }
    return lines;
}

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

ParsedLine parseLine(std::string_view raw) {
    const std::string_view line = trimmed(raw);
    if (line.empty() || line.front() == ';') {
        return {};
    }
    if (line.front() == '[') {
        const std::size_t close = line.find(']');
        const std::size_t end = close == std::string_view::npos ? line.size() : close;
        return {LineKind::Section, trimmed(line.substr(1, end - 1)), {}};
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return {};
    }
    return {LineKind::Entry, trimmed(line.substr(0, equals)), trimmed(line.substr(equals + 1))};
}

bool isGbkLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

// Compares names ignoring the case of ASCII letters; the second byte of a double-byte GBK
// character is compared as it is, even when it falls among the ASCII letters.
bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (isGbkLeadByte(x)) {
            if (x != y || i + 1 >= a.size() || a[i + 1] != b[i + 1]) {
                return false;
            }
            ++i;
            continue;
        }
        const auto lower = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; };
        if (lower(x) != lower(y)) {
            return false;
        }
    }
    return true;
}

std::string_view withoutQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// Where section's lines are: the header's index and the index one past its last entry.
struct SectionSpan {
    std::size_t header = 0;
    std::size_t afterLastEntry = 0;
};

std::optional<SectionSpan> findSection(const std::vector<Line>& lines, std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const ParsedLine parsed = parseLine(lines[i].raw);
        if (parsed.kind != LineKind::Section || !sameName(parsed.name, section)) {
            continue;
        }
        SectionSpan span{i, i + 1};
        for (std::size_t j = i + 1; j < lines.size(); ++j) {
            const LineKind kind = parseLine(lines[j].raw).kind;
            if (kind == LineKind::Section) {
                break;
            }
            if (kind == LineKind::Entry) {
                span.afterLastEntry = j + 1;
            }
        }
        return span;
    }
    return std::nullopt;
}

std::optional<std::size_t> findEntry(const std::vector<Line>& lines, const SectionSpan& span,
                                     std::string_view key) {
    for (std::size_t i = span.header + 1; i < span.afterLastEntry; ++i) {
        const ParsedLine parsed = parseLine(lines[i].raw);
        if (parsed.kind == LineKind::Entry && sameName(parsed.name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

bool endsWithLineBreak(std::string_view text) { return !text.empty() && text.back() == '\n'; }

// Puts insertion in front of the byte at position; a line that had no line break before it
// gets one so that the new line stands on its own.
std::string insertedAt(std::string_view text, std::size_t position, std::string_view insertion) {
    std::string result(text.substr(0, position));
    if (!result.empty() && !endsWithLineBreak(result)) {
        result += kLineEnd;
    }
    result += insertion;
    result += text.substr(position);
    return result;
}

}  // namespace

std::optional<std::string> findProfileValue(std::string_view fileText, std::string_view section,
                                            std::string_view key) {
    const std::vector<Line> lines = splitLines(fileText);
    const std::optional<SectionSpan> span = findSection(lines, section);
    if (!span) {
        return std::nullopt;
    }
    const std::optional<std::size_t> entry = findEntry(lines, *span, key);
    if (!entry) {
        return std::nullopt;
    }
    return std::string(withoutQuotes(parseLine(lines[*entry].raw).value));
}

std::string withProfileValue(std::string_view fileText, std::string_view section, std::string_view key,
                             std::string_view value) {
    const std::string entryLine = std::string(key) + "=" + std::string(value) + std::string(kLineEnd);
    const std::vector<Line> lines = splitLines(fileText);
    const std::optional<SectionSpan> span = findSection(lines, section);
    if (!span) {
        return insertedAt(fileText, fileText.size(),
                          "[" + std::string(section) + "]" + std::string(kLineEnd) + entryLine);
    }
    if (const std::optional<std::size_t> entry = findEntry(lines, *span, key)) {
        const Line& old = lines[*entry];
        const std::string_view rest = fileText.substr(old.position + old.raw.size());
        const std::string_view replacement =
            rest.empty() && !endsWithLineBreak(old.raw)
                ? std::string_view(entryLine).substr(0, entryLine.size() - kLineEnd.size())
                : std::string_view(entryLine);
        return std::string(fileText.substr(0, old.position)) + std::string(replacement) + std::string(rest);
    }
    const Line& after = lines[span->afterLastEntry - 1];
    return insertedAt(fileText, after.position + after.raw.size(), entryLine);
}

}  // namespace k3
