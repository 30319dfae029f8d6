#pragma once
#include "core/Nullable.h"
#include "render/GraphicsWin32.h"
#include "weather/WeatherCode.h"

#include <memory>
#include <string>

class COptions;

// The installation's pictures that LoadImages opens. Folders end with a backslash.
struct ImageFiles {
    std::wstring LargeWeatherIcons; // with "Sky.png" and "NA.png"
    std::wstring SmallWeatherIcons;
    std::wstring EarthNight;             // with "Night.jpg"
    std::wstring LocalWeatherBackground; // the file itself
};

// The shared images and icon lists, loaded once at start-up, read on the main thread only and
// released before GDI+ shuts down; and the program's use of the image encoders.
class UtilGraphics {
public:
    UtilGraphics() = delete;

    // The sky, the night image, then the icon lists and the local weather window's shadow. A
    // missing or unreadable picture gives an image that draws nothing; only a shadow that
    // cannot be made for a readable panel picture throws
    // ("CPtr<class Gdiplus::Bitmap>::operator -> (114)").
    static void LoadImages(const ImageFiles& files);
    // Every image, with the weather picture's fonts, brush and scaled copies. Before GDI+ goes.
    static void ReleaseImages();

    // The icon of the code, or null for no code or one outside 0 to 18. The large pictures are
    // big (drawn up to a screen's height), so they are decoded when asked for and only the
    // last few are kept; the answer stays valid while it is held.
    static std::shared_ptr<const CBitmap> SmallWeatherIcon(bool daytime,
                                                           const Nullable<EnumWeatherCode>& code);
    static std::shared_ptr<const CBitmap> LargeWeatherIcon(const Nullable<EnumWeatherCode>& code,
                                                           bool daytime);
    // The large "NA.png", shown by the local weather window when there is no icon.
    static std::shared_ptr<const CBitmap> NoDataIcon();
    // "Sky.png", the backdrop of the weather and Earth pictures.
    static const CBitmap& Sky();
    // "Night.jpg", the Earth picture's night side.
    static const CBitmap& NightImage();
    // The local weather window's panel in black with the picture's alpha.
    static const CBitmap& LocalWeatherShadow();

    // The weather picture of the options' home city over the whole virtual screen, 24-bit RGB.
    // A failing work-area query throws "Util::WorkAreaCRect (373)".
    static CBitmap GenerateEarthWallpaper(const COptions& options);

    // The first installed image encoder of the MIME type ("image/png"); false when there is
    // none. A failure to list the encoders throws as GetEncoderClsid does.
    static bool FindEncoder(const wchar_t* mimeType, CLSID& encoder);
    // Looks the BMP encoder up and keeps it; false when there is none. A failure to list the
    // encoders throws "UtilGraphics::GetEncoderClsid (674)" or "(679)".
    static bool GetEncoderClsid();
    // The BMP encoder, looked up on first use; none throws "UtilGraphics::GetEncoderBmp (640)".
    static const CLSID& GetEncoderBmp();
};
