// A JSON document (RFC 8259) built in a fixed UTF-16 buffer: raw ASCII, decimals and escaped
// strings. The text is valid UTF-16 (no lone surrogates), so its UTF-8 form is valid JSON.
// Overflow: an appender that does not fit whole appends nothing and sets `overflow`, and once it is
// set every later appender appends nothing too, so the buffer always holds, terminated, exactly
// what was appended before the first failure (units past the terminator are scratch). Portable: no
// windows.h.
#pragma once

struct JsonText {
    char16_t* buf; // cap units, terminator included
    int cap;       // at least 1
    int len;       // units before the terminator
    bool overflow;
};

// Starts an empty document in buf.
void JsonBegin(JsonText* t, char16_t* buf, int cap);

// ASCII text as it is: punctuation, names, literals. The caller makes it valid JSON.
void JsonRaw(JsonText* t, const char* ascii);

void JsonInt(JsonText* t, int value);
void JsonUnsigned(JsonText* t, unsigned value);

// A quoted string of at most `limit` units of s, up to its terminator; a surrogate pair that would
// straddle the limit is left out whole. Quote and backslash get a backslash; \b \t \n \f \r their
// short escapes; other units below U+0020 and lone surrogates \uXXXX in lower-case hex; all else
// (pairs included) stays as it is. It takes at most 2 + 6 * limit units of the buffer.
void JsonString(JsonText* t, const char16_t* s, int limit);

// The same for an ASCII string, whole.
void JsonAsciiString(JsonText* t, const char* s);
