#include "ui/FormOptionsDisplay.h"

#include "app/Program.h"
#include "core/ApplicationException.h"
#include "data/Options.h"
#include "render/GraphicsWin32.h"
#include "ui/DisplayPreviewWin32.h"
#include "ui/FormOptions.h"
#include "ui/OptionsChoices.h"
#include "ui/OptionsIds.h"

#include <commctrl.h>
#include <commdlg.h>

namespace {
constexpr int IconScalePageSize = 20;
constexpr int IconScaleTickEvery = 5;

COLORREF ToColorRef(uint32_t argb) {
    return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

uint32_t FromColorRef(COLORREF color) {
    return 0xFF000000u | (uint32_t{GetRValue(color)} << 16) | (uint32_t{GetGValue(color)} << 8) |
           uint32_t{GetBValue(color)};
}
} // namespace

bool CFormOptionsDisplay::OnInit() {
    COptionsPage::OnInit();
    const HWND scale = Item(IDC_OPTIONS_ICON_SCALE);
    SendMessageW(scale, TBM_SETRANGEMIN, FALSE, OptionsChoices::MinIconScale);
    SendMessageW(scale, TBM_SETRANGEMAX, FALSE, OptionsChoices::MaxIconScale);
    SendMessageW(scale, TBM_SETPAGESIZE, 0, IconScalePageSize);
    SendMessageW(scale, TBM_SETTICFREQ, IconScaleTickEvery, 0);
    return false;
}

void CFormOptionsDisplay::Populate(COptions& workingCopy) {
    SetChecked(IDC_OPTIONS_SHOW_WEATHER, workingCopy.ShowWeather);
    ShowUnit(workingCopy.UseMetricSystem);
    SetChecked(IDC_OPTIONS_SHOW_NAME, workingCopy.DispalyCityName);
    SetChecked(IDC_OPTIONS_SHOW_TEMPERATURE, workingCopy.DisplayCityTemprature);
    SendMessageW(Item(IDC_OPTIONS_ICON_SCALE), TBM_SETPOS, TRUE, workingCopy.WeatherIconScale);
    ShowIconScale(workingCopy.WeatherIconScale);
    RepaintPreview();
}

void CFormOptionsDisplay::ShowUnit(bool metric) {
    SetChecked(IDC_OPTIONS_FAHRENHEIT, !metric);
    SetChecked(IDC_OPTIONS_CELSIUS, metric);
}

void CFormOptionsDisplay::ShowIconScale(int scale) {
    SetDlgItemTextW(Handle(), IDC_OPTIONS_ICON_SCALE_TEXT, OptionsChoices::IconScaleText(scale).c_str());
}

void CFormOptionsDisplay::RepaintPreview() {
    InvalidateRect(Item(IDC_OPTIONS_DISPLAY_PREVIEW), nullptr, FALSE);
}

bool CFormOptionsDisplay::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) {
        return false;
    }
    COptions& options = WorkingCopy();
    switch (id) {
    case IDC_OPTIONS_SHOW_WEATHER:
        options.ShowWeather = IsChecked(id);
        return true;
    case IDC_OPTIONS_FAHRENHEIT:
    case IDC_OPTIONS_CELSIUS:
        Frame().OnUnitChosen(id == IDC_OPTIONS_CELSIUS);
        return true;
    case IDC_OPTIONS_SHOW_NAME:
        options.DispalyCityName = IsChecked(id);
        break;
    case IDC_OPTIONS_SHOW_TEMPERATURE:
        options.DisplayCityTemprature = IsChecked(id);
        break;
    case IDC_OPTIONS_NAME_FONT:
        PickFont(options.FontCityName, "CFormOptions::OnBnClickedButtonCityNameFont (673)");
        break;
    case IDC_OPTIONS_TEMPERATURE_FONT:
        PickFont(options.FontCityTemprature, "CFormOptions::OnBnClickedButtonTempratureFont (711)");
        break;
    case IDC_OPTIONS_NAME_COLOR:
        PickColor(options.ColorCityName);
        break;
    case IDC_OPTIONS_TEMPERATURE_COLOR:
        PickColor(options.ColorCityTemprature);
        break;
    default:
        return false;
    }
    RepaintPreview();
    return true;
}

void CFormOptionsDisplay::PickFont(FontValue& setting, const char* failureLocation) {
    LOGFONTW font{};
    {
        const CFont current(setting);
        const CGraphics graphics(Frame().Handle());
        if (!current.GetLogFont(graphics, font)) {
            ThrowApplicationException(failureLocation);
        }
    }
    CHOOSEFONTW chooser{};
    chooser.lStructSize = sizeof(chooser);
    chooser.hwndOwner = Frame().Handle();
    chooser.lpLogFont = &font;
    chooser.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
    if (!ChooseFontW(&chooser)) {
        return;
    }
    setting =
        OptionsChoices::ChosenFont(font.lfFaceName, chooser.iPointSize, font.lfWeight, font.lfItalic != 0);
}

void CFormOptionsDisplay::PickColor(uint32_t& setting) {
    CHOOSECOLORW chooser{};
    chooser.lStructSize = sizeof(chooser);
    chooser.hwndOwner = Frame().Handle();
    chooser.rgbResult = ToColorRef(setting);
    chooser.lpCustColors = customColors_;
    chooser.Flags = CC_RGBINIT;
    if (ChooseColorW(&chooser)) {
        setting = FromColorRef(chooser.rgbResult);
    }
}

void CFormOptionsDisplay::OnIconScaleMoved() {
    const int position = static_cast<int>(SendMessageW(Item(IDC_OPTIONS_ICON_SCALE), TBM_GETPOS, 0, 0));
    if (!OptionsChoices::IsIconScale(position)) {
        return;
    }
    WorkingCopy().WeatherIconScale = position;
    RepaintPreview();
    ShowIconScale(position);
}

INT_PTR CFormOptionsDisplay::HandleMessage(UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
    case WM_HSCROLL:
        if (reinterpret_cast<HWND>(lParam) == Item(IDC_OPTIONS_ICON_SCALE)) {
            OnIconScaleMoved();
            return TRUE;
        }
        return FALSE;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlID != IDC_OPTIONS_DISPLAY_PREVIEW) {
            return FALSE;
        }
        DrawPreview(item);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

void CFormOptionsDisplay::DrawPreview(const DRAWITEMSTRUCT& item) {
    const int width = item.rcItem.right - item.rcItem.left;
    const int height = item.rcItem.bottom - item.rcItem.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    CGraphics screen(item.hDC);
    screen.SetPixelUnit();
    CBitmap canvas(width, height, PixelKind::Rgb24);
    // The labels' point sizes as the Earth viewer on this screen draws them.
    canvas.SetResolution(screen.DpiY(), screen.DpiY());
    {
        CGraphics graphics(canvas);
        graphics.SetPixelUnit();
        graphics.Clear(0xFF000000u);
        // Without a working copy (the dialog still hidden) the preview stays black.
        if (Frame().IsEditing()) {
            DrawDisplayPreview(graphics, WorkingCopy(), width, height);
        }
    }
    screen.DrawImage(canvas, PixelRect{item.rcItem.left, item.rcItem.top, width, height},
                     PixelRect{0, 0, width, height});
}
