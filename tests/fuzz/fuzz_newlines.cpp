// ExpandNewlines on any terminated UTF-16 string in its buffer, checked against what newlines.h
// promises.
#include "report/newlines.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

std::u16string WithCrBeforeLf(const std::u16string& in) {
    std::u16string out;
    char16_t prev = 0;
    for (char16_t c : in) {
        if (c == '\n' && prev != '\r') out += '\r';
        out += c;
        prev = c;
    }
    return out;
}

bool EndsWith(const std::u16string& s, const char16_t* tail) {
    std::u16string t(tail);
    return s.size() >= t.size() && s.compare(s.size() - t.size(), t.size(), t) == 0;
}

bool IsHigh(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

} // namespace

// Input: the first byte picks the buffer (a report line or a listing line); then the string and,
// after a NUL, units for the rest of the buffer, which must not matter. Where the input ends, LFs
// fill the buffer.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const size_t cap = static_cast<size_t>(data[0] & 1 ? kListingLineCap : kLineCap);
    std::u16string units = UnitsFrom(data + 1, size - 1);
    std::vector<char16_t> buf(cap, u'\n'); // exactly the buffer: a write past it is an ASan report
    units.copy(buf.data(), units.size() < cap ? units.size() : cap);
    size_t length = units.find(u'\0');
    if (length == std::u16string::npos) length = units.size();
    buf[length < cap - 1 ? length : cap - 1] = 0;
    const std::u16string in(buf.data());
    const std::u16string full = WithCrBeforeLf(in);

    ExpandNewlines(buf.data(), static_cast<int>(cap));

    size_t nul = 0;
    while (nul < cap && buf[nul])
        ++nul;
    FUZZ_CHECK(nul < cap);
    const std::u16string out(buf.data(), nul);
    for (size_t i = 0; i < out.size(); ++i)
        FUZZ_CHECK(out[i] != '\n' || (i > 0 && out[i - 1] == '\r'));
    bool endsInLf = EndsWith(in, u"\n");
    FUZZ_CHECK(!endsInLf || EndsWith(out, u"\r\n"));

    if (full.size() < cap) {
        FUZZ_CHECK(out == full);
        return 0;
    }
    // Cut: a prefix of the expanded line with CR LF put back when the line had one, using the
    // room there is; at most a CR LF pair and half a surrogate pair that no longer fit are left
    // over, and the prefix never ends in such a half.
    std::u16string kept = endsInLf ? out.substr(0, out.size() - 2) : out;
    FUZZ_CHECK(full.compare(0, kept.size(), kept) == 0);
    FUZZ_CHECK(kept.empty() || !IsHigh(kept.back()));
    FUZZ_CHECK(out.size() >= cap - 3);
    return 0;
}
