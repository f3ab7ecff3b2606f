#pragma once

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace qv::converter {

// A set of threads, the caller's among them, that runs one batch of jobs after another. Making
// a thread cost about 0.2 ms, so a picture's batches share one set instead of each making its
// own. Each thread takes the next job nobody has taken yet: one held up by another program
// leaves its share to the others instead of keeping everyone waiting for its last job.
class SideBySide {
public:
    using Job = std::function<void(int worker, int index)>;

    // Up to `threads` threads; fewer when no more can be had, down to the caller's alone.
    explicit SideBySide(int threads) {
        helpers_.reserve(size_t(std::max(threads - 1, 0)));
        for (int worker = 1; worker < threads; ++worker) {
            try {
                helpers_.emplace_back([this, worker] { serve(worker); });
            } catch (const std::system_error&) {
                break;
            }
        }
    }

    ~SideBySide() {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
    }  // the helpers are joined as they go out of scope, after the members they use

    SideBySide(const SideBySide&) = delete;
    SideBySide& operator=(const SideBySide&) = delete;

    // The threads there are: the values `worker` takes are 0 .. workers() - 1. What a thread
    // keeps between its jobs is indexed by it.
    int workers() const { return int(helpers_.size()) + 1; }

    // Runs job(worker, 0) .. job(worker, count - 1) and returns when all are done.
    void run(int count, const Job& job) {
        {
            const std::lock_guard lock(mutex_);
            job_ = &job;
            count_ = count;
            next_ = 0;
            busy_ = int(helpers_.size());
            ++batch_;
        }
        wake_.notify_all();
        work(0, job, count);
        std::unique_lock lock(mutex_);
        done_.wait(lock, [this] { return busy_ == 0; });
        job_ = nullptr;
    }

private:
    void work(int worker, const Job& job, int count) {
        for (int index = next_++; index < count; index = next_++)
            job(worker, index);
    }

    void serve(int worker) {
        int seen = 0;
        for (;;) {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [&] { return stopping_ || batch_ != seen; });
            if (stopping_)
                return;
            seen = batch_;
            const Job& job = *job_;
            const int count = count_;
            lock.unlock();
            work(worker, job, count);
            lock.lock();
            if (--busy_ == 0)
                done_.notify_one();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    const Job* job_ = nullptr;
    int count_ = 0;
    std::atomic<int> next_ = 0;
    int busy_ = 0;
    int batch_ = 0;
    bool stopping_ = false;
    std::vector<std::jthread> helpers_;  // last: joined before the rest goes
};

}  // namespace qv::converter
