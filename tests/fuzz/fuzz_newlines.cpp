// ExpandNewlines on any terminated UTF-16 string in its buffer, against what newlines.h promises.
#include "report/newlines.h"
#include "fuzz_check.h"

// Input: the first byte picks a report or a listing line's buffer; then the string, and after a NUL
// units for the rest of the buffer, which must not matter. LFs fill what the input leaves.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const size_t cap = static_cast<size_t>(data[0] & 1 ? kListingLineCap : kLineCap);
    std::u16string units = UnitsFrom(data + 1, size - 1);
    std::vector<char16_t> buf(cap, u'\n'); // exactly the buffer: a write past it is an ASan report
    units.copy(buf.data(), std::min(units.size(), cap));
    buf[std::min(units.find(u'\0'), cap - 1)] = 0;
    const std::u16string in(buf.data());
    std::u16string full; // in with a CR before every LF that lacks one
    for (size_t i = 0; i < in.size(); ++i) {
        if (in[i] == '\n' && (i == 0 || in[i - 1] != '\r')) full += u'\r';
        full += in[i];
    }

    ExpandNewlines(buf.data(), static_cast<int>(cap));
    assert(TerminatedWithin(buf.data(), cap));
    const std::u16string out(buf.data());
    if (full.size() < cap) {
        assert(out == full);
        return 0;
    }
    // Cut: a prefix of the expanded line, with CR LF put back when the line had one; at most a CR LF
    // and half a surrogate pair may go unused, and the prefix never ends in such a half.
    bool endsInLf = in.back() == '\n';
    assert(!endsInLf || (out.size() >= 2 && out.compare(out.size() - 2, 2, u"\r\n") == 0));
    std::u16string kept = endsInLf ? out.substr(0, out.size() - 2) : out;
    assert(full.compare(0, kept.size(), kept) == 0);
    assert(kept.empty() || kept.back() < 0xD800 || kept.back() > 0xDBFF);
    assert(out.size() >= cap - 3);
    return 0;
}
