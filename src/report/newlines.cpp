#include "newlines.h"

// Not on the stack: with the line beside it, a frame would pass a page and need the C runtime's
// stack probe.
static char16_t gExpanded[kLineCap];

void ExpandNewlines(char16_t* text, int cap) {
    if (cap > kLineCap) cap = kLineCap;
    int w = 0;
    char16_t prev = 0;
    for (int r = 0; text[r] && w < cap - 2; ++r) {
        char16_t c = text[r];
        if (c == '\n' && prev != '\r') gExpanded[w++] = '\r';
        gExpanded[w++] = c;
        prev = c;
    }
    gExpanded[w] = 0;
    for (int i = 0; i <= w; ++i)
        text[i] = gExpanded[i];
}
