#include "core/ApplicationException.h"
#include "weather/ThreadPool.h"
#include "weather/WeatherDownloadWork.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {
using namespace std::chrono_literals;

// Answers every request from memory; stations listed as failing throw like a failed download.
class FakeSource : public IWeatherSource {
public:
    FakeSource(std::set<std::wstring> failing, std::function<void()> onFetch)
        : failing_(std::move(failing)), onFetch_(std::move(onFetch)) {}

    CPtr<CWeatherReport> GetWeatherReport(const CWeatherRequest& request) override {
        onFetch_();
        if (failing_.count(request.Icao) != 0) {
            ThrowApplicationException("FakeSource::GetWeatherReport (1)");
        }
        CPtr<CWeatherReport> report(new CWeatherReport());
        report->CityId = request.CityId;
        return report;
    }
    CPtr<CWeatherReport> GetWeatherReportWithForecast(const CWeatherRequest& request) override {
        CPtr<CWeatherReport> report = GetWeatherReport(request);
        if (failing_.count(request.Icao + L"+forecast") != 0) {
            ThrowApplicationException("FakeSource::GetWeatherReportWithForecast (2)");
        }
        return report;
    }

private:
    std::set<std::wstring> failing_;
    std::function<void()> onFetch_;
};

// A batch run on the test's thread, recording what the main thread would be told.
class DownloadWorkTest : public ::testing::Test {
protected:
    DownloadWorkTest() : reports_(std::make_shared<CReportQueue>([this] { return exiting_.load(); })) {}

    CWeatherDownloadWork MakeWork(bool progressive, int cities, std::set<std::wstring> failing = {}) {
        WeatherWorkSite site;
        site.Reports = reports_;
        site.OpenSource = [this, failing] {
            return std::make_unique<FakeSource>(failing, [this] { onFetch_(); });
        };
        site.Signal = [this](WeatherSignal signal) {
            signals_.push_back(signal == WeatherSignal::BatchFinished ? "finished" : "queued");
        };
        site.PauseAfterFailure = [this] { ++pauses_; };
        CWeatherDownloadWork work(site);
        work.Progressive = progressive;
        for (int i = 1; i <= cities; ++i) {
            CWeatherRequest request;
            request.CityId = i;
            request.Icao = L"K" + std::to_wstring(i);
            work.CurrentRequests.push_back(request);
        }
        return work;
    }

    // The ids of the queued reports, and of those that asked to be shown at once.
    void TakeQueue() {
        for (const QueuedReport& entry : reports_->TakeAll()) {
            ids_.push_back(entry.Report->CityId);
            if (entry.Notify) {
                notified_.push_back(entry.Report->CityId);
            }
        }
    }

    std::atomic<bool> exiting_{false};
    std::function<void()> onFetch_ = [] {};
    std::shared_ptr<CReportQueue> reports_;
    std::vector<std::string> signals_;
    std::vector<int> ids_;
    std::vector<int> notified_;
    int pauses_ = 0;
};

TEST_F(DownloadWorkTest, ProgressiveBatchTellsAfterTheSecondFourthAndNinthCity) {
    MakeWork(true, 10).Execute();
    TakeQueue();
    EXPECT_EQ(ids_.size(), 10u);
    EXPECT_EQ(notified_, (std::vector<int>{2, 4, 9}));
    EXPECT_EQ(signals_, (std::vector<std::string>{"queued", "queued", "queued", "finished"}));
    EXPECT_EQ(pauses_, 0);
}

TEST_F(DownloadWorkTest, FailedCitiesDoNotCountAndPauseTheBatch) {
    // K2 fails: the 2nd city fetched is K3, the 4th K5.
    MakeWork(true, 6, {L"K2"}).Execute();
    TakeQueue();
    EXPECT_EQ(ids_, (std::vector<int>{1, 3, 4, 5, 6}));
    EXPECT_EQ(notified_, (std::vector<int>{3, 5}));
    EXPECT_EQ(pauses_, 1);
}

TEST_F(DownloadWorkTest, NotProgressiveTellsOnlyAtTheEnd) {
    MakeWork(false, 10).Execute();
    TakeQueue();
    EXPECT_EQ(ids_.size(), 10u);
    EXPECT_TRUE(notified_.empty());
    EXPECT_EQ(signals_, std::vector<std::string>{"finished"});
}

TEST_F(DownloadWorkTest, EveryCityFailingStillFinishesTheBatch) {
    MakeWork(true, 3, {L"K1", L"K2", L"K3"}).Execute();
    TakeQueue();
    EXPECT_TRUE(ids_.empty());
    EXPECT_EQ(signals_, std::vector<std::string>{"finished"});
    EXPECT_EQ(pauses_, 3);
}

TEST_F(DownloadWorkTest, AFailedForecastDropsTheWholeReport) {
    CWeatherRequest home;
    home.CityId = 7;
    home.Icao = L"KLAX";
    CWeatherDownloadWork work = MakeWork(true, 1);
    work.ForecastRequests.push_back(home);
    work.Execute();
    TakeQueue();
    // In a progressive batch the forecast city is shown at once.
    EXPECT_EQ(ids_, (std::vector<int>{7, 1}));
    EXPECT_EQ(notified_, std::vector<int>{7});

    ids_.clear();
    CWeatherDownloadWork failing = MakeWork(true, 1, {L"KLAX+forecast"});
    failing.ForecastRequests.push_back(home);
    failing.Execute();
    TakeQueue();
    EXPECT_EQ(ids_, std::vector<int>{1});
    EXPECT_EQ(pauses_, 1);
}

TEST_F(DownloadWorkTest, ReportsAfterExitingAreDiscardedAndNothingIsTold) {
    int fetched = 0;
    onFetch_ = [this, &fetched] {
        if (++fetched == 4) {
            exiting_ = true;
        }
    };
    MakeWork(true, 10).Execute();
    TakeQueue();
    EXPECT_EQ(ids_, (std::vector<int>{1, 2, 3}));
    // Told after the 2nd city; after that only silence, not even the end of the batch.
    EXPECT_EQ(signals_, std::vector<std::string>{"queued"});
}

// An item that records its run and, when asked, waits for the test to let it go.
class RecordingWork : public IWork {
public:
    struct Log {
        std::mutex Lock;
        std::condition_variable Changed;
        std::vector<int> Runs;
        std::vector<int> Destroyed;
        bool Released = false;
    };
    RecordingWork(std::shared_ptr<Log> log, int id, bool hold = false, bool fail = false)
        : log_(std::move(log)), id_(id), hold_(hold), fail_(fail) {}
    ~RecordingWork() override {
        const std::lock_guard<std::mutex> lock(log_->Lock);
        log_->Destroyed.push_back(id_);
        log_->Changed.notify_all();
    }
    void Execute() override {
        std::unique_lock<std::mutex> lock(log_->Lock);
        log_->Runs.push_back(id_);
        log_->Changed.notify_all();
        if (hold_) {
            log_->Changed.wait_for(lock, 10s, [this] { return log_->Released; });
        }
        if (fail_) {
            ThrowApplicationException("RecordingWork::Execute (1)");
        }
    }

private:
    std::shared_ptr<Log> log_;
    int id_;
    bool hold_;
    bool fail_;
};

bool WaitFor(RecordingWork::Log& log, const std::function<bool()>& done) {
    std::unique_lock<std::mutex> lock(log.Lock);
    return log.Changed.wait_for(lock, 10s, done);
}

TEST(ThreadPoolTest, RunsItemsOneAfterTheOtherInQueueOrderAndSurvivesFailures) {
    auto log = std::make_shared<RecordingWork::Log>();
    CThreadPool pool;
    ASSERT_TRUE(pool.Start());
    EXPECT_FALSE(pool.Start());
    for (int id = 1; id <= 20; ++id) {
        pool.Queue(new RecordingWork(log, id, false, id % 3 == 0));
    }
    ASSERT_TRUE(WaitFor(*log, [&log] { return log->Destroyed.size() == 20; }));
    pool.Stop(1000);
    std::vector<int> expected;
    for (int id = 1; id <= 20; ++id) {
        expected.push_back(id);
    }
    EXPECT_EQ(log->Runs, expected);
    // Each item is gone before the next one starts.
    EXPECT_EQ(log->Destroyed, expected);
}

TEST(ThreadPoolTest, StopWaitsBrieflyForABusyWorkerAndNeverRunsWhatWasQueuedBehind) {
    auto log = std::make_shared<RecordingWork::Log>();
    {
        CThreadPool pool;
        pool.Start();
        pool.Queue(new RecordingWork(log, 1, true));
        pool.Queue(new RecordingWork(log, 2));
        ASSERT_TRUE(WaitFor(*log, [&log] { return !log->Runs.empty(); }));

        const auto start = std::chrono::steady_clock::now();
        pool.Stop(100);
        const auto waited = std::chrono::steady_clock::now() - start;
        EXPECT_LT(waited, 2s);
        EXPECT_FALSE(pool.IsRunning());
        // Queued after the stop: destroyed unrun.
        pool.Queue(new RecordingWork(log, 3));
    }
    {
        const std::lock_guard<std::mutex> lock(log->Lock);
        log->Released = true;
        log->Changed.notify_all();
    }
    // The abandoned worker finishes its item on its own and takes nothing else.
    ASSERT_TRUE(WaitFor(*log, [&log] { return log->Destroyed.size() == 3; }));
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(log->Runs, std::vector<int>{1});
}

TEST(ThreadPoolTest, AnUnstartedPoolDropsItemsAndStopsAtOnce) {
    auto log = std::make_shared<RecordingWork::Log>();
    CThreadPool pool;
    pool.Queue(new RecordingWork(log, 1));
    pool.Stop(100);
    EXPECT_TRUE(log->Runs.empty());
    EXPECT_EQ(log->Destroyed, std::vector<int>{1});
}
} // namespace
