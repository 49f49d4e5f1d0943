#include "e2e.h"

#include <mutex>
#include <thread>

std::string ProgramPath(const std::string& name) {
    char self[MAX_PATH];
    std::string path(self, GetModuleFileNameA(nullptr, self, MAX_PATH));
    return path.substr(0, path.find_last_of("\\/") + 1) + name;
}

std::wstring Wide(const std::string& utf8) {
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &out[0], n);
    return out;
}

namespace {
// Wine can fail a start for reasons of its own on a busy machine: try a few times.
bool StartProcess(std::wstring line, bool inheritHandles, STARTUPINFOW* si, PROCESS_INFORMATION* pi) {
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (attempt) Sleep(200);
        if (CreateProcessW(nullptr, &line[0], nullptr, nullptr, inheritHandles, 0, nullptr, nullptr, si, pi))
            return true;
    }
    return false;
}

// Ends the process if it still runs, by its handle.
void End(const PROCESS_INFORMATION& pi) {
    TerminateProcess(pi.hProcess, 99);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

// A pipe whose write end the child inherits; a thread drains the read end into `bytes` until
// the child's end closes.
struct Drain {
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    std::thread reader;
    std::mutex lock;
    std::string* bytes;
    explicit Drain(std::string* to) : bytes(to) {
        SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
        if (!CreatePipe(&readEnd, &writeEnd, &sa, 0)) return;
        SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
        reader = std::thread([this] {
            char buf[4096];
            DWORD got = 0;
            while (ReadFile(readEnd, buf, sizeof buf, &got, nullptr) && got > 0) {
                std::lock_guard<std::mutex> hold(lock);
                bytes->append(buf, got);
            }
        });
    }
    std::string SoFar() {
        std::lock_guard<std::mutex> hold(lock);
        return *bytes;
    }
    ~Drain() {
        if (writeEnd) CloseHandle(writeEnd);
        if (reader.joinable()) reader.join();
        if (readEnd) CloseHandle(readEnd);
    }
};

// Fills `r` from the child's run; the error of its start, 0 when it started.
DWORD RunChild(const std::string& args, const RunOptions& options, RunResult* r) {
    Drain out(&r->output), err(&r->errors);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = options.noStdout ? nullptr : out.writeEnd;
    si.hStdError = err.writeEnd;
    si.lpDesktop = const_cast<wchar_t*>(options.desktop);
    PROCESS_INFORMATION pi = {};
    // Wine starts its desktop process for the first program that asks for a window; started by the
    // child, it would inherit (and keep open) the child's output pipes.
    GetDesktopWindow();
    if (!StartProcess(Wide("\"" + ProgramPath(options.exe) + "\" " + args), true, &si, &pi))
        return GetLastError();
    CloseHandle(out.writeEnd); // the readers end when the child's ends close
    CloseHandle(err.writeEnd);
    out.writeEnd = err.writeEnd = nullptr;
    if (options.meanwhile) options.meanwhile([&out] { return out.SoFar(); });
    DWORD code = 0;
    if (WaitForSingleObject(pi.hProcess, options.timeoutMs) == WAIT_OBJECT_0 &&
        GetExitCodeProcess(pi.hProcess, &code))
        r->exitCode = static_cast<int>(code);
    End(pi);
    return 0;
}
} // namespace

RunResult RunQuellix(const std::string& args, const RunOptions& options) {
    RunResult r = {-1, "", ""};
    if (DWORD error = RunChild(args, options, &r))
        r = {-2, "could not start " + std::string(options.exe) + ": error " + std::to_string(error), ""};
    return r;
}

bool Program::Start(const std::string& commandLine) {
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    return StartProcess(Wide(commandLine), false, &si, &pi);
}

HWND Program::Find(const std::string& cls, const char* title) const {
    DWORD owner = 0;
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, cls.c_str(), title)) != nullptr;)
        if (GetWindowThreadProcessId(w, &owner) && owner == pi.dwProcessId) return w;
    return nullptr;
}

Program::~Program() {
    if (pi.hProcess) End(pi);
}
