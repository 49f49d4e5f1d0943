// The matching top-level windows, in Z order from the top.
#pragma once

#include "../winsys/winsys.h"

const int kClassNameCap = 257; // the longest class name the system registers, and its terminator

struct ListedWindow {
    Window window;
    char16_t className[kClassNameCap + 1]; // read once: a window's class never changes
};

// Lists every top-level window whose class fits `windowclass` and whose text fits `windowtext`
// (an empty pattern sets no condition), except the excluded classes. The windows are those of one
// snapshot, each examined once in the snapshot's Z order; one that vanished meanwhile is skipped.
// The list is allocated here and never freed. Returns the number listed.
int CollectWindows(const char16_t* windowtext, const char16_t* windowclass, ListedWindow** list);
