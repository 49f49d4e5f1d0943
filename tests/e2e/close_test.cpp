// The close run against real windows: Z order, the count, the wait, verdicts, test mode, the
// report bytes and the exit code.
#include "fixture.h"
#include "process.h"

#include <gtest/gtest.h>

namespace {

struct CountCase {
    const char* option;
    int closes; // of three matching windows, from the top
};

const CountCase kCountCases[] = {
    {"", 1},          {"-count=2", 2},           {"-count=5", 3},           {"-count=0", 1},
    {"-count=-1", 1}, {"-count=-2147483647", 1}, {"-count=-2147483648", 1},
};

TEST(Close, TheTopmostWindowsGoUpToTheCount) {
    for (const CountCase& c : kCountCases) {
        TestWindows windows;
        std::string cls = windows.NewClass();
        std::vector<HWND> w = windows.Create({cls, "three"}, 3); // w[2] on top
        ASSERT_EQ(w.size(), 3u);
        RunResult r = RunQuellix("-class=" + cls + " " + c.option);
        ASSERT_TRUE(windows.Settle());
        EXPECT_EQ(r.exitCode, 0) << c.option;
        EXPECT_EQ(r.output, SummaryLine(c.closes, 3)) << c.option;
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(IsWindow(w[static_cast<size_t>(i)]) == FALSE, i >= 3 - c.closes)
                << c.option << " window " << i;
    }
}

TEST(Close, AVerboseRunThatClosesOneWindowWritesFiveLines) {
    TestWindows windows;
    std::string cls = windows.NewClass();
    HWND w = windows.CreateOne({cls, "Quellix e2e one"});
    ASSERT_NE(w, nullptr);
    RunResult r = RunQuellix("-class=" + cls + " -v");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output, "activate=0 wait=1000 count=1\r\n"
                        "found 1 windows to close\r\n"
                        "win[0]:  hWnd=" +
                            Hex(w) + " text='Quellix e2e one' class='" + cls +
                            "'\r\n"
                            " closed\r\n"
                            "1 of 1 window closed\r\n");
    EXPECT_FALSE(IsWindow(w));
}

TEST(Close, VerboseListsEachProcessedWindowFromTheTop) {
    TestWindows windows;
    std::string cls = windows.NewClass();
    std::vector<HWND> w = windows.CreateGroup({{cls, "bottom"}, {cls, "middle"}, {cls, "top"}});
    ASSERT_EQ(w.size(), 3u);
    RunResult r = RunQuellix("-v -count:5 -class=" + cls);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output, SettingsLine(0, 1000, 5) + FoundLine(3) +                    //
                            ListingLine(0, 3, w[2], "top", cls) + " closed\r\n" +    //
                            ListingLine(1, 3, w[1], "middle", cls) + " closed\r\n" + //
                            ListingLine(2, 3, w[0], "bottom", cls) + " closed\r\n" + SummaryLine(3, 3));
}

// Windows that cannot close are not waited for, even with an endless wait: one blocked by its own
// dialog is not asked at all, and one refusing the request (in the tests' build of the exe) is
// reported. Both would close if asked. A disabled window without a dialog closes as before.
TEST(Close, WindowsThatCannotCloseFailTheRunAtOnceAndTheRestAreStillHandled) {
    TestWindows windows;
    std::string cls = windows.NewClass(), text = cls + " ";
    std::vector<HWND> w = windows.CreateGroup({{cls, text + "goes last"},
                                               {cls, text + "disabled", Behavior::Disabled},
                                               {cls, text + "blocked", Behavior::DisabledWithPopup},
                                               {QUELLIX_REFUSED_CLASS, text + "refused"},
                                               {cls, text + "goes first"}});
    ASSERT_EQ(w.size(), 5u);
    RunResult r = RunQuellix("-text=\"" + text + "*\" -count=5 -wait=-1 -v", 10000, "quellix_seam.exe");
    ASSERT_TRUE(windows.Settle());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.output,
              SettingsLine(0, -1, 5) + FoundLine(5) +                                              //
                  ListingLine(0, 5, w[4], text + "goes first", cls) + " closed\r\n" +              //
                  ListingLine(1, 5, w[3], text + "refused", QUELLIX_REFUSED_CLASS) +               //
                  " close request refused (error 5)\r\n still there -> give up\r\n" +              //
                  ListingLine(2, 5, w[2], text + "blocked", cls) + " still there -> give up\r\n" + //
                  ListingLine(3, 5, w[1], text + "disabled", cls) + " closed\r\n" +                //
                  ListingLine(4, 5, w[0], text + "goes last", cls) + " closed\r\n" + SummaryLine(3, 5));
    for (size_t i = 0; i < w.size(); ++i)
        EXPECT_EQ(IsWindow(w[i]) != FALSE, i == 2 || i == 3) << i;
}

struct WaitCase {
    const char* option;
    int wait; // as the settings line shows it
    DWORD closesAfterMs;
    bool closed;
};

const WaitCase kWaitCases[] = {
    {"-wait=0", 0, 1500, false}, // decides at once
    {"-wait=200", 200, 1500, false},
    {"", 1000, 200, true},
    {"-wait=-1", -1, 300, true}, // a negative wait is a very long one, not none
};

TEST(Close, TheWaitDecidesTheVerdict) {
    for (const WaitCase& c : kWaitCases) {
        TestWindows windows;
        std::string cls = windows.NewClass();
        HWND w = windows.CreateOne({cls, "late", Behavior::ClosesLate, c.closesAfterMs});
        ASSERT_NE(w, nullptr);
        RunResult r = RunQuellix("-class=" + cls + " -v " + c.option);
        EXPECT_EQ(r.exitCode, c.closed ? 0 : 1) << c.option;
        EXPECT_EQ(r.output, SettingsLine(0, c.wait, 1) + FoundLine(1) + ListingLine(0, 1, w, "late", cls) +
                                (c.closed ? " closed\r\n" : " still there -> give up\r\n") +
                                SummaryLine(c.closed ? 1 : 0, 1))
            << c.option;
        // A verdict of "still there" was reached before the window went.
        EXPECT_EQ(IsWindow(w) == FALSE, c.closed) << c.option;
    }
}

struct TestModeCase {
    const char* options;
    int wait, count;
};

const TestModeCase kTestModeCases[] = {
    {"-t", 1000, 1},
    {"-t -count=1", 1000, 1},
    {"-count=2 /T -wait=0", 0, 2},
};

TEST(TestMode, ListsEveryMatchClosesNoneAndIgnoresTheCount) {
    for (const TestModeCase& c : kTestModeCases) {
        TestWindows windows;
        std::string cls = windows.NewClass();
        std::vector<HWND> w = windows.CreateGroup({{cls, "a"}, {cls, "b"}, {cls, "c"}});
        ASSERT_EQ(w.size(), 3u);
        RunResult r = RunQuellix("-class=" + cls + " " + c.options);
        ASSERT_TRUE(windows.Settle());
        EXPECT_EQ(r.exitCode, 0) << c.options;
        EXPECT_EQ(r.output, SettingsLine(0, c.wait, c.count) + FoundLine(3) +
                                ListingLine(0, 3, w[2], "c", cls) + ListingLine(1, 3, w[1], "b", cls) +
                                ListingLine(2, 3, w[0], "a", cls))
            << c.options;
        for (HWND h : w)
            EXPECT_TRUE(IsWindow(h)) << c.options;
    }
}

TEST(TestMode, TheListingIndexIsTwoWideFromElevenWindowsOn) {
    for (int n : {10, 11}) {
        TestWindows windows;
        std::string cls = windows.NewClass();
        std::vector<WindowDesc> descs;
        for (int i = 0; i < n; ++i)
            descs.push_back({cls, "w" + std::to_string(i)});
        std::vector<HWND> w = windows.CreateGroup(descs);
        ASSERT_EQ(w.size(), static_cast<size_t>(n));
        std::string expected = SettingsLine(0, 1000, 1) + FoundLine(n);
        for (int j = 0; j < n; ++j)
            expected +=
                ListingLine(j, n, w[static_cast<size_t>(n - 1 - j)], "w" + std::to_string(n - 1 - j), cls);
        RunResult r = RunQuellix("-t -class=" + cls);
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(r.output, expected) << n << " windows";
        EXPECT_EQ(r.output.find(n > 10 ? "win[0]" : "win[ 0]"), std::string::npos);
    }
}

TEST(Close, WithoutStandardOutputTheRunEndsTheSame) {
    for (Behavior b : {Behavior::Closes, Behavior::IgnoresClose}) {
        int codes[2];
        for (bool noStdout : {false, true}) {
            TestWindows windows;
            std::string cls = windows.NewClass();
            HWND w = windows.CreateOne({cls, "x", b});
            ASSERT_NE(w, nullptr);
            Child child;
            ASSERT_TRUE(StartQuellix("-v -wait=200 -class=" + cls, &child, noStdout));
            RunResult r = FinishQuellix(&child);
            ASSERT_TRUE(windows.Settle());
            codes[noStdout] = r.exitCode;
            EXPECT_EQ(IsWindow(w) == FALSE, b == Behavior::Closes) << noStdout;
            if (noStdout) {
                EXPECT_EQ(r.output, "");
            }
        }
        EXPECT_EQ(codes[0], b == Behavior::Closes ? 0 : 1);
        EXPECT_EQ(codes[1], codes[0]);
    }
}

struct QuotingCase {
    const char* option;
    int closes; // index into kQuotingTexts
};

const char* const kQuotingTexts[] = {
    "Foo Bar", "Foo", "Bar", "Foo Bar Baz", "FooBar", "\"Foo Bar\"", "\"quoted\"", "quoted", "\\\"quoted\\\"",
};

const QuotingCase kQuotingCases[] = {
    {"-text=\"Foo Bar\"", 0},
    {"-te\"xt=Foo Bar\"", 0},
    {"/TEXT=foo bar", 1}, // two words: the text option is "foo", "bar" is no option at all
    {"-text=\\\"quoted\\\"", 6},
};

TEST(Quoting, EachFormClosesTheWindowItNamesAndNoOther) {
    for (const QuotingCase& c : kQuotingCases) {
        TestWindows windows;
        std::string cls = windows.NewClass();
        std::vector<WindowDesc> descs;
        for (const char* text : kQuotingTexts)
            descs.push_back({cls, text});
        std::vector<HWND> w = windows.CreateGroup(descs);
        ASSERT_EQ(w.size(), descs.size());
        RunResult r = RunQuellix("-class=" + cls + " " + c.option + " -count=20");
        ASSERT_TRUE(windows.Settle());
        EXPECT_EQ(r.exitCode, 0) << c.option;
        EXPECT_EQ(r.output, SummaryLine(1, 1)) << c.option;
        for (size_t i = 0; i < w.size(); ++i)
            EXPECT_EQ(IsWindow(w[i]) == FALSE, static_cast<int>(i) == c.closes)
                << c.option << " / " << kQuotingTexts[i];
    }
}

} // namespace
