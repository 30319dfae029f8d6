#pragma once

// One piece of background work. A queued item belongs to the thread pool, which destroys it
// right after Execute returns or throws.
class IWork {
public:
    virtual void Execute() = 0;
    virtual ~IWork() = default;
};
