#pragma once
#include "data/Options.h"

#include <cstdint>

// What the hidden window answers to message 1164 (WindowMessages::Diagnostics): WPARAM is the
// query, LPARAM the city where one is asked (0 the home city, 1 and on the favourites in
// order); the answer is the message's result. Windows counts a process's GDI objects, but Wine
// answers 0, so a tool watching for leaks asks the program's own count.
enum class DiagnosticsQuery : int {
    GraphicsObjects = 0,   // native objects the graphics layer's owners hold
    BatchesFinished = 1,   // download batches ended so far
    Cities = 2,            // the home city (when set) and the favourites
    ObservationMinute = 3, // the city's observation time in minutes since 1970 (UTC)
    Temperature = 4,       // the city's temperature in tenths of a degree Celsius
};

// The answer to a city query: NoAnswer for a city or a value that does not exist, or for a
// query that is not one of these.
constexpr int64_t NoDiagnosticsAnswer = INT64_MIN;
int64_t AnswerCityDiagnostics(const COptions& options, DiagnosticsQuery query, int64_t city);
