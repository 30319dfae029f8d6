#include "render/GraphicsObjectsWin32.h"
#include "render/GraphicsWin32.h"

#include <atomic>

namespace {
std::atomic<int> liveObjects{0};

Gdiplus::PixelFormat FormatOf(PixelKind kind) {
    return kind == PixelKind::Rgb24 ? PixelFormat24bppRGB : PixelFormat32bppARGB;
}
} // namespace

CGraphicsSession::CGraphicsSession() {
    const Gdiplus::GdiplusStartupInput input;
    started_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
}

CGraphicsSession::~CGraphicsSession() {
    if (started_) {
        Gdiplus::GdiplusShutdown(token_);
    }
}

void GraphicsObjects::Created() {
    ++liveObjects;
}

void GraphicsObjects::Released() {
    --liveObjects;
}

int LiveGraphicsObjects() {
    return liveObjects.load();
}

bool CGraphicsStatus::Keep(int status) const {
    if (status != Gdiplus::Ok) {
        status_ = status;
        return false;
    }
    return true;
}

CBitmap::CBitmap(Gdiplus::GpBitmap* bitmap, int status) : bitmap_(bitmap) {
    Keep(status);
    if (bitmap_ != nullptr) {
        GraphicsObjects::Created();
    }
}

CBitmap::CBitmap(int width, int height, PixelKind kind) {
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (Keep(Gdip::GdipCreateBitmapFromScan0(width, height, 0, FormatOf(kind), nullptr, &bitmap))) {
        bitmap_ = bitmap;
        GraphicsObjects::Created();
    }
}

CBitmap CBitmap::FromFile(const std::wstring& path) {
    Gdiplus::GpBitmap* bitmap = nullptr;
    const Gdiplus::Status status = Gdip::GdipCreateBitmapFromFile(path.c_str(), &bitmap);
    return CBitmap(status == Gdiplus::Ok ? bitmap : nullptr, status);
}

CBitmap::~CBitmap() {
    if (bitmap_ != nullptr) {
        Gdip::GdipDisposeImage(bitmap_);
        GraphicsObjects::Released();
    }
}

CBitmap::CBitmap(CBitmap&& other) noexcept : bitmap_(other.bitmap_) {
    Keep(other.LastStatus());
    other.bitmap_ = nullptr;
}

CBitmap& CBitmap::operator=(CBitmap&& other) noexcept {
    if (this != &other) {
        CBitmap old(std::move(*this));
        bitmap_ = other.bitmap_;
        other.bitmap_ = nullptr;
        Keep(other.LastStatus());
    }
    return *this;
}

int CBitmap::Width() const {
    UINT width = 0;
    if (bitmap_ == nullptr || !Keep(Gdip::GdipGetImageWidth(bitmap_, &width))) {
        return 0;
    }
    return static_cast<int>(width);
}

int CBitmap::Height() const {
    UINT height = 0;
    if (bitmap_ == nullptr || !Keep(Gdip::GdipGetImageHeight(bitmap_, &height))) {
        return 0;
    }
    return static_cast<int>(height);
}

CBitmap CBitmap::Clone(PixelKind kind) const {
    Gdiplus::GpBitmap* clone = nullptr;
    const Gdiplus::Status status =
        Gdip::GdipCloneBitmapAreaI(0, 0, Width(), Height(), FormatOf(kind), bitmap_, &clone);
    return CBitmap(status == Gdiplus::Ok ? clone : nullptr, status);
}

void CBitmap::SetResolution(float dpiX, float dpiY) {
    Keep(Gdip::GdipBitmapSetResolution(bitmap_, dpiX, dpiY));
}

uint32_t CBitmap::Pixel(int x, int y) const {
    Gdiplus::ARGB colour = 0;
    if (!Keep(Gdip::GdipBitmapGetPixel(bitmap_, x, y, &colour))) {
        return 0;
    }
    return colour;
}

bool CBitmap::Save(const std::wstring& path, const CLSID& encoder) const {
    return Keep(Gdip::GdipSaveImageToFile(bitmap_, path.c_str(), &encoder, nullptr));
}

HBITMAP CBitmap::CreateHBitmap(uint32_t backgroundArgb) const {
    HBITMAP result = nullptr;
    if (!Keep(Gdip::GdipCreateHBITMAPFromBitmap(bitmap_, &result, backgroundArgb))) {
        return nullptr;
    }
    return result;
}

CBitmapPixels::CBitmapPixels(CBitmap& bitmap, PixelKind kind)
    : bitmap_(bitmap), data_(std::make_unique<Gdiplus::BitmapData>()) {
    const Gdiplus::Rect whole(0, 0, bitmap.Width(), bitmap.Height());
    locked_ = bitmap.HasImage() &&
              Gdip::GdipBitmapLockBits(bitmap.Native(), &whole,
                                       Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeWrite,
                                       FormatOf(kind), data_.get()) == Gdiplus::Ok;
}

CBitmapPixels::~CBitmapPixels() {
    if (locked_) {
        Gdip::GdipBitmapUnlockBits(bitmap_.Native(), data_.get());
    }
}

uint8_t* CBitmapPixels::Row(int y) const {
    return static_cast<uint8_t*>(data_->Scan0) + static_cast<ptrdiff_t>(y) * data_->Stride;
}

int CBitmapPixels::Stride() const {
    return locked_ ? data_->Stride : 0;
}

int CBitmapPixels::Width() const {
    return locked_ ? static_cast<int>(data_->Width) : 0;
}

int CBitmapPixels::Height() const {
    return locked_ ? static_cast<int>(data_->Height) : 0;
}
