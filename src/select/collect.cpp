#include "collect.h"
#include "excluded.h"
#include "programs.h"
#include "wildcard.h"
#include "../text/text.h"

namespace {
const int kWholeTextCap = 512;      // the longest text that is matched whole, and its terminator
const unsigned kTextTimeoutMs = 30; // a hung window may cost the collection no more than this

Window gSnapshot[kMaxTopLevel]; // taken before any window is asked anything

// A process whose image cannot be read (a protected one) fits no pattern.
bool ProgramFits(unsigned pid, const char16_t* pattern) {
    const char16_t* name = ProgramOf(pid);
    return name && WildcardMatch(name, pattern);
}

// A value read whole fits as the matcher says. One longer than `wholeCap - 1` units is matched on
// that much and fits only a pattern ending in "*": whatever follows the part read then fits too.
bool Fits(char16_t* value, int wholeCap, const char16_t* pattern) {
    if (StrLen(value) < wholeCap) return WildcardMatch(value, pattern);
    value[wholeCap - 1] = 0;
    int n = StrLen(pattern);
    return n > 0 && pattern[n - 1] == '*' && WildcardMatch(value, pattern);
}

} // namespace

// The cheapest test first: the class, read anyway for the listing; the process id, which asks
// no window; the program, read once per process; last the text, a message to the window. A run
// without -pid and -exe never looks up the process.
bool WindowFits(Window w, const Settings* s, char16_t* name) {
    if (!ReadClassName(w, name, kClassNameCap + 1) || IsExcludedClass(name)) return false;
    if (s->windowclass[0] && !Fits(name, kClassNameCap, s->windowclass)) return false;
    if (s->processid || s->exename[0]) {
        unsigned pid = ProcessOf(w);
        if (s->processid && pid != static_cast<unsigned>(s->processid)) return false;
        if (s->exename[0] && !ProgramFits(pid, s->exename)) return false;
    }
    if (!s->windowtext[0]) return true;
    // Two more units tell a text that was cut from one that fits, even when the read drops half a
    // surrogate pair at its end.
    char16_t text[kWholeTextCap + 2];
    return ReadWindowText(w, text, kWholeTextCap + 2, kTextTimeoutMs) &&
           Fits(text, kWholeTextCap, s->windowtext);
}

int CollectWindows(const Settings* s, ListedWindow** list) {
    int found = SnapshotTopLevelWindows(gSnapshot, kMaxTopLevel);
    *list = static_cast<ListedWindow*>(
        AllocZeroed(static_cast<unsigned long long>(found) * sizeof(ListedWindow)));
    int count = 0;
    for (int i = 0; i < found; ++i) {
        ListedWindow* entry = *list + count;
        if (WindowFits(gSnapshot[i], s, entry->className)) {
            entry->window = gSnapshot[i];
            ++count;
        }
    }
    return count;
}
