#include "render/GraphicsObjectsWin32.h"
#include "render/GraphicsWin32.h"

namespace {
// Owns a font family for as long as the font is being made.
class FamilyOwner {
public:
    explicit FamilyOwner(const std::wstring& name) {
        if (Gdip::GdipCreateFontFamilyFromName(name.c_str(), nullptr, &family_) != Gdiplus::Ok) {
            family_ = nullptr;
        }
    }
    FamilyOwner() {
        if (Gdip::GdipGetGenericFontFamilySansSerif(&family_) != Gdiplus::Ok) {
            family_ = nullptr;
        }
    }
    ~FamilyOwner() {
        if (family_ != nullptr) {
            Gdip::GdipDeleteFontFamily(family_);
        }
    }
    FamilyOwner(const FamilyOwner&) = delete;
    FamilyOwner& operator=(const FamilyOwner&) = delete;

    // The font in this family; null with the failure in status.
    Gdiplus::GpFont* CreateFont(float size, int style, Gdiplus::Unit unit, Gdiplus::Status& status) const {
        Gdiplus::GpFont* font = nullptr;
        status = family_ == nullptr ? Gdiplus::FontFamilyNotFound
                                    : Gdip::GdipCreateFont(family_, size, style, unit, &font);
        return status == Gdiplus::Ok ? font : nullptr;
    }

private:
    Gdiplus::GpFontFamily* family_ = nullptr;
};
} // namespace

CFont::CFont(const std::wstring& family, float points, int style)
    : CFont(family, points, style, FontUnit::Point) {}

CFont::CFont(const std::wstring& family, float size, int style, FontUnit unit) {
    const Gdiplus::Unit native = unit == FontUnit::Pixel ? Gdiplus::UnitPixel : Gdiplus::UnitPoint;
    Gdiplus::Status status = Gdiplus::Ok;
    font_ = FamilyOwner(family).CreateFont(size, style, native, status);
    if (font_ == nullptr) {
        font_ = FamilyOwner().CreateFont(size, style, native, status);
    }
    if (Keep(status)) {
        GraphicsObjects::Created();
    }
}

CFont::CFont(const FontValue& value) : CFont(value.Family, static_cast<float>(value.Size), value.Style) {}

CFont::~CFont() {
    if (font_ != nullptr) {
        Gdip::GdipDeleteFont(font_);
        GraphicsObjects::Released();
    }
}

CFont::CFont(const CFont& other) : CGraphicsStatus(other) {
    Gdiplus::GpFont* clone = nullptr;
    if (other.font_ != nullptr && Keep(Gdip::GdipCloneFont(other.font_, &clone))) {
        font_ = clone;
        GraphicsObjects::Created();
    }
}

float CFont::Size() const {
    Gdiplus::REAL size = 0;
    Keep(Gdip::GdipGetFontSize(font_, &size));
    return size;
}

int CFont::Style() const {
    INT style = 0;
    Keep(Gdip::GdipGetFontStyle(font_, &style));
    return style;
}

std::wstring CFont::FamilyName() const {
    Gdiplus::GpFontFamily* family = nullptr;
    if (!Keep(Gdip::GdipGetFamily(font_, &family))) {
        return {};
    }
    WCHAR name[LF_FACESIZE] = {};
    Keep(Gdip::GdipGetFamilyName(family, name, LANG_NEUTRAL));
    Gdip::GdipDeleteFontFamily(family);
    return name;
}

bool CFont::GetLogFont(const CGraphics& graphics, LOGFONTW& font) const {
    return Keep(Gdip::GdipGetLogFontW(font_, graphics.Native(), &font));
}

CBrush::CBrush(uint32_t argb) {
    Gdiplus::GpSolidFill* fill = nullptr;
    if (Keep(Gdip::GdipCreateSolidFill(argb, &fill))) {
        brush_ = fill;
        GraphicsObjects::Created();
    }
}

CBrush::~CBrush() {
    if (brush_ != nullptr) {
        Gdip::GdipDeleteBrush(brush_);
        GraphicsObjects::Released();
    }
}

CBrush::CBrush(const CBrush& other) : CGraphicsStatus(other) {
    Gdiplus::GpBrush* clone = nullptr;
    if (other.brush_ != nullptr && Keep(Gdip::GdipCloneBrush(other.brush_, &clone))) {
        brush_ = clone;
        GraphicsObjects::Created();
    }
}

CStringFormat::CStringFormat(int flags) {
    Gdiplus::GpStringFormat* format = nullptr;
    if (Keep(Gdip::GdipCreateStringFormat(flags, LANG_NEUTRAL, &format))) {
        format_ = format;
        GraphicsObjects::Created();
    }
}

CStringFormat::~CStringFormat() {
    if (format_ != nullptr) {
        Gdip::GdipDeleteStringFormat(format_);
        GraphicsObjects::Released();
    }
}

void CStringFormat::SetAlign(TextAlign align) {
    Keep(Gdip::GdipSetStringFormatAlign(format_, static_cast<Gdiplus::StringAlignment>(align)));
}

void CStringFormat::SetLineAlign(TextAlign align) {
    Keep(Gdip::GdipSetStringFormatLineAlign(format_, static_cast<Gdiplus::StringAlignment>(align)));
}

void CStringFormat::SetTrimming(int trimming) {
    Keep(Gdip::GdipSetStringFormatTrimming(format_, static_cast<Gdiplus::StringTrimming>(trimming)));
}

CImageAttributes::CImageAttributes() {
    Gdiplus::GpImageAttributes* attributes = nullptr;
    if (Keep(Gdip::GdipCreateImageAttributes(&attributes))) {
        attributes_ = attributes;
        GraphicsObjects::Created();
    }
}

CImageAttributes::~CImageAttributes() {
    if (attributes_ != nullptr) {
        Gdip::GdipDisposeImageAttributes(attributes_);
        GraphicsObjects::Released();
    }
}

void CImageAttributes::SetColorMatrix(const ColorMatrix5& matrix) {
    Gdiplus::ColorMatrix native{};
    for (int row = 0; row < 5; ++row) {
        for (int column = 0; column < 5; ++column) {
            native.m[row][column] = matrix[row][column];
        }
    }
    Keep(Gdip::GdipSetImageAttributesColorMatrix(attributes_, Gdiplus::ColorAdjustTypeDefault, TRUE, &native,
                                                 nullptr, Gdiplus::ColorMatrixFlagsDefault));
}
