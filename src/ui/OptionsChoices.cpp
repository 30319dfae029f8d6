#include "ui/OptionsChoices.h"

namespace OptionsChoices {

std::vector<Tab> TabsFor(bool cloudPane, bool desktop) {
    if (cloudPane) {
        return {{General, L"General"},
                {FavoriteCities, L"Favorite Cities"},
                {Display, L"Orbimeteo"},
                {EarthBackground, L"Earth Background"}};
    }
    std::vector<Tab> tabs;
    if (desktop) {
        tabs.push_back({General, L"General"});
    }
    tabs.push_back({EarthBackground, L"Earth Background"});
    tabs.push_back({FavoriteCities, L"Favorite Cities"});
    tabs.push_back({Display, L"Weather"});
    return tabs;
}

bool GeneralShowsUnit(bool cloudPane) {
    return cloudPane;
}

bool GeneralShowsDesktopSwitches(bool cloudPane, bool desktop) {
    return !cloudPane || desktop;
}

FontValue ChosenFont(const std::wstring& face, int tenthsOfPoint, int weight, bool italic) {
    int style = weight == 700 ? FontValue::Bold : FontValue::Regular;
    if (italic) {
        style |= FontValue::Italic;
    }
    return FontValue{face, tenthsOfPoint / 10.0, style};
}

bool IsIconScale(int position) {
    return position >= MinIconScale && position <= MaxIconScale;
}

std::wstring IconScaleText(int scale) {
    return std::to_wstring(scale) + L"%";
}

} // namespace OptionsChoices
