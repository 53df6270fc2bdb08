#include "platform/digest.h"

#include "platform/text.h"

#include <gtest/gtest.h>

namespace k3 {
namespace {

TEST(Md5Test, KnownDigests) {
    EXPECT_EQ(md5Hex(""), "D41D8CD98F00B204E9800998ECF8427E");
    EXPECT_EQ(md5Hex("abc"), "900150983CD24FB0D6963F7D28E17F72");
}

TEST(Md5Test, PlanNameOffsetComesFromGbkBytes) {
    const auto gbk = utf8ToGbk("独胆定1码");
    ASSERT_TRUE(gbk.has_value());
    const std::string digest = md5Hex(*gbk);
    ASSERT_EQ(digest.size(), 32u);
    EXPECT_EQ(digest.substr(0, 6), "D47428");
    EXPECT_EQ(std::stoi(digest.substr(0, 6), nullptr, 16), 13923368);
}

TEST(Rc4Test, KnownAnswerAndRoundTrip) {
    EXPECT_EQ(toHex(rc4("Key", "Plaintext")), "BBF316E8D940AF0AD3");
    EXPECT_EQ(rc4("Key", rc4("Key", "吉林快三")), "吉林快三");
    EXPECT_EQ(rc4("", "abc"), "abc");
    const std::string longKey(300, 'k');
    EXPECT_EQ(rc4(longKey, "data"), rc4(longKey.substr(0, 256), "data"));
}

TEST(HexTest, EncodesAndDecodes) {
    EXPECT_EQ(toHex(std::string("\x00\xff\x10", 3)), "00FF10");
    EXPECT_EQ(fromHex("00ff10"), std::optional<std::string>(std::string("\x00\xff\x10", 3)));
    EXPECT_EQ(fromHex(""), std::optional<std::string>(""));
    EXPECT_FALSE(fromHex("ABC").has_value());
    EXPECT_FALSE(fromHex("G0").has_value());
    EXPECT_FALSE(fromHex("0 ").has_value());
}

}  // namespace
}  // namespace k3
