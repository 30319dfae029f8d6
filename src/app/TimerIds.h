#pragma once

// The hidden window's timers.
namespace TimerIds {
// Downloads: 1 minute after creation, 1 minute later, then every 15 minutes.
constexpr unsigned Download = 1;
// Redraws the night overlay and the pictures.
constexpr unsigned Redraw = 2;
// Rebuilds the day/night mask.
constexpr unsigned DayNightMask = 3;
} // namespace TimerIds
