#pragma once
#include "render/GraphicsWin32.h"

class COptions;

// The display page's preview: the day picture's "NA" window with one sample city, "Name", partly
// cloudy at 23 °C, drawn in the middle with the options' labels, fonts, colours, icon size and
// unit.
void DrawDisplayPreview(CGraphics& graphics, COptions& options, int width, int height);
