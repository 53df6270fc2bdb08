// Reads a formula text: alternatives separated by "|+|", each with a <title> and [header]
// sections whose words expand into pairs of a plan spec and a plan name.
#pragma once

#include "plan/line_builder.h"
#include "platform/message_box.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace k3 {

struct FormulaSection {
    std::string header;  // the text between the brackets: the formula periods of its plans
    std::string specs;   // the plan spec of every pair, five to a line
    std::string names;   // the name of every pair, in the same order and layout
};

struct FormulaAlternative {
    std::string title;  // empty when the alternative has none
    std::vector<FormulaSection> sections;
};

// The items of a section body or of a spec or name list: a CRLF counts as a space, empty items
// between two spaces stay, a trailing empty item is dropped.
std::vector<std::string> formulaListItems(std::string_view list);

class FormulaParser {
public:
    // A missing title is reported through messages; nothing else in a formula is an error.
    explicit FormulaParser(MessageBoxes& messages);

    // One alternative per "|+|"-separated piece, in text order; none for an empty text.
    std::vector<FormulaAlternative> parse(std::string_view text);
    // The title from the first "<" of a line to its last ">"; reports the text when it has none.
    std::optional<std::string> readTitle(std::string_view text);
    // Every "[header]" line that ends with a line feed, with the body up to the next "[" or "#".
    std::vector<FormulaSection> readSections(std::string_view text);
    // Expands the words of a body into the section's spec and name lists.
    void expandSection(std::string_view body, FormulaSection& section);

    // Product of the digits of a run such as "1*2*3"; saturates at the int32 limit.
    static int32_t starProduct(std::string_view run);

private:
    void expandWord(const std::string& word);
    bool expandCopies(std::string& spec, std::string& name);

    MessageBoxes& m_messages;
    LineBuilder m_specLine;
    LineBuilder m_nameLine;
};

}  // namespace k3
