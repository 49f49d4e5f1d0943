// A second program that owns windows, for the end-to-end tests: `window_host CLASS TITLE...` shows
// one window of class CLASS per TITLE and pumps messages until it is ended. A window closes on
// WM_CLOSE; the process stays until the test ends it.
#include <windows.h>

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = argv[1];
    if (!RegisterClassA(&wc)) return 3;
    for (int i = 2; i < argc; ++i) {
        HWND w = CreateWindowExA(0, argv[1], argv[i], WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                 nullptr, nullptr);
        if (!w) return 4;
        ShowWindow(w, SW_SHOWNA);
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}
