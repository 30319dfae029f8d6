#pragma once

// The Earth picture's part in the start-up and in the hidden window's timers.

// Globe Glow's desktop and full-screen starts: the day/night mask for today and the night
// overlay for this moment, before any window draws.
void PrepareDayNight();
// The refresh timer: the overlay's alpha for the present time, then the pictures again.
void OnNightOverlayTimer();
// The mask timer: the mask for the new UTC date.
void OnDayNightMaskTimer();
