#pragma once
#include "weather/IWork.h"

#include <memory>
#include <thread>

// The background worker: one thread that runs queued items strictly one after the other, in the
// order queued. Started and stopped on the main thread; items may be queued from any thread.
class CThreadPool {
public:
    static constexpr int DefaultStopWaitMs = 36000;

    CThreadPool();
    // Stops with the default wait if still running.
    ~CThreadPool();
    CThreadPool(const CThreadPool&) = delete;
    CThreadPool& operator=(const CThreadPool&) = delete;

    // Starts the worker; false when the pool was started before (nothing changes then).
    bool Start();
    bool IsRunning() const;
    // The pool owns the item from now on. An item queued to a pool that is not running is
    // destroyed unrun.
    void Queue(IWork* work);
    // Items not yet begun are dropped; the item being run may finish within waitMs. A worker
    // still busy after that is abandoned: it ends on its own once its item returns, touching
    // nothing but what it shares with the pool, and never starts another item.
    void Stop(int waitMs);

private:
    struct State;
    static void Run(std::shared_ptr<State> state);

    std::shared_ptr<State> state_;
    std::thread worker_;
    bool started_ = false;
};
