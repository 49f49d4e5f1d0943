// The window-system and process operations the program uses, with their fixed arguments in one
// place. Callers never see windows.h: a window is an opaque pointer-sized handle.
// Text reads take the buffer capacity in bytes (terminator included) and always leave the buffer
// terminated; a zero return means the read failed and the buffer holds an empty string.
#pragma once

#include <stdarg.h>

typedef struct OpaqueWindow* Window;

// Process
void RememberProcessHeap();
void* HeapAllocZeroed(unsigned long long size); // nullptr when the heap refuses
const char* ProcessCommandLine();
[[noreturn]] void ExitProcessWith(int code);
unsigned TickCount();
void SleepMs(unsigned ms);
int WriteStdOut(const char* bytes, int length); // bytes written, or -1
// Formats into buf of cap bytes, always terminated; the length written, or -1 when cut.
int FormatV(char* buf, int cap, const char* format, va_list args);
int Format(char* buf, int cap, const char* format, ...);
void ShowMessageBox(const char* text, const char* caption);

// Window walk: top of the Z order first, nullptr at the end.
Window FirstTopLevelWindow();
Window NextWindow(Window w);
Window OwnerOf(Window w);
Window ParentOf(Window w);

int ReadClassName(Window w, char* buf, int cap);
int ReadWindowText(Window w, char* buf, int cap, unsigned timeoutMs); // WM_GETTEXT, abort if hung

bool PostCloseRequest(Window w); // WM_CLOSE; false when refused, with LastErrorCode() telling why
unsigned LastErrorCode();
bool WindowExists(Window w);
bool IsMinimized(Window w);
bool IsEnabled(Window w);
bool IsVisible(Window w);
bool IsCaptionedPopup(Window w); // WS_POPUP and WS_CAPTION set, WS_CHILD clear
void RestoreWindow(Window w);    // does not wait for the window's thread

// Foreground
Window ForegroundWindow();
bool SetForeground(Window w);
bool PingWindow(Window w); // WM_NULL, 500 ms; false when hung or too slow
unsigned ThreadOf(Window w);
void AttachInput(unsigned from, unsigned to, bool attach);
void TapLeftShift();

// Input probe: a message-only window with a private hotkey.
typedef long long (*ProbeProc)(Window w, unsigned message, unsigned long long wParam, long long lParam);
const unsigned kMsgDestroy = 0x0002;
const unsigned kMsgHotkey = 0x0312;
void RegisterProbeClass(const char* name, ProbeProc proc);
Window CreateProbeWindow(const char* className);
bool RegisterProbeHotkey(Window w);
void UnregisterProbeHotkey(Window w);
void InjectProbeKeys();
void RunMessageLoop(); // until WM_QUIT or an error
void QuitMessageLoop();
long long DefaultWindowProc(Window w, unsigned message, unsigned long long wParam, long long lParam);
