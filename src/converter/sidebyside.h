#pragma once

#include <system_error>
#include <thread>
#include <vector>

namespace qv::converter {

// Runs job(0) .. job(count - 1) side by side, each on a thread of its own but job(0), which runs
// on the caller's; returns when all are done. Jobs no thread can be had for run on the caller's
// thread after job(0): the result never depends on how many threads there were.
template <typename Job>
void runSideBySide(int count, const Job& job) {
    int handedOut = 1;
    std::vector<std::jthread> workers;  // joined when they go out of scope
    workers.reserve(size_t(count > 1 ? count - 1 : 0));
    for (; handedOut < count; ++handedOut) {
        try {
            workers.emplace_back([&job, handedOut] { job(handedOut); });
        } catch (const std::system_error&) {
            break;
        }
    }
    job(0);
    for (int index = handedOut; index < count; ++index)
        job(index);
}

}  // namespace qv::converter
