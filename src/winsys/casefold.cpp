// The system's own case mapping for the matcher: ordinal, so the same whatever the user's locale.
#include "../text/text.h"

#include <windows.h>

bool SameCharIgnoringCase(const char16_t* a, int na, const char16_t* b, int nb) {
    return CompareStringOrdinal(reinterpret_cast<const WCHAR*>(a), na, reinterpret_cast<const WCHAR*>(b), nb,
                                TRUE) == CSTR_EQUAL;
}
