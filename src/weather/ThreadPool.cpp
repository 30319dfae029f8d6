#include "weather/ThreadPool.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

struct CThreadPool::State {
    std::mutex Lock;
    std::condition_variable Wake;  // work queued, or stop requested
    std::condition_variable Ended; // the worker has left its loop
    std::deque<std::unique_ptr<IWork>> Items;
    bool Accepting = false; // from the start to the stop
    bool Stopping = false;
    bool Done = false;
};

CThreadPool::CThreadPool() : state_(std::make_shared<State>()) {}

CThreadPool::~CThreadPool() {
    Stop(DefaultStopWaitMs);
}

bool CThreadPool::Start() {
    if (started_) {
        return false;
    }
    {
        const std::lock_guard<std::mutex> lock(state_->Lock);
        state_->Accepting = true;
    }
    worker_ = std::thread(Run, state_);
    started_ = true;
    return true;
}

bool CThreadPool::IsRunning() const {
    return worker_.joinable();
}

void CThreadPool::Queue(IWork* work) {
    std::unique_ptr<IWork> item(work);
    {
        const std::lock_guard<std::mutex> lock(state_->Lock);
        if (!state_->Accepting) {
            return; // the item goes after the lock is released
        }
        state_->Items.push_back(std::move(item));
    }
    state_->Wake.notify_one();
}

void CThreadPool::Stop(int waitMs) {
    if (!IsRunning()) {
        return;
    }
    std::deque<std::unique_ptr<IWork>> dropped;
    bool ended = false;
    {
        std::unique_lock<std::mutex> lock(state_->Lock);
        state_->Accepting = false;
        state_->Stopping = true;
        dropped.swap(state_->Items);
        state_->Wake.notify_all();
        ended =
            state_->Ended.wait_for(lock, std::chrono::milliseconds(waitMs), [this] { return state_->Done; });
    }
    if (ended) {
        worker_.join();
    } else {
        worker_.detach();
    }
}

void CThreadPool::Run(std::shared_ptr<State> state) {
    for (;;) {
        std::unique_ptr<IWork> item;
        {
            std::unique_lock<std::mutex> lock(state->Lock);
            state->Wake.wait(lock, [&state] { return state->Stopping || !state->Items.empty(); });
            if (state->Stopping) {
                break;
            }
            item = std::move(state->Items.front());
            state->Items.pop_front();
        }
        try {
            item->Execute();
        } catch (...) {
            // A failed item is the item's own business; the worker goes on with the next.
        }
        item.reset();
    }
    {
        const std::lock_guard<std::mutex> lock(state->Lock);
        state->Done = true;
    }
    state->Ended.notify_all();
}
