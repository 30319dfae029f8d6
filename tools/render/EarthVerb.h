#pragma once
#include <string>
#include <vector>

// The arguments after the verb; answers the exit code.
int RunEarthVerb(const std::vector<std::wstring>& args);
