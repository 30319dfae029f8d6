#include "core/ApplicationException.h"
#include "render/GraphicsObjectsWin32.h"
#include "render/UtilGraphicsWin32.h"

#include <cstring>
#include <cwchar>
#include <vector>

template <> struct NullableLocation<CLSID> {
    static constexpr const char* Value = "Nullable<struct _GUID>::Value (20)";
};

namespace {
// Looked up once for the process.
Nullable<CLSID> bmpEncoder;
} // namespace

bool UtilGraphics::FindEncoder(const wchar_t* mimeType, CLSID& encoder) {
    UINT count = 0;
    UINT size = 0;
    if (Gdip::GdipGetImageEncodersSize(&count, &size) != Gdiplus::Ok) {
        ThrowApplicationException("UtilGraphics::GetEncoderClsid (674)");
    }
    // The list is followed by the texts it points into, so its size is given in bytes.
    std::vector<unsigned char> buffer(size + sizeof(Gdiplus::ImageCodecInfo));
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (size == 0 || Gdip::GdipGetImageEncoders(count, size, codecs) != Gdiplus::Ok) {
        ThrowApplicationException("UtilGraphics::GetEncoderClsid (679)");
    }
    for (UINT i = 0; i < count; ++i) {
        if (codecs[i].MimeType != nullptr && std::wcscmp(codecs[i].MimeType, mimeType) == 0) {
            encoder = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

bool UtilGraphics::GetEncoderClsid() {
    CLSID encoder{};
    if (!FindEncoder(L"image/bmp", encoder)) {
        return false;
    }
    bmpEncoder = encoder;
    return true;
}

const CLSID& UtilGraphics::GetEncoderBmp() {
    if (!bmpEncoder.HasValue() && !GetEncoderClsid()) {
        ThrowApplicationException("UtilGraphics::GetEncoderBmp (640)");
    }
    return bmpEncoder.Value();
}
