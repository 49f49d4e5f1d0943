#include "e2e.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <iomanip>
#include <sstream>
#include <thread>

namespace {

const UINT kQuitMessage = WM_APP + 2; // thread message: destroy the group's windows and end
const UINT_PTR kCloseTimer = 1;

std::atomic<int> gPrefixCounter{0};

LRESULT CALLBACK TestWindowProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* desc = reinterpret_cast<const WindowDesc*>(GetWindowLongPtrW(w, GWLP_USERDATA));
    if (desc && message == WM_CLOSE && desc->flags & kHangsOnClose) Sleep(desc->delayMs);
    if (desc && message == WM_CLOSE && desc->flags & (kIgnoresClose | kHangsOnClose)) return 0;
    if (desc && message == WM_CLOSE && desc->flags & kClosesLate) {
        SetTimer(w, kCloseTimer, desc->delayMs, nullptr);
        return 0;
    }
    if (message == WM_TIMER && wParam == kCloseTimer) {
        DestroyWindow(w);
        return 0;
    }
    return DefWindowProcW(w, message, wParam, lParam);
}

} // namespace

struct WindowGroup {
    std::vector<WindowDesc> descs;
    std::vector<HWND> windows;
    std::thread thread;
    DWORD threadId = 0;
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = nullptr;

    ~WindowGroup() { CloseHandle(ready); }

    // Shown without activation: a new window must not take the foreground, nor move older ones.
    HWND Make(const std::string& cls, const std::string& text, DWORD style, HWND owner, unsigned flags) {
        int n = static_cast<int>(windows.size());
        HWND w = CreateWindowExW(0, Wide(cls).c_str(), Wide(text).c_str(), style, 40 + 8 * n, 40 + 8 * n, 240,
                                 120, owner, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (w && !(flags & kHidden)) ShowWindow(w, flags & kMinimized ? SW_SHOWMINNOACTIVE : SW_SHOWNA);
        if (w) SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return w;
    }

    void RunQuellix() {
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE); // the queue exists before anyone posts
        threadId = GetCurrentThreadId();
        DWORD hangMs = 0;
        for (const WindowDesc& d : descs) {
            DWORD style = WS_OVERLAPPEDWINDOW | (d.flags & kDisabled ? WS_DISABLED : 0u);
            HWND w = Make(d.cls, d.text, style, nullptr, d.flags);
            if (w && GetClassLongPtrW(w, GCLP_WNDPROC) == reinterpret_cast<ULONG_PTR>(TestWindowProc))
                SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&d));
            if (w && d.flags & (kDialog | kHiddenDialog))
                Make(d.cls + "Popup", "Popup", WS_POPUP | WS_CAPTION, w, d.flags & kDialog ? 0u : kHidden);
            windows.push_back(w);
            if (d.flags & kHung && d.delayMs > hangMs) hangMs = d.delayMs;
        }
        SetEvent(ready);
        if (hangMs) WaitForSingleObject(release, hangMs);
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (!msg.hwnd && msg.message == kQuitMessage) {
                for (HWND w : windows)
                    if (w && IsWindow(w)) DestroyWindow(w);
                PostQuitMessage(0);
            } else {
                DispatchMessageW(&msg);
            }
        }
    }
};

TestWindows::TestWindows() : release_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    prefix = "Qx.";
    if (info) prefix += std::string(info->test_suite_name()) + "." + info->name() + ".";
    prefix += std::to_string(++gPrefixCounter);
    for (char& c : prefix)
        if (c == '/') c = '_';
}

TestWindows::~TestWindows() {
    SetEvent(release_);
    for (auto& g : groups_) {
        PostThreadMessageA(g->threadId, kQuitMessage, 0, 0);
        g->thread.join();
    }
    for (const std::string& cls : registered_)
        UnregisterClassW(Wide(cls).c_str(), GetModuleHandleA(nullptr));
    CloseHandle(release_);
}

std::string TestWindows::Sub(std::string s) const {
    for (size_t at = s.find('$'); at != std::string::npos; at = s.find('$', at + prefix.size()))
        s.replace(at, 1, prefix);
    return s;
}

std::vector<HWND> TestWindows::Create(const std::vector<WindowDesc>& descs) {
    std::unique_ptr<WindowGroup> g(new WindowGroup);
    g->release = release_;
    for (WindowDesc d : descs) {
        d.cls = Sub(d.cls);
        d.text = Sub(d.text);
        for (const std::string& cls : {d.cls, d.cls + "Popup"}) {
            WNDCLASSW wc = {};
            std::wstring name = Wide(cls);
            wc.lpfnWndProc = TestWindowProc;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.lpszClassName = name.c_str();
            // A class the system already has (such as "IME") keeps its own procedure.
            if (RegisterClassW(&wc)) registered_.push_back(cls);
        }
        g->descs.push_back(d);
    }
    WindowGroup* raw = g.get();
    g->thread = std::thread([raw] { raw->RunQuellix(); });
    WaitForSingleObject(g->ready, INFINITE);
    std::vector<HWND> result = g->windows;
    groups_.push_back(std::move(g));
    for (HWND w : result)
        if (!w) return {};
    return result;
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    for (DWORD start = GetTickCount(); !condition(); Sleep(5))
        if (GetTickCount() - start > timeoutMs) return false;
    return true;
}

bool WaitGone(HWND w, DWORD timeoutMs) {
    return WaitFor([w] { return !IsWindow(w); }, timeoutMs);
}

std::string Hex(HWND w) {
    std::ostringstream s;
    s << "0x" << std::hex << std::setw(8) << std::setfill('0') << reinterpret_cast<std::uintptr_t>(w);
    return s.str();
}

std::string ListingLine(int j, int found, HWND w, const std::string& text, const std::string& cls) {
    std::string index = std::to_string(j);
    if (found > 10 && index.size() < 2) index = " " + index;
    std::string line = "win[" + index + "]:  hWnd=" + Hex(w) + " text='" + text + "' class='" + cls + "'\n",
                out;
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

std::string SummaryLine(int closed, int found) {
    return std::to_string(closed) + " of " + std::to_string(found) + (found == 1 ? " window" : " windows") +
           " closed\r\n";
}
