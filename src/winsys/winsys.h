// The window-system and process operations the program uses, with their fixed arguments in one
// place. Callers never see windows.h: a window is an opaque pointer-sized handle.
// Text is UTF-16. Text reads take the buffer capacity in UTF-16 units (terminator included) and
// always leave the buffer terminated; a zero return means the read failed and the buffer holds an
// empty string.
#pragma once

#include <stdarg.h>

typedef struct OpaqueWindow* Window;

// Process
void RememberProcessHeap();
void* AllocZeroed(unsigned long long size); // from the process heap; waits for memory rather than fail
const char16_t* ProcessCommandLine();
[[noreturn]] void ExitProcessWith(int code);
unsigned TickCount();
void SleepMs(unsigned ms);
// Writes `length` units of text (at most kMaxWriteUnits) to standard output in the ANSI code page,
// or in UTF-8; the console twin writes a console in Unicode and a redirection in the console's
// code page. The bytes written, or -1 (no standard output is normal for a GUI program).
const int kMaxWriteUnits = 2048;
int WriteStdOut(const char16_t* text, int length, bool utf8);
// Formats into buf of cap units, always terminated. The format is ASCII, of at most 127
// characters; "%s" takes UTF-16 strings.
void FormatV(char16_t* buf, int cap, const char* format, va_list args);
// The usage text: a message box (returns when dismissed); on the console twin, standard error.
// Where no user could answer a box (canShowBox false), the GUI program writes it to standard output.
void ShowUsageText(const char* text, bool canShowBox);
// Whether a user can see windows from here: false when the process's window station is not
// visible (a scheduled task's or a service's) or the process runs in session 0, where no user
// works. Then stationName holds the station's name (cap units, terminated; empty when unreadable).
// A fact that cannot be read counts as interactive, as before this check.
bool DesktopIsInteractive(char16_t* stationName, int cap);

// The top-level windows at this moment, top of the Z order first, at most cap of them; no message
// is sent to any window meanwhile. Returns the number stored.
int SnapshotTopLevelWindows(Window* out, int cap);

// The first top-level window, top of the Z order first, for which fits(w, context) holds; nullptr
// when none does.
Window FindTopLevelWindow(bool (*fits)(Window w, Window context), Window context);
Window OwnerOf(Window w);
Window ParentOf(Window w);

int ReadClassName(Window w, char16_t* buf, int cap);
unsigned ProcessOf(Window w); // the id of the process that owns the window; 0 when it is gone
// The full path of the image of process `pid`, opened with the least access that reads it. Zero
// when the process cannot be opened (gone, protected) or the path does not fit.
int ReadImagePath(unsigned pid, char16_t* buf, int cap);
int ReadWindowText(Window w, char16_t* buf, int cap, unsigned timeoutMs); // WM_GETTEXT, abort if hung

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
