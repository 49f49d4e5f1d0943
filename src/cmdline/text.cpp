#include "text.h"

int StrLen(const char* s) {
    int n = 0;
    while (s[n])
        ++n;
    return n;
}

bool StrEqual(const char* a, const char* b) {
    while (*a && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

bool StrCopy(char* dst, int cap, const char* src) {
    for (int i = 0; i < cap; ++i) {
        dst[i] = src[i];
        if (!src[i]) return true;
    }
    if (cap > 0) dst[0] = 0;
    return false;
}

static char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithNoCase(const char* s, const char* prefix) {
    for (; *prefix; ++s, ++prefix) {
        if (FoldAscii(*s) != FoldAscii(*prefix)) return false;
    }
    return true;
}

char* StrFindChar(char* s, char c) {
    for (; *s; ++s) {
        if (*s == c) return s;
    }
    return nullptr;
}

int ParseInt32(const char* s) {
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

static bool IsSpaceTab(char c) {
    return c == ' ' || c == '\t';
}

void TrimSpaceTab(char* s) {
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
