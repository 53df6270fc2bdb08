// The formula notation: star products shorten names, ranges keep their start, a one-digit
// bracket makes numbered copies. The patterns are compiled once and shared by every parser.
#include "plan/formula_parser.h"

#include "platform/regex.h"
#include "platform/text.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace k3 {
namespace {

constexpr int kItemsPerLine = 5;

struct FormulaPatterns {
    Regex title{"<(.+)>"};
    Regex section{"\\[(.+)\\].*\\n([^\\[#]*)"};
    Regex starRun{"(\\d\\*)+\\d?"};
    Regex range{"(\\d+)~(\\d+)"};
    Regex copies{"[\\(（](\\d)[\\)）]"};
};

const FormulaPatterns& patterns() {
    static const FormulaPatterns compiled;
    return compiled;
}

// The name shows a star run as its product; the plan spec keeps the run as written.
bool applyStarProduct(const std::string& spec, std::string& name) {
    const auto run = patterns().starRun.search(spec);
    if (!run) {
        name = spec;
        return false;
    }
    const std::string& text = run->groups[0];
    name = replaceAll(spec, text, std::to_string(FormulaParser::starProduct(text)));
    return true;
}

// "a~b" stands for its start a in both spec and name.
bool applyRangeStart(std::string& spec, std::string& name) {
    const auto range = patterns().range.search(spec);
    if (!range) {
        name = spec;
        return false;
    }
    name = replaceAll(spec, range->groups[0], range->groups[1]);
    spec = name;
    return true;
}

}  // namespace

std::vector<std::string> formulaListItems(std::string_view list) {
    return splitText(replaceAll(list, "\r\n", " "), " ");
}

FormulaParser::FormulaParser(MessageBoxes& messages) : m_messages(messages) {}

std::vector<FormulaAlternative> FormulaParser::parse(std::string_view text) {
    std::vector<FormulaAlternative> alternatives;
    for (const std::string& piece : splitText(text, "|+|")) {
        FormulaAlternative alternative;
        alternative.title = readTitle(piece).value_or(std::string());
        alternative.sections = readSections(piece);
        alternatives.push_back(std::move(alternative));
    }
    return alternatives;
}

std::optional<std::string> FormulaParser::readTitle(std::string_view text) {
    const auto title = patterns().title.search(text);
    if (!title) {
        m_messages.showMessage("表达式格式错误！错误内容：" + std::string(text));
        return std::nullopt;
    }
    return title->groups[1];
}

std::vector<FormulaSection> FormulaParser::readSections(std::string_view text) {
    std::vector<FormulaSection> sections;
    for (const RegexMatch& match : patterns().section.searchAll(text)) {
        FormulaSection section;
        section.header = match.groups[1];
        expandSection(match.groups[2], section);
        sections.push_back(std::move(section));
    }
    return sections;
}

void FormulaParser::expandSection(std::string_view body, FormulaSection& section) {
    m_nameLine.configure(kItemsPerLine);
    m_specLine.configure(kItemsPerLine);
    for (const std::string& word : formulaListItems(body)) {
        expandWord(word);
    }
    section.names = m_nameLine.text();
    section.specs = m_specLine.text();
}

void FormulaParser::expandWord(const std::string& word) {
    std::string spec = word;
    std::string name;
    if (!applyStarProduct(spec, name)) {
        applyRangeStart(spec, name);
    }
    if (!expandCopies(spec, name)) {
        m_nameLine.add(name);
        m_specLine.add(spec);
    }
}

// "(N)" with one digit, in half- or full-width brackets: N numbered copies of the word.
bool FormulaParser::expandCopies(std::string& spec, std::string& name) {
    const auto copies = patterns().copies.search(spec);
    if (!copies) {
        return false;
    }
    const std::string& bracket = copies->groups[0];
    spec = replaceAll(spec, bracket, "");
    name = replaceAll(name, bracket, "");
    const int count = textToInt(copies->groups[1]);
    for (int i = 1; i <= count; ++i) {
        m_nameLine.add(name + "(" + std::to_string(i) + ")");
        m_specLine.add(spec);
    }
    return true;
}

int32_t FormulaParser::starProduct(std::string_view run) {
    constexpr double kMax = std::numeric_limits<int32_t>::max();
    constexpr double kMin = std::numeric_limits<int32_t>::min();
    double product = 1;
    for (const std::string& piece : splitText(run, "*")) {
        // Saturate at every step so that a long run cannot leave the range of a double either.
        product = std::clamp(std::trunc(product * textToInt(piece)), kMin, kMax);
    }
    return static_cast<int32_t>(product);
}

}  // namespace k3
