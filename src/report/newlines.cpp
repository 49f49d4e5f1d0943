#include "newlines.h"
#include "../text/text.h"

// Not on the stack: with the line beside it, a frame would pass a page and need the C runtime's
// stack probe.
static char16_t gExpanded[kListingLineCap];

void ExpandNewlines(char16_t* text, int cap) {
    char16_t* out = gExpanded;
    if (cap > kListingLineCap) cap = kListingLineCap;
    int w = 0;
    int r = 0;
    char16_t prev = 0;
    bool cut = false;
    for (; r < cap && text[r]; ++r) {
        char16_t c = text[r];
        bool addCr = c == '\n' && prev != '\r';
        if (w + (addCr ? 2 : 1) > cap - 1) {
            cut = true;
            break;
        }
        if (addCr) out[w++] = '\r';
        out[w++] = c;
        prev = c;
    }
    if (cut) {
        int end = r;
        while (end < cap - 1 && text[end])
            ++end;
        bool endsLine = text[end - 1] == '\n';
        if (endsLine && w > cap - 3) w = cap - 3;
        if (endsLine && w > 0 && out[w - 1] == '\r') // half of a pair that no longer fits
            --w;
        if (w > 0 && IsHighSurrogate(out[w - 1])) --w;
        if (endsLine) {
            out[w++] = '\r';
            out[w++] = '\n';
        }
    }
    out[w] = 0;
    for (int i = 0; i <= w; ++i)
        text[i] = out[i];
}

void KeepLineEnd(char16_t* line, int cap, const char* format) {
    int len = StrLen(line);
    if (len < cap - 1) return; // not cut
    int formatLen = 0;
    while (format[formatLen])
        ++formatLen;
    bool wantsEnd = formatLen > 0 && format[formatLen - 1] == '\n';
    if (wantsEnd) --len;
    if (len > 0 && IsHighSurrogate(line[len - 1])) --len;
    if (wantsEnd) line[len++] = '\n';
    line[len] = 0;
}
