#include "wildcard.h"

static bool CharsEqual(char c, char p) {
    return ((static_cast<unsigned char>(c) ^ static_cast<unsigned char>(p)) & 0xDF) == 0;
}

// The end of the pattern equals no text character, not even the space that bit 0x20 would pair it with.
static bool CharFits(char c, char p) {
    return p && (p == '?' || CharsEqual(c, p));
}

bool WildcardMatch(const char* text, const char* pattern) {
    int t = 0, p = 0;
    if (text[t]) {
        while (pattern[p] != '*') {
            if (!CharFits(text[t], pattern[p])) return false;
            ++t;
            ++p;
            if (!text[t]) goto rest;
        }
        int resumeT = 0, resumeP = 0;
        while (text[t]) {
            if (pattern[p] == '*') {
                ++p;
                if (!pattern[p]) return true;
                resumeP = p;
                resumeT = t + 1;
            } else if (CharFits(text[t], pattern[p])) {
                ++t;
                ++p;
            } else {
                t = resumeT;
                p = resumeP;
                ++resumeT;
            }
        }
    }
rest:
    while (pattern[p] == '*')
        ++p;
    return !pattern[p];
}
