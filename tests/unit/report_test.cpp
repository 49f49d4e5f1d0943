#include "select/excluded.h"
#include "utf.h"

#include <gtest/gtest.h>

#include <string>

namespace {

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
