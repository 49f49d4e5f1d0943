#include "json.h"

#include <stdarg.h>

namespace {
// Every piece writes through Put and ends with Finish, which takes back all it wrote once anything
// failed to fit: a document never ends in half a token, nor goes on after a gap.
void Put(JsonText* t, char16_t c) {
    if (t->len >= t->cap - 1)
        t->overflow = true;
    else
        t->buf[t->len++] = c;
}

void Finish(JsonText* t, int start) {
    if (t->overflow) t->len = start;
    t->buf[t->len] = 0;
}

void PutAscii(JsonText* t, const char* s) {
    for (; *s; ++s)
        Put(t, static_cast<char16_t>(static_cast<unsigned char>(*s)));
}

void PutDigits(JsonText* t, unsigned long long value, unsigned base, int least) {
    char digits[24];
    int n = sizeof digits - 1;
    digits[n] = 0;
    for (; value || least > 0; value /= base, --least)
        digits[--n] = "0123456789abcdef"[value % base];
    PutAscii(t, digits + n);
}

// One unit that is not half of a pair.
void PutEscaped(JsonText* t, char16_t c) {
    static const char kShort[] = "btn\0fr"; // U+0008..U+000D; U+000B has none
    bool surrogate = (c & 0xF800) == 0xD800;
    if (c == '"' || c == '\\') {
        Put(t, '\\');
        Put(t, c);
    } else if (c >= 8 && c <= 13 && kShort[c - 8]) {
        Put(t, '\\');
        Put(t, static_cast<char16_t>(kShort[c - 8]));
    } else if (c < 0x20 || surrogate) {
        PutAscii(t, "\\u");
        PutDigits(t, c, 16, 4);
    } else {
        Put(t, c);
    }
}

bool IsLow(char16_t c) {
    return (c & 0xFC00) == 0xDC00;
}

void PutString(JsonText* t, const char16_t* s, int limit) {
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
}

void PutConversion(JsonText* t, char kind, va_list* args) {
    if (kind == 'h') {
        PutAscii(t, "\"0x");
        PutDigits(t, reinterpret_cast<unsigned long long>(va_arg(*args, const void*)), 16, 8);
        Put(t, '"');
    } else if (kind == 'u') {
        PutDigits(t, va_arg(*args, unsigned), 10, 1);
    } else if (kind == 'b') {
        PutAscii(t, va_arg(*args, int) ? "true" : "false");
    } else if (kind == 's' || kind == 'a' || kind == 'r') {
        const void* s = va_arg(*args, const void*);
        if (!s)
            PutAscii(t, "null");
        else if (kind == 's')
            PutString(t, static_cast<const char16_t*>(s), kJsonTextLimit);
        else if (kind == 'r')
            PutAscii(t, static_cast<const char*>(s));
        else {
            Put(t, '"');
            PutAscii(t, static_cast<const char*>(s));
            Put(t, '"');
        }
    } else {
        int value = va_arg(*args, int);
        if (kind == 'z' && !value) {
            PutAscii(t, "null");
            return;
        }
        unsigned magnitude = static_cast<unsigned>(value);
        if (value < 0) {
            Put(t, '-');
            magnitude = 0u - magnitude; // INT_MIN has no positive int
        }
        PutDigits(t, magnitude, 10, 1);
    }
}
} // namespace

void JsonBegin(JsonText* t, char16_t* buf, int cap) {
    t->buf = buf;
    t->cap = cap;
    t->len = 0;
    t->overflow = false;
    buf[0] = 0;
}

void JsonString(JsonText* t, const char16_t* s, int limit) {
    int start = t->len;
    PutString(t, s, limit);
    Finish(t, start);
}

void JsonFormat(JsonText* t, const char* format, ...) {
    int start = t->len;
    va_list args;
    va_start(args, format);
    for (; *format; ++format) {
        if (*format == '%')
            PutConversion(t, *++format, &args);
        else
            Put(t, static_cast<char16_t>(*format));
    }
    va_end(args);
    Finish(t, start);
}
