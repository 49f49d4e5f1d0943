// ExpandNewlines on any terminated UTF-16 string in its buffer, against what newlines.h promises.
#include "report/newlines.h"
#include "fuzz_check.h"

// Input: the first byte, how many units the buffer is short of the longest line's; then the
// string, and after a NUL units for the rest of the buffer, which must not matter. LFs fill what
// the input leaves.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const size_t cap = static_cast<size_t>(kLineCap - data[0]);
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
    // Whole when it fits; otherwise a start of it that leaves at most one unit of the buffer unused.
    assert(full.size() < cap - 1 ? out == full
                                 : full.compare(0, out.size(), out) == 0 && out.size() >= cap - 2);
    return 0;
}
