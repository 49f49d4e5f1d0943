// JSON strings (RFC 8259) from UTF-16 text. The result is valid UTF-16 (no lone surrogates), so its
// UTF-8 form is valid JSON. Portable: no windows.h.
#pragma once

const int kJsonTextLimit = 511; // what the text report shows of a title
// The room JsonQuote needs for a string of up to kJsonTextLimit units: quotes, six units a unit
// at most, the terminator.
const int kJsonQuotedCap = 2 + 6 * kJsonTextLimit + 1;

// s as a quoted JSON string of at most `limit` units of s, up to its terminator, or null for
// nullptr; a surrogate pair that would straddle the limit is left out whole. Quote and backslash
// get a backslash; \b \t \n \f \r their short escapes; other units below U+0020 and lone
// surrogates \uXXXX in lower-case hex; all else (pairs included) stays as it is. `out` has `cap`
// units and is always terminated; what does not fit is left out, so give it 3 + 6 * limit units.
void JsonQuote(char16_t* out, int cap, const char16_t* s, int limit);
