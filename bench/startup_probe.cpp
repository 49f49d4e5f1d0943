// Start-up steps between the ExitProcess-only program and a no-match run, one build per step
// (BENCH_STEP): 1 imports USER32, 2 also asks for the desktop window, 3 also walks the top-level
// windows, 4 also imports SHLWAPI (as quellix.exe does).
#include <windows.h>
#include <shlwapi.h>

extern "C" [[noreturn]] void WinMainCRTStartup() {
    int count = 0;
#if BENCH_STEP == 2
    count += GetDesktopWindow() == nullptr;
#elif BENCH_STEP >= 3
    for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        ++count;
#endif
    // Never true: the calls only make the imports real, so that the loader maps those DLLs.
    if (GetCommandLineA() == nullptr) {
        MessageBeep(0);
#if BENCH_STEP >= 4
        char buf[2];
        count += wnsprintfA(buf, 2, "");
#endif
    }
    ExitProcess(count < 0);
}
