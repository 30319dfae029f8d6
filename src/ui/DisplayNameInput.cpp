#include "ui/DisplayNameInput.h"

namespace {
bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r' || c == 0xA0 ||
           c == 0x3000;
}
} // namespace

namespace DisplayNameInput {

std::wstring Clean(std::wstring_view typed) {
    std::wstring name(typed);
    for (wchar_t& c : name) {
        if (c == L';' || c < L' ') {
            c = L' ';
        }
    }
    size_t first = 0;
    while (first < name.size() && IsBlank(name[first])) {
        ++first;
    }
    size_t last = name.size();
    while (last > first && IsBlank(name[last - 1])) {
        --last;
    }
    return name.substr(first, last - first);
}

} // namespace DisplayNameInput
