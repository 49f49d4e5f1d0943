// Real top-level windows for the end-to-end tests, and the report text expected for them.
// Every group of windows lives on a thread of its own that pumps messages, so the test's own
// thread is free to wait on quellix.exe.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

enum class Behavior {
    Closes,            // WM_CLOSE destroys it
    IgnoresClose,      // WM_CLOSE does nothing
    ClosesLate,        // destroyed delayMs after WM_CLOSE; the thread keeps pumping meanwhile
    Hung,              // its thread pumps nothing for delayMs after creation (or until Release)
    HungMinimized,     // shown minimized, then hung as Hung
    Hidden,            // never shown
    Minimized,         // shown minimized
    Disabled,          // shown, WS_DISABLED
    DisabledWithPopup, // disabled, owning a visible WS_POPUP|WS_CAPTION window of class cls + "Popup"
};

struct WindowDesc {
    std::string cls;
    std::string text; // UTF-8
    Behavior behavior = Behavior::Closes;
    DWORD delayMs = 0; // ClosesLate and the hung ones
    std::string popupText = "Popup";
    bool ignoresClose = false; // stays after WM_CLOSE whatever its behaviour (a minimized survivor)
};

struct WindowGroup;

// Owns every window it creates: the destructor destroys them, ends their threads and unregisters
// the classes. Windows are shown without activation and raised to the top as they are created,
// so later windows lie above earlier ones in Z order.
class TestWindows {
public:
    TestWindows();
    ~TestWindows();
    TestWindows(const TestWindows&) = delete;
    TestWindows& operator=(const TestWindows&) = delete;

    // A class name no other test or program uses: "Qx." + test name + "." + tag + counter.
    std::string NewClass(const std::string& tag = "");

    // The windows of one group, created in this order on one new thread; empty on failure.
    std::vector<HWND> CreateGroup(const std::vector<WindowDesc>& descs);
    std::vector<HWND> Create(const WindowDesc& desc, int count = 1);
    HWND CreateOne(const WindowDesc& desc);

    HWND PopupOf(HWND owner) const; // nullptr unless created as DisabledWithPopup

    // Every message posted so far to a window of a pumping group has been handled. False when a
    // group did not answer in time (a hung one does not).
    bool Settle(DWORD timeoutMs = 5000);
    // Hung threads pump again.
    void Release();

private:
    void Register(const std::string& cls);

    std::string prefix_;
    std::vector<std::string> registered_;
    std::vector<std::unique_ptr<WindowGroup>> groups_;
    HANDLE release_;
};

bool WaitGone(HWND w, DWORD timeoutMs = 5000);

// Expected report text, built independently of the program's own formatting.
std::string Hex(HWND w); // "0x" and at least eight lower-case digits
// "win[j]:  hWnd=... text='...' class='...'" with CR LF, the index two wide when found > 10.
std::string ListingLine(int j, int found, HWND w, const std::string& text, const std::string& cls);
std::string WithCrLf(const std::string& text); // LF not already after CR becomes CR LF
std::string SettingsLine(int activate, int wait, int count);
std::string FoundLine(int found);
std::string SummaryLine(int closed, int found);
std::vector<HWND> ListedWindows(const std::string& output); // the hWnd of every listing line
