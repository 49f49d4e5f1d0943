#include "guard.h"
#include "../text/text.h"

namespace {
// The programs that make the desktop itself; ending one takes the desktop down, or the session.
// One packed string without ".exe", ended by an empty name.
const char kDesktopPrograms[] = "explorer\0dwm\0csrss\0winlogon\0wininit\0services\0lsass\0smss\0svchost\0"
                                "sihost\0fontdrvhost\0ctfmon\0conhost\0ApplicationFrameHost\0"
                                "ShellExperienceHost\0StartMenuExperienceHost\0SearchHost\0SearchApp\0"
                                "TextInputHost\0taskhostw\0RuntimeBroker\0LogonUI\0dllhost\0userinit\0";

// In the order of Guardrail.
const char kGuardrailWords[] = "\0started this run\0other windows\0access denied\0critical process\0"
                               "image unreadable\0desktop process";

// name is prefix + ".exe", ASCII letters folded.
bool IsProgramNamed(const char16_t* name, const char* prefix) {
    int n = 0;
    while (prefix[n])
        ++n;
    return StartsWithNoCase(name, prefix) && StartsWithNoCase(name + n, ".exe") && !name[n + 4];
}

unsigned ParentOf(unsigned pid, const ProcessLink* links, int count) {
    for (int i = 0; i < count; ++i) {
        if (links[i].pid == pid) return links[i].parent;
    }
    return 0;
}
} // namespace

const char* GuardrailWords(Guardrail g) {
    return NthString(kGuardrailWords, g);
}

Guardrail ProgramGuardrail(const char16_t* name) {
    if (!name) return kGuardUnreadable;
    for (const char* program = kDesktopPrograms; *program;) {
        if (IsProgramNamed(name, program)) return kGuardDesktop;
        while (*program++) {
        }
    }
    return kGuardNone;
}

bool InProcessChain(unsigned pid, unsigned self, const ProcessLink* links, int count) {
    for (int depth = 0; self && depth < kChainDepth; ++depth, self = ParentOf(self, links, count)) {
        if (self == pid) return true;
    }
    return false;
}
