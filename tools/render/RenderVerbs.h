#pragma once

// One function per verb of orbimeteo-render, each in its own file; argv[0] is the first
// argument after the verb. Each answers the process exit code.
int RenderWeather(int argc, wchar_t** argv);
int RenderEarth(int argc, wchar_t** argv);
