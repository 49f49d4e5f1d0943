#include "e2e.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <thread>

namespace {

std::atomic<int> gPrefixCounter{0};

HWND Make(const std::string& cls, const std::string& text, DWORD style, HWND owner, unsigned flags, int n);

LRESULT CALLBACK TestWindowProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* desc = reinterpret_cast<const WindowDesc*>(GetWindowLongPtrW(w, GWLP_USERDATA));
    unsigned flags = desc ? desc->flags : 0;
    if (message == WM_CLOSE && flags & kRecreatesOnClose)
        SetWindowLongPtrW(Make(desc->cls, desc->text, WS_OVERLAPPEDWINDOW, nullptr, 0, 0), GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(desc));
    if (message == WM_CLOSE && flags & kHangsOnClose) Sleep(desc->delayMs);
    if (message == WM_CLOSE && flags & kClosesLate) SetTimer(w, 1, desc->delayMs, nullptr);
    if (message == WM_CLOSE && flags & kHidesOnClose) ShowWindow(w, SW_HIDE);
    if (message == WM_CLOSE && flags & (kIgnoresClose | kHangsOnClose | kClosesLate | kHidesOnClose))
        return 0;
    if (message == WM_GETTEXT && flags & kVanishesWhenRead) PostMessageW(w, WM_TIMER, 0, 0);
    if (message == WM_TIMER || (message == WM_GETTEXT && flags & kGoesWhenRead)) return DestroyWindow(w), 0;
    if (message == WM_GETTEXT && flags & (kRisesWhenRead | kSinksWhenRead))
        SetWindowPos(w, flags & kSinksWhenRead ? HWND_BOTTOM : HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (message == kHangMessage) Sleep(static_cast<DWORD>(wParam));
    return DefWindowProcW(w, message, wParam, lParam);
}

// Shown without activation: a new window must not take the foreground, nor move older ones. Each
// at a place of its own: Wine restacks windows that share one.
HWND Make(const std::string& cls, const std::string& text, DWORD style, HWND owner, unsigned flags, int n) {
    HWND w = CreateWindowExW(0, Wide(cls).c_str(), Wide(text).c_str(), style, 40 + 8 * n, 40 + 8 * n, 240,
                             120, owner, nullptr, nullptr, nullptr);
    if (w && !(flags & kHidden)) ShowWindow(w, flags & kMinimized ? SW_SHOWMINNOACTIVE : SW_SHOWNA);
    if (w) SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return w;
}

} // namespace

struct WindowGroup {
    std::vector<WindowDesc> descs;
    std::vector<HWND> windows;
    std::thread thread;
    DWORD threadId = 0;
    std::atomic<bool> ready{false};

    // The windows go with the thread, when it ends.
    void Run(HANDLE release) {
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE); // the queue exists before anyone posts
        threadId = GetCurrentThreadId();
        DWORD hangMs = 0;
        for (const WindowDesc& d : descs) {
            int n = static_cast<int>(windows.size());
            HWND w = Make(d.cls, d.text, WS_OVERLAPPEDWINDOW | (d.flags & kDisabled ? WS_DISABLED : 0u),
                          nullptr, d.flags, n);
            if (w && GetClassLongPtrW(w, GCLP_WNDPROC) == reinterpret_cast<ULONG_PTR>(TestWindowProc))
                SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&d));
            if (w && d.flags & kWithChild)
                CreateWindowExW(0, Wide(d.cls).c_str(), Wide(d.text).c_str(), WS_CHILD | WS_VISIBLE, 0, 0, 20,
                                20, w, nullptr, nullptr, nullptr);
            if (w && d.flags & (kDialog | kHiddenDialog | kBarePopup))
                Make(d.cls + "Popup", "Popup", WS_POPUP | (d.flags & kBarePopup ? 0 : WS_CAPTION), w,
                     d.flags & kHiddenDialog ? kHidden : 0u, n);
            windows.push_back(w);
            if (d.flags & kHung && d.delayMs > hangMs) hangMs = d.delayMs;
        }
        ready = true;
        if (hangMs) WaitForSingleObject(release, hangMs);
        while (GetMessageW(&msg, nullptr, 0, 0) > 0)
            DispatchMessageW(&msg);
    }
};

TestWindows::TestWindows() : release_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    prefix = "Qx." + std::string(info->test_suite_name()) + "." + info->name() + "." +
             std::to_string(++gPrefixCounter);
}

TestWindows::~TestWindows() {
    SetEvent(release_);
    for (auto& g : groups_) {
        PostThreadMessageW(g->threadId, WM_QUIT, 0, 0);
        g->thread.join();
    }
    CloseHandle(release_);
}

std::string TestWindows::Sub(std::string s) const {
    for (size_t at = s.find('$'); at != std::string::npos; at = s.find('$', at + prefix.size()))
        s.replace(at, 1, prefix);
    return s;
}

std::vector<HWND> TestWindows::Create(const std::vector<WindowDesc>& descs) {
    groups_.emplace_back(new WindowGroup);
    WindowGroup* g = groups_.back().get();
    for (WindowDesc d : descs) {
        d.cls = Sub(d.cls);
        d.text = Sub(d.text);
        // A class the system already has (such as "IME") keeps its own procedure.
        for (const std::wstring& cls : {Wide(d.cls), Wide(d.cls + "Popup")}) {
            WNDCLASSW wc = {};
            wc.lpfnWndProc = TestWindowProc;
            wc.lpszClassName = cls.c_str();
            RegisterClassW(&wc);
        }
        g->descs.push_back(d);
    }
    g->thread = std::thread([g, this] { g->Run(release_); });
    while (!g->ready)
        Sleep(1);
    for (HWND w : g->windows)
        if (!w) return {};
    return g->windows;
}

std::vector<WindowDesc> Titles(const std::string& cls, const std::vector<std::string>& titles, unsigned flags,
                               DWORD delayMs) {
    std::vector<WindowDesc> descs;
    for (const std::string& title : titles)
        descs.push_back({cls, title, flags, delayMs});
    return descs;
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    for (DWORD start = GetTickCount(); !condition(); Sleep(5))
        if (GetTickCount() - start > timeoutMs) return false;
    return true;
}

bool WaitGone(HWND w, DWORD timeoutMs) {
    return WaitFor([w] { return !IsWindow(w); }, timeoutMs);
}

bool MakeForeground(HWND w) {
    return WaitFor([&] {
        SetForegroundWindow(w);
        return GetForegroundWindow() == w;
    });
}

std::string Hex(HWND w) {
    char hex[24];
    snprintf(hex, sizeof hex, "0x%08llx",
             static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(w)));
    return hex;
}

std::string ListingLine(int j, int found, HWND w, const std::string& text, const std::string& cls) {
    std::string index = (found > 10 && j < 10 ? " " : "") + std::to_string(j), out;
    std::string line = "win[" + index + "]:  hWnd=" + Hex(w) + " text='" + text + "' class='" + cls + "'\n";
    for (size_t i = 0; i < line.size(); ++i)
        out += line[i] == '\n' && (i == 0 || line[i - 1] != '\r') ? "\r\n" : line.substr(i, 1);
    return out;
}

std::string SettingsLine(int activate, int wait, int count) {
    return "activate=" + std::to_string(activate) + " wait=" + std::to_string(wait) +
           " count=" + std::to_string(count) + "\r\n";
}

std::string FoundLine(int found) {
    return "found " + std::to_string(found) + " windows to close\r\n";
}

std::string SummaryLine(int closed, int found, int activated) {
    return std::to_string(closed) + " of " + std::to_string(found) + (found == 1 ? " window" : " windows") +
           " closed" + (activated ? " " + std::to_string(activated) + " activated" : "") + "\r\n";
}
