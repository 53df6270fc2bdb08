// Collects items into a text, a fixed number of items per line: the formula parser builds the
// spec and name lists of a section with it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace k3 {

class LineBuilder {
public:
    // Empty text, first position, no items per line, no separator and no line end.
    void reset();
    // Starts over with perLine items per line. With perLine 0 every item ends its line.
    void configure(int32_t perLine, std::string_view separator = " ", std::string_view lineEnd = "\r\n");
    // Appends the item followed by the separator, or by the line end when it fills the line.
    void add(std::string_view item);
    const std::string& text() const { return m_text; }

private:
    std::string m_text;
    int32_t m_position = 1;
    int32_t m_perLine = 0;
    std::string m_separator;
    std::string m_lineEnd;
};

}  // namespace k3
