// Fuzz targets stop at the first broken property: libFuzzer keeps the input that did it.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(cond)                                                                                     \
    do {                                                                                                     \
        if (!(cond)) {                                                                                       \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #cond);                 \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (0)

#include <cstddef>
#include <cstdint>
#include <string>

// Fuzz bytes as UTF-16 text: a byte below 0xF0 is that unit, so ASCII inputs read as they look;
// 0xF0 to 0xFF takes the next two bytes as any unit (surrogates, lone or paired, included).
inline std::u16string UnitsFrom(const uint8_t* data, size_t size) {
    std::u16string out;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] < 0xF0 || i + 2 >= size) {
            out += static_cast<char16_t>(data[i]);
        } else {
            out += static_cast<char16_t>(data[i + 1] << 8 | data[i + 2]);
            i += 2;
        }
    }
    return out;
}
