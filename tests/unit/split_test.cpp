#include "cmdline/split.h"
#include "utf.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Split(const std::string& line, bool* fits) {
    static char16_t copy[kCmdLineCap];
    static ArgTable table;
    *fits = SplitArgs(U16(line).c_str(), copy, kCmdLineCap, &table);
    std::vector<std::string> words;
    for (int k = 0; k < table.count; ++k)
        words.push_back(U8(table.entries[k]));
    return words;
}

// Counted in UTF-16 units: a Cyrillic letter is one, an emoji two.
const std::string kLongest = "ж" + std::string(kCmdLineCap - 4, 'a') + "😀";

const struct {
    std::string line;
    std::vector<std::string> words;
    bool fits = true;
} kSplitCases[] = {
    {"x.exe  -text=\"Foo Bar\"   -v", {"x.exe", "-text=Foo Bar", "-v"}},
    {"\"C:\\Program Files\\x.exe\" -class=Foo", {"C:\\Program Files\\x.exe", "-class=Foo"}},
    {"x.exe \"a b\"c\" d\" \"\"", {"x.exe", "a bc d", ""}},
    {"x.exe -text=a\"b -v", {"x.exe", "-text=ab -v"}},
    // An escaped quote stays, yet toggles quoting like any other.
    {"x.exe -text=\"a\\\"b\"", {"x.exe", "-text=a\\\"b"}},
    {"x.exe a\\\\\"b c\"", {"x.exe", "a\\\\\"b c"}},
    // Spaces and tabs are trimmed at the ends, but only the space separates.
    {" \t x.exe\t-v \t ", {"x.exe\t-v"}},
    {" \t ", {}},
    // Only the ASCII quote and space count: a fullwidth quote or space is part of a word.
    {"x.exe -text=\"Привет мир\" -class=＂a　b＂", {"x.exe", "-text=Привет мир", "-class=＂a　b＂"}},
    // A line is taken whole or not at all.
    {kLongest, {kLongest}},
    {kLongest + "a", {}, false},
    // As many words as the table holds.
    {"b" + Repeat(" b", kMaxArgs - 1), std::vector<std::string>(kMaxArgs, "b")},
};

TEST(SplitArgs, FollowsTheQuotingRules) {
    for (const auto& c : kSplitCases) {
        bool fits = !c.fits;
        EXPECT_EQ(Split(c.line, &fits), c.words) << "line: " << c.line;
        EXPECT_EQ(fits, c.fits) << "line: " << c.line;
    }
}

} // namespace
