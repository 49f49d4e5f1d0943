#include "collect.h"
#include "excluded.h"
#include "wildcard.h"

namespace {
const int kNameCap = 256;
const unsigned kTextTimeoutMs = 30; // a hung window may cost the walk no more than this

int CountTopLevelWindows() {
    int count = 0;
    for (Window w = FirstTopLevelWindow(); w; w = NextWindow(w))
        ++count;
    return count;
}

// The class is tested first: the text of a window whose class fails is never asked for.
bool WindowMatches(Window w, const char* windowtext, const char* windowclass) {
    char name[kNameCap];
    if (!ReadClassName(w, name, kNameCap) || IsExcludedClass(name)) return false;
    if (windowclass[0] && !WildcardMatch(name, windowclass)) return false;
    if (!windowtext[0]) return true;
    char text[kNameCap];
    return ReadWindowText(w, text, kNameCap, kTextTimeoutMs) && WildcardMatch(text, windowtext);
}
} // namespace

void* AllocZeroed(unsigned long long size) {
    void* p;
    while (!(p = HeapAllocZeroed(size)))
        SleepMs(500);
    return p;
}

int CollectWindows(const char* windowtext, const char* windowclass, Window** list) {
    int capacity = CountTopLevelWindows();
    *list = static_cast<Window*>(AllocZeroed(static_cast<unsigned long long>(capacity) * sizeof(Window)));
    int count = 0;
    // A walk whose window vanished under it ends there: the next step from it gives none.
    for (Window w = FirstTopLevelWindow(); w && count < capacity; w = NextWindow(w)) {
        if (WindowMatches(w, windowtext, windowclass)) (*list)[count++] = w;
    }
    return count;
}
