#pragma once
#include "InspectSupport.h"

// The weather subcommands: decoding station files and forecast documents, and fetching both
// from a server. Each prints one JSON object per station file, document or request.
int InspectMetar(const Args& args);
int InspectDwml(const Args& args);
int InspectFetch(const Args& args);
int InspectForecast(const Args& args);
