// Listing baseline: the window-system calls of a test-mode listing, in a plain loop, built like
// quellix.exe. Arguments: -class=NAME and -text=NAME, whole and case-insensitive (no wildcards);
// -split writes each window's line in two pieces, to show what one more write per window costs.
#include <windows.h>

namespace {
const int kNameCap = 256;
const int kTextCap = 512;
const int kCmdCap = 1280;
char gCmd[kCmdCap];
const char* gClass = "";
const char* gText = "";
bool gSplit = false;

bool StartsWith(const char* s, const char* prefix) {
    while (*prefix)
        if (*s++ != *prefix++) return false;
    return true;
}

// Space-separated tokens after the program path; no quoting.
void ReadArguments() {
    lstrcpynA(gCmd, GetCommandLineA(), kCmdCap);
    char* p = gCmd;
    if (*p == '"') {
        ++p;
        while (*p && *p != '"')
            ++p;
    }
    while (*p && *p != ' ')
        ++p;
    while (*p) {
        while (*p == ' ')
            *p++ = 0;
        char* token = p;
        while (*p && *p != ' ')
            ++p;
        if (*p) *p++ = 0;
        if (StartsWith(token, "-class=")) gClass = token + 7;
        if (StartsWith(token, "-text=")) gText = token + 6;
        if (StartsWith(token, "-split")) gSplit = true;
    }
}

void WriteLine(const char* line, int length) {
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line, static_cast<DWORD>(length), &written, nullptr);
}

bool ReadText(HWND w, char* buf, int cap, UINT timeoutMs) {
    DWORD_PTR length = 0;
    buf[0] = 0;
    LRESULT ok = SendMessageTimeoutA(w, WM_GETTEXT, static_cast<WPARAM>(cap), reinterpret_cast<LPARAM>(buf),
                                     SMTO_ABORTIFHUNG, timeoutMs, &length);
    buf[cap - 1] = 0;
    return ok != 0;
}

bool Matches(HWND w) {
    char name[kNameCap];
    if (!GetClassNameA(w, name, kNameCap)) return false;
    if (gClass[0] && lstrcmpiA(name, gClass) != 0) return false;
    if (!gText[0]) return true;
    char text[kNameCap];
    return ReadText(w, text, kNameCap, 30) && lstrcmpiA(text, gText) == 0;
}
} // namespace

extern "C" [[noreturn]] void WinMainCRTStartup() {
    ReadArguments();
    int capacity = 0;
    for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        ++capacity;
    HWND* list = static_cast<HWND*>(
        HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, static_cast<SIZE_T>(capacity) * sizeof(HWND)));
    int found = 0;
    for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w && found < capacity;
         w = GetWindow(w, GW_HWNDNEXT))
        if (Matches(w)) list[found++] = w;

    char line[1024];
    WriteLine(line, wsprintfA(line, "found %i windows\r\n", found));
    for (int i = 0; i < found; ++i) {
        char name[kNameCap];
        char text[kTextCap];
        if (!GetClassNameA(list[i], name, kNameCap)) name[0] = 0;
        ReadText(list[i], text, kTextCap, 1000);
        unsigned long handle = static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(list[i]));
        if (gSplit) {
            WriteLine(line, wsprintfA(line, "win[%i]", i));
            WriteLine(line, wsprintfA(line, ":  hWnd=0x%08lx text='%s' class='%s'\r\n", handle, text, name));
        } else {
            WriteLine(line, wsprintfA(line, "win[%i]:  hWnd=0x%08lx text='%s' class='%s'\r\n", i, handle,
                                      text, name));
        }
    }
    ExitProcess(0);
}
