#include "report/newlines.h"
#include "select/excluded.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string Expand(const std::string& in) {
    char buf[kLineCap];
    memset(buf, 'Z', sizeof buf); // anything past the terminator must not leak out
    strncpy(buf, in.c_str(), kLineCap - 1);
    buf[kLineCap - 1] = 0;
    ExpandNewlines(buf);
    EXPECT_NE(memchr(buf, 0, kLineCap), nullptr);
    return buf;
}

struct NewlineCase {
    std::string in;
    std::string out;
};

TEST(ExpandNewlines, GivesEveryLineFeedItsCarriageReturn) {
    const NewlineCase cases[] = {
        {"found 3 windows to close\n", "found 3 windows to close\r\n"},
        {"a\r\nb\r\n", "a\r\nb\r\n"},
        {"\n", "\r\n"},
        {"\n\n", "\r\n\r\n"},
        {"a\rb\n", "a\rb\r\n"},
        {"\r\r\n", "\r\r\n"},
        {"no end", "no end"},
        {"", ""},
    };
    for (const NewlineCase& c : cases)
        EXPECT_EQ(Expand(c.in), c.out) << c.in;
}

TEST(ExpandNewlines, CutsALineThatNoLongerFitsAndKeepsItsEnd) {
    struct {
        std::string in;
        size_t length;
        bool endsInCrLf;
    } cases[] = {
        {std::string(1022, 'x') + "\n", 1023, true},
        {std::string(1021, 'x') + "\n", 1023, true},
        {std::string(600, '\n'), 1022, true},
        {"text='" + std::string(500, '\n') + "' class='x'\n", 1019, true},
        {"text='" + std::string(510, '\n') + "' class='x'\n", 1022, true},
        {std::string(1023, 'x'), 1023, false},
        {std::string(511, '\n') + "abc", 1023, false},
    };
    for (const auto& c : cases) {
        std::string out = Expand(c.in);
        EXPECT_EQ(out.size(), c.length);
        EXPECT_EQ(out.size() >= 2 && out.compare(out.size() - 2, 2, "\r\n") == 0, c.endsInCrLf);
        for (size_t i = 0; i + 1 < out.size(); ++i) {
            if (out[i + 1] == '\n') {
                EXPECT_EQ(out[i], '\r') << "at " << i;
            }
        }
    }
}

TEST(KeepLineEnd, RestoresTheLineFeedOfACutLine) {
    char line[kLineCap];
    memset(line, 'x', kLineCap - 1);
    line[kLineCap - 1] = 0;
    KeepLineEnd(line, "text='%s'\n");
    EXPECT_EQ(line[kLineCap - 2], '\n');

    memset(line, 'x', kLineCap - 1);
    KeepLineEnd(line, "win[%i]");
    EXPECT_EQ(line[kLineCap - 2], 'x');

    strcpy(line, "short\n");
    KeepLineEnd(line, "%s\n");
    EXPECT_STREQ(line, "short\n");
}

TEST(IsExcludedClass, ComparesExactly) {
    const struct {
        const char* name;
        bool excluded;
    } cases[] = {
        {"MozillaWindowClass", true},
        {"MSCTFIME UI", true},
        {"IME", true},
        {"DEMLMom", true},
        {"OleDdeWndClass", true},
        {"ime", false},
        {"demlmom", false},
        {"MozillaWindowClass ", false},
        {"MozillaWindow", false},
        {"", false},
        {"Notepad", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsExcludedClass(c.name), c.excluded) << c.name;
}

} // namespace
