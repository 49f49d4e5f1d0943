// -a: a window that stays, or the dialog that blocks it, is brought to the foreground.
#include "fixture.h"
#include "process.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const UINT kProbeModifiers = MOD_CONTROL | MOD_SHIFT;
const UINT kProbeKey = 0xFC;
const int kTestHotkeyId = 0x5151;

// Holding the probe's hotkey makes quellix's input probe fail, so it must switch the foreground
// with attached input instead of plain calls.
struct ProbeHotkey {
    bool held = false;
    bool Take() { return held = RegisterHotKey(nullptr, kTestHotkeyId, kProbeModifiers, kProbeKey) != 0; }
    ~ProbeHotkey() {
        if (held) UnregisterHotKey(nullptr, kTestHotkeyId);
    }
};

bool MakeForeground(HWND w) {
    return WaitFor([&] {
        SetForegroundWindow(w);
        return GetForegroundWindow() == w;
    });
}

// Wine completes a foreground switch asynchronously, on the target window's thread.
bool BecomesForeground(HWND w) {
    return WaitFor([&] { return GetForegroundWindow() == w; }, 3000);
}

bool Contains(const std::string& s, const std::string& part) {
    return s.find(part) != std::string::npos;
}
bool EndsWith(const std::string& s, const std::string& end) {
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

std::string Args(const std::string& cls, const char* more = "") {
    return "-class=" + cls + " -a -v -wait=100 " + more;
}

TEST(Activate, ASurvivorIsBroughtToTheForeground) {
    for (bool attach : {false, true}) {
        TestWindows desk;
        std::string cls = desk.NewClass("stays");
        HWND stays = desk.CreateOne({cls, "Stays", Behavior::IgnoresClose});
        HWND other = desk.CreateOne({desk.NewClass("other"), "Other"});
        ASSERT_TRUE(stays && other);
        ASSERT_TRUE(MakeForeground(other));
        ProbeHotkey hotkey;
        if (attach) {
            ASSERT_TRUE(hotkey.Take());
        }

        RunResult r = RunQuellix(Args(cls));
        EXPECT_EQ(r.exitCode, 1) << r.output;
        EXPECT_TRUE(Contains(r.output, " still there -> activate\r\n  activated\r\n")) << r.output;
        EXPECT_TRUE(EndsWith(r.output, "0 of 1 window closed 1 activated\r\n")) << r.output;
        EXPECT_TRUE(BecomesForeground(stays)) << "attach method: " << attach;
        EXPECT_TRUE(IsWindow(stays));
    }
}

TEST(Activate, TheMethodFollowsTheProbe) {
    // The foreground window belongs to the survivor's own thread. Plain switching (probe seen)
    // succeeds; the attached switch has no other thread to attach and reports failure.
    for (bool hotkeyTaken : {false, true}) {
        TestWindows desk;
        std::string cls = desk.NewClass("stays");
        std::vector<HWND> group =
            desk.CreateGroup({{cls, "Stays", Behavior::IgnoresClose}, {desk.NewClass("sibling"), "Sibling"}});
        ASSERT_EQ(group.size(), 2u);
        ASSERT_TRUE(MakeForeground(group[1]));
        ProbeHotkey hotkey;
        if (hotkeyTaken) {
            ASSERT_TRUE(hotkey.Take());
        }

        RunResult r = RunQuellix(Args(cls));
        EXPECT_EQ(r.exitCode, 1);
        if (hotkeyTaken) {
            EXPECT_FALSE(Contains(r.output, "activated")) << r.output;
            EXPECT_TRUE(EndsWith(r.output, "0 of 1 window closed\r\n")) << r.output;
            ASSERT_TRUE(desk.Settle());
            EXPECT_EQ(GetForegroundWindow(), group[1]);
        } else {
            EXPECT_TRUE(EndsWith(r.output, "0 of 1 window closed 1 activated\r\n")) << r.output;
            EXPECT_TRUE(BecomesForeground(group[0]));
        }
    }
}

TEST(Activate, TheDialogOfADisabledWindowComesFirst) {
    TestWindows desk;
    std::string cls = desk.NewClass("owner");
    WindowDesc desc{cls, "Owner", Behavior::DisabledWithPopup};
    desc.popupText = "Save changes?"; // the owner would close if it were asked
    HWND owner = desk.CreateOne(desc);
    HWND other = desk.CreateOne({desk.NewClass("other"), "Other"});
    ASSERT_TRUE(owner && other);
    HWND popup = desk.PopupOf(owner);
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(MakeForeground(other));

    RunResult r = RunQuellix(Args(cls));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Contains(
        r.output, " still there -> activate\r\n activate child dialog: text=Save changes? class=" + cls +
                      "Popup\r\n  activated\r\n"))
        << r.output;
    EXPECT_TRUE(BecomesForeground(popup));
}

// Survivors that need more than a switch: a disabled window without a dialog of its own is tried
// itself; a minimized one is restored first.
TEST(Activate, DisabledAndMinimizedSurvivorsAreActivatedThemselves) {
    const struct {
        Behavior behavior;
        const char* detail; // the verbose lines between the verdict and "activated"
    } cases[] = {
        {Behavior::Disabled, " activate child dialog: text=<error> class=<error>\r\n"},
        {Behavior::Minimized, ""},
    };
    for (const auto& c : cases) {
        TestWindows desk;
        std::string cls = desk.NewClass("stays");
        WindowDesc desc{cls, "Stays", c.behavior};
        desc.ignoresClose = true;
        HWND stays = desk.CreateOne(desc);
        HWND other = desk.CreateOne({desk.NewClass("other"), "Other"});
        ASSERT_TRUE(stays && other);
        ASSERT_TRUE(MakeForeground(other));

        RunResult r = RunQuellix(Args(cls));
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(
            Contains(r.output, std::string(" still there -> activate\r\n") + c.detail + "  activated\r\n"))
            << r.output;
        EXPECT_TRUE(EndsWith(r.output, "0 of 1 window closed 1 activated\r\n")) << r.output;
        EXPECT_FALSE(IsIconic(stays));
        EXPECT_TRUE(BecomesForeground(stays));
    }
}

TEST(Activate, TestModeProbesButActivatesNothing) {
    TestWindows desk;
    std::string cls = desk.NewClass("listed");
    std::vector<HWND> windows = desk.Create({cls, "Listed", Behavior::IgnoresClose}, 3);
    HWND other = desk.CreateOne({desk.NewClass("other"), "Other"});
    ASSERT_TRUE(MakeForeground(other));

    RunResult r = RunQuellix("-class=" + cls + " -a -t");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(Contains(r.output, "activate=1 wait=1000 count=1\r\nfound 3 windows to close\r\n"))
        << r.output;
    EXPECT_FALSE(Contains(r.output, "activate\r\n")) << r.output;
    ASSERT_TRUE(desk.Settle());
    EXPECT_EQ(GetForegroundWindow(), other);
    // The probe released its hotkey: anyone may take it now.
    ProbeHotkey hotkey;
    EXPECT_TRUE(hotkey.Take());
}

// Wine's own Notepad: asked to close with unsaved text, it asks whether to save and stays.
struct Notepad {
    Program program;
    PROCESS_INFORMATION& pi = program.pi;
    HWND window = nullptr;

    bool Start() {
        if (!program.Start("notepad.exe")) return false;
        return WaitFor([&] { return (window = FindOwnWindow()) != nullptr; }, 10000);
    }
    HWND FindOwnWindow() {
        for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
            DWORD pid = 0;
            char cls[64] = {};
            GetWindowThreadProcessId(w, &pid);
            GetClassNameA(w, cls, sizeof cls);
            if (pid == pi.dwProcessId && std::string(cls) == "Notepad") return w;
        }
        return nullptr;
    }
    // Notepad resets its edit control while it starts up: wait until it is idle, then check
    // that the text and the modified flag held.
    bool Dirty() {
        WaitForInputIdle(pi.hProcess, 5000);
        HWND edit = FindWindowExA(window, nullptr, "Edit", nullptr);
        if (!edit) return false;
        const char kText[] = "unsaved words";
        SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kText));
        SendMessageA(edit, EM_SETMODIFY, TRUE, 0);
        char text[64] = {};
        SendMessageA(edit, WM_GETTEXT, sizeof text,
                     reinterpret_cast<LPARAM>(text)); // another process's control
        return SendMessageA(edit, EM_GETMODIFY, 0, 0) && std::string(text) == kText;
    }
    bool Exited(DWORD timeoutMs) { return WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0; }
};

TEST(Activate, NotepadWithUnsavedTextShowsItsSaveDialog) {
    Notepad notepad;
    ASSERT_TRUE(notepad.Start());
    ASSERT_TRUE(notepad.Dirty());
    // The class is Notepad's own; the handle in the listing ties the run to this instance.
    RunResult r = RunQuellix("-class=Notepad -a -v");
    EXPECT_EQ(r.exitCode, 1) << r.output;
    EXPECT_TRUE(Contains(r.output, Hex(notepad.window))) << r.output;
    EXPECT_TRUE(Contains(r.output, " activate child dialog: text=Notepad class=#32770\r\n  activated\r\n"))
        << r.output;
    HWND fg = nullptr;
    EXPECT_TRUE(WaitFor(
        [&] {
            fg = GetForegroundWindow();
            char cls[64] = {};
            GetClassNameA(fg, cls, sizeof cls);
            return std::string(cls) == "#32770" && GetWindow(fg, GW_OWNER) == notepad.window;
        },
        3000))
        << "foreground " << fg;
    // A script that tries again must not stack a second save dialog on the first.
    r = RunQuellix("-class=Notepad -wait=500");
    EXPECT_EQ(r.output, SummaryLine(0, 1));
    int dialogs = 0;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT))
        dialogs += IsWindowVisible(w) && GetWindow(w, GW_OWNER) == notepad.window;
    EXPECT_EQ(dialogs, 1);
    EXPECT_FALSE(notepad.Exited(0));
}

TEST(Activate, ACleanNotepadSimplyCloses) {
    Notepad notepad;
    ASSERT_TRUE(notepad.Start());
    RunResult r = RunQuellix("-class=Notepad -a -v");
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_TRUE(Contains(r.output, " closed\r\n1 of 1 window closed\r\n")) << r.output;
    EXPECT_TRUE(notepad.Exited(5000));
}

} // namespace
