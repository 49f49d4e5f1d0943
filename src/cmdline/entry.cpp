// Process entry: no C runtime runs before this.
#include "main.h"
#include "split.h"
#include "../winsys/winsys.h"

namespace {
char16_t gCmdLineCopy[kCmdLineCap]; // the argument table points into it until the process ends
ArgTable gArgs;

bool SplitCommandLine(ArgTable* table) {
    return SplitArgs(ProcessCommandLine(), gCmdLineCopy, kCmdLineCap, table);
}
} // namespace

extern "C" [[noreturn]] void WinMainCRTStartup() {
    CheckDesktop(); // a refused command line shows the usage too
    bool fits = SplitCommandLine(&gArgs);
    ExitProcessWith(fits ? RunMain(gArgs.count, gArgs.entries) : RefuseCommandLine());
}
