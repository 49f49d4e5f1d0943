#include "newlines.h"
#include "../cmdline/text.h"

void ExpandNewlines(char* text) {
    char out[kLineCap];
    int w = 0;
    int r = 0;
    char prev = 0;
    bool cut = false;
    for (; r < kLineCap && text[r]; ++r) {
        char c = text[r];
        bool addCr = c == '\n' && prev != '\r';
        if (w + (addCr ? 2 : 1) > kLineCap - 1) {
            cut = true;
            break;
        }
        if (addCr) out[w++] = '\r';
        out[w++] = c;
        prev = c;
    }
    if (cut) {
        int end = r;
        while (end < kLineCap - 1 && text[end])
            ++end;
        if (text[end - 1] == '\n') {
            if (w > kLineCap - 3) w = kLineCap - 3;
            if (out[w - 1] == '\r') // half of a pair that no longer fits
                --w;
            out[w++] = '\r';
            out[w++] = '\n';
        }
    }
    out[w] = 0;
    for (int i = 0; i <= w; ++i)
        text[i] = out[i];
}

void KeepLineEnd(char* line, const char* format) {
    int formatLen = StrLen(format);
    int len = StrLen(line);
    if (len == kLineCap - 1 && formatLen > 0 && format[formatLen - 1] == '\n') line[len - 1] = '\n';
}
