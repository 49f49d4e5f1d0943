#include "select/wildcard.h"
#include "utf.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The case rule, which the fuzz target takes from the same function, and the cost of many stars;
// the fuzz target checks the rest of matching against a reference matcher.
const struct {
    std::u16string text;
    std::u16string pattern;
    bool match;
} kMatchCases[] = {
    {u"untitled - notepad", u"UNTITLED - NOTEPAD", true},
    // Letters fold by the system's case mapping, beyond ASCII too.
    {u"ПРИВЕТ", u"привет", true},
    {u"ÉCOLE", u"école", true},
    {u"Привет", u"Привес", false},
    // Nothing else pairs: not the punctuation and symbols that differ in bit 0x20, nor CJK characters
    // whose units do.
    {u"{x}", u"[x]", false},
    {u"@", u"`", false},
    {u"×", u"÷", false},
    {u"中", u"\u4E0D", false},
    // Long texts with many stars stay cheap.
    {std::u16string(511, u'a'), std::u16string(100, u'*') + u"b", false},
    {std::u16string(510, u'a') + u"b", std::u16string(100, u'*') + u"b", true},
};

TEST(WildcardMatch, FoldsCaseByTheSystemsRuleAndStaysCheap) {
    for (const auto& c : kMatchCases)
        EXPECT_EQ(WildcardMatch(c.text.c_str(), c.pattern.c_str()), c.match)
            << "text '" << U8(c.text) << "' pattern '" << U8(c.pattern) << "'";
}

} // namespace
