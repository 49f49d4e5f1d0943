// Windows line ends for report lines. Portable: no windows.h.
#pragma once

const int kLineCap = 1024; // a report line in UTF-16 units, terminator included
// A listing line holds a whole 511-unit text and the longest class name even when every unit is a
// line feed that gains a CR, besides its fixed words.
const int kListingLineCap = 2 * (511 + 256) + 96;

// Inserts CR before every LF not already preceded by one, in a buffer of `cap` units (at most
// kListingLineCap) that holds a terminated string. A line that no longer fits is cut, still ending
// in CR LF when the input ended in LF, and never between the two halves of a surrogate pair; the
// result is always terminated.
void ExpandNewlines(char16_t* text, int cap);

// A line that the formatter had to cut loses its final LF and may end in half a surrogate pair:
// give the LF back and drop the half, so that a line meant to end still ends whole. `line` (of
// `cap` units) holds the formatted text of `format`.
void KeepLineEnd(char16_t* line, int cap, const char* format);
