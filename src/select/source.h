// The windows a run handles, one at a time: first those that fit when the run starts, in Z order;
// then, while a watch lasts, each window that comes to fit (created, shown or renamed) as it does.
// No window is given twice.
#pragma once

#include "collect.h"

// Collects the windows that fit now and, when `s` asks for a watch, starts watching. Returns how
// many fit now. `s` must outlive the source.
int OpenWindowSource(const Settings* s);

// The next window to handle, valid until the next call; nullptr when none is left: every window of
// the start has been given and the watch, if any, is over.
const ListedWindow* NextWindow();

// How many windows have fitted in all: those of the start and those given since.
int WindowsSeen();

// Whether the run handles the window: given already, or of the start and within `-count`.
bool IsRunWindow(Window w);
