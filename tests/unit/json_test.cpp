#include "report/json.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

TEST(JsonString, EscapesEachClassAndCutsBeforeAPair) {
    const struct {
        std::u16string in;
        int limit;
        std::u16string out;
    } cases[] = {
        {u"a\"b\\c/", 511, u"\"a\\\"b\\\\c/\""},
        {u"\b\t\n\v\f\r", 511, u"\"\\b\\t\\n\\u000b\\f\\r\""},
        {u"\x01\x1f\x20\x7f\xff", 511, u"\"\\u0001\\u001f \x7f\xff\""},
        {u"\xd83d\xde00|\xd83d|\xdfff|\xdbff\xd800", 511, u"\"\xd83d\xde00|\\ud83d|\\udfff|\\udbff\\ud800\""},
        {u"ab\xd83d\xde00", 3, u"\"ab\""},
        {u"ab\xd83d\xde00", 4, u"\"ab\xd83d\xde00\""},
    };
    for (const auto& c : cases) {
        char16_t buf[64];
        JsonText t;
        JsonBegin(&t, buf, 64);
        JsonString(&t, c.in.c_str(), c.limit);
        EXPECT_EQ(std::u16string(buf), c.out) << c.limit;
    }
}

TEST(JsonText, AppendsNothingOnceAPieceDoesNotFit) {
    const struct {
        int cap;
        std::u16string out;
        bool overflow;
    } cases[] = {
        {18, u"{\"n\":-2147483648,", false}, // exactly full
        {17, u"{\"n\":-2147483648", true},
        {16, u"{\"n\":", true}, // the number does not fit, and then the comma would
        {4, u"{", true},
    };
    for (const auto& c : cases) {
        char16_t buf[32];
        JsonText t;
        JsonBegin(&t, buf, c.cap);
        JsonRaw(&t, "{");
        JsonAsciiString(&t, "n");
        JsonRaw(&t, ":");
        JsonInt(&t, INT_MIN);
        JsonRaw(&t, ",");
        EXPECT_EQ(std::u16string(buf), c.out) << c.cap;
        EXPECT_EQ(t.overflow, c.overflow) << c.cap;
    }
}

TEST(JsonText, WritesDecimals) {
    char16_t buf[64];
    JsonText t;
    JsonBegin(&t, buf, 64);
    for (int n : {0, -1, INT_MAX})
        JsonInt(&t, n);
    JsonUnsigned(&t, 0);
    JsonUnsigned(&t, UINT_MAX);
    EXPECT_EQ(std::u16string(buf), u"0-1214748364704294967295"); // 0 -1 INT_MAX 0 UINT_MAX
}

} // namespace
