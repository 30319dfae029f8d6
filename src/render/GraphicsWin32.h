#pragma once
#include "core/FontValue.h"
#include "render/PictureLayout.h"

#include <cstdint>
#include <memory>
#include <string>
#include <windows.h>

// The program's one way to GDI+: nothing outside this layer calls it. Each owner holds one
// native object and releases it when it goes; every owner must be gone before GDI+ shuts down.
// A failing call draws or changes nothing: the owner keeps the failure as its last status and
// the caller goes on, as a picture is drawn as far as it goes.
namespace Gdiplus {
class GpBitmap;
class GpGraphics;
class GpFont;
class GpBrush;
class GpStringFormat;
class GpImageAttributes;
struct BitmapData;
} // namespace Gdiplus

// GDI+ itself, started for as long as this lives: the program's main loop, a tool, a test run.
class CGraphicsSession {
public:
    CGraphicsSession();
    ~CGraphicsSession();
    CGraphicsSession(const CGraphicsSession&) = delete;
    CGraphicsSession& operator=(const CGraphicsSession&) = delete;

    bool IsStarted() const { return started_; }

private:
    ULONG_PTR token_ = 0;
    bool started_ = false;
};

// The native objects the owners hold right now. Windows answers the GDI object count of a
// process, but Wine does not, so the benchmarks watch this one for leaks.
int LiveGraphicsObjects();

// The last failure of an owner's calls, 0 while every call succeeded (GDI+'s Ok).
class CGraphicsStatus {
public:
    int LastStatus() const { return status_; }

protected:
    // Answers whether the call succeeded; a failure replaces the kept status.
    bool Keep(int status) const;

private:
    mutable int status_ = 0;
};

enum class PixelKind { Rgb24, Argb32 };

class CBitmap : public CGraphicsStatus {
public:
    // No image: it has no size and draws nothing.
    CBitmap() = default;
    // A new bitmap, transparent black (ARGB) or black (RGB).
    CBitmap(int width, int height, PixelKind kind);
    // The picture in the file. A missing or undecodable file gives a bitmap without an image
    // whose status tells why, so callers need not look before drawing.
    static CBitmap FromFile(const std::wstring& path);
    ~CBitmap();
    CBitmap(CBitmap&& other) noexcept;
    CBitmap& operator=(CBitmap&& other) noexcept;
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;

    bool HasImage() const { return bitmap_ != nullptr; }
    // 0 without an image.
    int Width() const;
    int Height() const;
    // A copy of the whole image in the pixel kind.
    CBitmap Clone(PixelKind kind) const;
    // The resolution that point sizes of text drawn on it are measured against.
    void SetResolution(float dpiX, float dpiY);
    // One pixel as ARGB; 0 outside the image.
    uint32_t Pixel(int x, int y) const;
    // Encodes the image into the file with the encoder and no parameters.
    bool Save(const std::wstring& path, const CLSID& encoder) const;
    // A GDI bitmap of the image over the background colour, owned by the caller; null on failure.
    HBITMAP CreateHBitmap(uint32_t backgroundArgb) const;

    Gdiplus::GpBitmap* Native() const { return bitmap_; }

private:
    explicit CBitmap(Gdiplus::GpBitmap* bitmap, int status);

    Gdiplus::GpBitmap* bitmap_ = nullptr;
};

// The pixels of a whole bitmap, locked while this lives; what is written there is in the
// bitmap once it is unlocked. Rows are Stride bytes apart.
enum class PixelAccess { Read = 1, Write = 2, ReadWrite = 3 };

class CBitmapPixels {
public:
    // Reading only, or writing every pixel, spares a copy of the pixels on the way.
    CBitmapPixels(CBitmap& bitmap, PixelKind kind, PixelAccess access = PixelAccess::ReadWrite);
    ~CBitmapPixels();
    CBitmapPixels(const CBitmapPixels&) = delete;
    CBitmapPixels& operator=(const CBitmapPixels&) = delete;

    bool IsLocked() const { return locked_; }
    uint8_t* Row(int y) const;
    int Stride() const;
    int Width() const;
    int Height() const;

private:
    CBitmap& bitmap_;
    std::unique_ptr<Gdiplus::BitmapData> data_;
    bool locked_ = false;
};

enum class FontUnit { Point, Pixel };

class CFont : public CGraphicsStatus {
public:
    // A family that is not installed falls back to the generic sans-serif one with the same
    // size and style. Sizes are in points; style is FontValue's bits.
    CFont(const std::wstring& family, float points, int style);
    // The same with the size in the unit given: pixels keep a text's size on any resolution.
    CFont(const std::wstring& family, float size, int style, FontUnit unit);
    explicit CFont(const FontValue& value);
    ~CFont();
    CFont(const CFont& other);
    CFont& operator=(const CFont&) = delete;

    float Size() const;
    int Style() const;
    std::wstring FamilyName() const;
    // The font as GDI describes it, for a font chooser; false on failure.
    bool GetLogFont(const class CGraphics& graphics, LOGFONTW& font) const;

    Gdiplus::GpFont* Native() const { return font_; }

private:
    Gdiplus::GpFont* font_ = nullptr;
};

class CBrush : public CGraphicsStatus {
public:
    explicit CBrush(uint32_t argb);
    ~CBrush();
    CBrush(const CBrush& other);
    CBrush& operator=(const CBrush&) = delete;

    Gdiplus::GpBrush* Native() const { return brush_; }

private:
    Gdiplus::GpBrush* brush_ = nullptr;
};

enum class TextAlign { Near = 0, Center = 1, Far = 2 };

class CStringFormat : public CGraphicsStatus {
public:
    // Text that neither wraps nor is clipped at its box.
    static constexpr int NoWrapNoClip = 0x1000 | 0x4000;
    // Text drawn whole even where it leaves its box.
    static constexpr int NoClip = 0x4000;

    explicit CStringFormat(int flags = 0);
    ~CStringFormat();
    CStringFormat(const CStringFormat&) = delete;
    CStringFormat& operator=(const CStringFormat&) = delete;

    // Horizontal and vertical placement in the box (right and bottom are Far).
    void SetAlign(TextAlign align);
    void SetLineAlign(TextAlign align);
    // GDI+'s StringTrimming values (0 none, 1 character, 2 word, 3 ellipsis character ...).
    void SetTrimming(int trimming);

    Gdiplus::GpStringFormat* Native() const { return format_; }

private:
    Gdiplus::GpStringFormat* format_ = nullptr;
};

// Row-major, as GDI+ applies it: a colour is the row vector (r, g, b, a, 1) times the matrix.
using ColorMatrix5 = float[5][5];

class CImageAttributes : public CGraphicsStatus {
public:
    CImageAttributes();
    ~CImageAttributes();
    CImageAttributes(const CImageAttributes&) = delete;
    CImageAttributes& operator=(const CImageAttributes&) = delete;

    void SetColorMatrix(const ColorMatrix5& matrix);

    Gdiplus::GpImageAttributes* Native() const { return attributes_; }

private:
    Gdiplus::GpImageAttributes* attributes_ = nullptr;
};

enum class Interpolation { Default, HighQuality };

// A drawing surface: a bitmap, a device context or a window.
class CGraphics : public CGraphicsStatus {
public:
    explicit CGraphics(CBitmap& image);
    explicit CGraphics(HDC dc);
    explicit CGraphics(HWND window);
    ~CGraphics();
    CGraphics(const CGraphics&) = delete;
    CGraphics& operator=(const CGraphics&) = delete;

    bool HasSurface() const { return graphics_ != nullptr; }
    // Coordinates in pixels (GDI+'s default for a bitmap is its display unit).
    void SetPixelUnit();
    // Anti-aliased text (hint 4) with the system's grid fitting off.
    void SetAntiAliasedText();
    // How stretched images are resampled; high quality is bicubic with half-pixel offsets.
    void SetInterpolation(Interpolation interpolation);
    void Clear(uint32_t argb);
    // Everything drawn after this is scaled by the factor about the origin (1 for none).
    void SetWorldScale(float scale);
    // The surface's vertical resolution, which point sizes of text are measured against.
    float DpiY() const;

    void DrawImage(const CBitmap& image, const PictureRect& destination);
    void DrawImage(const CBitmap& image, const PixelRect& destination);
    // The source rectangle of the image (pixels) onto the destination, through the colour
    // attributes when given.
    void DrawImage(const CBitmap& image, const PixelRect& destination, const PixelRect& source,
                   const CImageAttributes* attributes = nullptr);
    void DrawString(const std::wstring& text, const CFont& font, const PictureRect& box,
                    const CStringFormat& format, const CBrush& brush);
    // The bounds the characters [first, first + length) of the text take when drawn in the box;
    // an empty rectangle when there is nothing to measure or the measure fails.
    PictureRect MeasureCharacters(const std::wstring& text, int first, int length, const CFont& font,
                                  const PictureRect& box, const CStringFormat& format);
    // The box the whole text needs, laid out in the given box.
    PictureRect MeasureString(const std::wstring& text, const CFont& font, const PictureRect& box,
                              const CStringFormat& format);

    Gdiplus::GpGraphics* Native() const { return graphics_; }

private:
    Gdiplus::GpGraphics* graphics_ = nullptr;
};
