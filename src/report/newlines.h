// Windows line ends for report lines. Portable: no windows.h.
#pragma once

const int kLineCap = 1024; // one report line, terminator included

// Inserts CR before every LF not already preceded by one, in a buffer of kLineCap bytes that
// holds a terminated string. A line that no longer fits is cut, still ending in CR LF when the
// input ended in LF; the result is always terminated.
void ExpandNewlines(char* text);

// A formatted piece that the formatter had to cut loses its final LF: give it back, so that a
// line meant to end still ends. `line` holds the formatted text of `format`.
void KeepLineEnd(char* line, const char* format);
