// Which top-level windows a run collects: patterns, excluded classes, hung windows, and window
// texts that a careless report would mangle.
#include "fixture.h"
#include "process.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const char* const kExcludedClasses[] = {
    "MozillaWindowClass",
    "MozillaTaskbarPreviewClass",
    "MozillaHiddenWindowClass",
    "MozillaDropShadowWindowClass",
    "seamonkeyMessageWindow",
    "MSCTFIME UI",
    "IME",
    "MailBiffNotificationMessageWindow",
    "OleDdeWndClass",
    "DDEMLEvent",
    "DEMLMom",
};

std::string ClassOf(HWND w) {
    char name[256] = {};
    GetClassNameA(w, name, sizeof name);
    return name;
}

bool Contains(const std::vector<HWND>& list, HWND w) {
    return std::find(list.begin(), list.end(), w) != list.end();
}

TEST(Collect, ExcludedClassesAreNeverTouched) {
    TestWindows windows;
    std::string text = windows.NewClass("text"); // a text no other window has
    std::vector<WindowDesc> descs;
    for (const char* cls : kExcludedClasses)
        descs.push_back({cls, text});
    std::vector<HWND> excluded = windows.CreateGroup(descs);
    ASSERT_EQ(excluded.size(), descs.size());
    for (size_t i = 0; i < excluded.size(); ++i)
        ASSERT_EQ(ClassOf(excluded[i]), kExcludedClasses[i]);
    HWND control = windows.CreateOne({windows.NewClass(), text});
    ASSERT_NE(control, nullptr);

    for (const std::string& args :
         {std::string("-class=* -t"), "-text=" + text + " -t", "-class=* -text=" + text + " -t"}) {
        RunResult r = RunQuellix(args);
        EXPECT_EQ(r.exitCode, 0) << args;
        std::vector<HWND> listed = ListedWindows(r.output);
        EXPECT_TRUE(Contains(listed, control)) << args;
        for (size_t i = 0; i < excluded.size(); ++i)
            EXPECT_FALSE(Contains(listed, excluded[i])) << args << " lists " << kExcludedClasses[i];
        // Nor the system's own windows of those classes (every GUI thread has an "IME" one).
        for (const char* cls : kExcludedClasses)
            EXPECT_EQ(r.output.find("class='" + std::string(cls) + "'"), std::string::npos) << args;
    }

    RunResult r = RunQuellix("-class=* -text=" + text + " -count=50");
    ASSERT_TRUE(windows.Settle());
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.output, SummaryLine(1, 1));
    EXPECT_FALSE(IsWindow(control));
    for (HWND w : excluded)
        EXPECT_TRUE(IsWindow(w));
}

// Class names are case-insensitive atoms: a variant can only be registered while no program on
// the desktop holds the excluded spelling, so each case first checks the spelling it got.
TEST(Collect, ExcludedClassesAreComparedExactly) {
    for (const char* variant : {"demlmom", "MOZILLAWINDOWCLASS", "SeamonkeyMessageWindow", "ddemlevent"}) {
        TestWindows windows;
        HWND w = windows.CreateOne({variant, "variant"});
        ASSERT_NE(w, nullptr) << variant;
        ASSERT_EQ(ClassOf(w), variant) << "another program holds this class in another spelling";
        RunResult r = RunQuellix(std::string("-t -class=") + variant);
        EXPECT_EQ(r.exitCode, 0) << variant;
        EXPECT_EQ(r.output,
                  SettingsLine(0, 1000, 1) + FoundLine(1) + ListingLine(0, 1, w, "variant", variant))
            << variant;
    }
}

struct PatternCase {
    std::string args;
    std::vector<int> listed; // indexes into the windows, topmost first
};

TEST(Collect, WithBothPatternsAWindowMustFitBoth) {
    TestWindows windows;
    std::string base = windows.NewClass();
    std::string one = base + "One", two = base + "Two";
    // Z order from the top: 3, 2, 1, 0.
    std::vector<HWND> w =
        windows.CreateGroup({{one, "Alpha"}, {one, "Beta"}, {two, "Alpha"}, {two, "Alphabet"}});
    ASSERT_EQ(w.size(), 4u);
    const PatternCase cases[] = {
        {"-class=" + one + " -text=Alpha", {0}},      {"-class=" + one + " -text=beta", {1}},
        {"-class=" + two + " -text=Beta", {}},        {"-class=" + one, {1, 0}},
        {"-class=" + base + "* -text=alpha", {2, 0}}, {"-class=" + base + "* -text=Alpha*", {3, 2, 0}},
        {"-class=" + base + "?wo -text=*bet", {3}},   {"-class=" + base + "* -text=Gamma", {}},
    };
    for (const PatternCase& c : cases) {
        RunResult r = RunQuellix(c.args + " -t");
        EXPECT_EQ(r.exitCode, 0) << c.args;
        std::vector<HWND> expected;
        for (int i : c.listed)
            expected.push_back(w[static_cast<size_t>(i)]);
        EXPECT_EQ(ListedWindows(r.output), expected) << c.args;
        EXPECT_NE(r.output.find(FoundLine(static_cast<int>(expected.size()))), std::string::npos) << c.args;
    }
}

// window_host.exe: a second program with the windows "Same" and "Other" of class `cls`, ended with
// the test.
struct WindowHost {
    Program program;
    HWND Find(const std::string& cls, const char* title) const {
        for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, cls.c_str(), title)) != nullptr;) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid == program.pi.dwProcessId) return w;
        }
        return nullptr;
    }
    bool Start(const std::string& cls) {
        return program.Start("\"" + ProgramPath("window_host.exe") + "\" " + cls + " Same Other") &&
               WaitFor([&] { return Find(cls, "Same") && Find(cls, "Other"); });
    }
};

// Two programs own windows of the same class and titles: -exe and -pid tell them apart, and a
// window must fit every condition given.
TEST(Collect, ExeAndPidPickTheWindowsOfOneProgramOrProcess) {
    TestWindows windows;
    std::string cls = windows.NewClass();
    WindowHost host;
    ASSERT_TRUE(host.Start(cls));
    HWND hostSame = host.Find(cls, "Same"), hostOther = host.Find(cls, "Other");
    std::vector<HWND> ours = windows.CreateGroup({{cls, "Same"}, {cls, "Other"}});
    ASSERT_EQ(ours.size(), 2u);
    std::string c = "-class=" + cls, hostPid = std::to_string(host.program.pi.dwProcessId),
                ourPid = std::to_string(GetCurrentProcessId());
    struct {
        std::string args;
        std::vector<HWND> listed;
    } cases[] = {
        {c, {ours[0], ours[1], hostSame, hostOther}},
        {c + " -exe=window_host.exe", {hostSame, hostOther}},
        {c + " -exe=E2E_TESTS.EXE", {ours[0], ours[1]}},
        {c + " \"-exe=w?ndow_*.EXE\"", {hostSame, hostOther}},
        {c + " -exe=window_host", {}},
        {"-exe=nosuch.exe", {}},
        {"-text=Same -pid=" + hostPid, {hostSame}},
        {c + " -pid=" + ourPid, {ours[0], ours[1]}},
        {c + " -pid=2147483647", {}},
        {c + " -text=Other -exe=window_host.exe", {hostOther}},
        {c + " -exe=window_host.exe -pid=" + ourPid, {}},
        {"-exe=*host.exe -text=Oth* -pid=" + hostPid, {hostOther}},
    };
    for (auto& k : cases) {
        RunResult r = RunQuellix(k.args + " -t");
        EXPECT_EQ(r.exitCode, 0) << k.args;
        std::vector<HWND> listed = ListedWindows(r.output);
        std::sort(listed.begin(), listed.end());
        std::sort(k.listed.begin(), k.listed.end());
        EXPECT_EQ(listed, k.listed) << k.args << "\n" << r.output;
    }
    // The run closes what it lists: the other process's windows, by its id alone.
    RunResult r = RunQuellix("-count=9 -pid=" + hostPid);
    EXPECT_EQ(r.output, SummaryLine(2, 2));
    EXPECT_TRUE(WaitGone(hostSame) && WaitGone(hostOther));
    EXPECT_TRUE(IsWindow(ours[0]) && IsWindow(ours[1]));
}

TEST(Collect, HiddenMinimizedAndDisabledWindowsAreTakenLikeAnyOther) {
    for (Behavior b : {Behavior::Hidden, Behavior::Minimized, Behavior::Disabled}) {
        TestWindows windows;
        std::string cls = windows.NewClass();
        HWND w = windows.CreateOne({cls, "odd one"});
        HWND odd = windows.CreateOne({cls, "odd one", b});
        ASSERT_TRUE(w && odd);
        RunResult r = RunQuellix("-class=" + cls + " -text=odd*");
        ASSERT_TRUE(windows.Settle());
        EXPECT_EQ(r.exitCode, 0) << static_cast<int>(b);
        EXPECT_EQ(r.output, SummaryLine(1, 2)) << static_cast<int>(b);
        EXPECT_FALSE(IsWindow(odd)) << static_cast<int>(b); // it is the topmost
        EXPECT_TRUE(IsWindow(w)) << static_cast<int>(b);
    }
}

DWORD TimedRun(const std::string& args, RunResult* r) {
    DWORD start = GetTickCount();
    *r = RunQuellix(args);
    return GetTickCount() - start;
}

TEST(Collect, AHungWindowCostsAtMostItsShortTimeoutAndMissesTextPatterns) {
    const int kHung = 8;
    TestWindows windows;
    std::string hung = windows.NewClass("hung"), fine = windows.NewClass("fine");
    ASSERT_EQ(windows.Create({hung, "same text", Behavior::Hung, 60000}, kHung).size(), size_t{kHung});
    ASSERT_EQ(windows.Create({fine, "other text"}, kHung).size(), size_t{kHung});

    // The best of two runs each: a start of the process under Wine varies by tens of ms.
    DWORD withHung = 0xFFFFFFFF, without = 0xFFFFFFFF;
    for (int i = 0; i < 2; ++i) {
        RunResult r;
        without = std::min(without, TimedRun("-class=" + fine + " -text=same*", &r));
        EXPECT_EQ(r.output, SummaryLine(0, 0));
        withHung = std::min(withHung, TimedRun("-class=" + hung + " -text=same*", &r));
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(r.output, SummaryLine(0, 0));
    }
    EXPECT_LT(withHung, without + kHung * 30 + 300) << "without hung windows: " << without << " ms";
}

TEST(Collect, AHungWindowStillFitsAClassPattern) {
    TestWindows windows;
    std::string cls = windows.NewClass();
    HWND w = windows.CreateOne({cls, "hung", Behavior::Hung, 60000});
    ASSERT_NE(w, nullptr);
    RunResult r = RunQuellix("-t -class=" + cls);
    EXPECT_EQ(r.exitCode, 0);
    // Its text cannot be read for the listing either.
    EXPECT_EQ(r.output, SettingsLine(0, 1000, 1) + FoundLine(1) + ListingLine(0, 1, w, "", cls));

    r = RunQuellix("-wait=100 -class=" + cls);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.output, SummaryLine(0, 1));
    windows.Release(); // the close request waits in its queue
    EXPECT_TRUE(WaitGone(w));
}

std::string Repeat(const std::string& piece, size_t times) {
    std::string out;
    for (size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

// The report's encoding: quellix.exe writes the ANSI code page, quellixc.exe the console's (the
// ANSI one without a console); both write UTF-8 with -utf8.
enum Report { kAnsi, kUtf8, kTwin, kTwinUtf8 };

std::string Encode(const std::string& utf8, UINT codePage) {
    std::wstring wide = Wide(utf8);
    int n = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), &out[0], n, nullptr,
                        nullptr);
    return out;
}

// What a listing shows of a title: at most 511 UTF-16 units, never half a surrogate pair, in the
// report's encoding.
std::string Shown(const std::string& title, Report report) {
    std::wstring wide = Wide(title).substr(0, 511);
    if (wide.size() == 511 && wide.back() >= 0xD800 && wide.back() <= 0xDBFF) wide.pop_back();
    int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &bytes[0], n, nullptr,
                        nullptr);
    if (report == kAnsi) return Encode(bytes, CP_ACP);
    if (report == kTwin) return Encode(bytes, GetConsoleOutputCP() ? GetConsoleOutputCP() : CP_ACP);
    return bytes;
}

struct TextCase {
    std::vector<std::string> titles; // created in this order: the last is on top
    std::string pattern;
    std::vector<bool> fits;
    Report report;
};

// Each run closes exactly the windows whose whole title fits, lists them in the report's encoding
// and leaves every other window alone.
TEST(Listing, APatternNamesExactlyTheTitlesItSpellsAndTheReportShowsThem) {
    const std::string as255 = std::string(255, 'A') + "B", as299 = std::string(299, 'A') + "B",
                      as600 = std::string(600, 'A') + "B";
    const TextCase cases[] = {
        {{"abcdef", "Привет", "ПРИВЕТ", "привет!"}, "Привет", {false, true, true, false}, kAnsi},
        {{"Ελλάδα", "ΕΛΛΆΔΑ", "École", "ÉCOLE"}, "ελλάδα", {true, true, false, false}, kUtf8},
        {{"ÉCOLE", "Ecole"}, "école", {true, false}, kUtf8},
        {{"中文窗口", "不文窗口"}, "中*", {true, false}, kUtf8},
        {{"a😀b", "a😀😀b", "axb", "ab"}, "a?b", {true, false, true, false}, kUtf8},
        {{"a😀b", "a😀😀b", "a😁b"}, "a😀*", {true, true, false}, kAnsi},
        {{"{1}", "[1]"}, "*[1]*", {false, true}, kAnsi},
        {{"Straße", "STRASSE"}, "straße", {true, false}, kAnsi},
        {{"Straße"}, "Straße", {true}, kUtf8},
        {{"%s%s%s %n %i %08Ix %%", "it's"}, "*%*", {true, false}, kAnsi},
        {{"one\ntwo\n", "\nx", "a\r\nb"}, "*?*", {true, true, true}, kAnsi},
        // Whole titles: one longer than 511 units fits only a pattern that ends in "*".
        {{as255, as299, as600}, "*A", {false, false, false}, kAnsi},
        {{as255, as299, as600}, "A*", {true, true, true}, kAnsi},
        {{as255, as299, as600}, "*B", {true, true, false}, kAnsi},
        // A title of 512 units is cut, and so is one cut just inside a surrogate pair.
        {{std::string(511, 'A') + "😀B", "B" + std::string(511, 'A')}, "*A", {false, false}, kAnsi},
        // Listed whole, however many line feeds; cut at 511 units without splitting a character.
        {{std::string(500, '\n') + "END"}, "*END", {true}, kAnsi},
        {{Repeat("😀", 300), Repeat("ж", 600)}, "*", {true, true}, kUtf8},
        // The console twin through a pipe.
        {{"Straße Привет", "Strasse"}, "straße*", {true, false}, kTwin},
        {{"Straße Привет"}, "*ПРИВЕТ", {true}, kTwinUtf8},
    };
    for (const TextCase& c : cases) {
        TestWindows windows;
        std::string cls = windows.NewClass();
        std::vector<WindowDesc> descs;
        for (const std::string& title : c.titles)
            descs.push_back({cls, title});
        std::vector<HWND> w = windows.CreateGroup(descs);
        ASSERT_EQ(w.size(), c.titles.size()) << c.pattern;
        bool utf8 = c.report == kUtf8 || c.report == kTwinUtf8;
        bool twin = c.report == kTwin || c.report == kTwinUtf8;
        RunResult r =
            RunQuellix("-v -count=99 -class=" + cls + " \"-text=" + c.pattern + "\"" + (utf8 ? " -utf8" : ""),
                       20000, twin ? "quellixc.exe" : "quellix.exe");
        ASSERT_TRUE(windows.Settle());
        int found = static_cast<int>(std::count(c.fits.begin(), c.fits.end(), true));
        std::string expected = SettingsLine(0, 1000, 99) + FoundLine(found);
        for (size_t i = w.size(), j = 0; i-- > 0;) {
            EXPECT_EQ(IsWindow(w[i]) == FALSE, c.fits[i]) << c.pattern << " window " << i;
            if (!c.fits[i]) continue;
            expected += ListingLine(static_cast<int>(j++), found, w[i], Shown(c.titles[i], c.report), cls) +
                        " closed\r\n";
        }
        EXPECT_EQ(r.exitCode, 0) << c.pattern;
        EXPECT_EQ(r.output, expected + SummaryLine(found, found)) << c.pattern;
    }
}

} // namespace
