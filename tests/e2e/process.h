// Runs the real quellix.exe as a child process, its standard output on a pipe.
#pragma once

#include <windows.h>

#include <string>
#include <thread>

struct Child {
    HANDLE process = nullptr;
    HANDLE output = nullptr; // read end of the child's standard output
    std::thread reader;
    std::string bytes;
    HANDLE errorOutput = nullptr; // and of its standard error
    std::thread errorReader;
    std::string errors;
};

struct RunResult {
    int exitCode; // -1 when the child had to be ended after the time-out
    std::string output;
    std::string errors; // standard error
};

std::string ProgramPath(const std::string& name); // a program built beside the tests
std::string QuellixPath(const char* exe = "quellix.exe");
std::wstring Wide(const std::string& utf8);

// Starts quellix.exe (or `exe` beside it) with `args` (UTF-8) after its quoted path, by a Unicode
// command line. With `noStdout` the child gets no standard output at all, as when a GUI program is
// started without redirection.
bool StartQuellix(const std::string& args, Child* child, bool noStdout = false,
                  const char* exe = "quellix.exe");
RunResult FinishQuellix(Child* child, DWORD timeoutMs = 20000);
RunResult RunQuellix(const std::string& args, DWORD timeoutMs = 20000, const char* exe = "quellix.exe");

// A program the test starts; its process is ended, by its handle, with this record.
struct Program {
    PROCESS_INFORMATION pi = {};
    bool Start(std::string commandLine);
    ~Program();
};

// Polls `condition` until it holds or the time runs out.
template <typename F> bool WaitFor(F condition, DWORD timeoutMs = 5000) {
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(5);
    }
    return true;
}
