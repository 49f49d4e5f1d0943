// The end-to-end tests' world: real top-level windows on threads that pump messages, the real
// programs run as child processes, and the report text expected of them, built independently of
// the programs' own formatting.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// How a test window behaves; the flags combine.
const unsigned kIgnoresClose = 1; // WM_CLOSE does nothing
const unsigned kClosesLate = 2;   // destroyed delayMs after WM_CLOSE; its thread keeps pumping meanwhile
const unsigned kHung = 4;         // its thread pumps nothing for delayMs after creation (or till the end)
const unsigned kHidden = 8, kMinimized = 16, kDisabled = 32;
const unsigned kDialog = 64;        // owns a visible captioned popup of class cls + "Popup", text "Popup"
const unsigned kHiddenDialog = 128; // owns such a popup, never shown
const unsigned kHangsOnClose = 256; // WM_CLOSE hangs its thread for delayMs, and does nothing
// When its text is read: destroyed at once, destroyed just after answering (as a window that
// closes on its own between being listed and being asked), raised to the top, sent to the bottom.
const unsigned kGoesWhenRead = 512, kVanishesWhenRead = 1024, kRisesWhenRead = 2048, kSinksWhenRead = 4096;
const unsigned kHidesOnClose = 8192; // WM_CLOSE hides it, as a program that lives in the notification area
const unsigned kRecreatesOnClose = 16384; // WM_CLOSE makes a new window like it, then closes it
const unsigned kWithChild = 32768;        // has a child window of its class and text
const unsigned kBarePopup = 65536;        // owns a visible popup without a caption, as a menu
const UINT kHangMessage = WM_APP + 41;    // posted to a test window: its thread hangs for wParam ms

struct WindowDesc {
    std::string cls;  // "$" stands for the test's class prefix
    std::string text; // UTF-8
    unsigned flags = 0;
    DWORD delayMs = 0;
};

// One window of class `cls` per title, all alike.
std::vector<WindowDesc> Titles(const std::string& cls, const std::vector<std::string>& titles,
                               unsigned flags = 0, DWORD delayMs = 0);

struct WindowGroup;

// Owns every window it creates. Each group gets a thread; windows are shown without activation
// and raised as they are created, so later windows lie above earlier ones in Z order.
class TestWindows {
public:
    TestWindows();
    ~TestWindows();
    TestWindows(const TestWindows&) = delete;
    TestWindows& operator=(const TestWindows&) = delete;

    std::string prefix; // "Qx." + test name + "." + a counter: no other test or program has it
    std::string Sub(std::string s) const; // every "$" replaced by the prefix
    // The windows of one group, in this order; empty on failure.
    std::vector<HWND> Create(const std::vector<WindowDesc>& descs);

private:
    std::vector<std::unique_ptr<WindowGroup>> groups_;
    HANDLE release_;
};

bool WaitGone(HWND w, DWORD timeoutMs = 5000);
bool MakeForeground(HWND w);

// Holding the probe's hotkey makes quellix's input probe fail, so it must switch the foreground
// with attached input instead of plain calls.
struct ProbeHotkey {
    bool held = false;
    bool Take() { return held = RegisterHotKey(nullptr, 0x5151, MOD_CONTROL | MOD_SHIFT, 0xFC) != 0; }
    ~ProbeHotkey() {
        if (held) UnregisterHotKey(nullptr, 0x5151);
    }
};
// Polls `condition` until it holds or the time runs out.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

struct RunResult {
    int exitCode; // -1 when the child had to be ended after the time-out, -2 when it did not start
    std::string output, errors;
};

std::string ProgramPath(const std::string& name); // a program built beside the tests
std::wstring Wide(const std::string& utf8);

struct RunOptions {
    const char* exe = "quellix.exe";
    DWORD timeoutMs = 20000;
    bool noStdout = false;            // as a GUI program started without redirection
    const wchar_t* desktop = nullptr; // "station\\desktop" to start it on; ours when null
    // Runs while the child does, with what the child has written to standard output so far.
    std::function<void(const std::function<std::string()>& output)> meanwhile;
};
// Runs a program built beside the tests with `args` (UTF-8) by a Unicode command line, as a
// shell starts it.
RunResult RunQuellix(const std::string& args, const RunOptions& options = {});

// A program the test starts; its process is ended, by its handle, with this record.
struct Program {
    PROCESS_INFORMATION pi = {};
    bool Start(const std::string& commandLine);
    HWND Find(const std::string& cls, const char* title = nullptr) const; // a top-level window of it
    ~Program();
};

std::string Hex(HWND w); // "0x" and at least eight lower-case digits
// "win[j]:  hWnd=... text='...' class='...'" with CR LF, the index two wide when found > 10.
std::string ListingLine(int j, int found, HWND w, const std::string& text, const std::string& cls);
std::string SettingsLine(int activate, int wait, int count);
std::string FoundLine(int found);
std::string SummaryLine(int closed, int found, int activated = 0);
