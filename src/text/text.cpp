#include "text.h"

int StrLen(const char16_t* s) {
    int n = 0;
    while (s[n])
        ++n;
    return n;
}

bool StrEqual(const char16_t* a, const char16_t* b) {
    while (*a && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

bool StrEqualAscii(const char16_t* a, const char* b) {
    while (*a && *a == static_cast<unsigned char>(*b)) {
        ++a;
        ++b;
    }
    return *a == static_cast<unsigned char>(*b);
}

bool StrCopy(char16_t* dst, int cap, const char16_t* src) {
    for (int i = 0; i < cap; ++i) {
        dst[i] = src[i];
        if (!src[i]) return true;
    }
    if (cap > 0) dst[0] = 0;
    return false;
}

static char16_t FoldAscii(char16_t c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char16_t>(c - 'A' + 'a') : c;
}

bool StartsWithNoCase(const char16_t* s, const char* prefix) {
    for (; *prefix; ++s, ++prefix) {
        if (FoldAscii(*s) != FoldAscii(static_cast<char16_t>(*prefix))) return false;
    }
    return true;
}

char16_t* StrFindChar(char16_t* s, char16_t c) {
    for (; *s; ++s) {
        if (*s == c) return s;
    }
    return nullptr;
}

int ParseInt32(const char16_t* s) {
    const long long kMax = 2147483647LL;
    bool negative = *s == '-';
    if (negative) ++s;
    long long value = 0;
    for (; *s >= '0' && *s <= '9'; ++s) {
        value = value * 10 + (*s - '0');
        if (value > kMax + 1) // stop growing: the result already saturates
            value = kMax + 1;
    }
    if (negative) return static_cast<int>(-value);
    return static_cast<int>(value > kMax ? kMax : value);
}

const char* NthString(const char* packed, int n) {
    for (; n > 0; --n) {
        while (*packed++) {
        }
    }
    return packed;
}

static bool IsSpaceTab(char16_t c) {
    return c == ' ' || c == '\t';
}

void TrimSpaceTab(char16_t* s) {
    int start = 0;
    while (IsSpaceTab(s[start]))
        ++start;
    int end = StrLen(s);
    while (end > start && IsSpaceTab(s[end - 1]))
        --end;
    int n = end - start;
    for (int i = 0; i < n; ++i)
        s[i] = s[start + i];
    s[n] = 0;
}

static bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

int CharUnits(const char16_t* s, int i) {
    char16_t c = s[i];
    if (IsHighSurrogate(c) && IsLowSurrogate(s[i + 1])) return 2;
    return 1;
}
