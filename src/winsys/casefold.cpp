// The system's own case mapping for the matcher: ordinal, so the same whatever the user's locale.
#include "../text/text.h"

#include <windows.h>

static int ToUtf16(char32_t c, WCHAR* units) {
    if (c < 0x10000) {
        units[0] = static_cast<WCHAR>(c);
        return 1;
    }
    c -= 0x10000;
    units[0] = static_cast<WCHAR>(0xD800 + (c >> 10));
    units[1] = static_cast<WCHAR>(0xDC00 + (c & 0x3FF));
    return 2;
}

bool SameCharIgnoringCase(char32_t a, char32_t b) {
    WCHAR ua[2], ub[2];
    int na = ToUtf16(a, ua);
    int nb = ToUtf16(b, ub);
    return CompareStringOrdinal(ua, na, ub, nb, TRUE) == CSTR_EQUAL;
}
