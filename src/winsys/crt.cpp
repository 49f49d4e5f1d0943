// The compiler may emit calls to these even in a freestanding build; there is no C runtime to
// supply them (it emits no memmove here: a build that needs one fails to link). Byte loops: the
// program copies and clears only small buffers.
#include <stddef.h>

extern "C" __attribute__((used)) void* memset(void* dst, int value, size_t n) {
    volatile unsigned char* d = static_cast<unsigned char*>(dst); // volatile: not turned back into memset
    for (size_t i = 0; i < n; ++i)
        d[i] = static_cast<unsigned char>(value);
    return dst;
}

extern "C" __attribute__((used)) void* memcpy(void* dst, const void* src, size_t n) {
    volatile unsigned char* d = static_cast<unsigned char*>(dst);
    const unsigned char* s = static_cast<const unsigned char*>(src);
    for (size_t i = 0; i < n; ++i)
        d[i] = s[i];
    return dst;
}
