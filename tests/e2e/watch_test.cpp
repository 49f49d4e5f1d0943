// -watch: windows that come to fit while the run goes on, each handled as it does, within the
// watch's time. Each row's windows appear once the run has reported what it found at the start,
// which also shows that the report is not held back.
#include "e2e.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

enum Change { kAppear, kRename, kShow };

TEST(Watch, WindowsThatComeToFitAreHandledInTime) {
    const WindowDesc late = {"$", "late"}, hidden = {"$", "late", kHidden},
                     hung = {"$", "late", kHung, 20000}, parent = {"$", "late", kWithChild};
    const char* seam = "quellix_seam.exe"; // finds what window events tell, and nothing else
    const struct {
        std::vector<WindowDesc> before; // present at the start, the last on top
        Change change;                  // after 300 ms: `after` appear, before[0] is renamed "late", or shown
        std::vector<WindowDesc> after;
        int watch, count;
        const char* args; // besides -v, -watch and -count; "$" is the prefix, the class of every window
        int exitCode, found;
        std::string handled; // in order: 'b' or 'a' and the index, each closed unless -t
        int seen;
        DWORD minMs, maxMs; // the run's time; room for a loaded machine above
        const char* exe = "quellix.exe";
    } rows[] = {
        {{}, kAppear, {late}, -1, 1, "-class=$", 0, 0, "a0", 1, 0, 4000, seam},
        {{{"$", "Setup"}}, kRename, {}, 9000, 1, "-class=$ -text=late", 0, 0, "b0", 1, 0, 5000},
        {{}, kShow, {hidden}, 9000, 1, "-class=$", 0, 0, "a0", 1, 0, 4000, seam},
        {{}, kAppear, {}, 1500, 1, "-class=$", 2, 0, "", 0, 1500, 5000},
        {{}, kAppear, {}, 0, 1, "-class=$", 0, 0, "", 0, 0, 3000},
        // Events that come while a window is being closed wait their turn.
        {Titles("$", {"a", "b"}), kAppear, Titles("$", {"c", "d", "e"}), 9000, 5, "-class=$", 0, 2,
         "b1 b0 a0 a1 a2", 5, 0, 5000, seam},
        // A child window is no top-level window, though its class and text fit.
        {{{"$", "a"}}, kAppear, {parent}, 1500, 1, "-class=$ -t", 0, 1, "b0 a0", 2, 1500, 5000},
        // Not the hung one: it cannot say its title.
        {{hung}, kAppear, {late}, 9000, 1, "-class=$ -text=late", 0, 0, "a0", 1, 0, 5000, seam},
    };
    for (const auto& row : rows) {
        TestWindows desk;
        std::vector<HWND> before = desk.Create(row.before), after;
        ASSERT_EQ(before.size(), row.before.size());
        std::string args = desk.Sub(row.args) + " -v -watch=" + std::to_string(row.watch) +
                           " -count=" + std::to_string(row.count);
        RunOptions options;
        options.exe = row.exe;
        options.meanwhile = [&](const std::function<std::string()>& output) {
            EXPECT_TRUE(WaitFor([&] { return output().find(" windows to close") != std::string::npos; }))
                << args;
            Sleep(300);
            if (row.change == kRename) SetWindowTextW(before[0], L"late");
            if (!row.after.empty()) after = desk.Create(row.after);
            if (row.change == kShow) Sleep(300), ShowWindow(after[0], SW_SHOWNA);
        };
        DWORD start = GetTickCount();
        RunResult r = RunQuellix(args, options);
        DWORD elapsed = GetTickCount() - start;
        EXPECT_EQ(r.exitCode, row.exitCode) << args;
        EXPECT_GE(elapsed, row.minMs) << args;
        EXPECT_LT(elapsed, row.maxMs) << args;
        bool test = args.find(" -t ") != std::string::npos;
        std::string want = SettingsLine(0, 1000, row.count);
        if (row.watch) want.insert(want.size() - 2, " watch=" + std::to_string(row.watch));
        int found = row.found, j = 0;
        want += FoundLine(found);
        std::istringstream names(row.handled);
        for (std::string name; names >> name; ++j) {
            bool isBefore = name[0] == 'b';
            size_t i = std::stoul(name.substr(1));
            HWND w = isBefore ? before[i] : after[i];
            std::string text =
                isBefore ? (row.change == kRename ? "late" : row.before[i].text) : row.after[i].text;
            want += ListingLine(j, found, w, text, desk.Sub("$")) + (test ? "" : " closed\r\n");
            EXPECT_EQ(IsWindow(w) == FALSE, !test) << args << " " << name;
        }
        if (!test) want += SummaryLine(j, row.seen);
        EXPECT_EQ(r.output, want) << args;
    }
}

// A window that makes a new one like it when it is closed: each is a new window, up to the count.
TEST(Watch, AWindowThatComesBackCountsAnew) {
    TestWindows desk;
    ASSERT_EQ(desk.Create({{"$", "nag", kRecreatesOnClose}}).size(), 1u);
    std::string cls = desk.Sub("$");
    RunResult r = RunQuellix("-watch=9000 -count=3 -class=" + cls);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output, SummaryLine(3, 3));
    EXPECT_TRUE(WaitFor([&] { return FindWindowW(Wide(cls).c_str(), nullptr) != nullptr; }));
}

} // namespace
