// A second program that owns windows, for the tests: `window_host CLASS TITLE...` shows one window
// of class CLASS per TITLE (Unicode) and pumps messages. A window closes on WM_CLOSE; the program
// ends when its last window has gone, or when the test ends it.
#include <windows.h>

namespace {
int gWindows;

LRESULT CALLBACK HostProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY && --gWindows == 0) PostQuitMessage(0);
    return DefWindowProcW(w, message, wParam, lParam);
}
} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = HostProc;
    wc.lpszClassName = argv[1];
    if (!RegisterClassW(&wc)) return 3;
    for (int i = 2; i < argc; ++i) {
        HWND w = CreateWindowExW(0, argv[1], argv[i], WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                 nullptr, nullptr);
        if (!w) return 4;
        ++gWindows;
        ShowWindow(w, SW_SHOWNA);
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    return 0;
}
