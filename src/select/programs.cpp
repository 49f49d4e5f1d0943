#include "programs.h"
#include "../text/text.h"
#include "../winsys/winsys.h"

namespace {
const int kImagePathCap = 32768; // the longest path the system gives, and its terminator

struct Program {
    unsigned pid;
    Process process; // nullptr: the image could not be read
    char16_t name[kProgramNameCap];
};

Program gPrograms[kProgramCap];
int gProgramCount;
Program gUnkept; // when the table is full of live processes
char16_t gImagePath[kImagePathCap];

const char16_t* FileNamePart(const char16_t* path) {
    const char16_t* name = path;
    for (; *path; ++path) {
        if (*path == '\\') name = path + 1;
    }
    return name;
}

void Forget(Program* p) {
    if (p->process) CloseProcess(p->process);
    p->process = nullptr;
}

Program* Read(unsigned pid) {
    Program* p = gProgramCount < kProgramCap ? &gPrograms[gProgramCount++] : &gUnkept;
    Forget(p);
    p->pid = pid;
    p->process = OpenProcessToRead(pid);
    if (p->process && !(ReadImagePath(p->process, gImagePath, kImagePathCap) &&
                        StrCopy(p->name, kProgramNameCap, FileNamePart(gImagePath))))
        Forget(p);
    return p;
}
} // namespace

const char16_t* ProgramOf(unsigned pid) {
    Program* p = nullptr;
    for (int i = 0; i < gProgramCount && !p; ++i) {
        if (gPrograms[i].pid == pid) p = &gPrograms[i];
    }
    if (!p) p = Read(pid);
    return p->process ? p->name : nullptr;
}
