// The window-system and process operations the program uses, with their fixed arguments in one
// place. Callers never see windows.h: a window is an opaque pointer-sized handle.
// Text is UTF-16. Text reads take the buffer capacity in UTF-16 units (terminator included) and
// always leave the buffer terminated; a zero return means the read failed and the buffer holds an
// empty string.
#pragma once

#include <stdarg.h>

typedef struct OpaqueWindow* Window;

// Process
void* AllocZeroed(unsigned long long size); // never freed; waits for memory rather than fail
const char16_t* ProcessCommandLine();
[[noreturn]] void ExitProcessWith(int code);
unsigned TickCount();
void SleepMs(unsigned ms);
// Writes `length` units of text (at most kMaxWriteUnits) to standard output in the ANSI code page,
// or in UTF-8; the console twin writes a console in Unicode and a redirection in the console's
// code page. What cannot be written is lost (no standard output is normal for a GUI program).
const int kMaxWriteUnits = 16384;
void WriteStdOut(const char16_t* text, int length, bool utf8);
// Formats into buf of cap units, always terminated. The format is ASCII, of at most 255
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

int ReadClassName(Window w, char16_t* buf, int cap);
unsigned ProcessOf(Window w); // the id of the process that owns the window; 0 when it is gone

// An open process. While it stays open the system gives its id to no other process.
typedef struct OpaqueProcess* Process;
// Opens process `pid` with the least access that reads its image and its state; nullptr when it
// cannot be opened (gone, protected).
Process OpenProcessToRead(unsigned pid);
// The full path of the process's image; zero when it cannot be read or does not fit.
int ReadImagePath(Process p, char16_t* buf, int cap);
bool ProcessHasEnded(Process p);
void CloseProcess(Process p);

// For -force only: no other run opens a process to end it, nor lists the processes.
struct ProcessLink {
    unsigned pid, parent;
};
unsigned CurrentProcessId();
// The processes running now, each with the id of the one that started it; at most cap of them.
int ListProcesses(ProcessLink* out, int cap);
// Opens the process that owns window w to end it; nullptr when refused, with LastErrorCode().
Process OpenProcessToEnd(Window w, unsigned pid);
bool IsCriticalProcess(Process p); // false where the system cannot tell
// Ends the process with exit code 1; false when the system refuses.
bool EndProcess(Process p);
int ReadWindowText(Window w, char16_t* buf, int cap, unsigned timeoutMs); // WM_GETTEXT, abort if hung

bool PostCloseRequest(Window w); // WM_CLOSE; false when refused, with LastErrorCode() telling why
unsigned LastErrorCode();
bool WindowExists(Window w);
bool IsMinimized(Window w);
bool IsEnabled(Window w);
bool IsVisible(Window w);
bool IsCaptionedPopup(Window w); // WS_POPUP and WS_CAPTION set, WS_CHILD clear
void RestoreWindow(Window w);    // does not wait for the window's thread

// Window events: `proc` is called for each top-level window of another process that is created,
// shown or renamed, on this thread, while WaitForWindowEvents waits. A system may tell of only some
// of these, or of none.
typedef void (*WindowEventProc)(Window w);
void WatchWindowEvents(WindowEventProc proc);
// Waits until events arrive or `ms` pass, and delivers what came.
void WaitForWindowEvents(unsigned ms);

// Foreground
Window ForegroundWindow();
bool SetForeground(Window w);
bool PingWindow(Window w); // WM_NULL, 500 ms; false when hung or too slow
unsigned ThreadOf(Window w);
void AttachInput(unsigned from, unsigned to, bool attach);
void TapLeftShift();

// Input probe: a message-only window with a private hotkey.
Window CreateProbeWindow();
bool RegisterProbeHotkey(Window w);
void InjectProbeKeys();
// Delivers the probe window's messages until its close request has destroyed it, releasing the
// hotkey as the request comes; true when the hotkey's notification came first.
bool RunProbe(Window probe);
