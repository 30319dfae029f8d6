#include "app/Edition.h"

const wchar_t* DisplayNameOf(EnumAppKind kind) {
    return kind == EnumAppKind::GlobeGlow ? L"Globe Glow" : L"Cloud Pane";
}

const wchar_t* KeyNameOf(EnumAppKind kind) {
    return kind == EnumAppKind::GlobeGlow ? L"GlobeGlow" : L"CloudPane";
}

std::wstring MutexNameOf(EnumAppKind kind) {
    return std::wstring(L"Local\\") + KeyNameOf(kind) + L"-Desktop";
}

std::wstring RegistryKeyOf(EnumAppKind kind) {
    return std::wstring(L"Software\\") + KeyNameOf(kind);
}

std::wstring HiddenWindowTitleOf(EnumAppKind kind) {
    return std::wstring(DisplayNameOf(kind)) + L"_FormHidden";
}
