#include "collect.h"
#include "excluded.h"
#include "wildcard.h"
#include "../text/text.h"

namespace {
const int kMaxTopLevel = 65536;     // the window system's handle table holds no more windows
const int kWholeTextCap = 512;      // the longest text that is matched whole, and its terminator
const unsigned kTextTimeoutMs = 30; // a hung window may cost the collection no more than this
const int kImagePathCap = 32768;    // the longest path the system gives, and its terminator
const unsigned kVerdictCap = 256;   // more processes than a desktop usually has with windows

Window gSnapshot[kMaxTopLevel]; // taken before any window is asked anything
char16_t gImagePath[kImagePathCap];

// Whether a process's program file name fits the -exe pattern, for the processes met so far, so
// that each name is read once per run. A verdict rather than the name: 8 bytes a process. Past
// kVerdictCap processes the oldest verdicts make room.
struct Verdict {
    unsigned pid;
    bool fits;
};
Verdict gVerdicts[kVerdictCap];
unsigned gVerdictCount;

const char16_t* FileNamePart(const char16_t* path) {
    const char16_t* name = path;
    for (; *path; ++path) {
        if (*path == '\\') name = path + 1;
    }
    return name;
}

// A process whose image path cannot be read (a protected one) fits no pattern.
bool ImageFits(unsigned pid, const char16_t* pattern) {
    for (unsigned i = 0; i < gVerdictCount && i < kVerdictCap; ++i) {
        if (gVerdicts[i].pid == pid) return gVerdicts[i].fits;
    }
    Verdict* v = &gVerdicts[gVerdictCount++ % kVerdictCap];
    v->pid = pid;
    v->fits =
        ReadImagePath(pid, gImagePath, kImagePathCap) && WildcardMatch(FileNamePart(gImagePath), pattern);
    return v->fits;
}

// A value read whole fits as the matcher says. One longer than `wholeCap - 1` units is matched on
// that much and fits only a pattern ending in "*": whatever follows the part read then fits too.
bool Fits(char16_t* value, int wholeCap, const char16_t* pattern) {
    if (StrLen(value) < wholeCap) return WildcardMatch(value, pattern);
    value[wholeCap - 1] = 0;
    int n = StrLen(pattern);
    return n > 0 && pattern[n - 1] == '*' && WildcardMatch(value, pattern);
}

// The cheapest test first: the class, read anyway for the listing; the process id, which asks
// no window; the program, read once per process; last the text, a message to the window. A run
// without -pid and -exe never looks up the process.
bool WindowMatches(Window w, const Settings* s, char16_t* name) {
    if (!ReadClassName(w, name, kClassNameCap + 1) || IsExcludedClass(name)) return false;
    if (s->windowclass[0] && !Fits(name, kClassNameCap, s->windowclass)) return false;
    if (s->processid || s->exename[0]) {
        unsigned pid = ProcessOf(w);
        if (s->processid && pid != static_cast<unsigned>(s->processid)) return false;
        if (s->exename[0] && !ImageFits(pid, s->exename)) return false;
    }
    if (!s->windowtext[0]) return true;
    // Two more units tell a text that was cut from one that fits, even when the read drops half a
    // surrogate pair at its end.
    char16_t text[kWholeTextCap + 2];
    return ReadWindowText(w, text, kWholeTextCap + 2, kTextTimeoutMs) &&
           Fits(text, kWholeTextCap, s->windowtext);
}
} // namespace

int CollectWindows(const Settings* s, ListedWindow** list) {
    int found = SnapshotTopLevelWindows(gSnapshot, kMaxTopLevel);
    *list = static_cast<ListedWindow*>(
        AllocZeroed(static_cast<unsigned long long>(found) * sizeof(ListedWindow)));
    int count = 0;
    for (int i = 0; i < found; ++i) {
        ListedWindow* entry = *list + count;
        if (WindowMatches(gSnapshot[i], s, entry->className)) {
            entry->window = gSnapshot[i];
            ++count;
        }
    }
    return count;
}
