// WildcardMatch against a table-filling matcher of the same rules, on any bytes.
#include "select/wildcard.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

const size_t kPartMax = 300;

bool SameChar(unsigned char c, unsigned char p) {
    return ((c ^ p) & 0xDF) == 0;
}

// fits[i][j]: text from i on matches pattern from j on. Quadratic, but plainly the rules.
bool ReferenceMatch(const unsigned char* text, size_t n, const unsigned char* pattern, size_t m) {
    std::vector<unsigned char> fits((n + 1) * (m + 1), 0);
    auto at = [&](size_t i, size_t j) -> unsigned char& { return fits[i * (m + 1) + j]; };
    at(n, m) = 1; // the pattern's end matches only the text's end
    for (size_t i = n + 1; i-- > 0;) {
        for (size_t j = m; j-- > 0;) {
            unsigned char p = pattern[j];
            if (p == '*')
                at(i, j) = at(i, j + 1) || (i < n && at(i + 1, j));
            else
                at(i, j) = i < n && (p == '?' || SameChar(text[i], p)) && at(i + 1, j + 1);
        }
    }
    return at(0, 0) != 0;
}

// A heap block of exactly the string and its terminator: a read past it is an ASan report.
std::vector<char> Terminated(const uint8_t* bytes, size_t n) {
    std::vector<char> s(n + 1);
    if (n) std::memcpy(s.data(), bytes, n);
    s[n] = 0;
    return s;
}

size_t LengthUpTo(const uint8_t* bytes, size_t size, size_t max) {
    const void* nul = std::memchr(bytes, 0, size);
    size_t n = nul ? static_cast<size_t>(static_cast<const uint8_t*>(nul) - bytes) : size;
    return n < max ? n : max;
}

} // namespace

// Input: text, NUL, pattern (up to the next NUL). Without a NUL the halves are text and pattern.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const uint8_t* sep = static_cast<const uint8_t*>(std::memchr(data, 0, size));
    size_t textEnd = sep ? static_cast<size_t>(sep - data) : size / 2;
    size_t patternStart = sep ? textEnd + 1 : textEnd;
    size_t n = LengthUpTo(data, textEnd, kPartMax);
    size_t m = LengthUpTo(data + patternStart, size - patternStart, kPartMax);
    std::vector<char> text = Terminated(data, n);
    std::vector<char> pattern = Terminated(data + patternStart, m);

    bool expected = ReferenceMatch(reinterpret_cast<const unsigned char*>(text.data()), n,
                                   reinterpret_cast<const unsigned char*>(pattern.data()), m);
    FUZZ_CHECK(WildcardMatch(text.data(), pattern.data()) == expected);
    return 0;
}
