#include "fixture.h"
#include "process.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <iomanip>
#include <sstream>
#include <thread>

namespace {

const UINT kSyncMessage = WM_APP + 1; // thread message: answer through the group's event
const UINT kQuitMessage = WM_APP + 2; // thread message: destroy the group's windows and end
const UINT_PTR kCloseTimer = 1;

std::atomic<int> gClassCounter{0};

struct WindowState {
    Behavior behavior;
    DWORD delayMs;
    bool ignoresClose;
};

LRESULT CALLBACK TestWindowProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<WindowState*>(GetWindowLongPtrA(w, GWLP_USERDATA));
    if (state && message == WM_CLOSE && state->ignoresClose) return 0;
    if (state && message == WM_CLOSE) {
        switch (state->behavior) {
        case Behavior::IgnoresClose:
            return 0;
        case Behavior::ClosesLate:
            SetTimer(w, kCloseTimer, state->delayMs, nullptr);
            return 0;
        default:
            break;
        }
    }
    if (state && message == WM_TIMER && wParam == kCloseTimer) {
        KillTimer(w, kCloseTimer);
        DestroyWindow(w);
        return 0;
    }
    return DefWindowProcW(w, message, wParam, lParam);
}

DWORD StyleFor(Behavior b) {
    DWORD style = WS_OVERLAPPEDWINDOW;
    if (b == Behavior::Disabled || b == Behavior::DisabledWithPopup) style |= WS_DISABLED;
    return style;
}

// Shown without activation: a new window must not take the foreground, nor move older ones.
void ShowAndRaise(HWND w, Behavior b) {
    if (b == Behavior::Minimized || b == Behavior::HungMinimized)
        ShowWindow(w, SW_SHOWMINNOACTIVE);
    else if (b != Behavior::Hidden)
        ShowWindow(w, SW_SHOWNA);
    SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

} // namespace

struct WindowGroup {
    std::vector<WindowDesc> descs;
    std::vector<bool> ownProc; // whether the class is ours (a system class keeps its own behaviour)
    std::vector<HWND> windows;
    std::vector<HWND> popups; // one per window, nullptr for all but DisabledWithPopup
    std::vector<std::unique_ptr<WindowState>> states;
    std::thread thread;
    DWORD threadId = 0;
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE synced = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HANDLE release = nullptr;

    ~WindowGroup() {
        CloseHandle(ready);
        CloseHandle(synced);
    }

    HWND Make(const std::string& cls, const std::string& text, DWORD style, HWND owner, bool ours, Behavior b,
              DWORD delayMs, bool ignoresClose = false) {
        int n = static_cast<int>(windows.size());
        HWND w = CreateWindowExW(0, Wide(cls).c_str(), Wide(text).c_str(), style, 40 + 8 * n, 40 + 8 * n, 240,
                                 120, owner, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (!w) return nullptr;
        if (ours) {
            states.push_back(std::unique_ptr<WindowState>(new WindowState{b, delayMs, ignoresClose}));
            SetWindowLongPtrA(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(states.back().get()));
        }
        ShowAndRaise(w, b);
        return w;
    }

    void Run() {
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE); // the queue exists before anyone posts
        threadId = GetCurrentThreadId();
        DWORD hangMs = 0;
        for (size_t i = 0; i < descs.size(); ++i) {
            const WindowDesc& s = descs[i];
            HWND w = Make(s.cls, s.text, StyleFor(s.behavior), nullptr, ownProc[i], s.behavior, s.delayMs,
                          s.ignoresClose);
            HWND popup = nullptr;
            if (w && s.behavior == Behavior::DisabledWithPopup)
                popup =
                    Make(s.cls + "Popup", s.popupText, WS_POPUP | WS_CAPTION, w, true, Behavior::Closes, 0);
            windows.push_back(w);
            popups.push_back(popup);
            if ((s.behavior == Behavior::Hung || s.behavior == Behavior::HungMinimized) && s.delayMs > hangMs)
                hangMs = s.delayMs;
        }
        SetEvent(ready);
        if (hangMs) WaitForSingleObject(release, hangMs);
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (!msg.hwnd && msg.message == kSyncMessage) {
                SetEvent(synced);
            } else if (!msg.hwnd && msg.message == kQuitMessage) {
                for (HWND w : windows)
                    if (w && IsWindow(w)) DestroyWindow(w);
                PostQuitMessage(0);
            } else {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
    }
};

TestWindows::TestWindows() : release_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    prefix_ = "Qx.";
    if (info) prefix_ += std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : prefix_)
        if (c == '/') c = '_';
}

TestWindows::~TestWindows() {
    SetEvent(release_);
    for (auto& g : groups_) {
        PostThreadMessageA(g->threadId, kQuitMessage, 0, 0);
        g->thread.join();
    }
    groups_.clear();
    for (const std::string& cls : registered_)
        UnregisterClassA(cls.c_str(), GetModuleHandleA(nullptr));
    CloseHandle(release_);
}

std::string TestWindows::NewClass(const std::string& tag) {
    return prefix_ + "." + tag + std::to_string(++gClassCounter);
}

void TestWindows::Register(const std::string& cls) {
    for (const std::string& r : registered_)
        if (r == cls) return;
    // Unicode windows: they keep every title exactly.
    std::wstring name = Wide(cls);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = TestWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = name.c_str();
    // A class the system already has (such as "IME") cannot be ours; its windows are still made.
    if (RegisterClassW(&wc)) registered_.push_back(cls);
}

std::vector<HWND> TestWindows::CreateGroup(const std::vector<WindowDesc>& descs) {
    std::unique_ptr<WindowGroup> g(new WindowGroup);
    g->descs = descs;
    g->release = release_;
    for (const WindowDesc& s : descs) {
        Register(s.cls);
        if (s.behavior == Behavior::DisabledWithPopup) Register(s.cls + "Popup");
        bool ours = false;
        for (const std::string& r : registered_)
            ours = ours || r == s.cls;
        g->ownProc.push_back(ours);
    }
    WindowGroup* raw = g.get();
    g->thread = std::thread([raw] { raw->Run(); });
    WaitForSingleObject(g->ready, INFINITE);
    std::vector<HWND> result = g->windows;
    groups_.push_back(std::move(g));
    for (HWND w : result)
        if (!w) return {};
    return result;
}

std::vector<HWND> TestWindows::Create(const WindowDesc& desc, int count) {
    return CreateGroup(std::vector<WindowDesc>(static_cast<size_t>(count), desc));
}

HWND TestWindows::CreateOne(const WindowDesc& desc) {
    std::vector<HWND> w = Create(desc, 1);
    return w.empty() ? nullptr : w[0];
}

HWND TestWindows::PopupOf(HWND owner) const {
    for (const auto& g : groups_)
        for (size_t i = 0; i < g->windows.size(); ++i)
            if (g->windows[i] == owner) return g->popups[i];
    return nullptr;
}

bool TestWindows::Settle(DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (auto& g : groups_) {
        PostThreadMessageA(g->threadId, kSyncMessage, 0, 0);
        DWORD spent = GetTickCount() - start;
        if (spent >= timeoutMs || WaitForSingleObject(g->synced, timeoutMs - spent) != WAIT_OBJECT_0)
            return false;
    }
    return true;
}

void TestWindows::Release() {
    SetEvent(release_);
}

bool WaitGone(HWND w, DWORD timeoutMs) {
    return WaitFor([w] { return !IsWindow(w); }, timeoutMs);
}

std::string Hex(HWND w) {
    std::ostringstream s;
    s << "0x" << std::hex << std::setw(8) << std::setfill('0') << reinterpret_cast<std::uintptr_t>(w);
    return s.str();
}

std::string WithCrLf(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

std::string ListingLine(int j, int found, HWND w, const std::string& text, const std::string& cls) {
    std::string index = std::to_string(j);
    if (found > 10 && index.size() < 2) index = " " + index;
    return WithCrLf("win[" + index + "]:  hWnd=" + Hex(w) + " text='" + text + "' class='" + cls + "'\n");
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

std::vector<HWND> ListedWindows(const std::string& output) {
    std::vector<HWND> result;
    const std::string key = "hWnd=0x";
    for (size_t at = output.find(key); at != std::string::npos; at = output.find(key, at + 1)) {
        unsigned long long value = std::strtoull(output.c_str() + at + key.size(), nullptr, 16);
        result.push_back(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(value)));
    }
    return result;
}
