// Report lines on standard output, and the window lookups that report lines quote.
#pragma once

#include "../winsys/winsys.h"

// Formats one report piece (wvsprintf conversions: %i %2i %s %08Ix) into a line of at most
// 1023 characters, gives it CR LF line ends and writes it to standard output. Window texts are
// arguments, never the format. Returns the bytes written, or -1 (no standard output is normal).
int PrintOut(const char* format, ...);

// The window's class name or text for a report line, or "<error>" when the lookup fails.
// Each result stays valid until the next call of the same function.
const char* ClassNameForLog(Window w);
const char* WindowTextForLog(Window w);
