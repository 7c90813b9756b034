// Work on several threads whose results are used in their order: pages of a names file computed on every
// core and written as one thread writes them, one after the other.
#pragma once

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace talvenor {

// The most threads a run takes, and how many results it computes ahead of the one used next for a count
// of threads: enough to keep every thread busy while one result takes longer than the others, few enough
// that a long run holds a few hundred results at most.
inline constexpr unsigned kMostWorkThreads = 256;
inline constexpr std::size_t WorkWindow(unsigned threads) {
    return std::clamp<std::size_t>(std::size_t{4} * threads, 32, 256);
}

// Computes the results 0 … count - 1 and hands each to `use` on the calling thread, in that order.
//   makeWorker()            the state of one computing thread, made once on that thread (a copy of a
//                           session, say), so that no two computations share anything
//   compute(worker, index)  the result of one index; it may be called from several threads at once
//   use(index, result)      on the calling thread, in order; false ends the run (a write that failed)
//   stopped()               looked at between results; true ends the run (a signal)
// With one thread everything happens on the calling thread, one index after the other. With more, at most
// `window` results are held at any time: computed, waiting or being used. When the run ends early no result
// is used after the one that ended it, the threads stop after the result they compute and are joined
// before the call returns; an exception thrown by compute ends the run the same way and is thrown again
// here. Gives the number of results used.
template <class MakeWorker, class Compute, class Use, class Stopped>
std::size_t ComputeInOrder(std::size_t count, unsigned threads, std::size_t window, MakeWorker makeWorker,
                           Compute compute, Use use, Stopped stopped) {
    using Worker = decltype(makeWorker());
    using Result = decltype(compute(std::declval<Worker&>(), std::size_t{}));
    threads = std::clamp(threads, 1u, kMostWorkThreads);
    if (threads == 1 || count <= 1) {
        Worker worker = makeWorker();
        std::size_t used = 0;
        while (used < count && !stopped()) {
            if (!use(used, compute(worker, used))) return used + 1;
            ++used;
        }
        return used;
    }
    window = std::max<std::size_t>(window, 1);
    threads = static_cast<unsigned>(std::min<std::size_t>(threads, count));

    std::mutex lock;
    std::condition_variable roomMade;    // a result was used: a worker may take the next index
    std::condition_variable resultMade;  // the result used next is there, or the run ends
    std::vector<std::optional<Result>> slots(window);
    std::size_t taken = 0, used = 0;
    bool ended = false;
    std::exception_ptr thrown;

    // A thread takes a few indices in a row and hands their results over together, so that the threads
    // and the user of the results wake each other once for a few results rather than for every one.
    const std::size_t run = std::clamp<std::size_t>(window / (std::size_t{2} * threads), 1, 8);
    const auto work = [&] {
        try {
            Worker worker = makeWorker();
            std::vector<Result> results;
            results.reserve(run);
            for (;;) {
                std::size_t first = 0, n = 0;
                {
                    std::unique_lock held(lock);
                    roomMade.wait(held, [&] { return ended || taken == count || taken < used + window; });
                    if (ended || taken == count) return;
                    first = taken;
                    n = std::min({run, count - taken, used + window - taken});
                    taken += n;
                }
                results.clear();
                for (std::size_t index = first; index < first + n; ++index) {
                    if (stopped()) {
                        const std::lock_guard held(lock);
                        ended = true;
                        roomMade.notify_all();
                        resultMade.notify_one();
                        return;
                    }
                    results.push_back(compute(worker, index));
                }
                const std::lock_guard held(lock);
                for (std::size_t i = 0; i < n; ++i)
                    slots[(first + i) % window].emplace(std::move(results[i]));
                if (first == used) resultMade.notify_one();
            }
        } catch (...) {
            const std::lock_guard held(lock);
            if (!thrown) thrown = std::current_exception();
            ended = true;
            roomMade.notify_all();
            resultMade.notify_one();
        }
    };
    const auto end = [&] {
        const std::lock_guard held(lock);
        ended = true;
        roomMade.notify_all();
    };
    std::vector<std::jthread> workers;
    try {
        workers.reserve(threads);
        for (unsigned t = 0; t < threads; ++t) workers.emplace_back(work);
        // The results ready in a row are taken together and used outside the lock; they count in the
        // window until their use is over.
        std::vector<Result> ready;
        ready.reserve(window);
        while (used < count) {
            ready.clear();
            {
                std::unique_lock held(lock);
                // The stop is looked at now and then while a result is awaited: a signal wakes no one.
                while (!slots[used % window] && !ended) {
                    if (stopped()) break;
                    resultMade.wait_for(held, std::chrono::milliseconds(20));
                }
                if (ended || !slots[used % window]) break;
                for (std::size_t index = used; index < count && index < used + window; ++index) {
                    std::optional<Result>& slot = slots[index % window];
                    if (!slot) break;
                    ready.push_back(std::move(*slot));
                    slot.reset();
                }
            }
            std::size_t done = 0;
            bool goOn = true;
            for (Result& result : ready) {
                if (stopped()) {
                    goOn = false;
                    break;
                }
                goOn = use(used + done, std::move(result));
                ++done;
                if (!goOn) break;
            }
            {
                const std::lock_guard held(lock);
                used += done;
                roomMade.notify_all();
            }
            if (!goOn) break;
        }
    } catch (...) {
        // A thread that cannot be started or a use that throws ends the run as well: the threads are
        // stopped before they are joined.
        end();
        throw;
    }
    end();
    workers.clear();
    if (thrown) std::rethrow_exception(thrown);
    return used;
}

}  // namespace talvenor
