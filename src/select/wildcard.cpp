#include "wildcard.h"
#include "../text/text.h"

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
        int tn = CharUnits(text, t);
        if (pattern[p]) {
            int pn = CharUnits(pattern, p);
            if (pattern[p] == '?' || SameCharIgnoringCase(text + t, tn, pattern + p, pn)) {
                t += tn;
                p += pn;
                continue;
            }
        }
        if (starP < 0) return false;
        starT += CharUnits(text, starT);
        t = starT;
        p = starP;
    }
    while (pattern[p] == '*')
        ++p;
    return !pattern[p];
}
