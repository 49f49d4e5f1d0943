// JsonQuote on any UTF-16 text: valid JSON that decodes back to it; a small buffer is never overrun.
#include "report/json.h"
#include "text/text.h"
#include "fuzz_check.h"

static bool IsLow(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// The units a JSON string token stands for; false when s is not one (in UTF-16, lone surrogates too).
static bool Decode(const std::u16string& s, std::u16string* out) {
    if (s.size() < 2 || s[0] != '"' || s.back() != '"') return false;
    const size_t end = s.size() - 1;
    for (size_t i = 1; i < end; ++i) {
        char16_t c = s[i];
        if (c < 0x20 || c == '"' || IsLow(c)) return false;
        if (IsHighSurrogate(c) && (i + 1 == end || !IsLow(s[i + 1]))) return false;
        if (IsHighSurrogate(c)) *out += s[i++];
        if (c != '\\') {
            *out += s[i];
            continue;
        }
        if (++i == end) return false;
        const std::u16string named = u"\"\\/bfnrt", meant = u"\"\\/\b\f\n\r\t";
        if (named.find(s[i]) != std::u16string::npos) {
            *out += meant[named.find(s[i])];
            continue;
        }
        if (s[i] != 'u' || i + 4 >= end) return false;
        unsigned unit = 0;
        for (int k = 0; k < 4; ++k) {
            size_t digit = std::u16string(u"0123456789abcdef0123456789ABCDEF").find(s[++i]);
            if (digit == std::u16string::npos) return false;
            unit = unit << 4 | (digit & 15);
        }
        *out += static_cast<char16_t>(unit);
    }
    return true;
}

// Input: the limit (2 bytes, -2 to 1027), the small capacity (1 byte, 1 to 256), little-endian units.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    const int limit = (data[0] | data[1] << 8) % 1030 - 2;
    const size_t smallCap = data[2] + 1u;
    std::u16string in;
    for (size_t i = 3; i + 1 < size; i += 2)
        in += static_cast<char16_t>(data[i] | data[i + 1] << 8);
    std::vector<char16_t> text = Exact(in); // a read past the terminator is an ASan report

    // What the string stands for: the text up to its first NUL and the limit, less a cut pair.
    std::u16string want = in.substr(0, std::min(in.find(u'\0'), static_cast<size_t>(std::max(limit, 0))));
    if (!want.empty() && IsHighSurrogate(want.back()) && IsLow(in[want.size()])) want.pop_back();

    // The promised worst case, exactly: a write past it is an ASan report.
    const size_t cap = 3 + 6 * static_cast<size_t>(std::max(limit, 0));
    std::vector<char16_t> buf(cap);
    JsonQuote(buf.data(), static_cast<int>(cap), text.data(), limit);
    const std::u16string full(buf.data());
    std::u16string decoded;
    assert(Decode(full, &decoded) && decoded == want);
    // A smaller buffer is never overrun, and holds what fits of the same string.
    std::vector<char16_t> small(smallCap);
    JsonQuote(small.data(), static_cast<int>(smallCap), text.data(), limit);
    const std::u16string cut(small.data());
    assert(cut.size() < smallCap && full.compare(0, cut.size(), cut) == 0);
    return 0;
}
