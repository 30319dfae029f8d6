#pragma once
#include <string>
#include <vector>

// A longitude/latitude window of the world image, in whole degrees, north and east positive.
struct EarthRegion {
    std::wstring Name;
    int West = 0;
    int North = 0;
    int East = 0;
    int South = 0;

    bool operator==(const EarthRegion&) const = default;
};

// The two whole-Earth windows, then the six continents; the full list is both in that order,
// as the options page offers them. Built once, read-only.
const std::vector<EarthRegion>& GetEarthRegions();
const std::vector<EarthRegion>& GetContinentRegions();
const std::vector<EarthRegion>& GetAllRegions();

// "Earth (Default)": leaves out part of the Pacific and the far south.
const EarthRegion& DefaultRegion();
// "Earth (Complete)": the screen saver's window.
const EarthRegion& CompleteRegion();
// "NA", the fixed window of the options page's text preview; not selectable.
const EarthRegion& PreviewRegion();

// Looks the name up in the full list, ignoring case; on a match copies it into region.
// Otherwise region is left as it was and the answer is false.
bool FindRegion(const std::wstring& name, EarthRegion& region);
