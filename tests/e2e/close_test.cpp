// The close run against fresh windows for each row: Z order, the count, the wait, windows that
// cannot close, test mode, a run without standard output; the verbose report and the exit code.
#include "e2e.h"

#include <gtest/gtest.h>

namespace {

const std::string kClosed = " closed\r\n", kGiveUp = " still there -> give up\r\n";

struct CloseRow {
    std::vector<WindowDesc> windows; // one group: the last is on top
    std::string args;                // "$" is the prefix, the class of every window here
    int exitCode;
    std::string gone; // per window as created: 'x' closed, '.' still there
    std::string head; // -v and -t: the settings line, the processed windows each listed and then:
    std::vector<std::string> verdicts; // top first
    std::string tail;                  // the summary line
    const char* exe = "quellix.exe";
    bool noStdout = false;
};

TEST(Close, EachRowClosesWhatItNamesAndReportsIt) {
    const std::vector<WindowDesc> three = Titles("$", {"a", "b", "c"}), ten(10, {"$", "w"}),
                                  many(1000, {"$", "w"});
    // Would all close if asked: one blocked by its own dialog is not asked, one refusing the
    // request (in the tests' build of the exe) is reported; neither is waited for.
    const std::vector<WindowDesc> stubborn = {{"$", "$ last"},
                                              {"$", "$ disabled", kDisabled},
                                              {"$", "$ blocked", kDisabled | kDialog},
                                              {QUELLIX_REFUSED_CLASS, "$ refused"},
                                              {"$", "$ hidden dialog", kDisabled | kHiddenDialog},
                                              {"$", "$ first"}};
    const std::string refused = " close request refused (error 5)\r\n" + kGiveUp;
    // Closed 200, 300 or 1500 ms after the request.
    const std::vector<WindowDesc> soon = Titles("$", {"late"}, kClosesLate, 200),
                                  later = Titles("$", {"late"}, kClosesLate, 300),
                                  slow = Titles("$", {"late"}, kClosesLate, 1500),
                                  hides = Titles("$", {"tray"}, kHidesOnClose);
    const std::vector<std::string> allClosed = {kClosed, kClosed, kClosed},
                                   stubbornVerdicts = {kClosed, kClosed, refused, kGiveUp, kClosed, kClosed};
    const CloseRow rows[] = {
        {three, "-class=$", 0, "..x", "", {}, SummaryLine(1, 3)},
        {three, "-class=$ -count=2", 0, ".xx", "", {}, SummaryLine(2, 3)},
        {three, "-class=$ -count=0", 0, "..x", "", {}, SummaryLine(1, 3)},
        {three, "-class=$ -count=-2147483648", 0, "..x", "", {}, SummaryLine(1, 3)},
        {three, "-v -count:5 -class=$", 0, "xxx", SettingsLine(0, 1000, 5), allClosed, SummaryLine(3, 3)},
        {stubborn, "-text=\"$ *\" -count=9 -wait=-1 -v", 1, "xx..xx", SettingsLine(0, -1, 9),
         stubbornVerdicts, SummaryLine(4, 6), "quellix_seam.exe"},
        // A verdict of "still there" is reached before the window goes; a negative wait is long.
        {slow, "-class=$ -v -wait=0", 1, ".", SettingsLine(0, 0, 1), {kGiveUp}, SummaryLine(0, 1)},
        {slow, "-class=$ -v -wait=200", 1, ".", SettingsLine(0, 200, 1), {kGiveUp}, SummaryLine(0, 1)},
        {soon, "-class=$ -v", 0, "x", SettingsLine(0, 1000, 1), {kClosed}, SummaryLine(1, 1)},
        {later, "-class=$ -v -wait=-1", 0, "x", SettingsLine(0, -1, 1), {kClosed}, SummaryLine(1, 1)},
        // Hidden but not gone: it stayed.
        {hides, "-class=$ -v -wait=200", 1, ".", SettingsLine(0, 200, 1), {kGiveUp}, SummaryLine(0, 1)},
        // Test mode lists every match, closes none and ignores the count; the index is two wide past ten.
        {three, "-class=$ -count=2 /T -wait=0", 0, "...", SettingsLine(0, 0, 2), {"", "", ""}, ""},
        {ten, "-t -class=$", 0, "..........", SettingsLine(0, 1000, 1), std::vector<std::string>(10), ""},
        {many, "-t -class=$", 0, std::string(1000, '.'), SettingsLine(0, 1000, 1),
         std::vector<std::string>(1000), ""},
        // Without standard output the run ends the same.
        {Titles("$", {"x"}), "-v -wait=200 -class=$", 0, "x", "", {}, "", "quellix.exe", true},
        {Titles("$", {"x"}, kIgnoresClose), "-v -wait=200 -class=$", 1, ".", "", {}, "", "quellix.exe", true},
    };
    for (const CloseRow& row : rows) {
        TestWindows windows;
        std::vector<HWND> w = windows.Create(row.windows);
        ASSERT_EQ(w.size(), row.windows.size());
        std::string args = windows.Sub(row.args);
        RunOptions options;
        options.exe = row.exe;
        options.noStdout = row.noStdout;
        RunResult r = RunQuellix(args, options);
        EXPECT_EQ(r.exitCode, row.exitCode) << args;
        int found = static_cast<int>(w.size());
        std::string want = row.head.empty() ? row.tail : row.head + FoundLine(found);
        for (size_t j = 0; j < row.verdicts.size(); ++j) {
            const WindowDesc& d = row.windows[w.size() - 1 - j];
            want += ListingLine(static_cast<int>(j), found, w[w.size() - 1 - j], windows.Sub(d.text),
                                windows.Sub(d.cls)) +
                    row.verdicts[j];
        }
        if (!row.head.empty()) want += row.tail;
        EXPECT_EQ(r.output, want) << args;
        for (size_t i = 0; i < w.size(); ++i)
            EXPECT_EQ(IsWindow(w[i]) ? '.' : 'x', row.gone[i]) << args << " window " << i;
    }
}

} // namespace
