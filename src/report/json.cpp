#include "json.h"

namespace {
struct Out {
    char16_t* at;
    char16_t* end; // the terminator's place
};

void Put(Out* o, char16_t c) {
    if (o->at < o->end) *o->at++ = c;
}

// One unit that is not half of a pair.
void PutEscaped(Out* o, char16_t c) {
    static const char kShort[] = "btn\0fr"; // U+0008..U+000D; U+000B has none
    bool surrogate = (c & 0xF800) == 0xD800;
    if (c == '"' || c == '\\') {
        Put(o, '\\');
        Put(o, c);
    } else if (c >= 8 && c <= 13 && kShort[c - 8]) {
        Put(o, '\\');
        Put(o, static_cast<char16_t>(kShort[c - 8]));
    } else if (c < 0x20 || surrogate) {
        Put(o, '\\');
        Put(o, 'u');
        for (int shift = 12; shift >= 0; shift -= 4)
            Put(o, static_cast<char16_t>("0123456789abcdef"[c >> shift & 15]));
    } else {
        Put(o, c);
    }
}

bool IsLow(char16_t c) {
    return (c & 0xFC00) == 0xDC00;
}
} // namespace

void JsonQuote(char16_t* out, int cap, const char16_t* s, int limit) {
    Out o = {out, out + cap - 1};
    if (!s) {
        for (const char* null = "null"; *null; ++null)
            Put(&o, static_cast<char16_t>(*null));
    } else {
        Put(&o, '"');
        for (int i = 0; i < limit && s[i]; ++i) {
            if ((s[i] & 0xFC00) == 0xD800 && IsLow(s[i + 1])) {
                if (i + 1 >= limit) break;
                Put(&o, s[i]);
                Put(&o, s[++i]);
            } else {
                PutEscaped(&o, s[i]);
            }
        }
        Put(&o, '"');
    }
    *o.at = 0;
}
