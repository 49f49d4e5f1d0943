#include "report/json.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Each escape class, the limit at a pair, null; and a buffer too small is cut, not overrun.
TEST(JsonQuote, EscapesEachClassAndCutsBeforeAPair) {
    const struct {
        const char16_t* in;
        int limit, cap;
        std::u16string out;
    } cases[] = {
        {u"a\"b\\c/", 511, 64, u"\"a\\\"b\\\\c/\""},
        {u"\a\b\t\n\v\f\r", 511, 64, u"\"\\u0007\\b\\t\\n\\u000b\\f\\r\""},
        {u"\x01\x1f\x20\x7f\xff", 511, 64, u"\"\\u0001\\u001f \x7f\xff\""},
        {u"\xd83d\xde00|\xd83d|\xdfff|\xdbff\xd800", 511, 64,
         u"\"\xd83d\xde00|\\ud83d|\\udfff|\\udbff\\ud800\""},
        {u"ab\xd83d\xde00", 3, 64, u"\"ab\""},
        {u"ab\xd83d\xde00", 4, 64, u"\"ab\xd83d\xde00\""},
        {nullptr, 511, 64, u"null"},
        {u"abcdef", 511, 5, u"\"abc"},
    };
    for (const auto& c : cases) {
        char16_t buf[64];
        std::fill(buf, buf + 64, u'Z');
        JsonQuote(buf, c.cap, c.in, c.limit);
        EXPECT_EQ(std::u16string(buf), c.out) << c.limit;
    }
}

} // namespace
