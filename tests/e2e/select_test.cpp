// Which windows a run names, on one desk of windows that every row lists and none closes: both
// patterns, quoting, case and Unicode, whole titles, excluded classes (never listed, whatever the
// pattern), and the process conditions against a second program. Each row's listing is compared
// whole, in the report's encoding.
#include "../unit/utf.h"
#include "e2e.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace {

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

// Windows named "<tag>0", "<tag>1", ... as created.
bool Add(TestWindows& windows, std::map<std::string, Named>& named, const std::string& tag,
         const std::vector<WindowDesc>& descs) {
    std::vector<HWND> w = windows.Create(descs);
    for (size_t i = 0; i < w.size(); ++i)
        named[tag + std::to_string(i)] = {w[i], windows.Sub(descs[i].text), windows.Sub(descs[i].cls)};
    return w.size() == descs.size();
}

struct Row {
    std::string args; // "$" the desk's prefix, "#h" window_host's process id, "#p" ours
    std::string listed;
    const char* exe = "quellix.exe";
    int imageReads = 0; // each told on standard error by the seam, which reads none
};

TEST(Select, EachRowListsExactlyTheWindowsItNames) {
    TestWindows desk;
    std::map<std::string, Named> named;
    ASSERT_TRUE(Add(desk, named, "a", Titles("$One", {"Alpha", "Beta"})));
    ASSERT_TRUE(Add(desk, named, "b", Titles("$Two", {"Alpha", "Alphabet"})));
    ASSERT_TRUE(Add(desk, named, "oh", Titles("$One", {"odd"}, kHidden)));
    ASSERT_TRUE(Add(desk, named, "om", Titles("$One", {"odd"}, kMinimized)));
    ASSERT_TRUE(Add(desk, named, "od", Titles("$One", {"odd"}, kDisabled)));
    ASSERT_TRUE(Add(desk, named, "q",
                    Titles("$Q", {"Foo Bar", "Foo", "Foo Bar Baz", "\"Foo Bar\"", "\"quoted\"", "quoted",
                                  "\\\"quoted\\\"", "Setup Wizard", "Setup Wizards", " Setup Wizard",
                                  "Setup Wizard "})) &&
                Add(desk, named, "qx", Titles("$Qx", {"Setup Wizard"})));
    ASSERT_TRUE(Add(desk, named, "u",
                    Titles("$U", {"abcdef", "Привет", "ПРИВЕТ", "привет!", "Ελλάδα", "ΕΛΛΆΔΑ", "École",
                                  "中文窗口", "a😀b", "a😀😀b", "a𐀀b", "a😁b", "Straße", "STRASSE",
                                  "%s%s%s %n %i %08Ix %%", "one\ntwo\n", "a\r\nb"})));
    // Whole titles: one longer than 511 units is cut, and fits only a pattern that ends in "*".
    ASSERT_TRUE(
        Add(desk, named, "l",
            Titles("$UL", {std::string(255, 'A') + "B", std::string(299, 'A') + "B",
                           std::string(600, 'A') + "B", std::string(511, 'A') + "😀B",
                           "B" + std::string(511, 'A'), std::string(500, '\n') + "END", Repeat("😀", 300),
                           Repeat("ж", 600), std::string(511, 'A') + "B" + std::string(88, 'C')})));
    std::vector<WindowDesc> excluded;
    for (const char* cls :
         {"MozillaWindowClass", "MozillaTaskbarPreviewClass", "MozillaHiddenWindowClass",
          "MozillaDropShadowWindowClass", "seamonkeyMessageWindow", "MSCTFIME UI", "IME",
          "MailBiffNotificationMessageWindow", "OleDdeWndClass", "DDEMLEvent", "DEMLMom", "$Ctl"})
        excluded.push_back({cls, "$"});
    ASSERT_TRUE(Add(desk, named, "x", excluded) && Add(desk, named, "h", Titles("$H", {"Same", "Other"})));
    std::string host = desk.Sub("$H");
    Program hostProgram;
    ASSERT_TRUE(hostProgram.Start("\"" + ProgramPath("window_host.exe") + "\" " + host + " Same Other"));
    DWORD hostPid = hostProgram.pi.dwProcessId;
    HWND same = nullptr, other = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        return (same = hostProgram.Find(host, "Same")) && (other = hostProgram.Find(host, "Other"));
    }));
    named["H0"] = {same, "Same", host};
    named["H1"] = {other, "Other", host};

    const Row rows[] = {
        {"-class=$One -text=Alpha", "a0"},
        {"-class=$One -text=beta", "a1"},
        {"-class=$Two -text=Beta", ""},
        {"-class=$One", "a0 a1 oh0 om0 od0"}, // hidden, minimized and disabled ones alike
        {"-class=$??? -text=alpha", "a0 b0"},
        {"-class=$?wo -text=*bet", "b1"},
        {"-class=$Q -te\"xt=Foo Bar\"", "q0"},
        {"-class=$Q /TEXT=foo bar", "q1"}, // two words: "bar" is no option at all
        {"-class=$Q -text=\\\"quoted\\\"", "q4"},
        {"-class=$Q -text=\"Setup Wizard\"", "q7"},
        {"-class=$U", "u0 u1 u2 u3 u4 u5 u6 u7 u8 u9 u10 u11 u12 u13 u14 u15 u16"},
        {"-class=$U -utf8", "u0 u1 u2 u3 u4 u5 u6 u7 u8 u9 u10 u11 u12 u13 u14 u15 u16"},
        {"-class=$U -text=Привет", "u1 u2"},
        {"-class=$U -text=ελλάδα -utf8", "u4 u5"},
        {"-class=$U -text=a?b", "u8 u10 u11"},
        {"-class=$U -text=a😀*", "u8 u9"},
        {"-class=$U -text=straße", "u12", "quellixc.exe"},
        {"-class=$U -text=*ПРИВЕТ*", "u1 u2 u3", "quellixc.exe"},
        {"-class=$U -text=*ПРИВЕТ* -utf8", "u1 u2 u3", "quellixc.exe"},
        {"-class=$UL", "l0 l1 l2 l3 l4 l5 l6 l7 l8"},
        {"-class=$UL -utf8", "l0 l1 l2 l3 l4 l5 l6 l7 l8"},
        {"-class=$UL -text=*A", ""},
        {"-class=$UL -text=A*", "l0 l1 l2 l3 l8"},
        {"-class=$UL -text=*B", "l0 l1"},
        {"-class=$UL -text=*END", "l5"},
        {"-class=$UL -text=*B*", "l0 l1 l4"}, // not l8, whose B is the 512th unit
        {"-text=$", "x11"},
        {"-class=IME", ""},
        {"-class=D?MLMom", ""},
        {"-class=$H", "h0 h1 H0 H1", "quellix_seam.exe"}, // no process looked at
        {"-class=$H -exe=window_host.exe", "H0 H1"},
        {"-class=$H -exe=E2E_TESTS.EXE", "h0 h1"},
        {"-class=$H \"-exe=w?ndow_*.EXE\"", "H0 H1"},
        {"-class=$H -exe=window_host", ""},
        {"-class=$H -exe=*", "h0 h1 H0 H1"},
        {"-class=$H -exe=*", "", "quellix_seam.exe", 2}, // once per process; an unreadable one fits none
        {"-text=Same -pid=#h", "H0"},
        {"-class=$H -pid=#p", "h0 h1", "quellix_seam.exe"},
        {"-class=$H -text=Other -exe=window_host.exe", "H1"},
        {"-class=$H -exe=window_host.exe -pid=#p", ""},
        {"-exe=*host.exe -text=Oth* -pid=#h", "H1"},
    };
    for (const Row& row : rows) {
        std::string args = desk.Sub(row.args);
        for (auto sub : {std::make_pair("#h", hostPid), std::make_pair("#p", GetCurrentProcessId())})
            for (size_t at; (at = args.find(sub.first)) != std::string::npos;)
                args.replace(at, 2, std::to_string(sub.second));
        RunOptions options;
        options.exe = row.exe;
        RunResult r = RunQuellix(args + " -t", options);
        EXPECT_EQ(r.exitCode, 0) << args;
        // The listing follows the Z order, topmost first.
        std::vector<const Named*> listed;
        for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
            std::istringstream names(row.listed);
            for (std::string name; names >> name;)
                if (named.at(name).window == w) listed.push_back(&named.at(name));
        }
        bool utf8 = args.find("-utf8") != std::string::npos, twin = std::string(row.exe) == "quellixc.exe";
        int found = static_cast<int>(listed.size());
        std::string want = SettingsLine(0, 1000, 1) + FoundLine(found);
        for (size_t j = 0; j < listed.size(); ++j)
            want += ListingLine(static_cast<int>(j), found, listed[j]->window,
                                Shown(listed[j]->text, utf8, twin), listed[j]->cls);
        EXPECT_EQ(r.output, want) << args;
        EXPECT_EQ(r.errors, Repeat("image read\r\n", static_cast<size_t>(row.imageReads))) << args;
    }
    // A run closes what it lists: the other program's windows, by its process id alone.
    RunResult r = RunQuellix("-count=9 -pid=" + std::to_string(hostPid));
    EXPECT_EQ(r.output, SummaryLine(2, 2));
    EXPECT_TRUE(WaitGone(named["H0"].window) && WaitGone(named["H1"].window));
    EXPECT_TRUE(IsWindow(named["h0"].window) && IsWindow(named["h1"].window));
}

} // namespace
