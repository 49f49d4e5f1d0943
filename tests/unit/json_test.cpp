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

// Each conversion once; on a small buffer a piece appends whole or not at all, and nothing after it.
TEST(JsonText, FormatsEachConversionAndAppendsWholePiecesOnly) {
    const std::u16string all =
        u"{\"n\":-2147483648,\"u\":4294967295,\"z\":null,\"b\":true,\"h\":\"0x0000beef\","
        u"\"s\":\"T\\\"\",\"a\":\"x\",\"q\":null}";
    const struct {
        int cap;
        std::u16string out;
    } cases[] = {{128, all}, {17, u"{\"n\":-2147483648"}, {16, u""}};
    for (const auto& c : cases) {
        char16_t buf[128];
        JsonText t;
        JsonBegin(&t, buf, c.cap);
        JsonFormat(&t, "{\"n\":%i", INT_MIN);
        JsonFormat(&t, ",\"u\":%u,\"z\":%z,\"b\":%b,\"h\":%h,\"s\":%s,\"a\":%a,\"q\":%s%r", UINT_MAX, 0, 2,
                   reinterpret_cast<const void*>(0xbeef), u"T\"", "x", nullptr, "}");
        JsonFormat(&t, "%i", 7); // nothing more once a piece did not fit
        EXPECT_EQ(std::u16string(buf), c.out == all ? all + u"7" : c.out) << c.cap;
        EXPECT_EQ(t.overflow, c.cap < 128) << c.cap;
    }
}

} // namespace
