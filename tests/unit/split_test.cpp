#include "cmdline/split.h"
#include "utf.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct SplitCase {
    const char* line;
    std::vector<std::string> words;
};

std::vector<std::string> Split(const std::string& line, bool* fits) {
    static char16_t copy[kCmdLineCap];
    static ArgTable table;
    *fits = SplitArgs(U16(line).c_str(), copy, kCmdLineCap, &table);
    std::vector<std::string> words;
    for (int k = 0; k < table.count; ++k)
        words.push_back(U8(table.entries[k]));
    return words;
}

const SplitCase kSplitCases[] = {
    {"x.exe  -text=\"Foo Bar\"   -v", {"x.exe", "-text=Foo Bar", "-v"}},
    {"\"C:\\Program Files\\x.exe\" -class=Foo", {"C:\\Program Files\\x.exe", "-class=Foo"}},
    {"x.exe -te\"xt=Foo Bar\"", {"x.exe", "-text=Foo Bar"}},
    {"x.exe -text=\"\"", {"x.exe", "-text="}},
    {"x.exe -text=\"a\\\"b\"", {"x.exe", "-text=a\\\"b"}},
    {"x.exe -text=Foo\"Bar\"Baz", {"x.exe", "-text=FooBarBaz"}},
    {"x.exe -text=a\"b -v", {"x.exe", "-text=ab -v"}},
    {"x.exe\t-v", {"x.exe\t-v"}},
    {" \t x.exe -v \t ", {"x.exe", "-v"}},
    {"", {}},
    {" \t ", {}},
    {"x.exe -text=\"\"\"", {"x.exe", "-text="}},
    {"x.exe \"\"", {"x.exe", ""}},
    {"x.exe -text=\\\"quoted\\\"", {"x.exe", "-text=\\\"quoted\\\""}},
    // A backslash never affects splitting: the quote opens, and survives only its removal.
    {"x.exe a\\\\\"b c\"", {"x.exe", "a\\\\\"b c"}},
    {"x.exe \"a b\"c\" d\"", {"x.exe", "a bc d"}},
    // Only the ASCII quote and space count: a fullwidth quote or space is part of a word.
    {"x.exe -text=\"Привет мир\" -class=＂a　b＂", {"x.exe", "-text=Привет мир", "-class=＂a　b＂"}},
    {"x.exe -text=😀?", {"x.exe", "-text=😀?"}},
};

TEST(SplitArgs, FollowsTheQuotingRules) {
    for (const SplitCase& c : kSplitCases) {
        bool fits = false;
        EXPECT_EQ(Split(c.line, &fits), c.words) << "line: " << c.line;
        EXPECT_TRUE(fits) << "line: " << c.line;
    }
}

TEST(SplitArgs, RefusesALineThatDoesNotFitWhole) {
    // Counted in UTF-16 units: a Cyrillic letter is one, an emoji two.
    std::string longest = "ж" + std::string(kCmdLineCap - 4, 'a') + "😀";
    bool fits = false;
    EXPECT_EQ(Split(longest, &fits).size(), 1u);
    EXPECT_TRUE(fits);

    Split(longest + "a", &fits);
    EXPECT_FALSE(fits);
}

TEST(SplitArgs, TheTableHoldsEveryWordOfTheLongestLine) {
    std::string line = "a";
    while (line.size() + 2 <= kCmdLineCap - 1)
        line += " b";
    bool fits = false;
    std::vector<std::string> words = Split(line, &fits);
    EXPECT_TRUE(fits);
    EXPECT_EQ(words.size(), static_cast<size_t>(kMaxArgs));
    EXPECT_EQ(words.back(), "b");
}

} // namespace
