// Shared by the fuzz targets. Their properties are asserts, in every build: the first one broken
// stops the run, and libFuzzer keeps the input that did it.
#pragma once

#undef NDEBUG
#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Fuzz bytes as UTF-16 text: a byte below 0xF0 is that unit, so ASCII inputs read as they look;
// 0xF0 to 0xFF takes the next two bytes as any unit (surrogates, lone or paired, included).
inline std::u16string UnitsFrom(const uint8_t* data, size_t size) {
    std::u16string out;
    for (size_t i = 0; i < size; ++i) {
        bool escaped = data[i] >= 0xF0 && i + 2 < size;
        out += static_cast<char16_t>(escaped ? data[i + 1] << 8 | data[i + 2] : data[i]);
        if (escaped) i += 2;
    }
    return out;
}

// A heap block of exactly the string and its terminator: a read past it is an ASan report.
inline std::vector<char16_t> Exact(const std::u16string& s) {
    return std::vector<char16_t>(s.c_str(), s.c_str() + s.size() + 1);
}

inline bool TerminatedWithin(const char16_t* s, size_t cap) {
    return std::char_traits<char16_t>::find(s, cap, u'\0') != nullptr;
}
