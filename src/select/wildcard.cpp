#include "wildcard.h"
#include "../text/text.h"

static bool CharsEqual(char32_t c, char32_t p) {
    if (c == p) return true;
    if (c < 0x80 && p < 0x80) // the common case needs no call into the platform
        return (c | 0x20) == (p | 0x20) && (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
    return SameCharIgnoringCase(c, p);
}

// One resume point: on a mismatch after a star, the star takes one more character and the rest
// of the pattern is tried again from there.
bool WildcardMatch(const char16_t* text, const char16_t* pattern) {
    int t = 0, p = 0;
    int starP = -1, starT = 0;
    while (text[t]) {
        if (pattern[p] == '*') {
            starP = ++p;
            starT = t;
            continue;
        }
        int tn, pn = 0;
        char32_t c = CharAt(text, t, &tn);
        if (pattern[p]) {
            char32_t q = CharAt(pattern, p, &pn);
            if (q == '?' || CharsEqual(c, q)) {
                t += tn;
                p += pn;
                continue;
            }
        }
        if (starP < 0) return false;
        CharAt(text, starT, &tn);
        starT += tn;
        t = starT;
        p = starP;
    }
    while (pattern[p] == '*')
        ++p;
    return !pattern[p];
}
