// The host's stand-in for the system's case mapping: the C library's simple Unicode mapping,
// whatever locale the process runs in.
#include "text/text.h"

#include <locale.h>
#include <wctype.h>

bool SameCharIgnoringCase(char32_t a, char32_t b) {
    static locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    if (a == b) return true;
    return towupper_l(static_cast<wint_t>(a), utf8) == towupper_l(static_cast<wint_t>(b), utf8);
}
