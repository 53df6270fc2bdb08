// The line builder: items per line, separators, line ends and starting over.
#include "plan/line_builder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace k3 {
namespace {

std::string build(LineBuilder& builder, const std::vector<std::string>& items) {
    for (const std::string& item : items) {
        builder.add(item);
    }
    return builder.text();
}

TEST(LineBuilder, FiveItemsToALineWithTheDefaultSeparators) {
    LineBuilder builder;
    builder.configure(5);
    EXPECT_EQ(build(builder, {"a", "b", "c", "d", "e", "f", "g"}), "a b c d e\r\nf g ");
}

TEST(LineBuilder, CustomSeparatorAndLineEnd) {
    LineBuilder builder;
    builder.configure(2, ",", ";");
    EXPECT_EQ(build(builder, {"1", "2", "3", "4", "5"}), "1,2;3,4;5,");
}

TEST(LineBuilder, ConfigureStartsOverWithAnEmptyTextAndTheFirstPosition) {
    LineBuilder builder;
    builder.configure(3);
    build(builder, {"x", "y"});
    builder.configure(3);
    EXPECT_EQ(build(builder, {"a", "b", "c", "d"}), "a b c\r\nd ");
}

TEST(LineBuilder, ResetLeavesNoSeparatorsAndEndsEveryLine) {
    LineBuilder builder;
    builder.configure(5);
    build(builder, {"x"});
    builder.reset();
    EXPECT_EQ(builder.text(), "");
    EXPECT_EQ(build(builder, {"a", "b"}), "ab");
}

TEST(LineBuilder, OneItemPerLine) {
    LineBuilder builder;
    builder.configure(1);
    EXPECT_EQ(build(builder, {"a", "b"}), "a\r\nb\r\n");
}

}  // namespace
}  // namespace k3
