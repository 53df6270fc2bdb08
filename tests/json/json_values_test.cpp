// The JSON value objects and the handle library beneath them: building, parsing, reading
// members as text by their type codes, copying values in and out.
#include "json/json_array.h"
#include "json/json_library.h"
#include "json/json_object.h"

#include <gtest/gtest.h>

#include <random>

#include <string>
#include <vector>

namespace k3 {
namespace {

struct MemberCase {
    const char* json;  // the member's value as JSON text
    int32_t type;
    const char* text;
};

class MemberText : public testing::TestWithParam<MemberCase> {};

TEST_P(MemberText, GetReadsTheMemberByItsTypeCode) {
    JsonObject object;
    ASSERT_TRUE(object.parse(std::string(R"({"m":)") + GetParam().json + "}"));
    int32_t type = 0;
    EXPECT_EQ(object.get("m", type), GetParam().text);
    EXPECT_EQ(type, GetParam().type);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MemberText,
    testing::Values(MemberCase{"null", JsonType::Null, ""}, MemberCase{"true", JsonType::Bool, "true"},
                    MemberCase{"false", JsonType::Bool, ""},
                    MemberCase{R"("开奖")", JsonType::String, "开奖"},
                    MemberCase{R"("a\"b\\c\n")", JsonType::String, "a\"b\\c\n"},
                    MemberCase{"0", JsonType::Int32, "0"}, MemberCase{"-7", JsonType::Int32, "-7"},
                    MemberCase{"2147483647", JsonType::Int32, "2147483647"},
                    MemberCase{"-2147483648", JsonType::Int32, "-2147483648"},
                    MemberCase{"2147483648", JsonType::Int64, "2147483648"},
                    MemberCase{"3000000000", JsonType::Int64, "3000000000"},
                    MemberCase{"-2147483649", JsonType::Int64, "-2147483649"},
                    MemberCase{"9223372036854775807", JsonType::Int64, "9223372036854775807"},
                    MemberCase{"9223372036854775808", JsonType::UInt64, "9223372036854775808"},
                    MemberCase{"18446744073709551615", JsonType::UInt64, "18446744073709551615"},
                    MemberCase{"1.5", JsonType::Double, "1.5"}, MemberCase{"0.1", JsonType::Double, "0.1"},
                    MemberCase{"1e20", JsonType::Double, "1e+20"},
                    MemberCase{"3.14159265358979", JsonType::Double, "3.14159265359"},
                    MemberCase{R"({"b":1,"a":[2,"x"]})", JsonType::Object, R"({"b":1,"a":[2,"x"]})"},
                    MemberCase{"[]", JsonType::Array, "[]"}));

TEST(JsonObject, MissingMemberIsEmptyWithTypeNone) {
    JsonObject object;
    ASSERT_TRUE(object.parse(R"({"a":"1"})"));
    int32_t type = 0;
    EXPECT_EQ(object.get("b", type), "");
    EXPECT_EQ(type, JsonType::None);
}

TEST(JsonObject, BuildsMembersInTheOrderTheyArePut) {
    JsonObject object;
    JsonArray list;
    ASSERT_TRUE(object.createEmpty());
    EXPECT_TRUE(object.put("zeta", "1"));
    EXPECT_TRUE(object.put("alpha", "二"));
    ASSERT_TRUE(list.createEmpty());
    EXPECT_TRUE(list.add("x"));
    EXPECT_TRUE(list.add(""));
    EXPECT_TRUE(object.putValue("list", list));
    EXPECT_TRUE(object.put("mid", "a\"b"));
    EXPECT_EQ(object.toText(), R"({"zeta":"1","alpha":"二","list":["x",""],"mid":"a\"b"})");
    EXPECT_EQ(object.type(), JsonType::Object);
    EXPECT_EQ(object.size(), 4);
    // putValue copied: the list keeps its own value and later changes do not reach the object.
    EXPECT_TRUE(list.add("later"));
    EXPECT_EQ(list.toText(), R"(["x","","later"])");
    EXPECT_EQ(object.get("list"), R"(["x",""])");
}

TEST(JsonValue, EmptyValueThatReceivedNothingIsWrittenAsEmptyList) {
    JsonObject object;
    JsonArray empty;
    ASSERT_TRUE(object.createEmpty());
    ASSERT_TRUE(empty.createEmpty());
    EXPECT_EQ(empty.toText(), "[]");
    EXPECT_EQ(empty.size(), 0);
    EXPECT_TRUE(object.putValue("param", empty));
    EXPECT_EQ(object.toText(), R"({"param":[]})");
}

TEST(JsonValue, EmptyValueTakesTheShapeOfWhatIsPutFirst) {
    JsonObject becomesObject;
    ASSERT_TRUE(becomesObject.createEmpty());
    EXPECT_TRUE(becomesObject.put("k", "v"));
    EXPECT_EQ(becomesObject.type(), JsonType::Object);
    EXPECT_FALSE(jsonarrayaddstring(becomesObject.handle(), "no") != 0);

    JsonArray becomesArray;
    ASSERT_TRUE(becomesArray.createEmpty());
    EXPECT_TRUE(becomesArray.add("e"));
    EXPECT_EQ(becomesArray.type(), JsonType::Array);
    EXPECT_FALSE(jsonpushstring(becomesArray.handle(), "k", "v") != 0);
    EXPECT_EQ(becomesArray.toText(), R"(["e"])");
}

TEST(JsonValue, NothingHeldGivesNothing) {
    JsonObject object;
    EXPECT_EQ(object.handle(), 0);
    EXPECT_EQ(object.type(), JsonType::None);
    EXPECT_EQ(object.toText(), "");
    EXPECT_EQ(object.size(), 0);
    EXPECT_FALSE(object.put("a", "b"));
    EXPECT_EQ(object.get("a"), "");
}

TEST(JsonValue, TextThatIsNotJsonLeavesAnInvalidValue) {
    const std::vector<std::string> broken = {"",
                                             "{",
                                             R"({"a":})",
                                             "nul",
                                             R"({"a":"1"} x)",
                                             "{\"a\":\"\xff\xfe\"}",
                                             R"({"a":"\ud800"})",
                                             std::string(100000, '[')};
    for (const std::string& text : broken) {
        SCOPED_TRACE(text.substr(0, 20));
        JsonObject object;
        EXPECT_FALSE(object.parse(text));
        EXPECT_EQ(object.type(), JsonType::None);
        EXPECT_EQ(object.toText(), "");
        int32_t type = 0;
        EXPECT_EQ(object.get("a", type), "");
        EXPECT_EQ(type, JsonType::None);
    }
}

// Random texts from JSON's own characters: whatever parses is written out as text that parses
// back to the same text; whatever does not leaves nothing to read.
TEST(JsonValue, ParsedTextsRoundTrip) {
    const std::string alphabet = "{}[]\":,0123456789.-+eEtrufalsn \\/x\x01\xE5\xBC\x80";
    std::mt19937 random(2113);
    for (int round = 0; round < 5000; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 16);
        for (int i = 0; i < length; ++i) {
            text += alphabet[random() % alphabet.size()];
        }
        JsonObject value;
        if (!value.parse(text)) {
            EXPECT_EQ(value.toText(), "") << testing::PrintToString(text);
            continue;
        }
        JsonObject reread;
        ASSERT_TRUE(reread.parse(value.toText())) << testing::PrintToString(text);
        EXPECT_EQ(reread.toText(), value.toText());
    }
}

TEST(JsonValue, DeeplyNestedJsonIsReadWithoutExhaustingTheStack) {
    const size_t depth = 1000000;
    JsonObject value;
    EXPECT_TRUE(value.parse(std::string(depth, '[') + std::string(depth, ']')));
    EXPECT_EQ(value.type(), JsonType::Array);
    EXPECT_EQ(value.get("errcode"), "");
}

TEST(JsonValue, LongTextsAreKeptWhole) {
    const std::string value(100000, 'x');
    JsonObject object;
    ASSERT_TRUE(object.createEmpty());
    ASSERT_TRUE(object.put("long", value));
    EXPECT_EQ(object.get("long"), value);
    JsonObject reread;
    ASSERT_TRUE(reread.parse(object.toText()));
    EXPECT_EQ(reread.get("long"), value);
}

TEST(JsonValue, CopiesAreIndependent) {
    JsonObject original;
    ASSERT_TRUE(original.parse(R"({"a":"1"})"));
    JsonObject copy = original;
    EXPECT_NE(copy.handle(), original.handle());
    EXPECT_TRUE(copy.put("b", "2"));
    EXPECT_EQ(original.toText(), R"({"a":"1"})");
    EXPECT_EQ(copy.toText(), R"({"a":"1","b":"2"})");
    original = copy;
    EXPECT_EQ(original.toText(), R"({"a":"1","b":"2"})");
}

TEST(JsonValue, AttachRefusesAHandleWithoutValue) {
    JsonObject object;
    ASSERT_TRUE(object.parse(R"({"kept":"yes"})"));
    EXPECT_FALSE(object.attach(0));
    const int32_t invalid = jsonparse("not json");
    EXPECT_FALSE(object.attach(invalid));
    jsonfree(invalid);
    EXPECT_EQ(object.get("kept"), "yes");
    EXPECT_TRUE(object.attach(jsonparse(R"({"new":"1"})")));
    EXPECT_EQ(object.get("new"), "1");
}

TEST(JsonObject, GetMemberCopiesOnlyAValueOfTheTargetsKind) {
    JsonObject reply;
    ASSERT_TRUE(reply.parse(R"({"obj":{"x":"1"},"arr":["a"],"str":"s"})"));
    JsonObject target;
    ASSERT_TRUE(target.parse(R"({"before":"1"})"));
    EXPECT_FALSE(reply.getMember("arr", target));
    EXPECT_FALSE(reply.getMember("str", target));
    EXPECT_FALSE(reply.getMember("missing", target));
    EXPECT_EQ(target.toText(), R"({"before":"1"})");
    EXPECT_TRUE(reply.getMember("obj", target));
    EXPECT_EQ(target.toText(), R"({"x":"1"})");
    // The copy is the target's own: changing it leaves the reply alone.
    EXPECT_TRUE(target.put("y", "2"));
    EXPECT_EQ(reply.get("obj"), R"({"x":"1"})");

    JsonArray list;
    EXPECT_FALSE(reply.getMember("obj", list));
    EXPECT_TRUE(reply.getMember("arr", list));
    int32_t type = 0;
    EXPECT_EQ(list.getAt(1, type), "a");
    EXPECT_EQ(type, JsonType::String);
    EXPECT_EQ(list.getAt(2, type), "");
    EXPECT_EQ(type, JsonType::None);
}

TEST(JsonObject, ReadAllListsMembersInOrderWithTheirStringForms) {
    JsonObject object;
    ASSERT_TRUE(object.parse(R"({"官网":"http://a/","b":false,"n":null,"i":12,"o":{"k":[1]}})"));
    std::vector<std::string> keys{"old"};
    std::vector<std::string> values;
    std::vector<int32_t> types;
    EXPECT_EQ(object.readAll(keys, values, types), 5);
    EXPECT_EQ(keys, (std::vector<std::string>{"官网", "b", "n", "i", "o"}));
    EXPECT_EQ(values, (std::vector<std::string>{"http://a/", "false", "null", "12", R"({"k":[1]})"}));
    EXPECT_EQ(types, (std::vector<int32_t>{JsonType::String, JsonType::Bool, JsonType::Null, JsonType::Int32,
                                           JsonType::Object}));
}

TEST(JsonObject, ReadAllOfANonObjectLeavesTheListsAlone) {
    for (const char* json : {R"(["a","b"])", "not json", "\"text\""}) {
        SCOPED_TRACE(json);
        JsonObject value;
        value.parse(json);
        std::vector<std::string> keys{"k"};
        std::vector<std::string> values{"v"};
        std::vector<int32_t> types{2};
        EXPECT_EQ(value.readAll(keys, values, types), -1);
        EXPECT_EQ(keys, std::vector<std::string>{"k"});
        EXPECT_EQ(values, std::vector<std::string>{"v"});
    }
}

TEST(JsonObject, GetAtOutOfRangeGivesTypeNone) {
    JsonObject object;
    ASSERT_TRUE(object.parse(R"({"a":"1"})"));
    std::string key = "stale";
    int32_t type = 0;
    for (const int32_t index : {0, 2, -1}) {
        EXPECT_EQ(object.getAt(index, type, key), "");
        EXPECT_EQ(type, JsonType::None);
        EXPECT_EQ(key, "");
    }
    EXPECT_EQ(object.getAt(1, type, key), "1");
    EXPECT_EQ(key, "a");
}

TEST(JsonReply, ReadsMessageAndErrorCode) {
    JsonReply reply;
    ASSERT_TRUE(reply.parse(R"({"errcode":"0","msg":"成功","data":""})"));
    EXPECT_EQ(reply.errorCode(), "0");
    EXPECT_EQ(reply.message(), "成功");
}

TEST(JsonLibrary, MemberHandlesFollowTheirTreeAndDieWithIt) {
    const int32_t root = jsonparse(R"({"a":{"b":"1"}})");
    int32_t a = 0;
    int32_t b = 0;
    ASSERT_EQ(jsongetobjectvalue(root, "a", a), JsonType::Object);
    ASSERT_EQ(jsongetobjectvalue(a, "b", b), JsonType::String);
    int32_t again = 0;
    jsongetobjectvalue(root, "a", again);
    EXPECT_EQ(again, a);  // asking again reuses the handle instead of growing the table
    EXPECT_NE(jsonpushstring(a, "c", "2"), 0);
    EXPECT_EQ(jsontostring(root), R"({"a":{"b":"1","c":"2"}})");
    EXPECT_EQ(jsongetstring(b), "1");
    jsonfree(root);
    EXPECT_EQ(jsongettype(a), JsonType::None);
    EXPECT_EQ(jsongettype(b), JsonType::None);
    jsonfree(0);
}

TEST(JsonLibrary, NumbersReadAsTheAskedWidth) {
    const int32_t root = jsonparse(R"({"big":3000000000,"neg":-5,"real":2.9,"huge":1e300,"s":"7"})");
    int32_t member = 0;
    jsongetobjectvalue(root, "big", member);
    EXPECT_EQ(jsongetuint(member), 3000000000u);
    EXPECT_EQ(static_cast<int32_t>(jsongetuint(member)), -1294967296);
    EXPECT_EQ(jsongetlonglong(member), 3000000000);
    jsongetobjectvalue(root, "neg", member);
    EXPECT_EQ(jsongetint(member), -5);
    EXPECT_EQ(jsongetdouble(member), -5.0);
    jsongetobjectvalue(root, "real", member);
    EXPECT_EQ(jsongetint(member), 2);
    jsongetobjectvalue(root, "huge", member);
    EXPECT_EQ(jsongetint(member), 0);
    jsongetobjectvalue(root, "s", member);
    EXPECT_EQ(jsongetint(member), 0);
    EXPECT_FALSE(jsongetbool(member));
    jsonfree(root);
}

}  // namespace
}  // namespace k3
