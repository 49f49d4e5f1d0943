#include "activate.h"
#include "../report/output.h"
#include "../report/report.h"

namespace {
const unsigned kRestoreTimeoutMs = 2000;
const unsigned kPollMs = 10;
int gHotkeySeen; // never cleared: one probe that saw the hotkey answers for the rest of the run

void RestoreMinimized(Window w) {
    if (!IsMinimized(w)) return;
    RestoreWindow(w);
    unsigned start = TickCount();
    while (IsMinimized(w) && TickCount() - start < kRestoreTimeoutMs)
        SleepMs(kPollMs);
}
} // namespace

bool ProbeInput() {
    Window probe = CreateProbeWindow();
    if (!probe) return false;
    if (!RegisterProbeHotkey(probe)) return false;
    InjectProbeKeys();
    PostCloseRequest(probe); // the hotkey's notification, if any, comes before it
    gHotkeySeen |= RunProbe(probe);
    return gHotkeySeen != 0;
}

static bool IsDialogOf(Window w, Window owner) {
    return IsVisible(w) && OwnerOf(w) == owner && IsCaptionedPopup(w);
}

__attribute__((noinline)) Window FindOwnedDialog(Window owner) {
    return FindTopLevelWindow(IsDialogOf, owner);
}

bool ForceForeground(Window w) {
    Window fg = ForegroundWindow();
    if (fg == w) return true;
    if (!PingWindow(fg)) // a hung foreground window would hang the attached switch too
        return false;
    unsigned fgThread = ThreadOf(fg);
    unsigned target = ThreadOf(w);
    bool ok = false;
    if (fgThread != target) {
        AttachInput(fgThread, target, true);
        ok = SetForeground(w);
        AttachInput(fgThread, target, false);
    }
    if (ForegroundWindow() == w) TapLeftShift(); // a key event makes the switch count as the user's
    return ok && w;
}

bool ActivateSurvivor(Window w) {
    ReportStep(" still there -> activate\n");
    RestoreMinimized(w);
    Window dialog = nullptr;
    if (!IsEnabled(w)) {
        dialog = FindOwnedDialog(w);
        ReportStep(" activate child dialog: text=%s class=%s\n", WindowTextForLog(dialog),
                   ClassNameForLog(dialog));
    }
    bool success;
    if (ProbeInput())
        success = (dialog && SetForeground(dialog)) || SetForeground(w);
    else
        success = (dialog && ForceForeground(dialog)) || ForceForeground(w);
    if (success) ReportStep("  activated\n");
    return success;
}
