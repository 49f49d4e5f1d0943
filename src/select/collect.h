// The matching top-level windows, in Z order from the top.
#pragma once

#include "../winsys/winsys.h"

// Lists every top-level window whose class fits `windowclass` and whose text fits `windowtext`
// (an empty pattern sets no condition), except the excluded classes. The list holds at most as
// many windows as there were before the walk; it is never freed. Returns the number listed.
int CollectWindows(const char* windowtext, const char* windowclass, Window** list);

// Zero-filled memory from the process heap; waits for memory rather than fail.
void* AllocZeroed(unsigned long long size);
