#include "collect.h"
#include "excluded.h"
#include "wildcard.h"
#include "../text/text.h"

namespace {
const int kMaxTopLevel = 65536;     // the window system's handle table holds no more windows
const int kTextCap = 512;           // the longest text that is matched whole, and its terminator
const unsigned kTextTimeoutMs = 30; // a hung window may cost the collection no more than this

Window gSnapshot[kMaxTopLevel]; // taken before any window is asked anything

// A value read whole fits as the matcher says. One longer than `wholeCap - 1` units is matched on
// that much and fits only a pattern ending in "*": whatever follows the part read then fits too.
bool Fits(char16_t* value, int wholeCap, const char16_t* pattern) {
    if (StrLen(value) < wholeCap) return WildcardMatch(value, pattern);
    value[wholeCap - 1] = 0;
    int n = StrLen(pattern);
    return n > 0 && pattern[n - 1] == '*' && WildcardMatch(value, pattern);
}

// The class is tested first: the text of a window whose class fails is never asked for.
bool WindowMatches(Window w, const char16_t* windowtext, const char16_t* windowclass, char16_t* name) {
    if (!ReadClassName(w, name, kClassNameCap + 1) || IsExcludedClass(name)) return false;
    if (windowclass[0] && !Fits(name, kClassNameCap, windowclass)) return false;
    if (!windowtext[0]) return true;
    char16_t text[kTextCap + 1]; // one more unit tells a text that was cut from one that fits
    return ReadWindowText(w, text, kTextCap + 1, kTextTimeoutMs) && Fits(text, kTextCap, windowtext);
}
} // namespace

int CollectWindows(const char16_t* windowtext, const char16_t* windowclass, ListedWindow** list) {
    int found = SnapshotTopLevelWindows(gSnapshot, kMaxTopLevel);
    *list = static_cast<ListedWindow*>(
        AllocZeroed(static_cast<unsigned long long>(found) * sizeof(ListedWindow)));
    int count = 0;
    for (int i = 0; i < found; ++i) {
        ListedWindow* entry = *list + count;
        if (WindowMatches(gSnapshot[i], windowtext, windowclass, entry->className)) {
            entry->window = gSnapshot[i];
            ++count;
        }
    }
    return count;
}
