// Windows that make life hard: vanishing, moving, hung.
#include "e2e.h"

#include <gtest/gtest.h>

namespace {

// Windows that destroy themselves, sink to the bottom or rise to the top when their text is read
// must not hide the windows below them, nor be found twice; one that goes before its close
// request counts as closed.
TEST(Hostile, EveryWindowIsExaminedOnce) {
    TestWindows desk;
    std::vector<HWND> w = desk.Create({{"$", "Below"},
                                       {"$", "sinks", kSinksWhenRead},
                                       {"$", "goes", kGoesWhenRead},
                                       {"$", "rises", kRisesWhenRead},
                                       {"$", "rises", kRisesWhenRead},
                                       {"$Vanish", "vanish", kIgnoresClose | kVanishesWhenRead}});
    ASSERT_EQ(w.size(), 6u);
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

// A hung window costs the collection at most a short time-out (and fits no text pattern, not even
// "*"); the listing's text request waits at most 1000 ms; the restore of a minimized survivor gives
// up after 2000 ms; with the probe's hotkey taken, a hung foreground window costs the attached
// switch one ping of 500 ms. The bounds leave room for a loaded machine.
TEST(Hostile, AHungWindowCostsTheRunAtMostItsTimeOuts) {
    const std::string listing = SettingsLine(0, 1000, 1) + FoundLine(1),
                      activate = SettingsLine(1, 100, 1) + FoundLine(1) + "@ still there -> activate\r\n";
    const char* activateArgs = "-class=$ -a -v -wait=100";
    const struct {
        std::vector<WindowDesc> windows;
        bool hungForeground;
        const char* args;
        int exitCode;
        std::string begins; // the output's start; "@" is the first window's listing line
        DWORD boundMs;
    } rows[] = {
        {std::vector<WindowDesc>(8, {"$", "same", kHung, 20000}), false, "-class=$ -text=* -count=99", 0,
         SummaryLine(0, 0), 4000},
        {{{"$", "hung", kHung, 20000}}, false, "-class=$ -t", 0, listing + "@", 4000},
        {{{"$", "hung", kHung | kMinimized | kIgnoresClose, 20000}}, false, activateArgs, 1, activate, 8000},
        {{{"$", "stays", kIgnoresClose}}, true, activateArgs, 1, activate + SummaryLine(0, 1), 4000},
    };
    for (const auto& row : rows) {
        TestWindows desk;
        std::vector<HWND> w = desk.Create(row.windows);
        ASSERT_EQ(w.size(), row.windows.size());
        ProbeHotkey hotkey;
        if (row.hungForeground) {
            std::vector<HWND> fg = desk.Create({{"$fg", "fg"}});
            ASSERT_TRUE(fg.size() && MakeForeground(fg[0]) && hotkey.Take());
            PostMessageW(fg[0], kHangMessage, 5000, 0);
        }
        DWORD start = GetTickCount();
        RunResult r = RunQuellix(desk.Sub(row.args));
        DWORD elapsed = GetTickCount() - start;
        EXPECT_EQ(r.exitCode, row.exitCode) << row.args;
        // A hung window's text cannot be read: it is listed with none.
        const WindowDesc& first = row.windows[0];
        std::string want = row.begins;
        if (size_t at = want.find('@'); at != std::string::npos)
            want.replace(at, 1,
                         ListingLine(0, 1, w[0], first.flags & kHung ? "" : first.text, desk.Sub(first.cls)));
        EXPECT_EQ(r.output.substr(0, want.size()), want) << row.args;
        EXPECT_LT(elapsed, row.boundMs) << row.args;
    }
}

} // namespace
