#pragma once
#include "core/FontValue.h"

#include <string>
#include <vector>

// What the options dialog shows and takes, decided without a window.
namespace OptionsChoices {
// The page numbers callers open the dialog on; any other number keeps the current page.
enum Page { General = 0, EarthBackground = 1, FavoriteCities = 2, Display = 3, PageCount = 4 };

struct Tab {
    Page Shows;
    const wchar_t* Title;
};

// The tabs left to right. The weather edition calls its display page after the maker; the
// earth edition has no General page outside the desktop program.
std::vector<Tab> TabsFor(bool cloudPane, bool desktop);
// The General page's unit choice: the earth edition offers the unit on its display page only.
bool GeneralShowsUnit(bool cloudPane);
// The screen-saver button and the wallpaper and start-up switches mean nothing to the weather
// edition's screen saver.
bool GeneralShowsDesktopSwitches(bool cloudPane, bool desktop);

// The setting a font chooser's answer gives: the size is the chooser's tenths of a point, and
// only the weight 700 counts as bold.
FontValue ChosenFont(const std::wstring& face, int tenthsOfPoint, int weight, bool italic);

constexpr int MinIconScale = 30;
constexpr int MaxIconScale = 300;
// The trackbar's position is taken only inside the range.
bool IsIconScale(int position);
// "70%".
std::wstring IconScaleText(int scale);
} // namespace OptionsChoices
