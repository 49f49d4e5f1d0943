#include "output.h"
#include "newlines.h"
#include "../text/text.h"

namespace {
const int kClassPart = 256;
const int kTextPart = 512;
char16_t gInfoBuffer[kClassPart + kTextPart]; // a class name and a text can stand in one line
const char16_t kLookupFailed[] = u"<error>";
bool gUtf8;

static_assert(kListingLineCap <= kMaxWriteUnits, "a listing line is written whole");

char16_t gLine[kListingLineCap];

int PrintLine(int cap, const char* format, va_list args) {
    char16_t* line = gLine;
    FormatV(line, cap, format, args);
    KeepLineEnd(line, cap, format);
    ExpandNewlines(line, cap);
    return WriteStdOut(line, StrLen(line), gUtf8);
}
} // namespace

void SetReportUtf8(bool utf8) {
    gUtf8 = utf8;
}

int PrintOut(const char* format, ...) {
    va_list args;
    va_start(args, format);
    int n = PrintLine(kLineCap, format, args);
    va_end(args);
    return n;
}

int PrintOutV(const char* format, va_list args) {
    return PrintLine(kLineCap, format, args);
}

int PrintListing(const char* format, ...) {
    va_list args;
    va_start(args, format);
    int n = PrintLine(kListingLineCap, format, args);
    va_end(args);
    return n;
}

const char16_t* ClassNameForLog(Window w) {
    return ReadClassName(w, gInfoBuffer, kClassPart) ? gInfoBuffer : kLookupFailed;
}

const char16_t* WindowTextForLog(Window w) {
    char16_t* text = gInfoBuffer + kClassPart;
    return ReadWindowText(w, text, kTextPart, 100) ? text : kLookupFailed;
}
