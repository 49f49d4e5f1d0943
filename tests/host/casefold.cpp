// The host's stand-in for the system's case mapping: the C library's simple Unicode mapping,
// whatever locale the process runs in.
#include "text/text.h"

#include <locale.h>
#include <wctype.h>

static char32_t CodePoint(const char16_t* s, int n) {
    return n == 2 ? 0x10000 + ((static_cast<char32_t>(s[0]) - 0xD800) << 10) + (s[1] - 0xDC00u) : s[0];
}

bool SameCharIgnoringCase(const char16_t* a, int na, const char16_t* b, int nb) {
    static locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    char32_t x = CodePoint(a, na), y = CodePoint(b, nb);
    return x == y || towupper_l(static_cast<wint_t>(x), utf8) == towupper_l(static_cast<wint_t>(y), utf8);
}
