// A command line that names no window: the usage box (for the console twin, standard error) and
// the exit code.
#include "e2e.h"
#include "cmdline/usage.h"

#include <gtest/gtest.h>

namespace {

TEST(Usage, ACommandLineThatNamesNoWindowGetsTheUsageText) {
    // 1280 characters in all: one more than fits. A cut line would still name a window.
    std::string tooLong = "-text=Quellix -count=1 ";
    tooLong += std::string(1280 - ProgramPath("quellix.exe").size() - 3 - tooLong.size(), '*');
    const struct {
        std::string args;
        int exitCode;
    } rows[] = {
        {"", 1},
        {"   ", 1},
        {"-v", 4},
        {"-w=3 notanoption", 4},
        {"-exe=x -pid=", 4},
        {"-class=" + std::string(256, 'c'), 4},
        {tooLong, 4},
    };
    for (const auto& row : rows) {
        std::string boxText;
        RunOptions options;
        options.timeoutMs = 10000;
        options.meanwhile = [&](const std::function<std::string()>&) {
            HWND box = nullptr;
            EXPECT_TRUE(WaitFor([&] { return (box = FindWindowA("#32770", "Quellix")) != nullptr; }));
            char text[2048] = {};
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text); // the message box's text
            boxText = text;
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        };
        RunResult r = RunQuellix(row.args, options);
        EXPECT_EQ(r.exitCode, row.exitCode) << row.args;
        EXPECT_EQ(boxText, kUsageText) << row.args;
        EXPECT_EQ(r.output, "") << row.args;
        // The console twin writes the text to standard error instead.
        options.exe = "quellixc.exe";
        options.meanwhile = nullptr;
        r = RunQuellix(row.args, options);
        EXPECT_EQ(r.exitCode, row.exitCode) << row.args;
        EXPECT_EQ(r.errors, kUsageText) << row.args;
        EXPECT_EQ(r.output, "") << row.args;
        EXPECT_EQ(FindWindowA("#32770", "Quellix"), nullptr) << row.args;
    }
}

} // namespace
