#include "ChildProcess.h"

#include <stdexcept>
#include <windows.h>

namespace {
std::wstring Widen(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

// Quoted as the C runtime splits a command line: only the tools' own paths and numbers pass
// here, none of which ends in a backslash or holds a quote.
std::wstring Quoted(const std::string& text) {
    return L"\"" + Widen(text) + L"\"";
}
} // namespace

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments) {
    std::wstring commandLine = Quoted(program);
    for (const std::string& argument : arguments) {
        commandLine += L" " + Quoted(argument);
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info)) {
        throw std::runtime_error("CreateProcess failed");
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
}

ChildProcess::~ChildProcess() {
    Kill();
}

void ChildProcess::Kill() {
    if (process_ == nullptr) {
        return;
    }
    TerminateProcess(process_, 9);
    WaitForSingleObject(process_, INFINITE);
    CloseHandle(process_);
    process_ = nullptr;
}

std::string ThisProgram(const char*) {
    char path[MAX_PATH];
    const DWORD size = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (size == 0 || size >= MAX_PATH) {
        throw std::runtime_error("cannot find this program");
    }
    return std::string(path, size);
}
