// WildcardMatch against a table-filling matcher of the same rules, on any UTF-16 text.
#include "select/wildcard.h"
#include "text/text.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

const size_t kPartMax = 300;

// Code points: a surrogate pair is one, a lone surrogate is one of its own.
std::vector<char32_t> Chars(const std::u16string& s) {
    std::vector<char32_t> out;
    for (size_t i = 0; i < s.size(); ++i) {
        char32_t c = s[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (s[++i] - 0xDC00);
        out.push_back(c);
    }
    return out;
}

// fits[i][j]: text from i on matches pattern from j on. Quadratic, but plainly the rules.
bool ReferenceMatch(const std::vector<char32_t>& text, const std::vector<char32_t>& pattern) {
    size_t n = text.size(), m = pattern.size();
    std::vector<unsigned char> fits((n + 1) * (m + 1), 0);
    auto at = [&](size_t i, size_t j) -> unsigned char& { return fits[i * (m + 1) + j]; };
    at(n, m) = 1; // the pattern's end matches only the text's end
    for (size_t i = n + 1; i-- > 0;) {
        for (size_t j = m; j-- > 0;) {
            char32_t p = pattern[j];
            if (p == '*')
                at(i, j) = at(i, j + 1) || (i < n && at(i + 1, j));
            else
                at(i, j) = i < n && (p == '?' || SameCharIgnoringCase(text[i], p)) && at(i + 1, j + 1);
        }
    }
    return at(0, 0) != 0;
}

// Up to the first NUL unit and at most kPartMax units.
std::u16string Part(std::u16string s) {
    size_t nul = s.find(u'\0');
    if (nul != std::u16string::npos) s.resize(nul);
    if (s.size() > kPartMax) s.resize(kPartMax);
    return s;
}

} // namespace

// Input: text, NUL, pattern (up to the next NUL). Without a NUL the halves are text and pattern.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const uint8_t* sep = static_cast<const uint8_t*>(std::memchr(data, 0, size));
    size_t textEnd = sep ? static_cast<size_t>(sep - data) : size / 2;
    size_t patternStart = sep ? textEnd + 1 : textEnd;
    std::u16string text = Part(UnitsFrom(data, textEnd));
    std::u16string pattern = Part(UnitsFrom(data + patternStart, size - patternStart));
    // Heap blocks of exactly the string and its terminator: a read past one is an ASan report.
    std::vector<char16_t> t(text.c_str(), text.c_str() + text.size() + 1);
    std::vector<char16_t> p(pattern.c_str(), pattern.c_str() + pattern.size() + 1);

    FUZZ_CHECK(WildcardMatch(t.data(), p.data()) == ReferenceMatch(Chars(text), Chars(pattern)));
    return 0;
}
