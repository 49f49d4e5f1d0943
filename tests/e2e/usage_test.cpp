// The usage box: shown for a command line that names no window, with the exact text.
#include "process.h"
#include "cmdline/usage.h"

#include <gtest/gtest.h>

namespace {

const int kMessageBoxTextId = 0xFFFF; // the static control that holds a message box's text

HWND FindUsageBox() {
    return FindWindowA("#32770", "Quellix");
}

// Runs quellix with `args`, expects the usage box, checks its text and dismisses it.
RunResult RunExpectingUsage(const std::string& args, std::string* boxText) {
    Child child;
    EXPECT_TRUE(StartQuellix(args, &child));
    HWND box = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (box = FindUsageBox()) != nullptr; })) << args;
    if (box) {
        char text[2048] = {};
        GetDlgItemTextA(box, kMessageBoxTextId, text, sizeof text);
        *boxText = text;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    return FinishQuellix(&child, 10000);
}

struct UsageCase {
    const char* args;
    int exitCode;
};

const UsageCase kUsageCases[] = {
    {"", 1},
    {"   ", 1},
    {"-v", 4},
    {"-text= -class= -v", 4},
    {"-text=\"\"", 4},
    {"-text", 4},
    {"-wait=5 -count=2 -a -t", 4},
    {"-w=3 notanoption", 4},
    // A process id that is no positive number names no process, or every one.
    {"-pid=0", 4},
    {"-class=x -pid=-5", 4},
    {"-text=x -pid=abc", 4},
    {"-exe=x -pid=", 4},
    {"-exe=\"\"", 4},
    {"-class="
     "0123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789"
     "0123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789"
     "01234567890123456789012345678901234567890123456789012345",
     4}, // a class pattern of 256 characters
};

TEST(Usage, BoxShowsTheUsageTextAndSetsTheExitCode) {
    std::string expected = kUsageText;
    for (const UsageCase& c : kUsageCases) {
        std::string text;
        RunResult r = RunExpectingUsage(c.args, &text);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args;
        EXPECT_EQ(text, expected) << c.args;
        EXPECT_EQ(r.output, "") << c.args;
        // The console twin writes the text to standard error instead.
        r = RunQuellix(c.args, 10000, "quellixc.exe");
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args;
        EXPECT_EQ(r.errors, kUsageText) << c.args;
        EXPECT_EQ(r.output, "") << c.args;
        EXPECT_EQ(FindUsageBox(), nullptr) << c.args;
    }
}

TEST(Usage, CommandLineTooLongIsRefusedWhole) {
    // 1280 characters in all: one more than fits. A cut line would still name a window.
    std::string path = "\"" + QuellixPath() + "\" ";
    std::string args = "-text=Quellix -count=1 " + std::string(1280 - path.size() - 23, '*');
    std::string text;
    RunResult r = RunExpectingUsage(args, &text);
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_EQ(text, kUsageText);
}

TEST(Usage, APatternRunsWithoutTheBox) {
    // "-text=Quellix" would match the box itself: nothing here may be closed by accident,
    // so name a class that no window has.
    RunResult r = RunQuellix("-class=QuellixNoSuchClass_9f3");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(FindUsageBox(), nullptr);
}

} // namespace
