// Windows that make life hard: very many, vanishing, hung, and decoys that must never be touched.
#include "fixture.h"
#include "process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace {

size_t CountLines(const std::string& output) {
    size_t lines = 0;
    for (size_t i = 0; i + 1 < output.size(); ++i)
        lines += output[i] == '\r' && output[i + 1] == '\n';
    return lines;
}

TEST(Hostile, AThousandWindowsAreAllListedInZOrderAndNoneClosed) {
    TestWindows desk;
    std::string cls = desk.NewClass("many");
    std::vector<HWND> created = desk.Create({cls, "many"}, 1000);
    ASSERT_EQ(created.size(), 1000u);
    RunResult r = RunQuellix("-class=" + cls + " -t");
    EXPECT_EQ(r.exitCode, 0);
    std::vector<HWND> listed = ListedWindows(r.output);
    std::reverse(created.begin(), created.end()); // the last created is on top
    EXPECT_EQ(listed, created);
    std::string head = SettingsLine(0, 1000, 1) + FoundLine(1000);
    EXPECT_EQ(r.output.substr(0, head.size()), head);
    EXPECT_NE(
        r.output.find("win[999]:  hWnd=" + Hex(created.back()) + " text='many' class='" + cls + "'\r\n"),
        std::string::npos);
    EXPECT_EQ(CountLines(r.output), 1002u); // settings, found, listing; no summary in test mode
    for (HWND w : created)
        ASSERT_TRUE(IsWindow(w));
}

TEST(Hostile, WindowsDestroyedDuringTheWalkAreSkipped) {
    std::set<HWND> ours;
    Child child;
    {
        TestWindows desk;
        std::string cls = desk.NewClass("vanishing");
        std::vector<HWND> created = desk.Create({cls, "vanishing"}, 300);
        ASSERT_EQ(created.size(), 300u);
        ours.insert(created.begin(), created.end());
        ASSERT_TRUE(StartQuellix("-class=" + cls + " -t", &child));
    } // every window goes while the run walks
    RunResult r = FinishQuellix(&child, 10000);
    EXPECT_EQ(r.exitCode, 0);
    for (HWND w : ListedWindows(r.output))
        EXPECT_EQ(ours.count(w), 1u) << "listed a window that is not ours: " << Hex(w);
    // Every line is whole: the settings, the found line and one line per listed window.
    EXPECT_EQ(CountLines(r.output), 2 + ListedWindows(r.output).size()) << r.output;
}

// Test windows of this file take two more behaviours on demand, by subclassing: vanishing right
// after answering a text request (as a window that closes on its own between being listed and
// being asked to close), and hanging for a while once it has become the foreground window.
WNDPROC gOriginalProc;
const UINT kVanish = WM_APP + 40;
const UINT kHang = WM_APP + 41;

LRESULT CALLBACK SubclassProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETTEXT && GetPropA(w, "vanish")) PostMessageA(w, kVanish, 0, 0);
    if (message == WM_GETTEXT && GetPropA(w, "destroy")) {
        DestroyWindow(w);
        return 0;
    }
    if (message == WM_GETTEXT && GetPropA(w, "move"))
        SetWindowPos(w, GetPropA(w, "bottom") ? HWND_BOTTOM : HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (message == kVanish) {
        DestroyWindow(w);
        return 0;
    }
    if (message == kHang) {
        Sleep(static_cast<DWORD>(wParam));
        return 0;
    }
    return CallWindowProcW(gOriginalProc, w, message, wParam, lParam);
}

void Subclass(HWND w) {
    gOriginalProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
}

TEST(Hostile, AWindowThatGoesBeforeItsCloseRequestCountsAsClosed) {
    TestWindows desk;
    std::string cls = desk.NewClass("goes");
    HWND w = desk.CreateOne({cls, "goes", Behavior::IgnoresClose});
    ASSERT_NE(w, nullptr);
    SetPropA(w, "vanish", w);
    Subclass(w);
    RunResult r = RunQuellix("-class=" + cls + " -v");
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(r.output, SettingsLine(0, 1000, 1) + FoundLine(1) + ListingLine(0, 1, w, "goes", cls) +
                            " closed\r\n" + SummaryLine(1, 1));
}

// Windows that destroy themselves, sink to the bottom or rise to the top when their text is read
// must not hide the windows below them, nor be found twice.
TEST(Hostile, EveryWindowIsExaminedOnce) {
    TestWindows desk;
    std::string cls = desk.NewClass("once");
    std::vector<HWND> w =
        desk.CreateGroup({{cls, "Below"}, {cls, "sinks"}, {cls, "goes"}, {cls, "rises"}, {cls, "rises"}});
    ASSERT_EQ(w.size(), 5u);
    SetPropA(w[1], "move", w[1]);
    SetPropA(w[1], "bottom", w[1]);
    SetPropA(w[2], "destroy", w[2]);
    SetPropA(w[3], "move", w[3]);
    SetPropA(w[4], "move", w[4]);
    for (HWND h : w)
        Subclass(h);
    RunResult r = RunQuellix("-v -class=" + cls + " -text=Below", 5000);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output, SettingsLine(0, 1000, 1) + FoundLine(1) + ListingLine(0, 1, w[0], "Below", cls) +
                            " closed\r\n" + SummaryLine(1, 1));
    r = RunQuellix("-t -class=" + cls + " -text=rises", 5000);
    EXPECT_EQ(r.exitCode, 0);
    std::vector<HWND> listed = ListedWindows(r.output);
    EXPECT_EQ(std::set<HWND>(listed.begin(), listed.end()), std::set<HWND>({w[3], w[4]})) << r.output;
    EXPECT_EQ(listed.size(), 2u);
}

// The listing's text request waits at most 1000 ms, then the line goes without the text; the
// restore of a minimized survivor waits for no thread and gives up after 2000 ms, and the run
// goes on, whether the switch to the window succeeds or not.
TEST(Hostile, AHungWindowCostsTheRunAtMostItsTimeOuts) {
    const struct {
        Behavior behavior;
        const char* options;
        int exitCode;
        std::string settings, tail;
        DWORD boundMs;
    } cases[] = {
        {Behavior::Hung, "-t", 0, SettingsLine(0, 1000, 1), "", 2500},
        {Behavior::HungMinimized, "-a -v -wait=100", 1, SettingsLine(1, 100, 1),
         " still there -> activate\r\n", 6000},
    };
    for (const auto& c : cases) {
        TestWindows desk;
        std::string cls = desk.NewClass("hung");
        WindowDesc desc{cls, "hung", c.behavior, 20000};
        desc.ignoresClose = true;
        HWND hung = desk.CreateOne(desc);
        ASSERT_NE(hung, nullptr);
        DWORD start = GetTickCount();
        RunResult r = RunQuellix("-class=" + cls + " " + c.options, 15000);
        DWORD elapsed = GetTickCount() - start;
        desk.Release();
        EXPECT_EQ(r.exitCode, c.exitCode) << c.options;
        std::string head = c.settings + FoundLine(1) + ListingLine(0, 1, hung, "", cls) + c.tail;
        EXPECT_EQ(r.output.substr(0, head.size()), head);
        EXPECT_LT(elapsed, c.boundMs) << c.options;
    }
}

TEST(Hostile, AHungForegroundWindowCostsTheAttachedSwitchOnlyItsPings) {
    TestWindows desk;
    std::string cls = desk.NewClass("stays");
    HWND stays = desk.CreateOne({cls, "stays", Behavior::IgnoresClose});
    HWND fg = desk.CreateOne({desk.NewClass("fg"), "fg"});
    ASSERT_TRUE(stays && fg);
    ASSERT_TRUE(WaitFor([&] {
        SetForegroundWindow(fg);
        return GetForegroundWindow() == fg;
    }));
    // With the probe's hotkey taken the run must ping the foreground window before attaching.
    ASSERT_TRUE(RegisterHotKey(nullptr, 0x5152, MOD_CONTROL | MOD_SHIFT, 0xFC));
    Subclass(fg);
    PostMessageA(fg, kHang, 4000, 0);
    DWORD start = GetTickCount();
    RunResult r = RunQuellix("-class=" + cls + " -a -v -wait=100");
    DWORD elapsed = GetTickCount() - start;
    UnregisterHotKey(nullptr, 0x5152);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.output, SettingsLine(1, 100, 1) + FoundLine(1) + ListingLine(0, 1, stays, "stays", cls) +
                            " still there -> activate\r\n" + SummaryLine(0, 1));
    EXPECT_LT(elapsed, 100u + 500u + 1500u); // the wait, one ping, and the start of a process
}

struct DecoyCase {
    std::string targetText;
    std::vector<std::string> decoyTexts;
    std::string pattern;
};

TEST(Hostile, DecoysOneCharacterAwaySurviveEveryRun) {
    const DecoyCase cases[] = {
        {"Setup Wizard",
         {"Setup Wizards", "Setup Wizar", " Setup Wizard", "Setup_Wizard", "Setup Wizard "},
         "-text=\"Setup Wizard\""},
        {"Report 2026", {"Report 2025", "Report 20266", "Report 226"}, "-text=\"Report 2?26\""},
        {"abc", {"abd", "ab", "abcd", "xabc"}, "-text=abc"},
        {"{x}", {"(x)", "{y}", "{x}}"}, "-text={x}"},
    };
    for (const DecoyCase& c : cases) {
        TestWindows desk;
        std::string cls = desk.NewClass("decoy");
        HWND target = desk.CreateOne({cls, c.targetText});
        std::vector<HWND> decoys;
        for (const std::string& text : c.decoyTexts)
            decoys.push_back(desk.CreateOne({cls, text}));
        // A decoy of another class that is one character away from the class pattern.
        decoys.push_back(desk.CreateOne({cls + "x", c.targetText}));
        RunResult r = RunQuellix(c.pattern + " -class=" + cls + " -count=100 -wait=200");
        ASSERT_TRUE(desk.Settle());
        EXPECT_EQ(r.exitCode, 0) << c.pattern;
        EXPECT_EQ(r.output, SummaryLine(1, 1)) << c.pattern;
        EXPECT_FALSE(IsWindow(target)) << c.pattern;
        for (HWND d : decoys)
            EXPECT_TRUE(IsWindow(d)) << c.pattern << " closed decoy " << Hex(d);
    }
}

TEST(Hostile, AnExcludedClassSurvivesPatternsInAnyCase) {
    TestWindows desk;
    HWND excluded = desk.CreateOne({"DEMLMom", "decoy"});
    ASSERT_NE(excluded, nullptr);
    for (const char* pattern : {"-class=DEMLMom", "-class=demlmom", "-class=DEMLMOM",
                                "-class=*Mom -text=decoy", "-text=decoy", "-class=D?MLMom"}) {
        RunResult r = RunQuellix(std::string(pattern) + " -count=100 -wait=100");
        EXPECT_EQ(r.exitCode, 0) << pattern;
        EXPECT_TRUE(IsWindow(excluded)) << pattern;
    }
}

} // namespace
