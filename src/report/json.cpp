#include "json.h"

// Each appender writes through Put and ends with Finish, which takes back all it wrote once
// anything failed to fit: a document never ends in half a token, nor goes on after a gap.
static void Put(JsonText* t, char16_t c) {
    if (t->len >= t->cap - 1)
        t->overflow = true;
    else
        t->buf[t->len++] = c;
}

static void Finish(JsonText* t, int start) {
    if (t->overflow) t->len = start;
    t->buf[t->len] = 0;
}

void JsonBegin(JsonText* t, char16_t* buf, int cap) {
    t->buf = buf;
    t->cap = cap;
    t->len = 0;
    t->overflow = false;
    buf[0] = 0;
}

static void PutAscii(JsonText* t, const char* s) {
    for (; *s; ++s)
        Put(t, static_cast<char16_t>(static_cast<unsigned char>(*s)));
}

void JsonRaw(JsonText* t, const char* ascii) {
    int start = t->len;
    PutAscii(t, ascii);
    Finish(t, start);
}

static void PutUnsigned(JsonText* t, unsigned value) {
    char digits[11];
    int n = 10;
    digits[n] = 0;
    do {
        digits[--n] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value);
    PutAscii(t, digits + n);
}

void JsonInt(JsonText* t, int value) {
    int start = t->len;
    unsigned magnitude = static_cast<unsigned>(value);
    if (value < 0) {
        Put(t, '-');
        magnitude = 0u - magnitude; // INT_MIN has no positive int
    }
    PutUnsigned(t, magnitude);
    Finish(t, start);
}

void JsonUnsigned(JsonText* t, unsigned value) {
    int start = t->len;
    PutUnsigned(t, value);
    Finish(t, start);
}

// One unit that is not half of a pair.
static void PutEscaped(JsonText* t, char16_t c) {
    static const char kShort[] = "btn\0fr"; // U+0008..U+000D; U+000B has none
    bool surrogate = (c & 0xF800) == 0xD800;
    if (c == '"' || c == '\\') {
        Put(t, '\\');
        Put(t, c);
    } else if (c >= 8 && c <= 13 && kShort[c - 8]) {
        Put(t, '\\');
        Put(t, static_cast<char16_t>(kShort[c - 8]));
    } else if (c < 0x20 || surrogate) {
        Put(t, '\\');
        Put(t, 'u');
        for (int shift = 12; shift >= 0; shift -= 4) {
            int digit = c >> shift & 15;
            Put(t, static_cast<char16_t>(digit < 10 ? '0' + digit : 'a' - 10 + digit));
        }
    } else {
        Put(t, c);
    }
}

static bool IsLow(char16_t c) {
    return (c & 0xFC00) == 0xDC00;
}

void JsonString(JsonText* t, const char16_t* s, int limit) {
    int start = t->len;
    Put(t, '"');
    for (int i = 0; i < limit && s[i]; ++i) {
        if ((s[i] & 0xFC00) == 0xD800 && IsLow(s[i + 1])) {
            if (i + 1 >= limit) break;
            Put(t, s[i]);
            Put(t, s[++i]);
        } else {
            PutEscaped(t, s[i]);
        }
    }
    Put(t, '"');
    Finish(t, start);
}

void JsonAsciiString(JsonText* t, const char* s) {
    int start = t->len;
    Put(t, '"');
    for (; *s; ++s)
        PutEscaped(t, static_cast<char16_t>(static_cast<unsigned char>(*s)));
    Put(t, '"');
    Finish(t, start);
}
