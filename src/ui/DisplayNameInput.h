#pragma once
#include <string>
#include <string_view>

namespace DisplayNameInput {
// The display name made of what the user typed: without white space at either end, and with
// ";" and line breaks turned into blanks, because the city line has no escaping and such a
// name would break the favourite's line in "Cities.txt". Empty when nothing is left.
std::wstring Clean(std::wstring_view typed);
} // namespace DisplayNameInput
