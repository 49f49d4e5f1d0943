#include "select/wildcard.h"
#include "utf.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct MatchCase {
    std::u16string text;
    std::u16string pattern;
    bool match;
};

const MatchCase kMatchCases[] = {
    {u"Notepad", u"note*", true},
    {u"Notepad", u"*pad", true},
    {u"Notepad", u"N?tepad", true},
    {u"abcd", u"abc", false},
    {u"abc  ", u"abc", false},
    {u"abc d", u"abc", false},
    {u"abc ", u"a*c", false},
    {u"abc ", u"abc*", true},
    {u" abc", u"abc", false},
    {u"", u"*", true},
    {u"", u"a", false},
    {u"banana", u"*a", true},
    {u"abc", u"*b", false},
    {u"a c", u"a?c", true},
    {u"aXbYc", u"a*b*c", true},
    {u" ", u"", false},
    {u"", u"", true},
    {u"", u"**", true},
    {u"", u"?", false},
    {u"ab", u"?", false},
    {u"untitled - notepad", u"UNTITLED - NOTEPAD", true},
    {u"*?", u"**", true},
    {u"ac", u"a?*c", false},
    {u"mississippi", u"m*iss*ppi", true},
    {u"mississippi", u"m*iss*pp", false},
    {u"aaa", u"*aaaa", false},
    {u"xyz", u"x*?", true},
    {u"x", u"x*?", false},
    {u"\n", u"*", true},
    // Letters fold by the system's case mapping, beyond ASCII too.
    {u"ПРИВЕТ", u"привет", true},
    {u"Ελλάδα", u"ΕΛΛΆΔΑ", true},
    {u"ÉCOLE", u"école", true},
    {u"Привет", u"Привес", false},
    // Nothing else pairs: not the punctuation, controls and symbols that differ in bit 0x20, nor
    // CJK characters whose units do.
    {u"{x}", u"[x]", false},
    {u"@", u"`", false},
    {u"\\", u"|", false},
    {u"\x11", u"1", false},
    {u"×", u"÷", false},
    {u"ß", u"ÿ", false},
    {u"中", u"\u4E0D", false},
    // "?" is one character: a surrogate pair counts once; a lone surrogate is a character too.
    {u"😀", u"?", true},
    {u"\xDBFF\xDFFF", u"?", true}, // the last pair of all
    {u"😀", u"??", false},
    {u"a😀b", u"a?b", true},
    {u"x😀", u"x😀", true},
    {u"😀", u"😁", false},
    {u"\xD83D", u"?", true},
    {u"\xD83Dz", u"??", true},
    {u"\xDE00\xD83D", u"??", true},
    {u"😀😀", u"*?", true},
    {u"😀", u"\xD83D*", false},
    {u"😀", u"*\xDE00", false}, // a star never stops inside a pair
};

TEST(WildcardMatch, MatchesWholeTexts) {
    for (const MatchCase& c : kMatchCases)
        EXPECT_EQ(WildcardMatch(c.text.c_str(), c.pattern.c_str()), c.match)
            << "text '" << U8(c.text) << "' pattern '" << U8(c.pattern) << "'";
}

TEST(WildcardMatch, LongTextsWithManyStarsStayCheap) {
    std::u16string text(511, u'a');
    std::u16string pattern = std::u16string(100, u'*') + u"b";
    EXPECT_FALSE(WildcardMatch(text.c_str(), pattern.c_str()));
    text.back() = u'b';
    EXPECT_TRUE(WildcardMatch(text.c_str(), pattern.c_str()));
}

} // namespace
