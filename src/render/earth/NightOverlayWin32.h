#pragma once
#include "render/GraphicsWin32.h"

#include <cstdint>

// The night overlay as the picture draws it: without an image until RefreshNightOverlay has
// made it. Its version changes with every new alpha, so scaled copies know when they are stale.
const CBitmap& NightOverlay();
uint64_t NightOverlayVersion();
// Called by ReleaseEarthPicture.
void ReleaseNightLayer();
