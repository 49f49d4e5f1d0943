// Listing floor: the fewest window-system calls a test-mode listing can make, in a plain loop,
// built like quellix.exe. One walk (a snapshot), one class read per window, one text read per
// listed window (the one read for matching, with -text), one write per line. Arguments:
// -class=NAME and -text=NAME, whole and case-insensitive (no wildcards, no quoting).
#include <windows.h>

namespace {
const int kNameCap = 256;
const int kTextCap = 512;
const int kMaxWindows = 65536;
HWND gWindows[kMaxWindows];
const WCHAR* gClass = L"";
const WCHAR* gText = L"";

bool StartsWith(const WCHAR* s, const WCHAR* prefix) {
    while (*prefix)
        if (*s++ != *prefix++) return false;
    return true;
}

// Space-separated tokens after the program path.
void ReadArguments() {
    WCHAR* p = GetCommandLineW();
    while (*p) {
        while (*p && *p != ' ')
            ++p;
        while (*p == ' ')
            *p++ = 0;
        if (StartsWith(p, L"-class=")) gClass = p + 7;
        if (StartsWith(p, L"-text=")) gText = p + 6;
    }
}

struct Snapshot {
    int count;
};

BOOL CALLBACK Add(HWND w, LPARAM param) {
    Snapshot* s = reinterpret_cast<Snapshot*>(param);
    if (s->count == kMaxWindows) return FALSE;
    gWindows[s->count++] = w;
    return TRUE;
}

bool ReadText(HWND w, WCHAR* buf, int cap, UINT timeoutMs) {
    DWORD_PTR length = 0;
    buf[0] = 0;
    LRESULT ok = SendMessageTimeoutW(w, WM_GETTEXT, static_cast<WPARAM>(cap), reinterpret_cast<LPARAM>(buf),
                                     SMTO_ABORTIFHUNG, timeoutMs, &length);
    buf[cap - 1] = 0;
    return ok != 0;
}

WCHAR gLine[2048];
char gBytes[3 * 2048];
} // namespace

extern "C" [[noreturn]] void WinMainCRTStartup() {
    ReadArguments();
    Snapshot s = {0};
    EnumWindows(Add, reinterpret_cast<LPARAM>(&s));
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    int listed = 0;
    for (int i = 0; i < s.count; ++i) {
        WCHAR name[kNameCap];
        WCHAR text[kTextCap];
        if (!GetClassNameW(gWindows[i], name, kNameCap)) continue;
        if (gClass[0] && lstrcmpiW(name, gClass) != 0) continue;
        if (gText[0] && !(ReadText(gWindows[i], text, kTextCap, 30) && lstrcmpiW(text, gText) == 0)) continue;
        if (!gText[0]) ReadText(gWindows[i], text, kTextCap, 1000);
        unsigned long handle = static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(gWindows[i]));
        int n = wsprintfW(gLine, L"win[%i]:  hWnd=0x%08lx text='%s' class='%s'\r\n", listed++, handle, text,
                          name);
        int bytes = WideCharToMultiByte(CP_ACP, 0, gLine, n, gBytes, sizeof gBytes, nullptr, nullptr);
        DWORD written = 0;
        WriteFile(out, gBytes, static_cast<DWORD>(bytes), &written, nullptr);
    }
    ExitProcess(0);
}
