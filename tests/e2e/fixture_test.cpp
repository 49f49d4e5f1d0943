// The window fixture itself: the other end-to-end tests trust what it builds.
#include "fixture.h"
#include "process.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The given windows in the order a walk of the top-level windows meets them.
std::vector<HWND> InZOrder(const std::vector<HWND>& wanted) {
    std::vector<HWND> order;
    for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        if (std::find(wanted.begin(), wanted.end(), w) != wanted.end()) order.push_back(w);
    return order;
}

bool Answers(HWND w, UINT timeoutMs) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

TEST(Fixture, LaterWindowsLieAboveEarlierOnes) {
    TestWindows windows;
    std::string cls = windows.NewClass();
    std::vector<HWND> a = windows.Create({cls, "a"}, 3);
    HWND b = windows.CreateOne({cls, "b", Behavior::Hidden});
    HWND c = windows.CreateOne({cls, "c", Behavior::Minimized});
    ASSERT_EQ(a.size(), 3u);
    ASSERT_TRUE(b && c);
    std::vector<HWND> expected = {c, b, a[2], a[1], a[0]};
    EXPECT_EQ(InZOrder({a[0], a[1], a[2], b, c}), expected);

    char name[256];
    GetClassNameA(a[0], name, sizeof name);
    EXPECT_EQ(std::string(name), cls);
    GetWindowTextA(b, name, sizeof name);
    EXPECT_EQ(std::string(name), "b");
}

struct BehaviorCase {
    const char* name;
    Behavior behavior;
    DWORD delayMs;
    bool visible, enabled, minimized, closes;
};

const BehaviorCase kBehaviorCases[] = {
    {"closes", Behavior::Closes, 0, true, true, false, true},
    {"ignores", Behavior::IgnoresClose, 0, true, true, false, false},
    {"hidden", Behavior::Hidden, 0, false, true, false, true},
    {"minimized", Behavior::Minimized, 0, true, true, true, true},
    {"disabled", Behavior::Disabled, 0, true, false, false, true},
    {"owner", Behavior::DisabledWithPopup, 0, true, false, false, true},
};

TEST(Fixture, BehavioursShowInStateAndOnClose) {
    TestWindows windows;
    for (const BehaviorCase& c : kBehaviorCases) {
        HWND w = windows.CreateOne({windows.NewClass(), c.name, c.behavior, c.delayMs});
        ASSERT_NE(w, nullptr) << c.name;
        EXPECT_EQ(IsWindowVisible(w) != FALSE, c.visible) << c.name;
        EXPECT_EQ(IsWindowEnabled(w) != FALSE, c.enabled) << c.name;
        EXPECT_EQ(IsIconic(w) != FALSE, c.minimized) << c.name;
        PostMessageA(w, WM_CLOSE, 0, 0);
        ASSERT_TRUE(windows.Settle()) << c.name;
        EXPECT_EQ(IsWindow(w) == FALSE, c.closes) << c.name;
    }
}

TEST(Fixture, ALateWindowGoesOnlyAfterItsDelay) {
    TestWindows windows;
    HWND w = windows.CreateOne({windows.NewClass(), "late", Behavior::ClosesLate, 300});
    ASSERT_NE(w, nullptr);
    DWORD start = GetTickCount();
    PostMessageA(w, WM_CLOSE, 0, 0);
    ASSERT_TRUE(windows.Settle());
    EXPECT_TRUE(IsWindow(w));
    EXPECT_TRUE(Answers(w, 1000)); // it keeps pumping while it waits
    EXPECT_TRUE(WaitGone(w, 5000));
    EXPECT_GE(GetTickCount() - start, 280u);
}

TEST(Fixture, AnOwnerCarriesItsCaptionedPopupAboveIt) {
    TestWindows windows;
    std::string cls = windows.NewClass();
    HWND owner = windows.CreateOne({cls, "owner", Behavior::DisabledWithPopup, 0, "the dialog"});
    ASSERT_NE(owner, nullptr);
    HWND popup = windows.PopupOf(owner);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(GetWindow(popup, GW_OWNER), owner);
    DWORD style = static_cast<DWORD>(GetWindowLongA(popup, GWL_STYLE));
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(IsWindowVisible(popup));
    EXPECT_TRUE(IsWindowEnabled(popup));
    EXPECT_FALSE(IsWindowEnabled(owner));
    char text[64];
    GetWindowTextA(popup, text, sizeof text);
    EXPECT_EQ(std::string(text), "the dialog");
    GetClassNameA(popup, text, sizeof text);
    EXPECT_EQ(std::string(text), cls + "Popup");
    std::vector<HWND> expected = {popup, owner};
    EXPECT_EQ(InZOrder({owner, popup}), expected);
}

TEST(Fixture, AHungWindowAnswersNothingUntilReleased) {
    TestWindows windows;
    HWND hung = windows.CreateOne({windows.NewClass(), "hung", Behavior::Hung, 20000});
    HWND fine = windows.CreateOne({windows.NewClass(), "fine"});
    ASSERT_TRUE(hung && fine);
    EXPECT_FALSE(Answers(hung, 100));
    EXPECT_TRUE(Answers(fine, 1000)); // only its own thread stands still
    windows.Release();
    EXPECT_TRUE(WaitFor([&] { return Answers(hung, 100); }));
}

TEST(Fixture, EverythingGoesWithTheFixture) {
    std::vector<HWND> made;
    std::string cls;
    {
        TestWindows windows;
        cls = windows.NewClass();
        made = windows.Create({cls, "x"}, 2);
        made.push_back(windows.CreateOne({cls, "y", Behavior::IgnoresClose}));
        made.push_back(windows.CreateOne({cls, "z", Behavior::Hung, 20000}));
        HWND owner = windows.CreateOne({cls, "o", Behavior::DisabledWithPopup});
        made.push_back(owner);
        made.push_back(windows.PopupOf(owner));
    }
    for (HWND w : made)
        EXPECT_FALSE(IsWindow(w));
    WNDCLASSA info;
    EXPECT_FALSE(GetClassInfoA(GetModuleHandleA(nullptr), cls.c_str(), &info));
}

TEST(Fixture, ClassNamesAreUniqueAndNameTheTest) {
    TestWindows windows;
    std::string a = windows.NewClass("k"), b = windows.NewClass("k");
    EXPECT_NE(a, b);
    EXPECT_EQ(a.find("Qx.Fixture.ClassNamesAreUniqueAndNameTheTest.k"), 0u);
}

TEST(Fixture, ExpectedReportText) {
    HWND w = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x1a2bc));
    EXPECT_EQ(Hex(w), "0x0001a2bc");
    EXPECT_EQ(ListingLine(3, 10, w, "t", "c"), "win[3]:  hWnd=0x0001a2bc text='t' class='c'\r\n");
    EXPECT_EQ(ListingLine(3, 11, w, "a\nb", "c"), "win[ 3]:  hWnd=0x0001a2bc text='a\r\nb' class='c'\r\n");
    EXPECT_EQ(WithCrLf("\na\r\nb\n"), "\r\na\r\nb\r\n");
    std::vector<HWND> listed = {w, reinterpret_cast<HWND>(static_cast<uintptr_t>(0x123456789a))};
    EXPECT_EQ(ListedWindows("x hWnd=0x0001a2bc y\r\nhWnd=0x123456789a"), listed);
}

} // namespace
