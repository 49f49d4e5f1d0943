#include "force.h"
#include "guard.h"
#include "../report/report.h"
#include "../select/programs.h"
#include "../select/source.h"

namespace {
const int kProcessCap = 16384;
const unsigned kLeastWaitMs = 1000;
const unsigned kPollMs = 10;
const int kOwnerDepth = 16; // owner chains are short; a cycle must not hold the run

ProcessLink gProcesses[kProcessCap];
int gProcessCount; // listed once, when first needed
unsigned gProgram; // the process whose other windows are being looked for

bool InChain(unsigned pid) {
    if (!gProcessCount) gProcessCount = ListProcesses(gProcesses, kProcessCap);
    return InProcessChain(pid, CurrentProcessId(), gProcesses, gProcessCount);
}

// A visible window of the program that this run does not handle, nor one that it handles owns (a
// dialog of its own goes with the window).
bool IsOtherWindow(Window w, Window) {
    if (!IsVisible(w) || ProcessOf(w) != gProgram) return false;
    for (int depth = 0; w && depth < kOwnerDepth; ++depth, w = OwnerOf(w)) {
        if (IsRunWindow(w)) return false;
    }
    return true;
}

Guardrail FirstGuardrail(WindowRecord* r, unsigned pid, Process* process) {
    if (InChain(pid)) return kGuardChain;
    gProgram = pid;
    if (FindTopLevelWindow(IsOtherWindow, nullptr)) return kGuardOtherWindows;
    *process = OpenProcessToEnd(r->window, pid);
    if (!*process) {
        r->error = LastErrorCode();
        return kGuardOpen;
    }
    if (IsCriticalProcess(*process)) return kGuardCritical;
    return ProgramGuardrail(ProgramOf(pid));
}

} // namespace

bool EndProgram(WindowRecord* r, int waittime) {
    unsigned pid = ProcessOf(r->window);
    Process process = nullptr;
    Guardrail g = FirstGuardrail(r, pid, &process);
    if (g != kGuardNone) {
        if (process) CloseProcess(process);
        r->outcome = kOutcomeNotEnded;
        r->reason = GuardrailWords(g);
        ReportStep(g == kGuardOpen ? " not ended: %hs (error %u)\n" : " not ended: %hs\n", r->reason,
                   r->error);
        return false;
    }
    // The wait, never less than a second; a negative one is a long one.
    unsigned ms =
        static_cast<unsigned>(waittime) > kLeastWaitMs ? static_cast<unsigned>(waittime) : kLeastWaitMs;
    bool ended = EndProcess(process);
    unsigned start = TickCount();
    while (ended && (!ProcessHasEnded(process) || WindowExists(r->window)) && TickCount() - start < ms)
        SleepMs(kPollMs);
    CloseProcess(process);
    if (WindowExists(r->window)) return false;
    ReportStep(" ended process %u (%s)\n", pid, ProgramOf(pid));
    r->outcome = kOutcomeEnded;
    return true;
}
