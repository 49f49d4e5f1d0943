// A JSON document (RFC 8259) built in a fixed UTF-16 buffer from templates. The text is valid
// UTF-16 (no lone surrogates), so its UTF-8 form is valid JSON.
// Overflow: a piece that does not fit whole appends nothing and sets `overflow`, and once it is
// set every later piece appends nothing too, so the buffer always holds, terminated, exactly what
// was appended before the first failure (units past the terminator are scratch). Portable: no
// windows.h.
#pragma once

struct JsonText {
    char16_t* buf; // cap units, terminator included
    int cap;       // at least 1
    int len;       // units before the terminator
    bool overflow;
};

const int kJsonTextLimit = 511; // what the text report shows of a title

// Starts an empty document in buf.
void JsonBegin(JsonText* t, char16_t* buf, int cap);

// A quoted string of at most `limit` units of s, up to its terminator; a surrogate pair that would
// straddle the limit is left out whole. Quote and backslash get a backslash; \b \t \n \f \r their
// short escapes; other units below U+0020 and lone surrogates \uXXXX in lower-case hex; all else
// (pairs included) stays as it is. It takes at most 2 + 6 * limit units of the buffer.
void JsonString(JsonText* t, const char16_t* s, int limit);

// Appends the template, ASCII, as it is but for these conversions, each taking one argument:
//   %s  a UTF-16 string (as JsonString, up to kJsonTextLimit units), or null for nullptr
//   %a  an ASCII string, quoted, or null for nullptr
//   %r  an ASCII string as it is
//   %i  an int          %z  an int, or null for 0          %u  an unsigned
//   %b  an int, as true or false
//   %h  a pointer, as a string of 0x and at least eight lower-case hex digits
// The whole template is one piece: it appends whole or not at all.
void JsonFormat(JsonText* t, const char* format, ...);
