// Any UTF-16 text as the process command line, through the start-up path: SplitArgs, then
// PrepareSettings. The words are compared with a plain reading of the quoting rules.
#include "cmdline/options.h"
#include "cmdline/split.h"
#include "fuzz_check.h"

#include <memory>

// Trim spaces and tabs; split at runs of spaces outside quotes, every quote toggling; then drop
// each quote whose predecessor in its word is not a backslash.
static std::vector<std::u16string> ReferenceWords(std::u16string s) {
    s.erase(s.find_last_not_of(u" \t") + 1);
    s.erase(0, s.find_first_not_of(u" \t"));
    std::vector<std::u16string> words(s.empty() ? 0 : 1);
    bool quoted = false;
    char16_t prev = 0; // in the word, quotes included; 0 before its first unit
    for (char16_t c : s) {
        bool separates = c == ' ' && !quoted;
        if (separates && prev) words.emplace_back();
        if (c == '"') quoted = !quoted;
        if (!separates && (c != '"' || prev == '\\')) words.back() += c;
        prev = separates ? 0 : c;
    }
    return words;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Exact heap sizes: a read past the line or the copy is an ASan report.
    std::vector<char16_t> line = Exact(UnitsFrom(data, size));
    std::vector<char16_t> copy(kCmdLineCap);
    std::unique_ptr<ArgTable> table(new ArgTable);
    bool fits = SplitArgs(line.data(), copy.data(), kCmdLineCap, table.get());
    // Words are never empty before quote removal, so the table cannot run out before the copy.
    assert(fits == (std::u16string(line.data()).size() < static_cast<size_t>(kCmdLineCap)));
    if (!fits) return 0;

    std::vector<std::u16string> words = ReferenceWords(line.data());
    assert(static_cast<size_t>(table->count) == words.size());
    const char16_t* copyEnd = copy.data() + kCmdLineCap;
    const char16_t* previousEnd = copy.data();
    for (int k = 0; k < table->count; ++k) {
        const char16_t* e = table->entries[k];
        assert(e >= previousEnd && e < copyEnd && TerminatedWithin(e, static_cast<size_t>(copyEnd - e)));
        assert(words[static_cast<size_t>(k)] == e);
        previousEnd = e + std::u16string(e).size() + 1;
    }

    std::unique_ptr<Settings> s(new Settings);
    int code = PrepareSettings(table->count, table->entries, s.get());
    assert(code == 0 || code == kExitNoArguments || code == kExitNoPattern);
    assert((code == kExitNoArguments) == (table->count < 2));
    assert(TerminatedWithin(s->windowtext, kTextCap));
    assert(TerminatedWithin(s->windowclass, kClassCap));
    assert(TerminatedWithin(s->exename, kExeCap));
    assert(s->activate == 0 || s->activate == 1);
    assert(s->verbose == 0 || s->verbose == 1);
    if (code != 0) return 0; // a refused line's settings are never used
    assert(s->test == 0 || (s->test == 1 && s->verbose == 1));
    // A run needs a condition, words that were not cut, and no process id below 1.
    assert(s->windowtext[0] || s->windowclass[0] || s->exename[0] || s->processid);
    assert(s->processid >= 0);
    for (int k = 1; k < table->count; ++k)
        assert(std::u16string(table->entries[k]).size() < static_cast<size_t>(kEntryCap));
    return 0;
}
