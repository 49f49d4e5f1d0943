// WildcardMatch against a table-filling matcher of the same rules, on any UTF-16 text.
#include "select/wildcard.h"
#include "text/text.h"
#include "fuzz_check.h"

#include <cstring>

// Code points: a surrogate pair is one, a lone surrogate is one of its own.
static std::vector<char32_t> Chars(const std::u16string& s) {
    std::vector<char32_t> out;
    for (size_t i = 0; i < s.size(); ++i) {
        char32_t c = s[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (s[++i] - 0xDC00);
        out.push_back(c);
    }
    return out;
}

// Two code points through the platform's comparison, which takes each as UTF-16.
static bool Same(char32_t a, char32_t b) {
    char16_t ua[2], ub[2];
    int na = a > 0xFFFF ? 2 : 1, nb = b > 0xFFFF ? 2 : 1;
    ua[0] = static_cast<char16_t>(na == 2 ? 0xD800 + ((a - 0x10000) >> 10) : a);
    ua[1] = static_cast<char16_t>(0xDC00 + ((a - 0x10000) & 0x3FF));
    ub[0] = static_cast<char16_t>(nb == 2 ? 0xD800 + ((b - 0x10000) >> 10) : b);
    ub[1] = static_cast<char16_t>(0xDC00 + ((b - 0x10000) & 0x3FF));
    return SameCharIgnoringCase(ua, na, ub, nb);
}

// fits[i][j]: text from i on matches pattern from j on. Quadratic, but plainly the rules.
static bool ReferenceMatch(const std::vector<char32_t>& text, const std::vector<char32_t>& pattern) {
    size_t n = text.size(), m = pattern.size();
    std::vector<std::vector<char>> fits(n + 1, std::vector<char>(m + 1, 0));
    fits[n][m] = true; // the pattern's end matches only the text's end
    for (size_t i = n + 1; i-- > 0;) {
        for (size_t j = m; j-- > 0;) {
            char32_t p = pattern[j];
            fits[i][j] = p == '*' ? fits[i][j + 1] || (i < n && fits[i + 1][j])
                                  : i < n && (p == '?' || Same(text[i], p)) && fits[i + 1][j + 1];
        }
    }
    return fits[0][0] != 0;
}

// Up to the first NUL unit and at most 300 units.
static std::u16string Part(const std::u16string& s) {
    return s.substr(0, std::min(s.find(u'\0'), size_t{300}));
}

// Input: text, NUL, pattern (up to the next NUL). Without a NUL the halves are text and pattern.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const uint8_t* sep = static_cast<const uint8_t*>(std::memchr(data, 0, size));
    size_t textEnd = sep ? static_cast<size_t>(sep - data) : size / 2;
    size_t patternStart = sep ? textEnd + 1 : textEnd;
    std::u16string text = Part(UnitsFrom(data, textEnd));
    std::u16string pattern = Part(UnitsFrom(data + patternStart, size - patternStart));
    std::vector<char16_t> t = Exact(text), p = Exact(pattern);
    assert(WildcardMatch(t.data(), p.data()) == ReferenceMatch(Chars(text), Chars(pattern)));
    return 0;
}
