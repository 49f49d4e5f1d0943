#include "process.h"

std::string ProgramPath(const std::string& name) {
    char self[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path(self, n);
    return path.substr(0, path.find_last_of("\\/") + 1) + name;
}

std::string QuellixPath() {
    return ProgramPath("quellix.exe");
}

std::wstring Wide(const std::string& utf8) {
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &out[0], n);
    return out;
}

bool StartQuellix(const std::string& args, Child* child, bool noStdout) {
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &sa, 0)) return false;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = noStdout ? nullptr : writeEnd;
    // As a shell starts it: the Unicode command line reaches the program unconverted.
    std::wstring line = Wide("\"" + QuellixPath() + "\" " + args);
    PROCESS_INFORMATION pi = {};
    BOOL ok = FALSE;
    // Wine can fail a start for reasons of its own on a busy machine: try a few times.
    for (int attempt = 0; attempt < 5 && !ok; ++attempt) {
        if (attempt) Sleep(200);
        ok = CreateProcessW(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    }
    CloseHandle(writeEnd);
    if (!ok) {
        CloseHandle(readEnd);
        return false;
    }
    CloseHandle(pi.hThread);
    child->process = pi.hProcess;
    child->output = readEnd;
    child->bytes.clear();
    child->reader = std::thread([child] {
        char buf[4096];
        DWORD got = 0;
        while (ReadFile(child->output, buf, sizeof buf, &got, nullptr) && got > 0)
            child->bytes.append(buf, got);
    });
    return true;
}

RunResult FinishQuellix(Child* child, DWORD timeoutMs) {
    int code = -1;
    if (WaitForSingleObject(child->process, timeoutMs) == WAIT_OBJECT_0) {
        DWORD exitCode = 0;
        GetExitCodeProcess(child->process, &exitCode);
        code = static_cast<int>(exitCode);
    } else {
        TerminateProcess(child->process, 99);
        WaitForSingleObject(child->process, 5000);
    }
    child->reader.join();
    CloseHandle(child->output);
    CloseHandle(child->process);
    child->process = child->output = nullptr;
    return {code, child->bytes};
}

RunResult RunQuellix(const std::string& args, DWORD timeoutMs) {
    Child child;
    if (!StartQuellix(args, &child))
        return {-2, "could not start quellix.exe: error " + std::to_string(GetLastError())};
    return FinishQuellix(&child, timeoutMs);
}
