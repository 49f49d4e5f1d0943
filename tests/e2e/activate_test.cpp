// -a: a window that stays, or the dialog that blocks it, is brought to the foreground.
#include "e2e.h"

#include <gtest/gtest.h>

namespace {

enum Foreground { kSurvivor, kOther, kPopup };

TEST(Activate, TheSurvivorOrItsDialogComesForward) {
    const struct {
        unsigned flags; // the survivor's
        bool sameThread, hotkey, test;
        std::string detail; // verbose lines between the verdict and "activated"
        Foreground foreground;
        size_t survivors = 1; // on one thread; the first processed is on top
    } rows[] = {
        {kIgnoresClose, false, false, false, "", kSurvivor},
        {kIgnoresClose, false, true, false, "", kSurvivor}, // the attached switch
        // Two survivors, three probes: each registers the hotkey that the one before released.
        {kIgnoresClose, true, false, false, "", kSurvivor, 2},
        // Attached to its own thread there is nothing to attach: the switch fails.
        {kIgnoresClose, true, true, false, "", kOther},
        {kDisabled | kDialog, false, false, false, " activate child dialog: text=Popup class=$Popup\r\n",
         kPopup},
        // A popup without a caption (a menu, say) is no dialog.
        {kDisabled | kIgnoresClose | kBarePopup, false, false, false,
         " activate child dialog: text=<error> class=<error>\r\n", kSurvivor},
        // Restored first, and only then switched to, however long its thread takes.
        {kMinimized | kIgnoresClose, false, false, false, "", kSurvivor},
        {kMinimized | kHangsOnClose, false, false, false, "", kSurvivor},
        {kIgnoresClose, false, false, true, "", kOther}, // probes but activates nothing
    };
    for (const auto& row : rows) {
        TestWindows desk;
        const WindowDesc stays = {"$", "Stays", row.flags, 800}, otherOne = {"$Other", "Other"};
        std::vector<WindowDesc> descs(row.survivors, stays);
        if (row.sameThread) descs.push_back(otherOne);
        std::vector<HWND> w = desk.Create(descs);
        for (HWND h : row.sameThread ? std::vector<HWND>{} : desk.Create({otherOne}))
            w.push_back(h);
        ASSERT_EQ(w.size(), row.survivors + 1u);
        HWND other = w.back();
        ASSERT_TRUE(MakeForeground(other));
        ProbeHotkey hotkey;
        ASSERT_TRUE(!row.hotkey || hotkey.Take());
        std::string cls = desk.Sub("$"), args = "-class=" + cls +
                                                " -a -v -wait=100 -count=" + std::to_string(row.survivors) +
                                                (row.test ? " -t" : "");
        RunResult r = RunQuellix(args);
        EXPECT_FALSE(IsIconic(w[0])) << args;
        bool activated = row.foreground != kOther;
        int n = static_cast<int>(row.survivors);
        std::string want = SettingsLine(1, 100, n) + FoundLine(n);
        for (size_t j = 0; j < row.survivors; ++j) {
            want += ListingLine(static_cast<int>(j), n, w[row.survivors - 1 - j], "Stays", cls);
            if (!row.test)
                want += " still there -> activate\r\n" + desk.Sub(row.detail) +
                        (activated ? "  activated\r\n" : "");
        }
        if (!row.test) want += SummaryLine(0, n, activated ? n : 0);
        EXPECT_EQ(r.output, want) << args;
        EXPECT_EQ(r.exitCode, row.test ? 0 : 1) << args;
        HWND expected = row.foreground == kOther   ? other
                        : row.foreground == kPopup ? FindWindowW(Wide(cls + "Popup").c_str(), nullptr)
                                                   : w[0];
        // Wine completes a switch asynchronously, on the target window's thread.
        EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == expected; }, 3000)) << args;
        // The attached switch detached the threads again: detaching them now fails.
        EXPECT_FALSE(AttachThreadInput(GetWindowThreadProcessId(other, nullptr),
                                       GetWindowThreadProcessId(w[0], nullptr), FALSE))
            << args;
    }
}

// Wine's own Notepad: asked to close with unsaved text, it asks whether to save and stays.
TEST(Activate, NotepadWithUnsavedTextShowsItsSaveDialogOnce) {
    Program notepad;
    ASSERT_TRUE(notepad.Start("notepad.exe"));
    HWND window = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (window = notepad.Find("Notepad")) != nullptr; }, 10000));
    // Notepad resets its edit control while it starts up: wait until it is idle.
    WaitForInputIdle(notepad.pi.hProcess, 5000);
    HWND edit = FindWindowExA(window, nullptr, "Edit", nullptr);
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("unsaved words"));
    SendMessageA(edit, EM_SETMODIFY, TRUE, 0);
    ASSERT_TRUE(SendMessageA(edit, EM_GETMODIFY, 0, 0));

    RunResult r = RunQuellix("-class=Notepad -a -v");
    EXPECT_EQ(r.exitCode, 1);
    // This instance, and its dialog.
    EXPECT_NE(r.output.find(Hex(window)), std::string::npos) << r.output;
    EXPECT_NE(r.output.find(" activate child dialog: text=Notepad class=#32770\r\n  activated\r\n"),
              std::string::npos);
    EXPECT_TRUE(WaitFor([&] { return GetWindow(GetForegroundWindow(), GW_OWNER) == window; }, 3000));
    // A script that tries again must not stack a second save dialog on the first.
    r = RunQuellix("-class=Notepad -wait=500");
    EXPECT_EQ(r.output, SummaryLine(0, 1));
    int dialogs = 0;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT))
        dialogs += IsWindowVisible(w) && GetWindow(w, GW_OWNER) == window;
    EXPECT_EQ(dialogs, 1);
}

} // namespace
