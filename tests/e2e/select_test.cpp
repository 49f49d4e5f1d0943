// Which windows a run names, on one desk of windows that every row lists and none closes: both
// patterns, quoting, case and Unicode, whole titles, excluded classes (never listed, whatever the
// pattern), and the process conditions against a second program. Each row's listing is compared
// whole, in the report's encoding.
#include "e2e.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

namespace {

std::string Repeat(const std::string& piece, size_t times) {
    std::string out;
    while (times--)
        out += piece;
    return out;
}

// What a listing shows of a title: at most 511 UTF-16 units, never half a surrogate pair, in the
// ANSI code page (the console twin: the console's), or UTF-8 with -utf8.
std::string Shown(const std::string& title, bool utf8, bool twin) {
    std::wstring wide = Wide(title).substr(0, 511);
    if (wide.size() == 511 && wide.back() >= 0xD800 && wide.back() <= 0xDBFF) wide.pop_back();
    UINT codePage = utf8 ? CP_UTF8 : twin && GetConsoleOutputCP() ? GetConsoleOutputCP() : CP_ACP;
    int wideSize = static_cast<int>(wide.size());
    std::string out(static_cast<size_t>(4 * wideSize), '\0');
    int n = WideCharToMultiByte(codePage, 0, wide.data(), wideSize, &out[0], 4 * wideSize, nullptr, nullptr);
    return out.substr(0, static_cast<size_t>(n));
}

struct Named {
    HWND window;
    std::string text, cls;
};

struct Desk {
    TestWindows windows;
    std::map<std::string, Named> named;
    // Windows named "<tag>0", "<tag>1", ... in creation order.
    bool AddDescs(const std::string& tag, const std::vector<WindowDesc>& descs) {
        std::vector<HWND> w = windows.Create(descs);
        for (size_t i = 0; i < w.size(); ++i)
            named[tag + std::to_string(i)] = {w[i], windows.Sub(descs[i].text), windows.Sub(descs[i].cls)};
        return w.size() == descs.size();
    }
    bool Add(const std::string& tag, const std::string& cls, const std::vector<std::string>& titles,
             unsigned flags = 0) {
        std::vector<WindowDesc> descs;
        for (const std::string& title : titles)
            descs.push_back({cls, title, flags});
        return AddDescs(tag, descs);
    }
    // The named windows in Z order, topmost first.
    std::vector<std::string> InZOrder(const std::string& names) const {
        std::vector<std::string> list;
        std::istringstream in(names);
        for (std::string name; in >> name;)
            list.push_back(name);
        auto depth = [&](const std::string& name) {
            int d = 0;
            for (HWND w = GetTopWindow(nullptr); w && w != named.at(name).window;
                 w = GetWindow(w, GW_HWNDNEXT))
                ++d;
            return d;
        };
        std::sort(list.begin(), list.end(), [&](auto& a, auto& b) { return depth(a) < depth(b); });
        return list;
    }
};

// window_host.exe: a second program with the windows "Same" and "Other".
HWND FindHostWindow(const std::string& cls, const char* title, DWORD pid) {
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, cls.c_str(), title)) != nullptr;) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == pid) return w;
    }
    return nullptr;
}

struct Row {
    std::string args; // "$" the desk's prefix, "#h" window_host's process id, "#p" ours
    std::string listed;
    const char* exe = "quellix.exe";
};

TEST(Select, EachRowListsExactlyTheWindowsItNames) {
    Desk desk;
    ASSERT_TRUE(desk.Add("a", "$One", {"Alpha", "Beta"}) && desk.Add("b", "$Two", {"Alpha", "Alphabet"}));
    ASSERT_TRUE(desk.Add("oh", "$One", {"odd"}, kHidden) && desk.Add("om", "$One", {"odd"}, kMinimized) &&
                desk.Add("od", "$One", {"odd"}, kDisabled));
    ASSERT_TRUE(desk.Add("q", "$Q",
                         {"Foo Bar", "Foo", "Foo Bar Baz", "\"Foo Bar\"", "\"quoted\"", "quoted",
                          "\\\"quoted\\\"", "Setup Wizard", "Setup Wizards", " Setup Wizard", "Setup Wizard ",
                          "Report 2026", "Report 20266", "{x}", "(x)"}) &&
                desk.Add("qx", "$Qx", {"Setup Wizard"}));
    ASSERT_TRUE(desk.Add(
        "u", "$U",
        {"abcdef",     "Привет", "ПРИВЕТ",   "привет!",  "Ελλάδα",  "ΕΛΛΆΔΑ", "École",
         "ÉCOLE",      "Ecole",  "中文窗口", "不文窗口", "a😀b",     "a😀😀b",   "axb",
         "a😁b",        "{1}",    "[1]",      "Straße",   "STRASSE", "it's",   "%s%s%s %n %i %08Ix %%",
         "one\ntwo\n", "a\r\nb"}));
    // Whole titles: one longer than 511 units is cut, and fits only a pattern that ends in "*".
    ASSERT_TRUE(
        desk.Add("l", "$UL",
                 {std::string(255, 'A') + "B", std::string(299, 'A') + "B", std::string(600, 'A') + "B",
                  std::string(511, 'A') + "😀B", "B" + std::string(511, 'A'), std::string(500, '\n') + "END",
                  Repeat("😀", 300), Repeat("ж", 600)}));
    std::vector<WindowDesc> excluded;
    for (const char* cls :
         {"MozillaWindowClass", "MozillaTaskbarPreviewClass", "MozillaHiddenWindowClass",
          "MozillaDropShadowWindowClass", "seamonkeyMessageWindow", "MSCTFIME UI", "IME",
          "MailBiffNotificationMessageWindow", "OleDdeWndClass", "DDEMLEvent", "DEMLMom", "$Ctl"})
        excluded.push_back({cls, "$"});
    ASSERT_TRUE(desk.AddDescs("x", excluded) && desk.Add("h", "$H", {"Same", "Other"}));
    std::string host = desk.windows.Sub("$H");
    Program hostProgram;
    DWORD hostPid = 0;
    ASSERT_TRUE(hostProgram.Start("\"" + ProgramPath("window_host.exe") + "\" " + host + " Same Other"));
    hostPid = hostProgram.pi.dwProcessId;
    ASSERT_TRUE(WaitFor(
        [&] { return FindHostWindow(host, "Same", hostPid) && FindHostWindow(host, "Other", hostPid); }));
    desk.named["H0"] = {FindHostWindow(host, "Same", hostPid), "Same", host};
    desk.named["H1"] = {FindHostWindow(host, "Other", hostPid), "Other", host};

    const Row rows[] = {
        {"-class=$One -text=Alpha", "a0"},
        {"-class=$One -text=beta", "a1"},
        {"-class=$Two -text=Beta", ""},
        {"-class=$One", "a0 a1 oh0 om0 od0"}, // hidden, minimized and disabled ones alike
        {"-class=$??? -text=alpha", "a0 b0"},
        {"-class=$?wo -text=*bet", "b1"},
        {"-class=$Q -text=\"Foo Bar\"", "q0"},
        {"-class=$Q -te\"xt=Foo Bar\"", "q0"},
        {"-class=$Q /TEXT=foo bar", "q1"}, // two words: "bar" is no option at all
        {"-class=$Q -text=\\\"quoted\\\"", "q4"},
        {"-class=$Q -text=\"Setup Wizard\"", "q7"},
        {"-class=$Q \"-text=Report 2?26\"", "q11"},
        {"-class=$Q -text={x}", "q13"},
        {"-class=$U", "u0 u1 u2 u3 u4 u5 u6 u7 u8 u9 u10 u11 u12 u13 u14 u15 u16 u17 u18 u19 u20 u21 u22"},
        {"-class=$U -utf8",
         "u0 u1 u2 u3 u4 u5 u6 u7 u8 u9 u10 u11 u12 u13 u14 u15 u16 u17 u18 u19 u20 u21 u22"},
        {"-class=$U -text=Привет", "u1 u2"},
        {"-class=$U -text=ελλάδα -utf8", "u4 u5"},
        {"-class=$U -text=école", "u6 u7"},
        {"-class=$U -text=中*", "u9"},
        {"-class=$U -text=a?b", "u11 u13 u14"},
        {"-class=$U -text=a😀*", "u11 u12"},
        {"-class=$U -text=*[1]*", "u16"},
        {"-class=$U -text=straße", "u17", "quellixc.exe"},
        {"-class=$U -text=*%*", "u20"},
        {"-class=$U -text=*ПРИВЕТ*", "u1 u2 u3", "quellixc.exe"},
        {"-class=$U -text=*ПРИВЕТ* -utf8", "u1 u2 u3", "quellixc.exe"},
        {"-class=$UL", "l0 l1 l2 l3 l4 l5 l6 l7"},
        {"-class=$UL -utf8", "l0 l1 l2 l3 l4 l5 l6 l7"},
        {"-class=$UL -text=*A", ""},
        {"-class=$UL -text=A*", "l0 l1 l2 l3"},
        {"-class=$UL -text=*B", "l0 l1"},
        {"-class=$UL -text=*END", "l5"},
        {"-text=$", "x11"},
        {"-class=* -text=$", "x11"},
        {"-class=IME", ""},
        {"-class=D?MLMom", ""},
        {"-class=$H", "h0 h1 H0 H1"},
        {"-class=$H -exe=window_host.exe", "H0 H1"},
        {"-class=$H -exe=E2E_TESTS.EXE", "h0 h1"},
        {"-class=$H \"-exe=w?ndow_*.EXE\"", "H0 H1"},
        {"-class=$H -exe=window_host", ""},
        {"-exe=nosuch.exe", ""},
        {"-text=Same -pid=#h", "H0"},
        {"-class=$H -pid=#p", "h0 h1"},
        {"-class=$H -pid=2147483647", ""},
        {"-class=$H -text=Other -exe=window_host.exe", "H1"},
        {"-class=$H -exe=window_host.exe -pid=#p", ""},
        {"-exe=*host.exe -text=Oth* -pid=#h", "H1"},
    };
    for (const Row& row : rows) {
        std::string args = desk.windows.Sub(row.args);
        for (auto sub : {std::make_pair("#h", hostPid), std::make_pair("#p", GetCurrentProcessId())})
            for (size_t at; (at = args.find(sub.first)) != std::string::npos;)
                args.replace(at, 2, std::to_string(sub.second));
        RunOptions options;
        options.exe = row.exe;
        RunResult r = RunQuellix(args + " -t", options);
        EXPECT_EQ(r.exitCode, 0) << args;
        std::vector<std::string> names = desk.InZOrder(row.listed);
        bool utf8 = args.find("-utf8") != std::string::npos, twin = std::string(row.exe) == "quellixc.exe";
        std::string want = SettingsLine(0, 1000, 1) + FoundLine(static_cast<int>(names.size()));
        for (size_t j = 0; j < names.size(); ++j) {
            const Named& n = desk.named.at(names[j]);
            want += ListingLine(static_cast<int>(j), static_cast<int>(names.size()), n.window,
                                Shown(n.text, utf8, twin), n.cls);
        }
        EXPECT_EQ(r.output, want) << args;
    }
    // A run closes what it lists: the other program's windows, by its process id alone.
    RunResult r = RunQuellix("-count=9 -pid=" + std::to_string(hostPid));
    EXPECT_EQ(r.output, SummaryLine(2, 2));
    EXPECT_TRUE(WaitGone(desk.named["H0"].window) && WaitGone(desk.named["H1"].window));
    EXPECT_TRUE(IsWindow(desk.named["h0"].window) && IsWindow(desk.named["h1"].window));
}

} // namespace
