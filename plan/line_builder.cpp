// Items per line, with the line test done on doubles as the plan lists have always done it.
#include "plan/line_builder.h"

#include <cmath>

namespace k3 {

void LineBuilder::reset() {
    m_text.clear();
    m_position = 1;
    m_perLine = 0;
    m_separator.clear();
    m_lineEnd.clear();
}

void LineBuilder::configure(int32_t perLine, std::string_view separator, std::string_view lineEnd) {
    reset();
    m_perLine = perLine;
    m_separator = separator;
    m_lineEnd = lineEnd;
}

void LineBuilder::add(std::string_view item) {
    m_text += item;
    const bool endsLine = m_perLine == 0 || !(std::fmod(double(m_position), double(m_perLine)) > 1e-7);
    if (endsLine) {
        m_text += m_lineEnd;
        m_position = 0;
    } else {
        m_text += m_separator;
    }
    ++m_position;
}

}  // namespace k3
