#pragma once
#include "core/Nullable.h"

// The role the program runs in, chosen by the program file's extension and the command line.
enum class EnumAppMode { Desktop = 0, SS_SS = 1, SS_Configure = 2, SS_Preview = 3 };

// The edition, chosen by the program file's base name.
enum class EnumAppKind { GlobeGlow = 0, CloudPane = 1 };

template <> struct NullableLocation<EnumAppMode> {
    static constexpr const char* Value = "Nullable<enum EnumAppMode>::Value (20)";
};

template <> struct NullableLocation<EnumAppKind> {
    static constexpr const char* Value = "Nullable<enum EnumAppKind>::Value (20)";
};
