// Figures for `make bench`: starts quellix.exe and its baselines as child processes, times each
// from CreateProcess until its handle is signalled, and owns the windows they work on.
// Usage: bench_host [start-rounds list-rounds close-runs]; prints key=value lines (times in ms).
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

const int kListWindows = 500;
const int kCloseWindows = 20;
const int kWatchWindows = 60;
const int kWarmupRounds = 3;
const char kWindowText[] = "QuellixBenchWindow";
const int kMaxEvents = 4096;
const DWORD kSettleMs = 300; // others ask new visible windows for their text: let that pass first

double gTicksPerMs;
std::string gBinDir;

double NowMs() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / gTicksPerMs;
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// When our windows get the request of interest (gEventMessage): where a child spends its time.
// Visible windows get text requests from others too, so only one kind is counted per phase.
std::atomic<UINT> gEventMessage;
std::atomic<int> gEventCount;
double gEventAt[kMaxEvents];

LRESULT CALLBACK BenchWindowProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == gEventMessage) {
        int i = gEventCount++;
        if (i < kMaxEvents) gEventAt[i] = NowMs();
    }
    return DefWindowProcA(w, message, wParam, lParam); // WM_CLOSE destroys the window at once
}

struct Run {
    double ms = 0;
    DWORD exitCode = 0;
    std::string output;
    std::vector<double> events; // ms after the start
};

struct Drain {
    HANDLE pipe;
    std::string* bytes;
};

DWORD WINAPI DrainPipe(void* param) {
    Drain* drain = static_cast<Drain*>(param);
    char buf[8192];
    DWORD got = 0;
    while (ReadFile(drain->pipe, buf, sizeof buf, &got, nullptr) && got > 0)
        drain->bytes->append(buf, got);
    return 0;
}

// Standard output and error go to a pipe drained by a thread of ours, so no write ever blocks.
Run RunChild(const std::string& exe, const std::string& args) {
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &sa, 1 << 16)) {
        std::fprintf(stderr, "bench_host: CreatePipe failed\n");
        std::exit(2);
    }
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    Run run;
    Drain drain = {readEnd, &run.output};
    HANDLE reader = CreateThread(nullptr, 0, DrainPipe, &drain, 0, nullptr);

    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = writeEnd;
    si.hStdError = writeEnd;
    std::string line = "\"" + gBinDir + exe + "\" " + args;
    PROCESS_INFORMATION pi = {};
    gEventCount = 0;
    // Wine can fail a start for reasons of its own on a busy machine: a few tries, each timed anew.
    double start = 0;
    BOOL ok = FALSE;
    for (int attempt = 0; attempt < 5 && !ok; ++attempt) {
        if (attempt) Sleep(200);
        start = NowMs();
        ok = CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    }
    DWORD error = GetLastError();
    CloseHandle(writeEnd);
    if (!ok) {
        std::fprintf(stderr, "bench_host: cannot start %s: error %lu\n", line.c_str(), error);
        std::exit(2);
    }
    if (WaitForSingleObject(pi.hProcess, 60000) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "bench_host: %s did not end\n", line.c_str());
        TerminateProcess(pi.hProcess, 99);
        std::exit(2);
    }
    run.ms = NowMs() - start;
    int events = std::min(gEventCount.load(), kMaxEvents);
    for (int i = 0; i < events; ++i)
        run.events.push_back(gEventAt[i] - start);
    GetExitCodeProcess(pi.hProcess, &run.exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    // A process that inherited the write end and outlives the child would keep the pipe open.
    if (WaitForSingleObject(reader, 10000) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "bench_host: the output pipe of %s stays open\n", line.c_str());
        std::fflush(stdout);
        ExitProcess(2);
    }
    CloseHandle(reader);
    CloseHandle(readEnd);
    return run;
}

int CountLines(const std::string& s, const char* prefix) {
    int n = 0;
    for (size_t at = 0; at < s.size();) {
        if (s.compare(at, std::char_traits<char>::length(prefix), prefix) == 0) ++n;
        size_t end = s.find('\n', at);
        if (end == std::string::npos) break;
        at = end + 1;
    }
    return n;
}

// kShort: a listing that missed windows whose text did not come within the walk's time-out, as
// happens when this machine is busy. Such a run is counted and repeated, not timed.
enum Verdict { kGood, kShort, kBad };
const int kMaxRepeats = 5;

struct Job {
    const char* key;
    const char* exe;
    std::string args;
    std::function<Verdict(const Run&)> check;
    std::vector<Run> runs;
    int shortRuns;
};

// Rounds of one run per job, the order rotated every round, after unrecorded warm-up rounds.
void TimeRounds(int rounds, std::vector<Job>* jobs) {
    int n = static_cast<int>(jobs->size());
    for (int round = -kWarmupRounds; round < rounds; ++round) {
        for (int k = 0; k < n; ++k) {
            Job& job = (*jobs)[static_cast<size_t>(((round + k) % n + n) % n)];
            for (int repeat = 0;; ++repeat) {
                Run run = RunChild(job.exe, job.args);
                Verdict verdict = job.check(run);
                if (verdict == kShort && repeat < kMaxRepeats) {
                    ++job.shortRuns;
                    continue;
                }
                if (verdict != kGood) {
                    std::fprintf(
                        stderr,
                        "bench_host: unexpected result of %s %s (exit code %lu, %zu requests):\n%.600s\n",
                        job.exe, job.args.c_str(), run.exitCode, run.events.size(), run.output.c_str());
                    std::exit(3);
                }
                run.output.clear();
                if (round >= 0) job.runs.push_back(run);
                break;
            }
        }
    }
}

double MedianOf(const Job& job, const std::function<double(const Run&)>& f) {
    std::vector<double> v;
    for (const Run& r : job.runs)
        v.push_back(f(r));
    return Median(v);
}

void Print(const std::string& key, double value) {
    std::printf("%s=%.3f\n", key.c_str(), value);
}

void Report(const Job& job) {
    std::string key = job.key;
    Print(key, MedianOf(job, [](const Run& r) { return r.ms; }));
    std::vector<double> v;
    for (const Run& r : job.runs)
        v.push_back(r.ms);
    Print(key + "_min", *std::min_element(v.begin(), v.end()));
    Print(key + "_max", *std::max_element(v.begin(), v.end()));
    std::printf("%s_n=%zu\n%s_short=%d\n", key.c_str(), v.size(), key.c_str(), job.shortRuns);
}

// The median of the ratios of runs made in the same round: steadier while others load the machine.
double PairedRatio(const Job& a, const Job& b) {
    std::vector<double> v;
    for (size_t i = 0; i < a.runs.size() && i < b.runs.size(); ++i)
        v.push_back(a.runs[i].ms / b.runs[i].ms);
    return Median(v);
}

// Phases of a listing, from the text requests: before the first, the matching walk (only when a
// text pattern asks for each text), the listing, and after the last.
void ReportListPhases(const Job& job, int windows) {
    std::string key = job.key;
    size_t n = static_cast<size_t>(windows);
    bool twoPasses = job.runs[0].events.size() == 2 * n;
    size_t list = twoPasses ? n : 0;
    Print(key + "_first", MedianOf(job, [](const Run& r) { return r.events.front(); }));
    if (twoPasses)
        Print(key + "_match", MedianOf(job, [n](const Run& r) { return r.events[n - 1] - r.events[0]; }));
    Print(key + "_list",
          MedianOf(job, [list, n](const Run& r) { return r.events[list + n - 1] - r.events[list]; }));
    Print(key + "_tail", MedianOf(job, [](const Run& r) { return r.ms - r.events.back(); }));
}

// Windows of one class on a thread of their own that pumps messages, as an application's would.
struct WindowThread {
    std::thread thread;
    DWORD id = 0;
    HANDLE ready = nullptr;
};

void StartWindows(WindowThread* t, const char* className, int count, bool visible) {
    t->ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    t->thread = std::thread([t, className, count, visible] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = BenchWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = className;
        RegisterClassA(&wc); // already registered on a later round: that is fine
        std::vector<HWND> windows;
        DWORD style = WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0);
        for (int i = 0; i < count; ++i)
            windows.push_back(CreateWindowExA(0, className, kWindowText, style, 10 + i % 50, 10 + i % 50, 200,
                                              100, nullptr, nullptr, wc.hInstance, nullptr));
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE); // the queue exists before anyone posts to it
        t->id = GetCurrentThreadId();
        SetEvent(t->ready);
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        for (HWND w : windows)
            if (IsWindow(w)) DestroyWindow(w);
    });
    WaitForSingleObject(t->ready, INFINITE);
}

void StopWindows(WindowThread* t) {
    PostThreadMessageA(t->id, WM_QUIT, 0, 0);
    t->thread.join();
    CloseHandle(t->ready);
}

int CountWindows(const char* className) {
    int n = 0;
    for (HWND w = FindWindowExA(nullptr, nullptr, className, nullptr); w;
         w = FindWindowExA(nullptr, w, className, nullptr))
        ++n;
    return n;
}

std::vector<double> TimeSleeps(DWORD ms, int n) {
    std::vector<double> v;
    for (int i = 0; i < n; ++i) {
        double start = NowMs();
        Sleep(ms);
        v.push_back(NowMs() - start);
    }
    return v;
}

double Percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[std::min(v.size() - 1, static_cast<size_t>(p * static_cast<double>(v.size())))];
}

// A watch's reaction: windows appear one at a time, on this thread, while quellix.exe watches; each
// is timed from its creation until its close request arrives.
std::vector<double> TimeWatchReactions(const std::string& className, int windows) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = BenchWindowProc;
    wc.lpszClassName = className.c_str();
    RegisterClassA(&wc);
    Run run;
    std::thread child([&] {
        run = RunChild("quellix.exe",
                       "-watch=120000 -count=" + std::to_string(windows) + " -class=" + className);
    });
    Sleep(1500); // the watch has begun
    std::vector<double> created;
    srand(7);
    for (int i = 0; i < windows; ++i) {
        created.push_back(NowMs());
        HWND w = CreateWindowExA(0, className.c_str(), kWindowText, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                                 200, 100, nullptr, nullptr, nullptr, nullptr);
        for (double until = NowMs() + 3000; IsWindow(w) && NowMs() < until;) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
        }
        Sleep(static_cast<DWORD>(60 + rand() % 100));
    }
    child.join();
    std::vector<double> reactions; // the request times are this program's clock, as the creations
    for (size_t i = 0; i < created.size() && i < run.events.size(); ++i)
        reactions.push_back(gEventAt[i] - created[i]);
    if (run.exitCode != 0 || run.events.size() != created.size()) {
        std::fprintf(stderr, "bench_host: the watch closed %zu of %zu windows (exit code %lu):\n%s\n",
                     run.events.size(), created.size(), run.exitCode, run.output.c_str());
        std::exit(3);
    }
    return reactions;
}

} // namespace

int main(int argc, char** argv) {
    int startRounds = argc > 1 ? std::atoi(argv[1]) : 50;
    int listRounds = argc > 2 ? std::atoi(argv[2]) : 20;
    int closeRuns = argc > 3 ? std::atoi(argv[3]) : 15;
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    gTicksPerMs = static_cast<double>(f.QuadPart) / 1000.0;
    char self[MAX_PATH];
    std::string path(self, GetModuleFileNameA(nullptr, self, MAX_PATH));
    gBinDir = path.substr(0, path.find_last_of("\\/") + 1);
    std::string unique = std::to_string(GetCurrentProcessId());
    // Wine starts its desktop process for the first program that asks for a window; started by
    // a child, it would inherit (and keep open) that child's output pipe.
    GetDesktopWindow();

    // Start-up, before any window of ours exists: the walk sees only the system's windows.
    auto exitsZero = [](const Run& r) { return r.exitCode == 0 ? kGood : kBad; };
    std::vector<Job> start = {
        {"start_quellix",
         "quellix.exe",
         "-class=NoSuchClass_bench",
         [](const Run& r) {
             return r.exitCode == 0 && r.output.find("0 of 0 windows closed") == 0 ? kGood : kBad;
         },
         {},
         0},
        {"start_exit", "bench_exit.exe", "", exitsZero, {}, 0},
        {"start_exit_rsrc", "bench_exit_rsrc.exe", "", exitsZero, {}, 0},
        {"start_user32", "bench_step1.exe", "", exitsZero, {}, 0},
        {"start_desktop", "bench_step2.exe", "", exitsZero, {}, 0},
        {"start_walk", "bench_step3.exe", "", exitsZero, {}, 0},
        {"start_shlwapi", "bench_step4.exe", "", exitsZero, {}, 0},
    };
    TimeRounds(startRounds, &start);
    for (const Job& job : start)
        Report(job);

    std::string listClass = "QuellixBenchList_" + unique;
    WindowThread listing;
    StartWindows(&listing, listClass.c_str(), kListWindows, false);
    std::printf("list_windows=%d\n", CountWindows(listClass.c_str()));
    std::string byClass = "-class=" + listClass;
    std::string byBoth = byClass + " -text=" + kWindowText;
    // A listing's lines: "win[" in the text report, one window object a line in the JSON document.
    auto listed = [](size_t requests, const char* line = "win[") {
        return [requests, line](const Run& r) {
            int lines = CountLines(r.output, line);
            if (r.exitCode == 0 && lines < kListWindows) return kShort;
            return r.exitCode == 0 && lines == kListWindows && r.events.size() == requests ? kGood : kBad;
        };
    };
    size_t windows = static_cast<size_t>(kListWindows);
    std::vector<Job> list = {
        {"list_quellix", "quellix.exe", byClass + " -t", listed(windows), {}, 0},
        {"list_loop", "bench_list.exe", byClass, listed(windows), {}, 0},
        {"listtext_quellix", "quellix.exe", byBoth + " -t", listed(2 * windows), {}, 0},
        {"listtext_loop", "bench_list.exe", byBoth, listed(windows), {}, 0},
        {"listjson_quellix", "quellix.exe", byClass + " -t -json", listed(windows, "{\"handle\":"), {}, 0},
    };
    gEventMessage = WM_GETTEXT;
    TimeRounds(listRounds, &list);
    StopWindows(&listing);
    for (const Job& job : list) {
        Report(job);
        ReportListPhases(job, kListWindows);
    }
    Print("list_paired", PairedRatio(list[0], list[1]));
    Print("listtext_paired", PairedRatio(list[2], list[3]));
    Print("listjson_paired", PairedRatio(list[4], list[0]));

    Print("sleep10", Median(TimeSleeps(10, 30)));
    Print("sleep30", Median(TimeSleeps(30, 30)));

    std::string closeClass = "QuellixBenchClose_" + unique;
    Job close = {"close_quellix",
                 "quellix.exe",
                 "-class=" + closeClass + " -count=" + std::to_string(kCloseWindows),
                 nullptr,
                 {},
                 0};
    gEventMessage = WM_CLOSE;
    for (int i = -1; i < closeRuns; ++i) {
        WindowThread closing;
        StartWindows(&closing, closeClass.c_str(), kCloseWindows, true);
        Sleep(kSettleMs);
        Run run = RunChild(close.exe, close.args);
        int left = CountWindows(closeClass.c_str());
        StopWindows(&closing);
        if (run.exitCode != 0 || left != 0 || run.output.find("20 of 20 windows closed") != 0 ||
            run.events.size() != static_cast<size_t>(kCloseWindows)) {
            std::fprintf(stderr, "bench_host: the close run left %d windows (exit code %lu):\n%s\n", left,
                         run.exitCode, run.output.c_str());
            return 3;
        }
        if (i >= 0) close.runs.push_back(run);
    }
    Report(close);
    Print("close_quellix_first", MedianOf(close, [](const Run& r) { return r.events.front(); }));
    Print("close_quellix_step", MedianOf(close, [](const Run& r) {
              std::vector<double> steps;
              for (size_t i = 1; i < r.events.size(); ++i)
                  steps.push_back(r.events[i] - r.events[i - 1]);
              return Median(steps);
          }));
    Print("close_quellix_tail", MedianOf(close, [](const Run& r) { return r.ms - r.events.back(); }));
    std::printf("close_windows=%d\n", kCloseWindows);

    gEventMessage = WM_CLOSE;
    std::vector<double> reactions = TimeWatchReactions("QuellixBenchWatch_" + unique, kWatchWindows);
    Print("watch_react_p50", Percentile(reactions, 0.5));
    Print("watch_react_p95", Percentile(reactions, 0.95));
    Print("watch_react_max", Percentile(reactions, 1));
    std::printf("watch_react_n=%zu\n", reactions.size());

    return 0;
}
