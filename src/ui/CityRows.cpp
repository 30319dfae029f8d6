#include "ui/CityRows.h"

#include <algorithm>
#include <numeric>

namespace {
// Latin-1's letters are the ones the station names use; the list's own search also ignores case.
wchar_t Fold(wchar_t c) {
    if ((c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return static_cast<wchar_t>(c + 0x20);
    }
    return c;
}

bool StartsWith(std::wstring_view text, std::wstring_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [](wchar_t a, wchar_t b) { return Fold(a) == Fold(b); });
}
} // namespace

const std::wstring& CityRows::ColumnText(const CityRecord& record, int column) {
    static const std::wstring none;
    switch (column) {
    case 0:
        return record.Country;
    case 1:
        return record.DisplayName();
    case 2:
        return record.Details;
    default:
        return none;
    }
}

std::vector<size_t> CityRows::Sort(const std::function<int(size_t, size_t)>& compare, bool ascending) {
    std::vector<size_t> before(rows_.size());
    std::iota(before.begin(), before.end(), size_t{0});
    std::stable_sort(before.begin(), before.end(), [&](size_t a, size_t b) {
        int order = 0;
        try {
            order = compare(a, b);
        } catch (...) {
            order = 0;
        }
        return ascending ? order < 0 : order > 0;
    });
    std::vector<CityRecord> sorted;
    sorted.reserve(rows_.size());
    for (size_t position : before) {
        sorted.push_back(std::move(rows_[position]));
    }
    rows_ = std::move(sorted);
    return before;
}

int CityRows::FindPrefix(int column, std::wstring_view prefix, size_t start) const {
    const size_t count = rows_.size();
    if (start >= count) {
        start = 0;
    }
    for (size_t step = 0; step < count; ++step) {
        const size_t row = (start + step) % count;
        if (StartsWith(ColumnText(rows_[row], column), prefix)) {
            return static_cast<int>(row);
        }
    }
    return -1;
}
