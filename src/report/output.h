// Report lines on standard output, and the window lookups that report lines quote.
#pragma once

#include "../winsys/winsys.h"

// The report's encoding for the rest of the run: the ANSI code page unless utf8.
void SetReportUtf8(bool utf8);

// Formats one report line (wvsprintf conversions: %i %2i %s %hs %u %08Ix; %s takes UTF-16
// strings), gives it CR LF line ends and writes it to standard output. Window texts are arguments,
// never the format. The line has room for every text a report line quotes (see kLineCap). A line
// that cannot be written is lost: no standard output is normal for the GUI program.
void PrintOut(const char* format, ...);
void PrintOutV(const char* format, va_list args);
// A piece of a line, formatted the same way into buf of cap units.
void Format(char16_t* buf, int cap, const char* format, ...);

// The window's class name or text for a report line, or "<error>" when the lookup fails.
// Each result stays valid until the next call of the same function.
const char16_t* ClassNameForLog(Window w);
const char16_t* WindowTextForLog(Window w);
