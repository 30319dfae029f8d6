#pragma once
#include <string>
#include <vector>

// A copy of this program started with other arguments, which the parent ends as a power cut
// would: at once, whatever it is doing, without a chance to clean up.
class ChildProcess {
public:
    ChildProcess(const std::string& program, const std::vector<std::string>& arguments);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // SIGKILL natively, TerminateProcess on Windows; returns once the process is gone.
    void Kill();

private:
#ifdef _WIN32
    void* process_ = nullptr;
#else
    int pid_ = -1;
#endif
};

// The path of the running program, to start a copy of it.
std::string ThisProgram(const char* argv0);
