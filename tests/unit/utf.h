// UTF-8 test tables to the program's UTF-16 text and back (lone surrogates become U+FFFD).
#pragma once

#include <string>

inline std::u16string U16(const std::string& utf8) {
    std::u16string out;
    for (size_t i = 0; i < utf8.size();) {
        unsigned char b = static_cast<unsigned char>(utf8[i++]);
        int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
        char32_t c = extra ? b & (0x3F >> extra) : b;
        for (; extra > 0 && i < utf8.size(); --extra)
            c = c << 6 | (static_cast<unsigned char>(utf8[i++]) & 0x3F);
        if (c >= 0x10000) out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
        out += static_cast<char16_t>(c >= 0x10000 ? 0xDC00 + (c & 0x3FF) : c);
    }
    return out;
}

inline std::string U8(const std::u16string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        char32_t c = s[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (s[++i] - 0xDC00);
        else if (c >= 0xD800 && c <= 0xDFFF)
            c = 0xFFFD;
        int extra = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
        // The lead byte: as many high bits as there are bytes, then the top bits of c.
        out += static_cast<char>(extra ? ((0xFF << (7 - extra)) & 0xFF) | c >> (6 * extra) : c);
        for (int k = extra - 1; k >= 0; --k)
            out += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
    }
    return out;
}

inline std::string Repeat(const std::string& piece, size_t times) {
    std::string out;
    while (times--)
        out += piece;
    return out;
}
