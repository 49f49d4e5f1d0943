// Windows line ends for report lines. Portable: no windows.h.
#pragma once

// A report line in UTF-16 units, terminator included: room for a whole 511-unit text and the
// longest class name even when every unit is a line feed that gains a CR, besides the fixed words
// of the longest line. So a report line is never cut.
const int kLineCap = 2 * (511 + 256) + 96;

// Inserts CR before every LF not already preceded by one, in a buffer of `cap` units that holds a
// terminated string. What would not fit is left out; the result is always terminated.
void ExpandNewlines(char16_t* text, int cap);
