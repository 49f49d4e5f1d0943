#include "winsys.h"
#include "../text/text.h"

#include <windows.h>
#include <shlwapi.h>
#include <tlhelp32.h>

namespace {

WCHAR* U(char16_t* s) {
    return reinterpret_cast<WCHAR*>(s);
}
const WCHAR* U(const char16_t* s) {
    return reinterpret_cast<const WCHAR*>(s);
}

HWND H(Window w) {
    return reinterpret_cast<HWND>(w);
}
Window W(HWND h) {
    return reinterpret_cast<Window>(h);
}

// The tests' build only: a window of one class stands in for an elevated program's, which Wine
// cannot make: its close request and the opening of its process fail with access denied.
bool IsRefusedWindow(Window w) {
#ifdef QUELLIX_REFUSED_CLASS
    char name[64];
    if (GetClassNameA(H(w), name, sizeof name) && lstrcmpA(name, QUELLIX_REFUSED_CLASS) == 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return true;
    }
#endif
    (void)w;
    return false;
}

const int kHotkeyId = 1;
const UINT kHotkeyModifiers = MOD_CONTROL | MOD_SHIFT;
const UINT kHotkeyKey = 0xFC; // VK_NONAME: no keyboard has it
const int kMaxFormat = 256;

struct Snapshot {
    Window* out;
    int cap;
    int count;
};

BOOL CALLBACK AddToSnapshot(HWND h, LPARAM param) {
    Snapshot* s = reinterpret_cast<Snapshot*>(param);
    if (s->count == s->cap) return FALSE;
    s->out[s->count++] = W(h);
    return TRUE;
}
} // namespace

void* AllocZeroed(unsigned long long size) {
    void* p;
    while (!(p = VirtualAlloc(nullptr, size + 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)))
        Sleep(500);
    return p;
}

const char16_t* ProcessCommandLine() {
    return reinterpret_cast<const char16_t*>(GetCommandLineW());
}

void ExitProcessWith(int code) {
    ExitProcess(static_cast<UINT>(code));
}

unsigned TickCount() {
    return GetTickCount();
}

void SleepMs(unsigned ms) {
    Sleep(ms);
}

// Three bytes per unit at most, in UTF-8 and in every ANSI code page. Not on the stack: a frame
// over a page would need the C runtime's stack probe.
char gBytes[3 * kMaxWriteUnits];

void WriteStdOut(const char16_t* text, int length, bool utf8) {
    if (length > kMaxWriteUnits) length = kMaxWriteUnits;
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD written = 0;
#ifdef QUELLIX_CONSOLE
    // On a console every title shows exactly, whatever its code page; redirected, the bytes are
    // those a console program writes (without a console, the ANSI code page).
    if (WriteConsoleW(out, U(text), static_cast<DWORD>(length), &written, nullptr)) return;
    UINT codePage = utf8 ? CP_UTF8 : GetConsoleOutputCP();
#else
    UINT codePage = utf8 ? CP_UTF8 : CP_ACP;
#endif
    int n = WideCharToMultiByte(codePage, 0, U(text), length, gBytes, sizeof gBytes, nullptr, nullptr);
    WriteFile(out, gBytes, static_cast<DWORD>(n), &written, nullptr);
}

void FormatV(char16_t* buf, int cap, const char* format, va_list args) {
    WCHAR wideFormat[kMaxFormat];
    int i = 0;
    for (; format[i] && i < kMaxFormat - 1; ++i)
        wideFormat[i] = static_cast<unsigned char>(format[i]);
    wideFormat[i] = 0;
    buf[0] = 0;
    wvnsprintfW(U(buf), cap, wideFormat, args);
    buf[cap - 1] = 0;
}

namespace {
void WriteBytes(DWORD stdHandle, const char* text) {
    DWORD length = 0, written = 0;
    while (text[length])
        ++length;
    WriteFile(GetStdHandle(stdHandle), text, length, &written, nullptr);
}
} // namespace

#ifdef QUELLIX_CONSOLE
// A console user needs no mouse: the text goes to standard error.
void ShowUsageText(const char* text, bool) {
    WriteBytes(STD_ERROR_HANDLE, text);
}
#else
// A box that no one can see is never answered: the run would hang until something kills it.
void ShowUsageText(const char* text, bool canShowBox) {
    if (canShowBox)
        MessageBoxA(nullptr, text, "Quellix", MB_OK);
    else
        WriteBytes(STD_OUTPUT_HANDLE, text);
}
#endif

namespace {
bool StationIsHidden(HWINSTA station) {
    USEROBJECTFLAGS flags;
    DWORD needed = 0;
    return GetUserObjectInformationW(station, UOI_FLAGS, &flags, sizeof flags, &needed) &&
           !(flags.dwFlags & WSF_VISIBLE);
}

// Since Windows Vista only services run there; an interactive service's WinSta0 is still visible.
bool InSessionZero() {
    DWORD session = 1;
    BOOL known = ProcessIdToSessionId(GetCurrentProcessId(), &session);
#ifdef QUELLIX_SESSION_ZERO
    session = 0; // the tests' build only: Wine runs every process in session 1
#endif
    return known && session == 0;
}
} // namespace

bool DesktopIsInteractive(char16_t* stationName, int cap) {
    HWINSTA station = GetProcessWindowStation();
    if (!StationIsHidden(station) && !InSessionZero()) return true;
    DWORD bytes = static_cast<DWORD>(cap) * sizeof(char16_t), needed = 0;
    if (!GetUserObjectInformationW(station, UOI_NAME, stationName, bytes, &needed)) stationName[0] = 0;
    stationName[cap - 1] = 0;
    return false;
}

int SnapshotTopLevelWindows(Window* out, int cap) {
    Snapshot s = {out, cap, 0};
    EnumWindows(AddToSnapshot, reinterpret_cast<LPARAM>(&s));
    return s.count;
}

namespace {
struct Search {
    bool (*fits)(Window w, Window context);
    Window context;
    Window found;
};

BOOL CALLBACK TryWindow(HWND h, LPARAM param) {
    Search* s = reinterpret_cast<Search*>(param);
    if (!s->fits(W(h), s->context)) return TRUE;
    s->found = W(h);
    return FALSE;
}
} // namespace

Window FindTopLevelWindow(bool (*fits)(Window w, Window context), Window context) {
    Search s = {fits, context, nullptr};
    EnumWindows(TryWindow, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

Window OwnerOf(Window w) {
    return W(reinterpret_cast<HWND>(GetWindowLongPtrA(H(w), GWLP_HWNDPARENT))); // a top-level window's owner
}

__attribute__((noinline)) int ReadClassName(Window w, char16_t* buf, int cap) {
    int n = GetClassNameW(H(w), U(buf), cap);
    buf[n > 0 ? (n < cap ? n : cap - 1) : 0] = 0;
    return n;
}

__attribute__((noinline)) unsigned ProcessOf(Window w) {
    DWORD pid = 0;
    GetWindowThreadProcessId(H(w), &pid);
    return pid;
}

Process OpenProcessToRead(unsigned pid) {
#ifdef QUELLIX_UNREADABLE_IMAGES
    // The tests' build only: every process is as a protected one, which Wine cannot make. Each
    // attempt shows on standard error, for the tests to count.
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), "image read\r\n", 12, &written, nullptr);
    return nullptr;
#endif
    return reinterpret_cast<Process>(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
}

int ReadImagePath(Process p, char16_t* buf, int cap) {
    DWORD length = static_cast<DWORD>(cap);
    BOOL ok = QueryFullProcessImageNameW(reinterpret_cast<HANDLE>(p), 0, U(buf), &length);
    if (!ok) buf[0] = 0;
    return ok;
}

bool ProcessHasEnded(Process p) {
    DWORD code = 0;
    return !GetExitCodeProcess(reinterpret_cast<HANDLE>(p), &code) || code != STILL_ACTIVE;
}

void CloseProcess(Process p) {
    CloseHandle(reinterpret_cast<HANDLE>(p));
}

unsigned CurrentProcessId() {
    return GetCurrentProcessId();
}

int ListProcesses(ProcessLink* out, int cap) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    int n = 0;
    PROCESSENTRY32W entry;
    entry.dwSize = sizeof entry;
    for (BOOL ok = Process32FirstW(snapshot, &entry); ok && n < cap; ok = Process32NextW(snapshot, &entry))
        out[n++] = {entry.th32ProcessID, entry.th32ParentProcessID};
    CloseHandle(snapshot);
    return n;
}

Process OpenProcessToEnd(Window w, unsigned pid) {
    if (IsRefusedWindow(w)) return nullptr;
    return reinterpret_cast<Process>(
        OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
}

// Looked up when needed: older systems, and Wine, lack it, and an import would keep the program
// from loading there.
bool IsCriticalProcess(Process p) {
    typedef BOOL(WINAPI * IsCriticalProc)(HANDLE, PBOOL);
    auto isCritical = reinterpret_cast<IsCriticalProc>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "IsProcessCritical")));
    BOOL critical = FALSE;
    return isCritical && isCritical(reinterpret_cast<HANDLE>(p), &critical) && critical;
}

bool EndProcess(Process p) {
    return TerminateProcess(reinterpret_cast<HANDLE>(p), 1) != FALSE;
}

int ReadWindowText(Window w, char16_t* buf, int cap, unsigned timeoutMs) {
    DWORD_PTR length = 0;
    buf[0] = 0;
    LRESULT ok = SendMessageTimeoutW(H(w), WM_GETTEXT, static_cast<WPARAM>(cap),
                                     reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, timeoutMs, &length);
    // The other process writes this buffer: never trust its terminator or its count.
    buf[cap - 1] = 0;
    if (!ok) {
        buf[0] = 0;
        return 0;
    }
    // A text cut at the buffer's end keeps no half of a surrogate pair.
    int n = StrLen(buf);
    if (n == cap - 1 && IsHighSurrogate(buf[n - 1])) buf[n - 1] = 0;
    return 1;
}

bool PostCloseRequest(Window w) {
    if (IsRefusedWindow(w)) return false;
    return PostMessageA(H(w), WM_CLOSE, 0, 0) != FALSE;
}
unsigned LastErrorCode() {
    return GetLastError();
}
bool WindowExists(Window w) {
    return IsWindow(H(w)) != FALSE;
}
// The window's state from its style bits: one call for what several would ask.
namespace {
__attribute__((noinline)) DWORD Style(Window w) {
    return static_cast<DWORD>(GetWindowLongPtrA(H(w), GWL_STYLE));
}
} // namespace
bool IsMinimized(Window w) {
    return Style(w) & WS_MINIMIZE;
}
bool IsEnabled(Window w) {
    return !(Style(w) & WS_DISABLED);
}
bool IsVisible(Window w) {
    return Style(w) & WS_VISIBLE;
}

bool IsCaptionedPopup(Window w) {
    DWORD style = Style(w);
    return (style & WS_POPUP) && (style & WS_CAPTION) == WS_CAPTION && !(style & WS_CHILD);
}

// ShowWindow would wait for the window's thread, which may be hung.
void RestoreWindow(Window w) {
    ShowWindowAsync(H(w), SW_RESTORE);
}

namespace {
WindowEventProc gWindowEventProc;

void CALLBACK OnWindowEvent(HWINEVENTHOOK, DWORD event, HWND h, LONG object, LONG child, DWORD, DWORD) {
    if (event == EVENT_OBJECT_DESTROY || object != OBJID_WINDOW || child != CHILDID_SELF) return;
    if (GetAncestor(h, GA_PARENT) == GetDesktopWindow()) gWindowEventProc(W(h));
}
} // namespace

// Out of context: nothing is loaded into the other processes; the events queue up for this thread.
void WatchWindowEvents(WindowEventProc proc) {
    gWindowEventProc = proc;
    const DWORD flags = WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS;
    SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_SHOW, nullptr, OnWindowEvent, 0, 0, flags);
    SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, OnWindowEvent, 0, 0, flags);
}

void WaitForWindowEvents(unsigned ms) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, ms, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

Window ForegroundWindow() {
    return W(GetForegroundWindow());
}
bool SetForeground(Window w) {
    return SetForegroundWindow(H(w)) != FALSE;
}

bool PingWindow(Window w) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(H(w), WM_NULL, 0, 0, SMTO_BLOCK, 500, &result) != 0;
}

unsigned ThreadOf(Window w) {
    return GetWindowThreadProcessId(H(w), nullptr);
}
void AttachInput(unsigned from, unsigned to, bool attach) {
    AttachThreadInput(from, to, attach ? TRUE : FALSE);
}

// A class every process has: the probe needs no window procedure of its own, since it reads its
// messages as they come.
Window CreateProbeWindow() {
    return W(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
}

bool RegisterProbeHotkey(Window w) {
    return RegisterHotKey(H(w), kHotkeyId, kHotkeyModifiers, kHotkeyKey) != 0;
}
bool RunProbe(Window probe) {
    bool seen = false;
    while (IsWindow(H(probe))) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            seen |= msg.hwnd == H(probe) && msg.message == WM_HOTKEY;
            if (msg.hwnd == H(probe) && msg.message == WM_CLOSE) UnregisterHotKey(H(probe), kHotkeyId);
            DispatchMessageA(&msg);
        }
    }
    return seen;
}

namespace {
const WORD kUp = 0x100; // above the virtual key: a release

// One SendInput call for a sequence of key presses and releases.
void SendKeys(const WORD* keys, int count) {
    INPUT inputs[7];
    ZeroMemory(inputs, sizeof inputs);
    for (int i = 0; i < count; ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = keys[i] & 0xFF;
        inputs[i].ki.dwFlags = keys[i] & kUp ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(static_cast<UINT>(count), inputs, sizeof(INPUT));
}
} // namespace

void InjectProbeKeys() {
    static const WORD kKeys[7] = {VK_MENU | kUp,    VK_CONTROL,     VK_SHIFT,        kHotkeyKey,
                                  kHotkeyKey | kUp, VK_SHIFT | kUp, VK_CONTROL | kUp};
    SendKeys(kKeys, 7);
}

void TapLeftShift() {
    static const WORD kKeys[2] = {VK_LSHIFT, VK_LSHIFT | kUp};
    SendKeys(kKeys, 2);
}
