#include "weather/ReportQueue.h"

bool CReportQueue::QueueReport(CPtr<CWeatherReport> report, bool notify) {
    if (Exiting()) {
        return false;
    }
    {
        const std::lock_guard<std::mutex> lock(lock_);
        entries_.push_back(QueuedReport{std::move(report), notify});
    }
    return notify && !Exiting();
}

std::vector<QueuedReport> CReportQueue::TakeAll() {
    std::vector<QueuedReport> taken;
    const std::lock_guard<std::mutex> lock(lock_);
    taken.swap(entries_);
    return taken;
}
