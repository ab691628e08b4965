// parallel_for: runs independent jobs on a few threads, each thread taking the
// next job not yet taken, so that jobs of very different sizes keep every
// thread busy to the end.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace ds_app {

/// Threads worth starting on this machine: its cores, at least one.
inline unsigned available_threads() { return std::max(1u, std::thread::hardware_concurrency()); }

/// Calls `job(i)` for every i below `count` on up to `threads` threads (the
/// caller's among them). The first exception a job throws is thrown here once
/// every thread has stopped; jobs not yet started then do not start.
template <class Job>
void parallel_for(std::size_t count, unsigned threads, Job&& job)
{
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    std::exception_ptr first;
    std::mutex guard;
    auto work = [&] {
        for (std::size_t i; !failed && (i = next++) < count;) {
            try {
                job(i);
            } catch (...) {
                const std::lock_guard lock(guard);
                if (!first) first = std::current_exception();
                failed = true;
            }
        }
    };
    std::vector<std::thread> helpers;
    const std::size_t wanted = std::min<std::size_t>(std::max(1u, threads), count);
    for (std::size_t t = 1; t < wanted; ++t) helpers.emplace_back(work);
    work();
    for (std::thread& helper : helpers) helper.join();
    if (first) std::rethrow_exception(first);
}

}  // namespace ds_app
