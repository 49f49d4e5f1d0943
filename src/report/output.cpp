#include "output.h"
#include "newlines.h"
#include "../text/text.h"

namespace {
const int kClassPart = 256;
const int kTextPart = 512;
char16_t gInfoBuffer[kClassPart + kTextPart]; // a class name and a text can stand in one line
const char16_t kLookupFailed[] = u"<error>";
bool gUtf8;

static_assert(kLineCap <= kMaxWriteUnits, "a line is written whole");

char16_t gLine[kLineCap];
} // namespace

void SetReportUtf8(bool utf8) {
    gUtf8 = utf8;
}

void PrintOutV(const char* format, va_list args) {
    FormatV(gLine, kLineCap, format, args);
    ExpandNewlines(gLine, kLineCap);
    WriteStdOut(gLine, StrLen(gLine), gUtf8);
}

void Format(char16_t* buf, int cap, const char* format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(buf, cap, format, args);
    va_end(args);
}

void PrintOut(const char* format, ...) {
    va_list args;
    va_start(args, format);
    PrintOutV(format, args);
    va_end(args);
}

const char16_t* ClassNameForLog(Window w) {
    return ReadClassName(w, gInfoBuffer, kClassPart) ? gInfoBuffer : kLookupFailed;
}

const char16_t* WindowTextForLog(Window w) {
    char16_t* text = gInfoBuffer + kClassPart;
    return ReadWindowText(w, text, kTextPart, 100) ? text : kLookupFailed;
}
