// Windows that make life hard: vanishing, moving, hung.
#include "e2e.h"

#include <gtest/gtest.h>

namespace {

// Behaviours on demand, by subclassing and window properties: when its text is read a window
// goes at once ("destroy"), goes after answering ("vanish", as one that closes on its own between
// being listed and being asked to close), or moves ("move", to the bottom with "bottom"). A
// posted kHang message hangs its thread for wParam ms.
WNDPROC gOriginalProc;
const UINT kVanish = WM_APP + 40, kHang = WM_APP + 41;

LRESULT CALLBACK SubclassProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETTEXT && GetPropA(w, "vanish")) PostMessageA(w, kVanish, 0, 0);
    if ((message == WM_GETTEXT && GetPropA(w, "destroy")) || message == kVanish) return DestroyWindow(w), 0;
    if (message == WM_GETTEXT && GetPropA(w, "move"))
        SetWindowPos(w, GetPropA(w, "bottom") ? HWND_BOTTOM : HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (message == kHang) Sleep(static_cast<DWORD>(wParam));
    return CallWindowProcW(gOriginalProc, w, message, wParam, lParam);
}

void Subclass(HWND w, const std::vector<const char*>& props) {
    for (const char* prop : props)
        SetPropA(w, prop, w);
    gOriginalProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
}

// Windows that destroy themselves, sink to the bottom or rise to the top when their text is read
// must not hide the windows below them, nor be found twice; one that goes before its close
// request counts as closed.
TEST(Hostile, EveryWindowIsExaminedOnce) {
    TestWindows desk;
    std::vector<HWND> w = desk.Create({{"$", "Below"},
                                       {"$", "sinks"},
                                       {"$", "goes"},
                                       {"$", "rises"},
                                       {"$", "rises"},
                                       {"$Vanish", "vanish", kIgnoresClose}});
    ASSERT_EQ(w.size(), 6u);
    Subclass(w[1], {"move", "bottom"});
    Subclass(w[2], {"destroy"});
    Subclass(w[3], {"move"});
    Subclass(w[4], {"move"});
    Subclass(w[5], {"vanish"});
    std::string cls = desk.Sub("$");
    RunResult r = RunQuellix("-v -class=" + cls + " -text=Below");
    EXPECT_EQ(r.output, SettingsLine(0, 1000, 1) + FoundLine(1) + ListingLine(0, 1, w[0], "Below", cls) +
                            " closed\r\n" + SummaryLine(1, 1));
    // In snapshot order: the first run read w[3] last, so it rose above w[4].
    r = RunQuellix("-t -class=" + cls + " -text=rises");
    EXPECT_EQ(r.output, SettingsLine(0, 1000, 1) + FoundLine(2) + ListingLine(0, 2, w[3], "rises", cls) +
                            ListingLine(1, 2, w[4], "rises", cls));
    r = RunQuellix("-v -class=" + cls + "Vanish");
    EXPECT_EQ(r.output, SettingsLine(0, 1000, 1) + FoundLine(1) +
                            ListingLine(0, 1, w[5], "vanish", cls + "Vanish") + " closed\r\n" +
                            SummaryLine(1, 1));
}

// A hung window costs the collection at most a short time-out (and fits no text pattern); the
// listing's text request waits at most 1000 ms; the restore of a minimized survivor gives up after
// 2000 ms. The bounds leave room for a loaded machine.
TEST(Hostile, AHungWindowCostsTheRunAtMostItsTimeOuts) {
    const std::string listing = SettingsLine(0, 1000, 1) + FoundLine(1),
                      activating = SettingsLine(1, 100, 1) + FoundLine(1);
    const struct {
        std::vector<WindowDesc> windows;
        const char* args;
        int exitCode;
        std::string head; // the output begins with it, then (if listed) the window without text, then after
        bool listed;
        std::string after;
        DWORD boundMs;
    } rows[] = {
        {std::vector<WindowDesc>(8, {"$", "same", kHung, 20000}), "-class=$ -text=same*", 0,
         SummaryLine(0, 0), false, "", 4000},
        {{{"$", "hung", kHung, 20000}}, "-class=$ -t", 0, listing, true, "", 4000},
        {{{"$", "hung", kHung | kMinimized | kIgnoresClose, 20000}},
         "-class=$ -a -v -wait=100",
         1,
         activating,
         true,
         " still there -> activate\r\n",
         8000},
    };
    for (const auto& row : rows) {
        TestWindows desk;
        std::vector<HWND> w = desk.Create(row.windows);
        ASSERT_EQ(w.size(), row.windows.size());
        DWORD start = GetTickCount();
        RunResult r = RunQuellix(desk.Sub(row.args));
        DWORD elapsed = GetTickCount() - start;
        EXPECT_EQ(r.exitCode, row.exitCode) << row.args;
        std::string want = row.head + (row.listed ? ListingLine(0, 1, w[0], "", desk.Sub("$")) : "");
        EXPECT_EQ(r.output.substr(0, want.size() + row.after.size()), want + row.after) << row.args;
        EXPECT_LT(elapsed, row.boundMs) << row.args;
    }
}

TEST(Hostile, AHungForegroundWindowCostsTheAttachedSwitchOnlyItsPings) {
    TestWindows desk;
    std::vector<HWND> w = desk.Create({{"$", "stays", kIgnoresClose}});
    std::vector<HWND> fg = desk.Create({{"$fg", "fg"}});
    ASSERT_TRUE(w.size() && fg.size());
    ASSERT_TRUE(MakeForeground(fg[0]));
    // With the probe's hotkey taken the run must ping the foreground window before attaching.
    ProbeHotkey hotkey;
    ASSERT_TRUE(hotkey.Take());
    Subclass(fg[0], {});
    PostMessageA(fg[0], kHang, 5000, 0);
    DWORD start = GetTickCount();
    RunResult r = RunQuellix(desk.Sub("-class=$ -a -v -wait=100"));
    DWORD elapsed = GetTickCount() - start;
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.output, SettingsLine(1, 100, 1) + FoundLine(1) +
                            ListingLine(0, 1, w[0], "stays", desk.Sub("$")) + " still there -> activate\r\n" +
                            SummaryLine(0, 1));
    EXPECT_LT(elapsed, 4000u); // the wait, one ping of 500 ms, and room for the start of a process
}

} // namespace
