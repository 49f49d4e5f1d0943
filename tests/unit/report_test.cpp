#include "report/newlines.h"
#include "select/excluded.h"
#include "utf.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The line, cut to fit, in a buffer of `cap` units: anything past the terminator must not leak out.
void Put(const std::string& line, char16_t* buf, int cap) {
    std::fill(buf, buf + cap, u'Z');
    std::u16string wide = U16(line).substr(0, static_cast<size_t>(cap - 1));
    wide.copy(buf, wide.size());
    buf[wide.size()] = 0;
}

TEST(ExpandNewlines, GivesEveryLineFeedItsCarriageReturnAndCutsWhatNoLongerFits) {
    const std::string listing = "win[10]:  hWnd=0x0000000000012345 text='";
    const struct {
        std::string in;
        std::string out;
        int cap;
    } cases[] = {
        // A line that no longer fits is cut, keeping its CR LF, and never inside a surrogate pair.
        {std::string(1021, 'x') + "\n", std::string(1021, 'x') + "\r\n", kLineCap},
        {std::string(1022, 'x') + "\n", std::string(1021, 'x') + "\r\n", kLineCap},
        {std::string(600, '\n'), Repeat("\r\n", 511), kLineCap},
        {"text='" + std::string(510, '\n') + "' class='x'\n", "text='" + Repeat("\r\n", 508), kLineCap},
        {std::string(511, '\n') + "abc", Repeat("\r\n", 511) + "a", kLineCap},
        {"\n" + Repeat("😀", 510) + "\n", "\r\n" + Repeat("😀", 509) + "\r\n", kLineCap},
        {"\n" + Repeat("😀", 511), "\r\n" + Repeat("😀", 510), kLineCap},
        // A listing line holds the longest text and class whole, every unit a line feed.
        {listing + std::string(511, '\n') + "' class='" + std::string(256, '\n') + "'\n",
         listing + Repeat("\r\n", 511) + "' class='" + Repeat("\r\n", 256) + "'\r\n", kListingLineCap},
        {"\n\na\n", "\r\n\r\na\r\n", kLineCap},
        {"a\r\nb\r\r\n", "a\r\nb\r\r\n", kLineCap},
        {"", "", kLineCap},
    };
    for (const auto& c : cases) {
        char16_t buf[kListingLineCap];
        Put(c.in, buf, c.cap);
        ExpandNewlines(buf, c.cap);
        ASSERT_NE(std::find(buf, buf + c.cap, u'\0'), buf + c.cap) << c.in.size();
        EXPECT_EQ(U8(buf), c.out) << c.in.size();
    }
}

TEST(KeepLineEnd, RestoresTheLineFeedOfACutLineAndDropsAHalfPair) {
    const struct {
        std::string line;
        const char* format;
        std::string kept;
    } cases[] = {
        {std::string(1023, 'x'), "text='%s'\n", std::string(1022, 'x') + "\n"},
        {std::string(1023, 'x'), "win[%i]", std::string(1023, 'x')},
        {std::string(1021, 'x') + "😀", "%s\n", std::string(1021, 'x') + "\n"},
        {std::string(1022, 'x') + "😀", "%s", std::string(1022, 'x')}, // cut inside the pair
        {"short\n", "%s\n", "short\n"},
    };
    for (const auto& c : cases) {
        char16_t line[kLineCap];
        Put(c.line, line, kLineCap);
        KeepLineEnd(line, kLineCap, c.format);
        EXPECT_EQ(U8(line), c.kept) << c.format;
    }
}

TEST(IsExcludedClass, ComparesExactly) {
    const struct {
        const char16_t* name;
        bool excluded;
    } cases[] = {
        {u"MozillaWindowClass", true},
        {u"IME", true},
        {u"OleDdeWndClass", true},
        {u"DEMLMom", true},
        {u"ime", false},
        {u"MozillaWindowClass ", false},
        {u"MozillaWindow", false},
        {u"", false},
        {u"IMЕ", false}, // a Cyrillic Е
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsExcludedClass(c.name), c.excluded) << U8(c.name);
}

} // namespace
