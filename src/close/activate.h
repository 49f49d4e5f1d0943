// Bringing a window that stayed, or the dialog that blocks it, into the foreground.
#pragma once

#include "../winsys/winsys.h"

// Injects the private hotkey and reports whether its notification arrived: true means plain
// foreground switches are allowed to this process. Once seen, stays seen for the process.
bool ProbeInput();

// The first visible, captioned popup that `owner` owns, or nullptr.
Window FindOwnedDialog(Window owner);

// Switches the foreground with the foreground thread's input attached to the window's.
bool ForceForeground(Window w);

// Restores a minimized window and brings it (or its dialog, when it is disabled) forward.
// True when that succeeded.
bool ActivateSurvivor(Window w);
