#include "report/newlines.h"
#include "select/excluded.h"
#include "utf.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// ExpandNewlines is the fuzz target's to check. The line, cut to fit, in a buffer of `cap` units:
// anything past the terminator must not leak out.
void Put(const std::string& line, char16_t* buf, int cap) {
    std::fill(buf, buf + cap, u'Z');
    std::u16string wide = U16(line).substr(0, static_cast<size_t>(cap - 1));
    wide.copy(buf, wide.size());
    buf[wide.size()] = 0;
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
