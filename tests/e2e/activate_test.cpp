// -a: a window that stays, or the dialog that blocks it, is brought to the foreground.
#include "e2e.h"

#include <gtest/gtest.h>

namespace {

// Holding the probe's hotkey makes quellix's input probe fail, so it must switch the foreground
// with attached input instead of plain calls.
struct ProbeHotkey {
    bool held = false;
    bool Take() { return held = RegisterHotKey(nullptr, 0x5151, MOD_CONTROL | MOD_SHIFT, 0xFC) != 0; }
    ~ProbeHotkey() {
        if (held) UnregisterHotKey(nullptr, 0x5151);
    }
};

bool MakeForeground(HWND w) {
    return WaitFor([&] {
        SetForegroundWindow(w);
        return GetForegroundWindow() == w;
    });
}

bool Contains(const std::string& s, const std::string& part) {
    return s.find(part) != std::string::npos;
}

enum Foreground { kSurvivor, kOther, kPopup };

struct ActivateRow {
    unsigned flags; // the survivor's
    bool sameThread, hotkey;
    const char* more;   // options
    std::string detail; // verbose lines between the verdict and "activated"
    Foreground foreground;
};

TEST(Activate, TheSurvivorOrItsDialogComesForward) {
    const ActivateRow rows[] = {
        {kIgnoresClose, false, false, "", "", kSurvivor},
        {kIgnoresClose, false, true, "", "", kSurvivor}, // the attached switch
        {kIgnoresClose, true, false, "", "", kSurvivor},
        // Attached to its own thread there is nothing to attach: the switch fails.
        {kIgnoresClose, true, true, "", "", kOther},
        {kDisabled | kDialog, false, false, "", " activate child dialog: text=Popup class=$Popup\r\n",
         kPopup},
        {kDisabled | kIgnoresClose, false, false, "",
         " activate child dialog: text=<error> class=<error>\r\n", kSurvivor},
        {kMinimized | kIgnoresClose, false, false, "", "", kSurvivor}, // restored first
        {kIgnoresClose, false, false, "-t", "", kOther},               // probes but activates nothing
    };
    for (const ActivateRow& row : rows) {
        TestWindows desk;
        const WindowDesc stays = {"$", "Stays", row.flags}, otherOne = {"$Other", "Other"};
        std::vector<HWND> w = desk.Create(row.sameThread ? std::vector<WindowDesc>{stays, otherOne}
                                                         : std::vector<WindowDesc>{stays});
        for (HWND h : row.sameThread ? std::vector<HWND>{} : desk.Create({otherOne}))
            w.push_back(h);
        ASSERT_EQ(w.size(), 2u);
        HWND survivor = w[0], fg = w[1];
        ASSERT_TRUE(MakeForeground(fg));
        ProbeHotkey hotkey;
        ASSERT_TRUE(!row.hotkey || hotkey.Take());
        std::string args = desk.Sub("-class=$ -text=Stays -a -v -wait=100 " + std::string(row.more));
        RunResult r = RunQuellix(args);
        bool test = *row.more != 0, activated = row.foreground != kOther;
        EXPECT_EQ(r.exitCode, test ? 0 : 1) << args;
        EXPECT_EQ(
            Contains(r.output, " still there -> activate\r\n" + desk.Sub(row.detail) + "  activated\r\n"),
            activated)
            << args << "\n"
            << r.output;
        EXPECT_EQ(Contains(r.output, "activate\r\n"), !test) << r.output;
        if (!test) {
            EXPECT_TRUE(
                Contains(r.output, activated ? " closed 1 activated\r\n" : "0 of 1 window closed\r\n"));
        }
        HWND expected = row.foreground == kOther   ? fg
                        : row.foreground == kPopup ? FindWindowW(Wide(desk.Sub("$Popup")).c_str(), nullptr)
                                                   : survivor;
        ASSERT_TRUE(desk.Settle());
        // Wine completes a switch asynchronously, on the target window's thread.
        EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == expected; }, 3000)) << args;
        EXPECT_FALSE(IsIconic(survivor));
        // The probe released its hotkey: anyone may take it now.
        ProbeHotkey after;
        EXPECT_TRUE(row.hotkey || after.Take());
    }
}

// Wine's own Notepad: asked to close with unsaved text, it asks whether to save and stays.
TEST(Activate, NotepadWithUnsavedTextShowsItsSaveDialogOnce) {
    Program notepad;
    HWND window = nullptr;
    ASSERT_TRUE(notepad.Start("notepad.exe"));
    ASSERT_TRUE(WaitFor(
        [&] {
            for (window = FindWindowA("Notepad", nullptr); window;
                 window = FindWindowExA(nullptr, window, "Notepad", nullptr)) {
                DWORD pid = 0;
                GetWindowThreadProcessId(window, &pid);
                if (pid == notepad.pi.dwProcessId) return true;
            }
            return false;
        },
        10000));
    // Notepad resets its edit control while it starts up: wait until it is idle.
    WaitForInputIdle(notepad.pi.hProcess, 5000);
    HWND edit = FindWindowExA(window, nullptr, "Edit", nullptr);
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("unsaved words"));
    SendMessageA(edit, EM_SETMODIFY, TRUE, 0);
    ASSERT_TRUE(SendMessageA(edit, EM_GETMODIFY, 0, 0));

    RunResult r = RunQuellix("-class=Notepad -a -v");
    EXPECT_EQ(r.exitCode, 1) << r.output;
    EXPECT_TRUE(Contains(r.output, Hex(window))) << r.output; // this instance
    EXPECT_TRUE(Contains(r.output, " activate child dialog: text=Notepad class=#32770\r\n  activated\r\n"))
        << r.output;
    EXPECT_TRUE(WaitFor(
        [&] {
            char cls[64] = {};
            GetClassNameA(GetForegroundWindow(), cls, sizeof cls);
            return std::string(cls) == "#32770" && GetWindow(GetForegroundWindow(), GW_OWNER) == window;
        },
        3000));
    // A script that tries again must not stack a second save dialog on the first.
    r = RunQuellix("-class=Notepad -wait=500");
    EXPECT_EQ(r.output, SummaryLine(0, 1));
    int dialogs = 0;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT))
        dialogs += IsWindowVisible(w) && GetWindow(w, GW_OWNER) == window;
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(WaitForSingleObject(notepad.pi.hProcess, 0), WAIT_TIMEOUT);
}

} // namespace
