#include "data/StartupEntry.h"

#include <map>
#include <mutex>

namespace {
struct Entries {
    std::mutex lock;
    std::map<std::wstring, std::wstring> commands;
};

Entries& Stored() {
    static Entries entries;
    return entries;
}
} // namespace

namespace StartupEntry {

void Set(const std::wstring& name, const std::wstring& programFile) {
    Entries& entries = Stored();
    std::lock_guard<std::mutex> hold(entries.lock);
    entries.commands[name] = L"\"" + programFile + L"\"";
}

void Remove(const std::wstring& name) {
    Entries& entries = Stored();
    std::lock_guard<std::mutex> hold(entries.lock);
    entries.commands.erase(name);
}

bool Get(const std::wstring& name, std::wstring& command) {
    Entries& entries = Stored();
    std::lock_guard<std::mutex> hold(entries.lock);
    const auto found = entries.commands.find(name);
    if (found == entries.commands.end()) {
        return false;
    }
    command = found->second;
    return true;
}

} // namespace StartupEntry
