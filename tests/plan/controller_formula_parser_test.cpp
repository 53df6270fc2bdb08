// The formula parser: alternatives, titles, sections and the word notation.
#include "plan/formula_parser.h"
#include "platform/message_box.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace k3 {
namespace {

constexpr const char* kFormatError = "表达式格式错误！错误内容：";

class FormulaParserTest : public ::testing::Test {
protected:
    RecordingMessageBoxes m_messages;
    FormulaParser m_parser{m_messages};
};

TEST_F(FormulaParserTest, WorkedExample) {
    const auto alternatives = m_parser.parse("<计划>\r\n[3]\r\n和值大小 百位定1*2码（3）\r\n");
    ASSERT_EQ(alternatives.size(), 1u);
    EXPECT_EQ(alternatives[0].title, "计划");
    ASSERT_EQ(alternatives[0].sections.size(), 1u);
    const FormulaSection& section = alternatives[0].sections[0];
    EXPECT_EQ(section.header, "3");
    EXPECT_EQ(section.specs, "和值大小 百位定1*2码 百位定1*2码 百位定1*2码 ");
    EXPECT_EQ(section.names, "和值大小 百位定2码(1) 百位定2码(2) 百位定2码(3) ");
    EXPECT_TRUE(m_messages.messages().empty());
}

struct WordCase {
    const char* body;
    const char* specs;
    const char* names;
};

void PrintTo(const WordCase& word, std::ostream* out) { *out << word.body; }

class WordNotation : public FormulaParserTest, public ::testing::WithParamInterface<WordCase> {};

TEST_P(WordNotation, ExpandsIntoSpecsAndNames) {
    FormulaSection section;
    m_parser.expandSection(GetParam().body, section);
    EXPECT_EQ(section.specs, GetParam().specs);
    EXPECT_EQ(section.names, GetParam().names);
}

INSTANTIATE_TEST_SUITE_P(
    Words, WordNotation,
    ::testing::Values(
        // A plain word passes through.
        WordCase{"和值单双", "和值单双 ", "和值单双 "},
        // The star run becomes its product in the name only, at every occurrence.
        WordCase{"A2*3B2*3", "A2*3B2*3 ", "A6B6 "}, WordCase{"百位定2*码", "百位定2*码 ", "百位定2码 "},
        WordCase{"1*2*3", "1*2*3 ", "6 "},
        // Beyond 32 bits the product saturates.
        WordCase{"9*9*9*9*9*9*9*9*9*9*9", "9*9*9*9*9*9*9*9*9*9*9 ", "2147483647 "},
        // A range stands for its start in both lists.
        WordCase{"个位定3~5码", "个位定3码 ", "个位定3码 "},
        // With a star product the range stays as written.
        WordCase{"2*3~5", "2*3~5 ", "6~5 "},
        // One-digit copies, brackets of either width in any mix.
        WordCase{"X(2)", "X X ", "X(1) X(2) "}, WordCase{"X（2)", "X X ", "X(1) X(2) "},
        WordCase{"X(2）", "X X ", "X(1) X(2) "}, WordCase{"1*2(2)", "1*2 1*2 ", "2(1) 2(2) "},
        WordCase{"3~4(2)", "3 3 ", "3(1) 3(2) "},
        // Two digits or full-width digits are no copies; (0) makes the word vanish.
        WordCase{"X(12)", "X(12) ", "X(12) "}, WordCase{"X（３）", "X（３） ", "X（３） "},
        WordCase{"A(0) B", "B ", "B "},
        // The largest copy count a digit allows.
        WordCase{"Q(9)", "Q Q Q Q Q\r\nQ Q Q Q ", "Q(1) Q(2) Q(3) Q(4) Q(5)\r\nQ(6) Q(7) Q(8) Q(9) "},
        // Empty words stay; a trailing one is dropped; CRLF separates words, a lone LF does not.
        WordCase{"A  B", "A  B ", "A  B "}, WordCase{"A\r\nB\r\n", "A B ", "A B "},
        WordCase{"A\nB C", "A\nB C ", "A\nB C "},
        // Five items to a line.
        WordCase{"a b c d e f", "a b c d e\r\nf ", "a b c d e\r\nf "}, WordCase{"", "", ""}));

struct ProductCase {
    const char* run;
    int32_t product;
};

void PrintTo(const ProductCase& run, std::ostream* out) { *out << run.run; }

class StarProduct : public ::testing::TestWithParam<ProductCase> {};

TEST_P(StarProduct, MultipliesTheDigits) {
    EXPECT_EQ(FormulaParser::starProduct(GetParam().run), GetParam().product);
}

INSTANTIATE_TEST_SUITE_P(Runs, StarProduct,
                         ::testing::Values(ProductCase{"2*3", 6}, ProductCase{"2*", 2},
                                           ProductCase{"1*2*3", 6}, ProductCase{"0*9", 0},
                                           ProductCase{"9*9*9*9*9*9*9*9*9*9*0", 0},
                                           ProductCase{"9*9*9*9*9*9*9*9*9*9", 2147483647},
                                           ProductCase{"9*9*9*9*9*9*9*9*9", 387420489}));

TEST(StarProductLimits, AVeryLongRunStaysSaturated) {
    std::string run;
    for (int i = 0; i < 2000; ++i) {
        run += "9*";
    }
    EXPECT_EQ(FormulaParser::starProduct(run), std::numeric_limits<int32_t>::max());
}

struct SectionCase {
    const char* text;
    std::vector<std::string> headers;
    std::vector<std::string> specs;
};

void PrintTo(const SectionCase& section, std::ostream* out) { *out << section.text; }

class Sections : public FormulaParserTest, public ::testing::WithParamInterface<SectionCase> {};

TEST_P(Sections, AreFoundWithTheirHeadersAndBodies) {
    const std::vector<FormulaSection> sections = m_parser.readSections(GetParam().text);
    std::vector<std::string> headers;
    std::vector<std::string> specs;
    for (const FormulaSection& section : sections) {
        headers.push_back(section.header);
        specs.push_back(section.specs);
    }
    EXPECT_EQ(headers, GetParam().headers);
    EXPECT_EQ(specs, GetParam().specs);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Sections,
    ::testing::Values(SectionCase{"[1]\r\nA B\r\n[2] trailing words\r\nC\r\n", {"1", "2"}, {"A B ", "C "}},
                      // The header runs to the last "]" of its line.
                      SectionCase{"[3]x]\nA", {"3]x"}, {"A "}},
                      // A header without a line feed after it is no section.
                      SectionCase{"[1]\nA\n[2]", {"1"}, {"A\n "}}, SectionCase{"[1]", {}, {}},
                      // A body ends at "#"; the comment up to the next header belongs to no section.
                      SectionCase{"[1]\nA B#note\nmore note\n[2]\nC", {"1", "2"}, {"A B ", "C "}},
                      // An empty body still makes a section.
                      SectionCase{"[1]\n[2]\nA", {"1", "2"}, {"", "A "}},
                      SectionCase{"no sections here", {}, {}},
                      // Full-width brackets are not header brackets.
                      SectionCase{"［1］\nA", {}, {}}));

struct TitleCase {
    const char* text;
    std::optional<std::string> title;
};

void PrintTo(const TitleCase& title, std::ostream* out) { *out << title.text; }

class Titles : public FormulaParserTest, public ::testing::WithParamInterface<TitleCase> {};

TEST_P(Titles, RunFromTheFirstOpeningToTheLastClosingBracketOfALine) {
    EXPECT_EQ(m_parser.readTitle(GetParam().text), GetParam().title);
    const bool reported = !m_messages.messages().empty();
    EXPECT_EQ(reported, !GetParam().title.has_value());
}

INSTANTIATE_TEST_SUITE_P(Texts, Titles,
                         ::testing::Values(TitleCase{"<计划>", "计划"}, TitleCase{"x<a<b>c>y", "a<b>c"},
                                           TitleCase{"[1]\n<a>\n<b>", "a"}, TitleCase{"<a\nb>", std::nullopt},
                                           TitleCase{"<>", std::nullopt}, TitleCase{"", std::nullopt},
                                           TitleCase{"a>b<", std::nullopt}));

TEST_F(FormulaParserTest, MissingTitleIsReportedWithTheAlternativeText) {
    EXPECT_FALSE(m_parser.readTitle("[1]\nA").has_value());
    EXPECT_EQ(m_messages.messages(), std::vector<std::string>{std::string(kFormatError) + "[1]\nA"});
}

TEST_F(FormulaParserTest, EveryAlternativeIsParsedAndAMissingTitleDoesNotStopIt) {
    const auto alternatives = m_parser.parse("<A>\n[1]\nX\n|+|[2]\r\nY Z\r\n|+|<C>");
    ASSERT_EQ(alternatives.size(), 3u);
    EXPECT_EQ(alternatives[0].title, "A");
    EXPECT_EQ(alternatives[1].title, "");
    ASSERT_EQ(alternatives[1].sections.size(), 1u);
    EXPECT_EQ(alternatives[1].sections[0].names, "Y Z ");
    EXPECT_EQ(alternatives[2].title, "C");
    EXPECT_TRUE(alternatives[2].sections.empty());
    EXPECT_EQ(m_messages.messages(), std::vector<std::string>{std::string(kFormatError) + "[2]\r\nY Z\r\n"});
}

struct AlternativeCase {
    const char* text;
    std::vector<std::string> titles;
    int messages;
};

void PrintTo(const AlternativeCase& alternative, std::ostream* out) { *out << alternative.text; }

class Alternatives : public FormulaParserTest, public ::testing::WithParamInterface<AlternativeCase> {};

TEST_P(Alternatives, SplitAtTheSeparator) {
    std::vector<std::string> titles;
    for (const FormulaAlternative& alternative : m_parser.parse(GetParam().text)) {
        titles.push_back(alternative.title);
    }
    EXPECT_EQ(titles, GetParam().titles);
    EXPECT_EQ(int(m_messages.messages().size()), GetParam().messages);
}

INSTANTIATE_TEST_SUITE_P(Texts, Alternatives,
                         ::testing::Values(AlternativeCase{"", {}, 0}, AlternativeCase{"<A>|+|", {"A"}, 0},
                                           AlternativeCase{"|+|<A>", {"", "A"}, 1},
                                           AlternativeCase{"<A>|+||+|<B>", {"A", "", "B"}, 1},
                                           AlternativeCase{"|+|", {""}, 1}));

TEST_F(FormulaParserTest, NothingCarriesOverFromOneSectionToTheNext) {
    const auto sections = m_parser.readSections("[1]\na b c\n[2]\nd\n");
    ASSERT_EQ(sections.size(), 2u);
    EXPECT_EQ(sections[1].specs, "d\n ");
}

// The controller pairs the two lists item by item, so whatever the text, they must stay in step.
TEST_F(FormulaParserTest, SpecAndNameListsAlwaysHoldTheSameNumberOfItems) {
    const std::vector<std::string> pieces = {"<",  ">",  "[", "]", "#", "|+|", "\r\n",
                                             "\n", "\r", " ", "(", ")", "（",  "）",
                                             "2",  "*",  "~", "1", "0", "9",   "和值大小"};
    std::mt19937 random(20261210);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(0, 60);
    for (int round = 0; round < 2000; ++round) {
        std::string text = "<T>[3]\r\n";
        for (int i = length(random); i > 0; --i) {
            text += pieces[pick(random)];
        }
        for (const FormulaAlternative& alternative : m_parser.parse(text)) {
            for (const FormulaSection& section : alternative.sections) {
                ASSERT_EQ(formulaListItems(section.specs).size(), formulaListItems(section.names).size())
                    << text;
            }
        }
    }
}

}  // namespace
}  // namespace k3
