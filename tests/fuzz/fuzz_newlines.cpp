// ExpandNewlines on any terminated string in its buffer, checked against what newlines.h promises.
#include "report/newlines.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string WithCrBeforeLf(const std::string& in) {
    std::string out;
    char prev = 0;
    for (char c : in) {
        if (c == '\n' && prev != '\r') out += '\r';
        out += c;
        prev = c;
    }
    return out;
}

bool EndsWith(const std::string& s, const char* tail) {
    size_t n = std::strlen(tail);
    return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

} // namespace

// Input: the string, then (after a NUL) bytes for the rest of the buffer, which must not matter;
// where the input ends, LFs fill the buffer.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const size_t cap = static_cast<size_t>(kLineCap);
    std::vector<char> buf(cap, '\n'); // exactly the buffer: a write past it is an ASan report
    std::memcpy(buf.data(), data, size < cap ? size : cap);
    const void* inputNul = std::memchr(data, 0, size);
    size_t length = inputNul ? static_cast<size_t>(static_cast<const uint8_t*>(inputNul) - data) : size;
    buf[length < cap - 1 ? length : cap - 1] = 0;
    const std::string in(buf.data());
    const std::string full = WithCrBeforeLf(in);

    ExpandNewlines(buf.data());

    const char* nul = static_cast<const char*>(std::memchr(buf.data(), 0, cap));
    FUZZ_CHECK(nul != nullptr);
    const std::string out(buf.data(), static_cast<size_t>(nul - buf.data()));
    for (size_t i = 0; i < out.size(); ++i)
        FUZZ_CHECK(out[i] != '\n' || (i > 0 && out[i - 1] == '\r'));
    bool endsInLf = EndsWith(in, "\n");
    FUZZ_CHECK(!endsInLf || EndsWith(out, "\r\n"));

    if (full.size() < cap) {
        FUZZ_CHECK(out == full);
        return 0;
    }
    // Cut: a prefix of the expanded line with CR LF put back when the line had one, using the
    // room there is; at most a CR LF pair that no longer fits is left over.
    std::string kept = endsInLf ? out.substr(0, out.size() - 2) : out;
    FUZZ_CHECK(full.compare(0, kept.size(), kept) == 0);
    FUZZ_CHECK(out.size() >= cap - 2);
    return 0;
}
