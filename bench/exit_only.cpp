// Start-up baseline: the least a CRT-free GUI program can do, built like quellix.exe.
#include <windows.h>

extern "C" [[noreturn]] void WinMainCRTStartup() {
    ExitProcess(0);
}
