#include "select/wildcard.h"
#include "utf.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const struct {
    std::u16string text;
    std::u16string pattern;
    bool match;
} kMatchCases[] = {
    {u"Notepad", u"note*", true},
    {u"Notepad", u"N?tepad", true},
    {u"untitled - notepad", u"UNTITLED - NOTEPAD", true},
    // The whole text, not a part of it.
    {u"abcd", u"abc", false},
    {u" abc", u"abc", false},
    {u"abc ", u"a*c", false},
    {u" ", u"", false},
    {u"", u"**", true},
    {u"", u"?", false},
    {u"ac", u"a?*c", false},
    {u"x", u"x*?", false},
    {u"xyz", u"x*?", true},
    {u"banana", u"*a", true},
    {u"aaa", u"*aaaa", false},
    {u"mississippi", u"m*iss*ppi", true},
    {u"mississippi", u"m*iss*pp", false},
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
    // "?" is one character: a surrogate pair counts once; a lone surrogate is a character too.
    {u"\xDBFF\xDFFF", u"?", true}, // the last pair of all
    {u"😀", u"??", false},
    {u"😀", u"😁", false},
    {u"\xD83Dz", u"??", true},
    {u"😀", u"\xD83D*", false},
    {u"😀", u"*\xDE00", false}, // a star never stops inside a pair
    // Long texts with many stars stay cheap.
    {std::u16string(511, u'a'), std::u16string(100, u'*') + u"b", false},
    {std::u16string(510, u'a') + u"b", std::u16string(100, u'*') + u"b", true},
};

TEST(WildcardMatch, MatchesWholeTexts) {
    for (const auto& c : kMatchCases)
        EXPECT_EQ(WildcardMatch(c.text.c_str(), c.pattern.c_str()), c.match)
            << "text '" << U8(c.text) << "' pattern '" << U8(c.pattern) << "'";
}

} // namespace
