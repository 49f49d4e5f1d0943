// Any UTF-16 text as the process command line, through the start-up path: SplitArgs, then
// PrepareSettings. The words are compared with a plain reading of the quoting rules.
#include "cmdline/options.h"
#include "cmdline/split.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// Trim spaces and tabs; split at runs of spaces outside quotes, every quote toggling; then drop
// each quote whose predecessor in its word is not a backslash.
std::vector<std::u16string> ReferenceWords(const char16_t* line) {
    std::u16string s(line);
    size_t first = s.find_first_not_of(u" \t");
    if (first == std::u16string::npos) return {};
    s = s.substr(first, s.find_last_not_of(u" \t") - first + 1);

    std::vector<std::u16string> raw(1);
    bool quoted = false;
    for (char16_t c : s) {
        if (c == ' ' && !quoted) {
            if (!raw.back().empty()) raw.emplace_back();
            continue;
        }
        if (c == '"') quoted = !quoted;
        raw.back() += c;
    }
    std::vector<std::u16string> words;
    for (const std::u16string& w : raw) {
        std::u16string kept;
        for (size_t i = 0; i < w.size(); ++i) {
            if (w[i] != '"' || (i > 0 && w[i - 1] == '\\')) kept += w[i];
        }
        words.push_back(kept);
    }
    return words;
}

bool TerminatedWithin(const char16_t* s, size_t cap) {
    for (size_t i = 0; i < cap; ++i) {
        if (!s[i]) return true;
    }
    return false;
}

size_t Length(const char16_t* s) {
    return std::u16string(s).size();
}

void CheckSettings(int count, char16_t** entries, const Settings& s, int code) {
    FUZZ_CHECK(code == 0 || code == kExitNoArguments || code == kExitNoPattern);
    FUZZ_CHECK((code == kExitNoArguments) == (count < 2));
    FUZZ_CHECK(TerminatedWithin(s.windowtext, kTextCap));
    FUZZ_CHECK(TerminatedWithin(s.windowclass, kClassCap));
    FUZZ_CHECK(TerminatedWithin(s.exename, kExeCap));
    FUZZ_CHECK(s.activate == 0 || s.activate == 1);
    FUZZ_CHECK(s.verbose == 0 || s.verbose == 1);
    FUZZ_CHECK(s.test == 0 || (s.test == 1 && s.verbose == 1));
    if (code != 0) return;
    // A run goes on only with a condition, only when no word had to be cut, and never with a process
    // id that is not positive.
    FUZZ_CHECK(s.windowtext[0] || s.windowclass[0] || s.exename[0] || s.processid);
    FUZZ_CHECK(s.processid >= 0);
    for (int k = 1; k < count; ++k)
        FUZZ_CHECK(Length(entries[k]) < static_cast<size_t>(kEntryCap));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Exact heap sizes: a read past the line or the copy is an ASan report.
    std::u16string units = UnitsFrom(data, size);
    std::vector<char16_t> line(units.c_str(), units.c_str() + units.size() + 1);
    std::vector<char16_t> copy(kCmdLineCap);
    std::unique_ptr<ArgTable> table(new ArgTable);

    bool fits = SplitArgs(line.data(), copy.data(), kCmdLineCap, table.get());
    // Words are never empty before quote removal, so the table cannot run out before the copy.
    FUZZ_CHECK(fits == (Length(line.data()) < static_cast<size_t>(kCmdLineCap)));
    if (!fits) return 0;

    std::vector<std::u16string> words = ReferenceWords(line.data());
    FUZZ_CHECK(table->count >= 0 && table->count <= kMaxArgs);
    FUZZ_CHECK(static_cast<size_t>(table->count) == words.size());
    const char16_t* copyEnd = copy.data() + kCmdLineCap;
    const char16_t* previousEnd = copy.data();
    for (int k = 0; k < table->count; ++k) {
        const char16_t* e = table->entries[k];
        FUZZ_CHECK(e >= previousEnd && e < copyEnd);
        FUZZ_CHECK(TerminatedWithin(e, static_cast<size_t>(copyEnd - e)));
        FUZZ_CHECK(words[static_cast<size_t>(k)] == e);
        previousEnd = e + Length(e) + 1;
    }

    std::unique_ptr<Settings> settings(new Settings);
    int code = PrepareSettings(table->count, table->entries, settings.get());
    CheckSettings(table->count, table->entries, *settings, code);
    return 0;
}
