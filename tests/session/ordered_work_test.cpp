// Work on several threads used in its order: every result once, in order, a bounded number ahead, and a
// run that ends early stops its threads.
#include "session/ordered_work.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace talvenor {
namespace {

// A result that takes a different while for every index, so that the threads finish out of order.
void RandomPause(std::size_t index) {
    std::minstd_rand random(static_cast<unsigned>(index) * 7919u + 1u);
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 400));
}

TEST(OrderedWorkTest, ResultsThatFinishOutOfOrderAreUsedOnceEachInOrder) {
    const struct {
        std::size_t count;
        unsigned threads;
        std::size_t window;
    } cases[] = {
        {0, 1, 32},  {0, 4, 32},   {1, 4, 32},  {2, 2, 32},  {7, 1, 32},
        {300, 2, 8}, {300, 3, 32}, {300, 8, 4}, {300, 8, 1}, {40, 64, 256},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.count) + " results, " + std::to_string(c.threads) +
                     " threads, window " + std::to_string(c.window));
        std::vector<std::string> used;
        const std::size_t n = ComputeInOrder(
            c.count, c.threads, c.window, [] { return 0; },
            [](int&, std::size_t index) {
                RandomPause(index);
                return "result " + std::to_string(index);
            },
            [&](std::size_t index, std::string&& result) {
                EXPECT_EQ(index, used.size());
                used.push_back(std::move(result));
                return true;
            },
            [] { return false; });
        EXPECT_EQ(n, c.count);
        ASSERT_EQ(used.size(), c.count);
        for (std::size_t i = 0; i < c.count; ++i) EXPECT_EQ(used[i], "result " + std::to_string(i));
    }
}

TEST(OrderedWorkTest, NoMoreResultsThanTheWindowAreHeldAtOnce) {
    for (const auto& [threads, window] : {std::pair{8u, std::size_t{3}}, {4u, 16}, {2u, 1}, {16u, 32}}) {
        SCOPED_TRACE(std::to_string(threads) + " threads, window " + std::to_string(window));
        std::atomic<std::size_t> ahead{0}, mostAhead{0};
        ComputeInOrder(
            200, threads, window, [] { return 0; },
            [&](int&, std::size_t index) {
                const std::size_t now = ++ahead;
                std::size_t most = mostAhead.load();
                while (now > most && !mostAhead.compare_exchange_weak(most, now)) {
                }
                RandomPause(index);
                return index;
            },
            [&](std::size_t, std::size_t&&) {
                // The result used next waits a little, so that the others pile up behind it.
                std::this_thread::sleep_for(std::chrono::microseconds(100));
                --ahead;
                return true;
            },
            [] { return false; });
        EXPECT_LE(mostAhead.load(), window);
        EXPECT_GE(mostAhead.load(), std::min<std::size_t>(window, 2))
            << "the threads never worked side by side";
        EXPECT_EQ(ahead.load(), 0u);
    }
}

TEST(OrderedWorkTest, EachThreadMakesItsOwnWorkerOnceAndComputesWithItAlone) {
    std::mutex lock;
    std::set<std::thread::id> makers;
    std::size_t made = 0;
    std::atomic<bool> shared{false};
    ComputeInOrder(
        120, 3, 16,
        [&] {
            const std::lock_guard held(lock);
            ++made;
            makers.insert(std::this_thread::get_id());
            return std::this_thread::get_id();
        },
        [&](std::thread::id& maker, std::size_t index) {
            if (maker != std::this_thread::get_id()) shared = true;
            RandomPause(index);
            return index;
        },
        [](std::size_t, std::size_t&&) { return true; }, [] { return false; });
    EXPECT_FALSE(shared.load());
    EXPECT_LE(made, 3u);
    EXPECT_EQ(makers.size(), made);
    EXPECT_FALSE(makers.contains(std::this_thread::get_id())) << "the calling thread only uses the results";
}

// How a run is ended at the result numbered `last`: the use refuses it (a failed write), the stop is
// asked during it (a signal), or the computation throws.
enum class Ending { UseRefuses, StopAsked, ComputeThrows };

TEST(OrderedWorkTest, ARunEndedEarlyUsesNothingAfterTheEndAndJoinsItsThreads) {
    for (const Ending ending : {Ending::UseRefuses, Ending::StopAsked, Ending::ComputeThrows}) {
        for (const unsigned threads : {1u, 2u, 4u, 8u}) {
            SCOPED_TRACE(std::to_string(static_cast<int>(ending)) + ", " + std::to_string(threads) +
                         " threads");
            constexpr std::size_t kLast = 37, kWindow = 8;
            std::atomic<bool> stop{false};
            std::atomic<std::size_t> highestComputed{0};
            std::vector<std::size_t> used;
            const auto run = [&] {
                return ComputeInOrder(
                    10000, threads, kWindow, [] { return 0; },
                    [&](int&, std::size_t index) {
                        if (ending == Ending::ComputeThrows && index == kLast) throw std::runtime_error("no");
                        std::size_t high = highestComputed.load();
                        while (index > high && !highestComputed.compare_exchange_weak(high, index)) {
                        }
                        RandomPause(index);
                        return index;
                    },
                    [&](std::size_t index, std::size_t&&) {
                        used.push_back(index);
                        if (ending == Ending::StopAsked && index == kLast) stop = true;
                        return !(ending == Ending::UseRefuses && index == kLast);
                    },
                    [&] { return stop.load(); });
            };
            if (ending == Ending::ComputeThrows) {
                EXPECT_THROW(run(), std::runtime_error);
                // None after the one that threw; with one thread every one before it.
                ASSERT_LE(used.size(), kLast);
                if (threads == 1) {
                    EXPECT_EQ(used.size(), kLast);
                }
            } else {
                EXPECT_EQ(run(), kLast + 1);
                ASSERT_EQ(used.size(), kLast + 1);
            }
            for (std::size_t i = 0; i < used.size(); ++i) EXPECT_EQ(used[i], i);
            // The threads stopped within the window of the end, not at the end of the work.
            EXPECT_LT(highestComputed.load(), kLast + 1 + kWindow + threads);
        }
    }
}

TEST(OrderedWorkTest, AStopAskedBeforeTheRunComputesNothing) {
    for (const unsigned threads : {1u, 4u}) {
        std::atomic<int> computed{0};
        const std::size_t n = ComputeInOrder(
            50, threads, 8, [] { return 0; },
            [&](int&, std::size_t index) {
                ++computed;
                return index;
            },
            [](std::size_t, std::size_t&&) { return true; }, [] { return true; });
        EXPECT_EQ(n, 0u);
        EXPECT_EQ(computed.load(), 0);
    }
}

TEST(OrderedWorkTest, AUseThatThrowsEndsTheRunWithoutLeavingAThreadWaiting) {
    EXPECT_THROW(ComputeInOrder(
                     1000, 4, 4, [] { return 0; }, [](int&, std::size_t index) { return index; },
                     [](std::size_t index, std::size_t&&) {
                         if (index == 10) throw std::logic_error("write");
                         return true;
                     },
                     [] { return false; }),
                 std::logic_error);
}

TEST(OrderedWorkTest, TheWindowKeepsEveryThreadBusyAndStaysAFewHundredAtMost) {
    for (unsigned threads = 1; threads <= kMostWorkThreads; ++threads) {
        EXPECT_GE(WorkWindow(threads), threads);
        EXPECT_LE(WorkWindow(threads), 256u);
    }
}

}  // namespace
}  // namespace talvenor
