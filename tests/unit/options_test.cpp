#include "cmdline/options.h"
#include "utf.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Outcome {
    int code;
    std::string text;
    std::string cls;
    int activate;
    int waittime;
    int maxcount;
    int verbose;
    int test;
    int utf8 = 0;
    std::string exe = "";
    int pid = 0;
};

Outcome Prepare(std::vector<std::string> words) {
    words.insert(words.begin(), "x.exe");
    std::vector<std::u16string> wide;
    for (const std::string& w : words)
        wide.push_back(U16(w));
    std::vector<char16_t*> entries;
    for (std::u16string& w : wide)
        entries.push_back(&w[0]);
    Settings s;
    int code = PrepareSettings(static_cast<int>(entries.size()), entries.data(), &s);
    return {code,   U8(s.windowtext), U8(s.windowclass), s.activate, s.waittime, s.maxcount, s.verbose,
            s.test, s.utf8,           U8(s.exename),     s.processid};
}

std::string Repeat(const std::string& piece, size_t times) {
    std::string out;
    for (size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

struct OptionCase {
    std::vector<std::string> words;
    Outcome want;
};

const OptionCase kOptionCases[] = {
    {{"-text=Foo"}, {0, "Foo", "", 0, 1000, 1, 0, 0}},
    {{"/TEXT=Foo"}, {0, "Foo", "", 0, 1000, 1, 0, 0}},
    {{"-text:Foo"}, {0, "Foo", "", 0, 1000, 1, 0, 0}},
    {{"-textXFoo"}, {0, "Foo", "", 0, 1000, 1, 0, 0}},
    {{"-text=Foo", "-text=Bar"}, {0, "Bar", "", 0, 1000, 1, 0, 0}},
    {{"-class=Foo", "-count=0"}, {0, "", "Foo", 0, 1000, 0, 0, 0}},
    {{"-class=Foo", "-count:3", "-wait=abc"}, {0, "", "Foo", 0, 0, 3, 0, 0}},
    {{"-class=Foo", "-wait=250ms", "-count=-7"}, {0, "", "Foo", 0, 250, -7, 0, 0}},
    {{"-all", "-class=Foo"}, {0, "", "Foo", 1, 1000, 1, 0, 0}},
    {{"-class=Foo", "-verbose"}, {0, "", "Foo", 0, 1000, 1, 1, 0}},
    {{"-class=Foo", "-test"}, {0, "", "Foo", 0, 1000, 1, 1, 1}},
    {{"-class=Foo", "/t", "/A"}, {0, "", "Foo", 1, 1000, 1, 1, 1}},
    {{"-text=Привет", "/UTF8"}, {0, "Привет", "", 0, 1000, 1, 0, 0, 1}},
    {{"-class=Foo", "text=Bar", "+v", "--"}, {0, "", "Foo", 0, 1000, 1, 0, 0}},
    // The process conditions: each is enough to run, and no other name takes their entries.
    {{"/EXE:\"My App.exe\""}, {0, "", "", 0, 1000, 1, 0, 0, 0, "My App.exe"}},
    {{"-Pid=42", "-e=x", "-p=1", "-test"}, {0, "", "", 0, 1000, 1, 1, 1, 0, "", 42}},
    {{"-exe=a*", "-pid:7x", "-text=t", "-class=c"}, {0, "t", "c", 0, 1000, 1, 0, 0, 0, "a*", 7}},
    {{"-text=x", "-pid=-5"}, {4, "", "", 0, 1000, 1, 0, 0}},
    {{"-class=x", "-pid"}, {4, "", "", 0, 1000, 1, 0, 0}},
    // "-w" without "-wait" is its own name and sets nothing.
    {{"-class=Foo", "-w=5", "-window=5"}, {0, "", "Foo", 0, 1000, 1, 0, 0}},
    // A bare name reads nothing beyond the entry: the value is empty.
    {{"-class=Foo", "-wait", "-count"}, {0, "", "Foo", 0, 0, 0, 0, 0}},
    {{"-class=Foo", "-text"}, {0, "", "Foo", 0, 1000, 1, 0, 0}},
    {{"-text"}, {4, "", "", 0, 1000, 1, 0, 0}},
    // Numbers saturate at the 32-bit limits.
    {{"-class=A", "-count=-2147483648", "-wait=2147483647"}, {0, "", "A", 0, INT_MAX, INT_MIN, 0, 0}},
    {{"-class=A", "-count=-99999999999", "-wait=99999999999999999999"},
     {0, "", "A", 0, INT_MAX, INT_MIN, 0, 0}},
    // Clean-up of the values.
    {{"-text=\\\"quoted\\\""}, {0, "\"quoted\"", "", 0, 1000, 1, 0, 0}},
    // A quote that ends the value goes, escaped or not.
    {{"-text=abc\\\""}, {0, "abc\\", "", 0, 1000, 1, 0, 0}},
    {{"-text=a\\\\b"}, {0, "a\\\\b", "", 0, 1000, 1, 0, 0}},
    {{"-text:\"x\""}, {0, "x", "", 0, 1000, 1, 0, 0}},
    // No pattern at all, or none left after the clean-up.
    {{"-v"}, {4, "", "", 0, 1000, 1, 1, 0}},
    {{"-text=", "-class="}, {4, "", "", 0, 1000, 1, 0, 0}},
    {{"-text:\"\""}, {4, "", "", 0, 1000, 1, 0, 0}},
    {{"-text:\""}, {4, "", "", 0, 1000, 1, 0, 0}},
};

TEST(PrepareSettings, ReadsEveryOption) {
    for (const OptionCase& c : kOptionCases) {
        Outcome got = Prepare(c.words);
        std::string line;
        for (const std::string& w : c.words)
            line += w + " ";
        EXPECT_EQ(got.code, c.want.code) << line;
        if (got.code) continue;
        EXPECT_EQ(got.text, c.want.text) << line;
        EXPECT_EQ(got.cls, c.want.cls) << line;
        EXPECT_EQ(got.activate, c.want.activate) << line;
        EXPECT_EQ(got.waittime, c.want.waittime) << line;
        EXPECT_EQ(got.maxcount, c.want.maxcount) << line;
        EXPECT_EQ(got.verbose, c.want.verbose) << line;
        EXPECT_EQ(got.test, c.want.test) << line;
        EXPECT_EQ(got.utf8, c.want.utf8) << line;
        EXPECT_EQ(got.exe, c.want.exe) << line;
        EXPECT_EQ(got.pid, c.want.pid) << line;
    }
}

TEST(PrepareSettings, NoArgumentsIsExitCodeOne) {
    char16_t program[] = u"x.exe";
    char16_t* entries[] = {program};
    Settings s;
    EXPECT_EQ(PrepareSettings(1, entries, &s), kExitNoArguments);
}

TEST(PrepareSettings, RefusesValuesThatDoNotFit) {
    struct {
        std::string word;
        int code;
    } cases[] = {
        // Counted in UTF-16 units.
        {"-class=" + Repeat("ж", 255), 0},
        {"-class=" + Repeat("ж", 256), kExitNoPattern},
        {"-exe=" + Repeat("ж", 506), 0}, // as long as an entry allows
        {"-text=" + Repeat("😀", 252) + "t", 0},
        {"-text=" + Repeat("😀", 253), kExitNoPattern},
        {"-v" + std::string(509, 'v'), 0},
        {"-v" + std::string(510, 'v'), kExitNoPattern}, // an entry over 511 characters
    };
    for (const auto& c : cases) {
        Outcome got = Prepare({"-text=x", c.word});
        EXPECT_EQ(got.code, c.code) << c.word.size();
    }
    // A refused entry must not leave a cut pattern behind for anyone to use.
    EXPECT_EQ(Prepare({"-text=" + std::string(600, '*') + "x"}).code, kExitNoPattern);
}

struct QuoteCase {
    const char* value;
    const char* stripped;
};

TEST(StripQuotes, DropsEnclosingAndLoneTrailingQuotes) {
    const QuoteCase cases[] = {
        {"\"abc\"", "abc"},
        {"abc\"", "abc"},
        {"\\\"quoted\\\"", "\\\"quoted\\\""},
        {"a\"b\"", "a\"b\""},
        {"\"", ""},
        {"\"\"", ""},
        {"", ""},
        {"\"a\"b\"", "a\"b"},
        {"ab\"c", "ab\"c"},
    };
    for (const QuoteCase& c : cases) {
        char16_t buf[kTextCap] = {};
        std::u16string value = U16(c.value);
        value.copy(buf, value.size());
        StripQuotes(buf);
        EXPECT_EQ(U8(buf), c.stripped) << c.value;
    }
}

} // namespace
