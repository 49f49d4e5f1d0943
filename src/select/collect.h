// The matching top-level windows, in Z order from the top.
#pragma once

#include "../cmdline/options.h"
#include "../winsys/winsys.h"

const int kMaxTopLevel = 65536; // the window system's handle table holds no more windows
const int kClassNameCap = 257;  // the longest class name the system registers, and its terminator

struct ListedWindow {
    Window window;
    char16_t className[kClassNameCap + 1]; // read once: a window's class never changes
};

// Whether the window fits every condition of `s` (its class, process, program file name and text;
// an empty pattern or a zero process id sets none) and is of no excluded class. Its class name is
// left in `className` (kClassNameCap + 1 units).
bool WindowFits(Window w, const Settings* s, char16_t* className);

// Lists every top-level window that fits `s`. The windows are those of one snapshot, each examined
// once in the snapshot's Z order; one that vanished meanwhile is skipped. The list is allocated here and
// never freed. Returns the number listed.
int CollectWindows(const Settings* s, ListedWindow** list);
