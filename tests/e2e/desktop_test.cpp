// Where no user can see windows: on a window station of the test's own, as a scheduled task or a service
// gets one, and in session 0 (quellix_session0.exe, since Wine has none). No usage box that no one could
// answer, no run that calls seeing nothing a success, and a station name of 255 units shown whole.
#include "e2e.h"
#include "cmdline/usage.h"

#include <gtest/gtest.h>

namespace {

// A station of its own is not visible, and shows a program started there none of our windows.
struct HiddenDesktop {
    HWINSTA station = nullptr;
    HDESK desktop = nullptr;
    explicit HiddenDesktop(const std::wstring& name) {
        HWINSTA own = GetProcessWindowStation();
        station = CreateWindowStationW(name.c_str(), 0, WINSTA_ALL_ACCESS, nullptr);
        if (!station || !SetProcessWindowStation(station)) return;
        desktop = CreateDesktopW(L"Default", nullptr, nullptr, 0, GENERIC_ALL, nullptr); // on our station
        SetProcessWindowStation(own);
    }
    ~HiddenDesktop() {
        if (desktop) CloseDesktop(desktop);
        if (station) CloseWindowStation(station);
    }
};

// The report line, CR LF, in the report's encoding.
std::string NoDesktopLine(const std::wstring& station, UINT codePage) {
    std::wstring line = L"no interactive desktop: window station " + station + L" shows no user windows\r\n";
    std::string out(3 * line.size(), '\0');
    out.resize(
        static_cast<size_t>(WideCharToMultiByte(codePage, 0, line.data(), static_cast<int>(line.size()),
                                                &out[0], static_cast<int>(out.size()), nullptr, nullptr)));
    return out;
}

TEST(Desktop, WhereNoUserSeesWindowsTheRunSaysSoAndShowsNoBox) {
    TestWindows desk;
    std::vector<HWND> w = desk.Create(Titles("$", {"Visible"}));
    ASSERT_EQ(w.size(), 1u);
    const std::wstring station = (Wide(desk.prefix + ".Станция") + std::wstring(255, L'x')).substr(0, 255);
    HiddenDesktop hidden(station);
    ASSERT_NE(hidden.desktop, nullptr) << GetLastError();
    const std::wstring hiddenDesktop = station + L"\\Default";
    // One character more than fits (see Usage): refused whole.
    std::string tooLong = "-text=" + std::string(1280 - ProgramPath("quellix.exe").size() - 3 - 6, '*');
    const std::string cls = "-class=" + desk.prefix;
    const struct {
        const char* exe;
        bool hidden; // on the station of our own; otherwise on ours, in session 0
        std::string args;
        int exitCode;
        std::string output, errors;
    } rows[] = {
        {"quellix.exe", true, cls + " -v", 3, NoDesktopLine(station, CP_ACP), ""},
        {"quellix.exe", true, cls + " -t -a -utf8", 3, NoDesktopLine(station, CP_UTF8), ""},
        {"quellix.exe", true, "", 1, kUsageText, ""},
        {"quellix.exe", true, "-v", 4, kUsageText, ""},
        {"quellix.exe", true, tooLong, 4, kUsageText, ""},
        {"quellixc.exe", true, cls + " -utf8", 3, NoDesktopLine(station, CP_UTF8), ""},
        {"quellixc.exe", true, "-v", 4, "", kUsageText},
        {"quellix_session0.exe", false, "-v", 4, kUsageText, ""},
        {"quellix_session0.exe", false, cls + " -wait=0", 3, NoDesktopLine(L"WinSta0", CP_ACP), ""},
    };
    for (const auto& row : rows) {
        RunOptions options;
        options.exe = row.exe;
        options.timeoutMs = 10000; // a box that no one answers shows as a time-out
        options.desktop = row.hidden ? hiddenDesktop.c_str() : nullptr;
        RunResult r = RunQuellix(row.args, options);
        SCOPED_TRACE(std::string(row.exe) + " " + row.args);
        EXPECT_EQ(r.exitCode, row.exitCode);
        EXPECT_EQ(r.output, row.output);
        EXPECT_EQ(r.errors, row.errors);
        EXPECT_TRUE(IsWindow(w[0])); // the one window it could see stays
    }
}

} // namespace
