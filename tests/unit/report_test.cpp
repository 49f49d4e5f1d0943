#include "report/newlines.h"
#include "select/excluded.h"
#include "utf.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Repeat(const std::string& piece, size_t times) {
    std::string out;
    for (size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

std::u16string Expand(const std::string& in, int cap = kLineCap) {
    char16_t buf[kListingLineCap];
    std::fill(buf, buf + kListingLineCap, u'Z'); // anything past the terminator must not leak out
    std::u16string wide = U16(in).substr(0, static_cast<size_t>(cap - 1));
    wide.copy(buf, wide.size());
    buf[wide.size()] = 0;
    ExpandNewlines(buf, cap);
    EXPECT_NE(std::find(buf, buf + cap, u'\0'), buf + cap);
    return buf;
}

bool HasHalfPair(const std::u16string& s) {
    for (size_t i = 0; i < s.size(); ++i) {
        bool high = s[i] >= 0xD800 && s[i] <= 0xDBFF;
        bool lowNext = i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF;
        if (high && !lowNext) return true;
        if (high) ++i;
    }
    return false;
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
        EXPECT_EQ(U8(Expand(c.in)), c.out) << c.in;
}

TEST(ExpandNewlines, CutsALineThatNoLongerFitsAndKeepsItsEnd) {
    struct {
        std::string in;
        int cap;
        size_t length;
        bool endsInCrLf;
    } cases[] = {
        {std::string(1022, 'x') + "\n", kLineCap, 1023, true},
        {std::string(1021, 'x') + "\n", kLineCap, 1023, true},
        {std::string(600, '\n'), kLineCap, 1022, true},
        {"text='" + std::string(500, '\n') + "' class='x'\n", kLineCap, 1019, true},
        {"text='" + std::string(510, '\n') + "' class='x'\n", kLineCap, 1022, true},
        {std::string(1023, 'x'), kLineCap, 1023, false},
        {std::string(511, '\n') + "abc", kLineCap, 1023, false},
        // Never half a surrogate pair.
        {"\n" + Repeat("😀", 510) + "\n", kLineCap, 1022, true},
        {"\n" + Repeat("😀", 511), kLineCap, 1022, false},
        // A listing line holds the longest text and class whole, every unit a line feed.
        {"win[10]:  hWnd=0x0000000000012345 text='" + std::string(511, '\n') + "' class='" +
             std::string(256, '\n') + "'\n",
         kListingLineCap, 40 + 1022 + 9 + 512 + 3, true},
    };
    for (const auto& c : cases) {
        std::u16string out = Expand(c.in, c.cap);
        EXPECT_EQ(out.size(), c.length);
        EXPECT_EQ(out.size() >= 2 && out.compare(out.size() - 2, 2, u"\r\n") == 0, c.endsInCrLf);
        EXPECT_FALSE(HasHalfPair(out));
        for (size_t i = 0; i + 1 < out.size(); ++i) {
            if (out[i + 1] == '\n') {
                EXPECT_EQ(out[i], '\r') << "at " << i;
            }
        }
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
        std::u16string wide = U16(c.line).substr(0, kLineCap - 1);
        wide.copy(line, wide.size());
        line[wide.size()] = 0;
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
        {u"MSCTFIME UI", true},
        {u"IME", true},
        {u"DEMLMom", true},
        {u"OleDdeWndClass", true},
        {u"ime", false},
        {u"demlmom", false},
        {u"MozillaWindowClass ", false},
        {u"MozillaWindow", false},
        {u"", false},
        {u"Notepad", false},
        {u"IMЕ", false}, // a Cyrillic Е
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsExcludedClass(c.name), c.excluded) << U8(c.name);
}

} // namespace
