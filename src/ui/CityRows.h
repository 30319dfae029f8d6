#pragma once
#include "data/CityRecord.h"

#include <functional>
#include <string_view>
#include <vector>

// The city picker's rows: its own copy of the station records, in the order its list shows
// them, so the list can be virtual and still sort and search like a filled one.
class CityRows {
public:
    void Assign(std::vector<CityRecord> records) { rows_ = std::move(records); }
    size_t Size() const { return rows_.size(); }
    const CityRecord& Row(size_t index) const { return rows_.at(index); }

    // The text a column shows: 0 "Country", 1 "City", 2 "Details"; any other is empty.
    static const std::wstring& ColumnText(const CityRecord& record, int column);

    // Reorders the rows by compare (negative, zero or positive, given two row positions of the
    // order before the sort), negated when descending; rows that compare equal keep their
    // order, and a compare that throws counts as equal. Answers, for each new position, the
    // position the row had before, so the caller can move what it marks on the rows.
    std::vector<size_t> Sort(const std::function<int(size_t, size_t)>& compare, bool ascending);

    // The first row from start on (a start past the end is the top), wrapping round to the top, whose text in
    // the column begins with the prefix, letters of either case alike; -1 when none does.
    int FindPrefix(int column, std::wstring_view prefix, size_t start) const;

private:
    std::vector<CityRecord> rows_;
};
