#include "app/EarthSteps.h"

#include "render/earth/EarthPictureWin32.h"

void PrepareDayNight() {
    BuildDayNightMask();
    RefreshNightOverlay();
}

void OnNightOverlayTimer() {
    RefreshNightOverlay();
}

void OnDayNightMaskTimer() {
    BuildDayNightMask();
}
