#pragma once
#include "app/AppMode.h"
#include "weather/ReportQueue.h"
#include "weather/WeatherDownloadWork.h"

#include <vector>

class City;
class COptions;

// The main thread's decisions about downloading: which cities are due, which list each goes to,
// and where a finished report belongs. The clock is DateTime::UtcNow.

// What the worker needs of a city, copied so that it never touches the City.
CWeatherRequest MakeWeatherRequest(const City& city);

// Program::DownloadWeather's choice, filled into an empty work item: a city is due when its
// observation (or, for a home city in "USA", its forecast) is more than 60 minutes old. The
// favourites count only where their weather is shown. Answers whether anything is due.
bool PlanWeatherDownload(const COptions& options, EnumAppKind kind, EnumAppMode mode, bool progressive,
                         CWeatherDownloadWork& work);

// Program::DownloadHomeCityWeather's choice: the home city's observation, due or not. Answers
// false without a home city.
bool PlanHomeCityDownload(const COptions& options, CWeatherDownloadWork& work);

// Program::TakeReports' merge: each report goes to its city in queue order (the home city
// before a favourite of the same id); a report for a city no longer kept is dropped. A failure
// stops the merging of the rest. Answers whether there was anything to merge.
bool ApplyReports(COptions& options, std::vector<QueuedReport> reports);
