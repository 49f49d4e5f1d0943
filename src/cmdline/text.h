// Bounded string helpers shared by the portable code. No allocation, no locale, no windows.h.
// Capacities are in bytes, terminator included; a false return leaves the destination empty.
#pragma once

int StrLen(const char* s);
bool StrEqual(const char* a, const char* b); // exact, case-sensitive
bool StrCopy(char* dst, int cap, const char* src);
bool StartsWithNoCase(const char* s, const char* prefix); // ASCII letters fold
char* StrFindChar(char* s, char c);                       // first c in s, or nullptr

// Optional minus, then decimal digits up to the first other character; no digits give 0.
// Values beyond 32 bits saturate at INT32_MIN / INT32_MAX.
int ParseInt32(const char* s);

// Removes spaces and tabs from both ends, in place.
void TrimSpaceTab(char* s);
