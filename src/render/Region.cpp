#include "render/Region.h"

namespace {
std::vector<EarthRegion> Concatenated(const std::vector<EarthRegion>& a, const std::vector<EarthRegion>& b) {
    std::vector<EarthRegion> all(a);
    all.insert(all.end(), b.begin(), b.end());
    return all;
}

// The names are ASCII; folding only ASCII letters keeps the answer the same in every locale.
wchar_t FoldCase(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool EqualIgnoringCase(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i])) {
            return false;
        }
    }
    return true;
}
} // namespace

const std::vector<EarthRegion>& GetEarthRegions() {
    static const std::vector<EarthRegion> regions{
        {L"Earth (Default)", -145, 90, 165, -80},
        {L"Earth (Complete)", -180, 90, 180, -90},
    };
    return regions;
}

const std::vector<EarthRegion>& GetContinentRegions() {
    static const std::vector<EarthRegion> regions{
        {L"Africa", -33, 45, 76, -43},        {L"Asia", 25, 90, 153, -16},
        {L"Australia", 94, 9, 180, -59},      {L"Europe", -13, 75, 50, 28},
        {L"North America", -155, 80, -50, 0}, {L"South America", -110, 20, -18, -65},
    };
    return regions;
}

const std::vector<EarthRegion>& GetAllRegions() {
    static const std::vector<EarthRegion> regions = Concatenated(GetEarthRegions(), GetContinentRegions());
    return regions;
}

const EarthRegion& DefaultRegion() {
    return GetEarthRegions()[0];
}

const EarthRegion& CompleteRegion() {
    return GetEarthRegions()[1];
}

const EarthRegion& PreviewRegion() {
    static const EarthRegion region{L"NA", -120, 50, -80, 30};
    return region;
}

bool FindRegion(const std::wstring& name, EarthRegion& region) {
    try {
        for (const EarthRegion& candidate : GetAllRegions()) {
            if (EqualIgnoringCase(candidate.Name, name)) {
                region = candidate;
                return true;
            }
        }
    } catch (...) {
        // A copy that cannot be made selects nothing.
    }
    return false;
}
