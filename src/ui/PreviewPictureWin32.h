#pragma once
#include "render/GraphicsWin32.h"

#include <windows.h>

class COptions;

// The screen-saver preview's picture over the client rectangle: for Globe Glow the options'
// region of the selected day image (no night, no cities), for Cloud Pane the sky with the
// large day icon of fair weather fitted and centred.
void DrawPreviewPicture(CGraphics& graphics, const RECT& client, bool globeGlow, COptions& options);
