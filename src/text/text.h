// Bounded UTF-16 string helpers shared by every part of the program. No allocation, no locale,
// no windows.h. Capacities are in UTF-16 units, terminator included; a false return leaves the
// destination empty.
#pragma once

int StrLen(const char16_t* s);
bool StrEqual(const char16_t* a, const char16_t* b);  // exact, case-sensitive
bool StrEqualAscii(const char16_t* a, const char* b); // exact, against an ASCII string
bool StrCopy(char16_t* dst, int cap, const char16_t* src);
bool StartsWithNoCase(const char16_t* s, const char* prefix); // ASCII prefix, ASCII letters fold
char16_t* StrFindChar(char16_t* s, char16_t c);               // first c in s, or nullptr

// Optional minus, then decimal digits up to the first other character; no digits give 0.
// Values beyond 32 bits saturate at INT32_MIN / INT32_MAX.
int ParseInt32(const char16_t* s);

// String n (from 0) of a list packed as "first\0second\0...": no pointer table to relocate.
const char* NthString(const char* packed, int n);

// Removes spaces and tabs from both ends, in place.
void TrimSpaceTab(char16_t* s);

inline bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

// The length in units of the character at s[i]: a surrogate pair is one character of two units; a
// lone surrogate is a character of its own. s[i] must not be the terminator.
int CharUnits(const char16_t* s, int i);

// True when the character of `na` units at a and that of `nb` units at b are the same, or the same
// letter by the platform's simple case mapping (independent of the user's locale). Non-letters
// equal only themselves. Supplied by the platform: the system's mapping on Windows, the C
// library's Unicode mapping elsewhere.
bool SameCharIgnoringCase(const char16_t* a, int na, const char16_t* b, int nb);
