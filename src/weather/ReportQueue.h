#pragma once
#include "core/CPtr.h"
#include "weather/WeatherReport.h"

#include <functional>
#include <mutex>
#include <vector>

// One finished report on its way to the main thread; Notify asks for it to be shown at once.
struct QueuedReport {
    CPtr<CWeatherReport> Report;
    bool Notify = false;
};

// The hand-over of reports from the worker to the main thread, under its own lock. Once the
// program is exiting, reports are discarded and nobody is to be told.
class CReportQueue {
public:
    explicit CReportQueue(std::function<bool()> exiting) : exiting_(std::move(exiting)) {}
    CReportQueue(const CReportQueue&) = delete;
    CReportQueue& operator=(const CReportQueue&) = delete;

    bool Exiting() const { return exiting_(); }
    // Worker side. Answers whether the main thread should be told now: notify was asked and
    // the program is not exiting.
    bool QueueReport(CPtr<CWeatherReport> report, bool notify);
    // Main-thread side: every entry, in the order queued; the queue is left empty.
    std::vector<QueuedReport> TakeAll();

private:
    std::function<bool()> exiting_;
    std::mutex lock_;
    std::vector<QueuedReport> entries_;
};
