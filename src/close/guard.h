// When -force may end the program of a window that will not close, and the words that say why
// not. Portable: the caller gathers the facts.
#pragma once

#include "../winsys/winsys.h"

// In the order they are checked; the first that holds keeps the program alive.
enum Guardrail {
    kGuardNone,         // the program may be ended
    kGuardChain,        // this run's own process, or one in the chain of parents that started it
    kGuardOtherWindows, // it shows a window that this run does not handle
    kGuardOpen,         // it cannot be opened for ending (an elevated program)
    kGuardCritical,     // the system marks it critical
    kGuardUnreadable,   // its image cannot be read
    kGuardDesktop,      // its image is one of the desktop's own programs
};

// The words for a guardrail in the report, and in the JSON document; "" for kGuardNone.
const char* GuardrailWords(Guardrail g);

// kGuardUnreadable without a name, kGuardDesktop for a name on the table of the desktop's own
// programs (compared without regard to ASCII case), kGuardNone otherwise.
Guardrail ProgramGuardrail(const char16_t* name);

// Whether process `pid` is `self` or one in the chain of processes that started it, parent after
// parent, by `count` links of a snapshot of the processes. The chain ends at a process not in the
// snapshot, and after kChainDepth steps: ids are reused, so a "parent" may be a younger process,
// and the chain may loop.
const int kChainDepth = 64;
bool InProcessChain(unsigned pid, unsigned self, const ProcessLink* links, int count);
