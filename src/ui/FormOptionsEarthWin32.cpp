#include "ui/FormOptionsEarth.h"

#include "app/Program.h"
#include "data/Options.h"
#include "render/GraphicsWin32.h"
#include "render/earth/BackgroundBitmapWin32.h"
#include "render/earth/EarthPictureWin32.h"
#include "ui/FormOptions.h"
#include "ui/OptionsIds.h"

#include <commctrl.h>

#include <vector>

namespace {
// Each list shows this many items when dropped down.
constexpr int VisibleItems = 20;

std::wstring SelectedText(HWND list) {
    const LRESULT index = SendMessageW(list, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) {
        return {};
    }
    const LRESULT length = SendMessageW(list, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR) {
        return {};
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

// The item of exactly this text over the whole list; none when it is not there.
void SelectExactly(HWND list, const std::wstring& text) {
    const LRESULT found = SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(list, CB_SETCURSEL, found == CB_ERR ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(found),
                 0);
}
} // namespace

bool CFormOptionsEarth::OnInit() {
    COptionsPage::OnInit();
    const HWND regions = Item(IDC_OPTIONS_REGION);
    for (const EarthRegion& region : GetAllRegions()) {
        SendMessageW(regions, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(region.Name.c_str()));
    }
    SendMessageW(regions, CB_SETMINVISIBLE, VisibleItems, 0);
    SendMessageW(Item(IDC_OPTIONS_BACKGROUND), CB_SETMINVISIBLE, VisibleItems, 0);
    return false;
}

void CFormOptionsEarth::Populate(COptions&) {
    const HWND backgrounds = Item(IDC_OPTIONS_BACKGROUND);
    SendMessageW(backgrounds, CB_RESETCONTENT, 0, 0);
    std::vector<std::wstring> names;
    ListBackgrounds(Program::PathEarth(), names);
    for (const std::wstring& name : names) {
        SendMessageW(backgrounds, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    SelectCurrentBackground();
    SelectCurrentRegion();
    InvalidateRect(Item(IDC_OPTIONS_EARTH_PREVIEW), nullptr, FALSE);
}

void CFormOptionsEarth::SelectCurrentRegion() {
    SelectExactly(Item(IDC_OPTIONS_REGION), WorkingCopy().Region.Name);
}

void CFormOptionsEarth::SelectCurrentBackground() {
    SelectExactly(Item(IDC_OPTIONS_BACKGROUND), WorkingCopy().Background.Name());
}

bool CFormOptionsEarth::OnCommand(int id, int code, HWND) {
    if (code != CBN_SELCHANGE) {
        return false;
    }
    switch (id) {
    case IDC_OPTIONS_REGION:
        OnRegionChosen();
        return true;
    case IDC_OPTIONS_BACKGROUND:
        OnBackgroundChosen();
        return true;
    default:
        return false;
    }
}

void CFormOptionsEarth::OnRegionChosen() {
    if (FindRegion(SelectedText(Item(IDC_OPTIONS_REGION)), WorkingCopy().Region)) {
        InvalidateRect(Item(IDC_OPTIONS_EARTH_PREVIEW), nullptr, FALSE);
    } else {
        SelectCurrentRegion();
    }
}

void CFormOptionsEarth::OnBackgroundChosen() {
    if (SelectBackground(Program::PathEarth(), SelectedText(Item(IDC_OPTIONS_BACKGROUND)),
                         WorkingCopy().Background)) {
        InvalidateRect(Item(IDC_OPTIONS_EARTH_PREVIEW), nullptr, FALSE);
    } else {
        SelectCurrentBackground();
    }
}

INT_PTR CFormOptionsEarth::HandleMessage(UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_DRAWITEM) {
        return FALSE;
    }
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (item.CtlID != IDC_OPTIONS_EARTH_PREVIEW) {
        return FALSE;
    }
    DrawPreview(item);
    return TRUE;
}

void CFormOptionsEarth::DrawPreview(const DRAWITEMSTRUCT& item) {
    const int width = item.rcItem.right - item.rcItem.left;
    const int height = item.rcItem.bottom - item.rcItem.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    CBitmap canvas(width, height, PixelKind::Rgb24);
    {
        CGraphics graphics(canvas);
        graphics.SetPixelUnit();
        graphics.SetInterpolation(Interpolation::HighQuality);
        graphics.Clear(0xFF000000u);
        // Without a working copy (the dialog still hidden) the preview stays black.
        if (Frame().IsEditing()) {
            COptions& options = WorkingCopy();
            const auto& background = static_cast<const BackgroundBitmap&>(
                GetBackgroundImage(options.Background, LoadBackgroundBitmap));
            DrawRegion(graphics, options.Region, background.Bitmap(), 0, 0, width, height);
        }
    }
    CGraphics screen(item.hDC);
    screen.SetPixelUnit();
    screen.DrawImage(canvas, PixelRect{item.rcItem.left, item.rcItem.top, width, height},
                     PixelRect{0, 0, width, height});
}
