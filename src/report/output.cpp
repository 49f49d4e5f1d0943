#include "output.h"
#include "newlines.h"
#include "../cmdline/text.h"

namespace {
const int kClassPart = 256;
const int kTextPart = 512;
char gInfoBuffer[kClassPart + kTextPart]; // a class name and a text can stand in one line
const char kLookupFailed[] = "<error>";
} // namespace

int PrintOut(const char* format, ...) {
    char line[kLineCap];
    va_list args;
    va_start(args, format);
    FormatV(line, kLineCap, format, args);
    va_end(args);
    KeepLineEnd(line, format);
    ExpandNewlines(line);
    return WriteStdOut(line, StrLen(line));
}

const char* ClassNameForLog(Window w) {
    return ReadClassName(w, gInfoBuffer, kClassPart) ? gInfoBuffer : kLookupFailed;
}

const char* WindowTextForLog(Window w) {
    char* text = gInfoBuffer + kClassPart;
    return ReadWindowText(w, text, kTextPart, 100) ? text : kLookupFailed;
}
