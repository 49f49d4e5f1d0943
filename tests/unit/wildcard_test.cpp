#include "select/wildcard.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct MatchCase {
    std::string text;
    std::string pattern;
    bool match;
};

const MatchCase kMatchCases[] = {
    {"Notepad", "note*", true},
    {"Notepad", "*pad", true},
    {"Notepad", "N?tepad", true},
    {"abcd", "abc", false},
    {"abc  ", "abc", false},
    {"abc d", "abc", false},
    {"abc ", "a*c", false},
    {"abc ", "abc*", true},
    {" abc", "abc", false},
    {"", "*", true},
    {"", "a", false},
    {"{x}", "[x]", true},
    {"banana", "*a", true},
    {"abc", "*b", false},
    {"a c", "a?c", true},
    {"aXbYc", "a*b*c", true},
    // The end of the pattern pairs with nothing, not even with the space under bit 0x20.
    {"abc ", "abc", false},
    {" ", "", false},
    {"", "", true},
    {"", "**", true},
    {"", "?", false},
    {"a", "?", true},
    {"ab", "?", false},
    {"untitled - notepad", "UNTITLED - NOTEPAD", true},
    {"*?", "**", true},
    {"ac", "a?*c", false},
    {"abbbc", "a**c", true},
    {"mississippi", "m*iss*ppi", true},
    {"mississippi", "m*iss*pp", false},
    {"aaa", "*aa", true},
    {"aaa", "*aaaa", false},
    {"xyz", "x*?", true},
    {"x", "x*?", false},
    // Bit 0x20 pairs more than letters: digits with control bytes, 0x5B with 0x7B, high bytes.
    {"\x11", "1", true},
    {"_", "\x7f", true},
    {"\xe9", "\xc9", true},
    {"\xe9", "\xe8", false},
    {"@", "`", true},
    {"a", "b", false},
    // Wildcards are wildcards only as exactly 0x2A and 0x3F.
    {"\n", "*", true},
    {"\x1f", "?", true},
    {"a\x1f", "a\x1f", true},
};

TEST(WildcardMatch, MatchesWholeTexts) {
    for (const MatchCase& c : kMatchCases)
        EXPECT_EQ(WildcardMatch(c.text.c_str(), c.pattern.c_str()), c.match)
            << "text '" << c.text << "' pattern '" << c.pattern << "'";
}

TEST(WildcardMatch, LongTextsWithManyStarsStayCheap) {
    std::string text(255, 'a');
    std::string pattern = std::string(100, '*') + "b";
    EXPECT_FALSE(WildcardMatch(text.c_str(), pattern.c_str()));
    text.back() = 'b';
    EXPECT_TRUE(WildcardMatch(text.c_str(), pattern.c_str()));
}

} // namespace
