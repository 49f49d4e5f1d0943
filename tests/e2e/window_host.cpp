// A second program that owns windows, for the tests: `window_host [-ignore|-hang|-dialog] CLASS
// TITLE...` shows one window of class CLASS per TITLE and pumps messages. A title may spell any
// UTF-16 unit as \uXXXX (a lone surrogate too), so that a shell can pass it. A window closes on
// WM_CLOSE, unless -ignore; -hang stops pumping once the windows are shown; -dialog disables each
// window under a captioned popup of its own, of class CLASS + "Popup". The program ends when its
// last window has gone, or when the test ends it. Once its windows show it writes its process id
// on standard output.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {
int gWindows;
bool gIgnoreClose;

LRESULT CALLBACK HostProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE && gIgnoreClose) return 0;
    if (message == WM_DESTROY && !GetWindow(w, GW_OWNER) && --gWindows == 0) PostQuitMessage(0);
    return DefWindowProcW(w, message, wParam, lParam);
}

std::wstring Unescape(const wchar_t* s) {
    std::wstring out;
    for (; *s; ++s) {
        if (s[0] == '\\' && s[1] == 'u' && wcslen(s) >= 6) {
            out += static_cast<wchar_t>(wcstoul(std::wstring(s + 2, 4).c_str(), nullptr, 16));
            s += 5;
        } else {
            out += *s;
        }
    }
    return out;
}
} // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring mode = argc > 1 && argv[1][0] == '-' ? argv[1] : L"";
    int first = mode.empty() ? 1 : 2;
    if (argc < first + 2) return 2;
    gIgnoreClose = mode == L"-ignore";
    std::wstring cls = argv[first], popup = cls + L"Popup";
    for (const std::wstring& name : {cls, popup}) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = HostProc;
        wc.lpszClassName = name.c_str();
        if (!RegisterClassW(&wc)) return 3;
    }
    for (int i = first + 1; i < argc; ++i) {
        HWND w = CreateWindowExW(0, cls.c_str(), Unescape(argv[i]).c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 200,
                                 100, nullptr, nullptr, nullptr, nullptr);
        if (!w) return 4;
        ++gWindows;
        ShowWindow(w, SW_SHOWNA);
        if (mode == L"-dialog") {
            ShowWindow(CreateWindowExW(0, popup.c_str(), L"Popup", WS_POPUP | WS_CAPTION, 0, 0, 100, 50, w,
                                       nullptr, nullptr, nullptr),
                       SW_SHOWNA);
            EnableWindow(w, FALSE);
        }
    }
    std::printf("%lu\n", GetCurrentProcessId());
    std::fflush(stdout);
    if (mode == L"-hang") Sleep(INFINITE);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    return 0;
}
