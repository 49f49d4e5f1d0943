// -force against real programs: which ones end, the guardrail that keeps each of the others alive,
// and that no run ends a process the test did not start.
#include "e2e.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <deque>
#include <map>
#include <sstream>

namespace {

const char* const kDesktopImage = "sihost.exe"; // on the table of the desktop's own programs

struct ForceRow {
    std::string hosts; // window_host.exe runs, ";" between them: [MODE] CLASS TITLE...; "$" is the prefix
    std::string args;  // "$" is the prefix
    int exitCode;
    std::string report; // listing lines without their handle; "#" is the first host's process id
    std::string ended;  // per host: 'x' ended with exit code 1, '.' still running
    const char* exe = "quellix.exe";
    bool desktopImage = false; // the first host runs from a copy named kDesktopImage
    DWORD leastMs = 0;         // the run takes at least this long
};

std::map<DWORD, std::string> Processes() {
    std::map<DWORD, std::string> names;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 e;
    e.dwSize = sizeof e;
    for (BOOL ok = Process32First(snapshot, &e); ok; ok = Process32Next(snapshot, &e))
        names[e.th32ProcessID] = e.szExeFile;
    CloseHandle(snapshot);
    return names;
}

// Other tables check the handles; the order of a row's windows is Wine's to choose.
std::string WithoutHandles(std::string s) {
    for (size_t at = 0; (at = s.find("hWnd=", at)) != std::string::npos;)
        s.erase(at, s.find(' ', at) + 1 - at);
    return s;
}

// Every window of the host is shown, and disabled under its dialog in -dialog mode.
bool Shown(const Program& p, const std::string& cls, size_t windows, bool dialog) {
    size_t n = 0;
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, cls.c_str(), nullptr)) != nullptr;) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        n += pid == p.pi.dwProcessId && IsWindowVisible(w) && (!dialog || !IsWindowEnabled(w));
    }
    return n == windows;
}

std::string Listed(int j, const std::string& text, const std::string& cls = "$") {
    return "win[" + std::to_string(j) + "]:  text='" + text + "' class='" + cls + "'\r\n";
}

TEST(Force, EndsOnlyWhatNoGuardrailKeeps) {
    char temp[MAX_PATH];
    std::string folder(temp, GetTempPathA(MAX_PATH, temp));
    folder += "quellix-force-" + std::to_string(GetCurrentProcessId());
    std::string desktopImage = folder + "\\" + kDesktopImage;
    CreateDirectoryA(folder.c_str(), nullptr); // left behind by a run that failed, maybe
    ASSERT_TRUE(CopyFileA(ProgramPath("window_host.exe").c_str(), desktopImage.c_str(), FALSE));

    const std::string head = SettingsLine(0, 200, 1) + FoundLine(1), giveUp = " still there -> give up\r\n",
                      ended = " ended process # (window_host.exe)\r\n", stayed = giveUp + SummaryLine(0, 1),
                      force = "-v -wait=200 -force -class=$";
    const ForceRow rows[] = {
        // The bystander ignores close requests too, and has the same class.
        {"-ignore $ target;-ignore $ bystander", force + " -text=target", 0,
         head + Listed(0, "target") + ended + "0 of 1 window closed 1 ended\r\n", "x."},
        // A hung window's text cannot be read.
        {"-hang $ hung", force, 0, head + Listed(0, "") + ended + "0 of 1 window closed 1 ended\r\n", "x"},
        {"-ignore $ named other", force + " -text=named", 1,
         head + Listed(0, "named") + " not ended: other windows\r\n" + stayed, "."},
        // Named too, but past the count: this run does not handle it.
        {"-ignore $ same same", force, 1,
         SettingsLine(0, 200, 1) + FoundLine(2) + Listed(0, "same") + " not ended: other windows\r\n" +
             giveUp + SummaryLine(0, 2),
         "."},
        // The second window goes with the first one's program.
        {"-ignore $ same same", force + " -count=2", 0,
         SettingsLine(0, 200, 2) + FoundLine(2) + Listed(0, "same") + ended + Listed(1, "") + " closed\r\n" +
             "1 of 2 windows closed 1 ended\r\n",
         "x"},
        // Not asked to close (window_host's disabled window would go), but waited for.
        {"-dialog $ blocked", "-v -wait=1000 -force -class=$", 0,
         SettingsLine(0, 1000, 1) + FoundLine(1) + Listed(0, "blocked") + ended +
             "0 of 1 window closed 1 ended\r\n",
         "x", "quellix.exe", false, 1000},
        // No host: the window is this process's own.
        {"", force, 1, head + Listed(0, "mine") + " not ended: started this run\r\n" + stayed, ""},
        {"-ignore $ desktop", force, 1,
         head + Listed(0, "desktop") + " not ended: desktop process\r\n" + stayed, ".", "quellix.exe", true},
        // The tests' build refuses the close request and the opening of this class's process, and
        // reads no image.
        {QUELLIX_REFUSED_CLASS " $.refused",
         "-v -wait=200 -force -class=" QUELLIX_REFUSED_CLASS " -text=$.refused", 1,
         head + Listed(0, "$.refused", QUELLIX_REFUSED_CLASS) +
             " close request refused (error 5)\r\n not ended: access denied (error 5)\r\n" + stayed,
         ".", "quellix_seam.exe"},
        {"-ignore $ unreadable", force, 1,
         head + Listed(0, "unreadable") + " not ended: image unreadable\r\n" + stayed, ".",
         "quellix_seam.exe"},
        {"-ignore $ listed", "-t -force -class=$", 0,
         SettingsLine(0, 1000, 1) + FoundLine(1) + Listed(0, "listed"), "."},
    };
    for (const ForceRow& row : rows) {
        TestWindows own;
        if (row.hosts.empty()) {
            ASSERT_EQ(own.Create({{"$", "mine", kIgnoresClose}}).size(), 1u);
        }
        std::deque<Program> hosts; // never moved: each ends its process when destroyed
        std::istringstream runs(own.Sub(row.hosts));
        for (std::string run, cls; std::getline(runs, run, ';');) {
            std::istringstream words(run);
            size_t windows = 0;
            words >> cls;
            if (cls[0] == '-') words >> cls;
            for (std::string title; words >> title;)
                ++windows;
            bool copy = hosts.empty() && row.desktopImage;
            hosts.emplace_back();
            ASSERT_TRUE(hosts.back().Start("\"" + (copy ? desktopImage : ProgramPath("window_host.exe")) +
                                           "\" " + run));
            ASSERT_TRUE(WaitFor([&] { return Shown(hosts.back(), cls, windows, run.find("-dialog") == 0); }))
                << run;
        }
        std::string args = own.Sub(row.args), want = own.Sub(row.report);
        if (size_t at = want.find('#'); at != std::string::npos)
            want.replace(at, 1, std::to_string(hosts[0].pi.dwProcessId));
        RunOptions options;
        options.exe = row.exe;
        std::map<DWORD, std::string> before = Processes();
        DWORD start = GetTickCount();
        RunResult r = RunQuellix(args, options);
        DWORD elapsed = GetTickCount() - start;
        EXPECT_EQ(r.exitCode, row.exitCode) << args;
        EXPECT_EQ(WithoutHandles(r.output), want) << args;
        EXPECT_LT(elapsed, 4000u) << args;
        EXPECT_GE(elapsed, row.leastMs) << args;
        for (size_t i = 0; i < hosts.size(); ++i) {
            DWORD code = 0;
            if (row.ended[i] == 'x') WaitForSingleObject(hosts[i].pi.hProcess, 5000);
            GetExitCodeProcess(hosts[i].pi.hProcess, &code);
            EXPECT_EQ(code, row.ended[i] == 'x' ? 1u : STILL_ACTIVE) << args << " host " << i;
        }
        // The hosts are still open, so no new process can take their ids.
        std::map<DWORD, std::string> after = Processes();
        for (const auto& process : before) {
            bool ours = false;
            for (const Program& host : hosts)
                ours = ours || host.pi.dwProcessId == process.first;
            EXPECT_TRUE(ours || after.count(process.first))
                << args << ": process " << process.first << " (" << process.second << ") has gone";
        }
    }
    DeleteFileA(desktopImage.c_str());
    RemoveDirectoryA(folder.c_str());
}

} // namespace
