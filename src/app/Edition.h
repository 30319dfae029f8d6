#pragma once
#include "app/AppMode.h"

#include <string>

// The names each edition goes by. The key name names the per-user folders, the registry key
// and the single-instance mutex; the display name is what the user reads.
const wchar_t* DisplayNameOf(EnumAppKind kind);
const wchar_t* KeyNameOf(EnumAppKind kind);

// "Local\CloudPane-Desktop": one desktop instance per edition and session.
std::wstring MutexNameOf(EnumAppKind kind);
// "Software\CloudPane", under the current user and the machine.
std::wstring RegistryKeyOf(EnumAppKind kind);
// "Cloud Pane_FormHidden": the hidden window's title, by which a second start finds the first.
std::wstring HiddenWindowTitleOf(EnumAppKind kind);
