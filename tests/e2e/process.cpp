#include "process.h"

std::string ProgramPath(const std::string& name) {
    char self[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path(self, n);
    return path.substr(0, path.find_last_of("\\/") + 1) + name;
}

std::string QuellixPath(const char* exe) {
    return ProgramPath(exe);
}

std::wstring Wide(const std::string& utf8) {
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &out[0], n);
    return out;
}

namespace {
// A pipe whose write end the child inherits; a thread drains the read end into `bytes`.
bool Drain(HANDLE* readEnd, HANDLE* writeEnd, std::thread* reader, std::string* bytes) {
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    if (!CreatePipe(readEnd, writeEnd, &sa, 0)) return false;
    SetHandleInformation(*readEnd, HANDLE_FLAG_INHERIT, 0);
    bytes->clear();
    HANDLE from = *readEnd;
    *reader = std::thread([from, bytes] {
        char buf[4096];
        DWORD got = 0;
        while (ReadFile(from, buf, sizeof buf, &got, nullptr) && got > 0)
            bytes->append(buf, got);
    });
    return true;
}
} // namespace

bool StartQuellix(const std::string& args, Child* child, bool noStdout, const char* exe) {
    HANDLE writeEnd = nullptr, errorEnd = nullptr;
    if (!Drain(&child->output, &writeEnd, &child->reader, &child->bytes)) return false;
    if (!Drain(&child->errorOutput, &errorEnd, &child->errorReader, &child->errors)) {
        CloseHandle(writeEnd);
        return false;
    }

    STARTUPINFOW si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = noStdout ? nullptr : writeEnd;
    si.hStdError = errorEnd;
    // As a shell starts it: the Unicode command line reaches the program unconverted.
    std::wstring line = Wide("\"" + QuellixPath(exe) + "\" " + args);
    PROCESS_INFORMATION pi = {};
    BOOL ok = FALSE;
    // Wine can fail a start for reasons of its own on a busy machine: try a few times.
    for (int attempt = 0; attempt < 5 && !ok; ++attempt) {
        if (attempt) Sleep(200);
        ok = CreateProcessW(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    }
    CloseHandle(writeEnd); // the readers end when the child's ends close
    CloseHandle(errorEnd);
    child->process = ok ? pi.hProcess : nullptr;
    if (ok) CloseHandle(pi.hThread);
    return ok != FALSE;
}

RunResult FinishQuellix(Child* child, DWORD timeoutMs) {
    int code = -1;
    if (child->process && WaitForSingleObject(child->process, timeoutMs) == WAIT_OBJECT_0) {
        DWORD exitCode = 0;
        GetExitCodeProcess(child->process, &exitCode);
        code = static_cast<int>(exitCode);
    } else if (child->process) {
        TerminateProcess(child->process, 99);
        WaitForSingleObject(child->process, 5000);
    }
    for (std::thread* t : {&child->reader, &child->errorReader})
        if (t->joinable()) t->join();
    for (HANDLE h : {child->output, child->errorOutput})
        if (h) CloseHandle(h);
    if (child->process) CloseHandle(child->process);
    child->process = child->output = child->errorOutput = nullptr;
    return {code, child->bytes, child->errors};
}

RunResult RunQuellix(const std::string& args, DWORD timeoutMs, const char* exe) {
    Child child;
    if (!StartQuellix(args, &child, false, exe)) {
        std::string error =
            "could not start " + std::string(exe) + ": error " + std::to_string(GetLastError());
        FinishQuellix(&child, 0);
        return {-2, error, ""};
    }
    return FinishQuellix(&child, timeoutMs);
}

bool Program::Start(std::string commandLine) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    return CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi) !=
           FALSE;
}

Program::~Program() {
    if (!pi.hProcess) return;
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}
