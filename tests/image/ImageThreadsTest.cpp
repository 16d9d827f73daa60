// The two ways image files use more than one core: an ordered parallel loop
// (strips and bands compressed or decoded anywhere, handed on in order) and
// a two-stage pipeline behind a decoder that must go in order.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <stdexcept>
#include <vector>

#include "host/image/BandPipeline.h"
#include "host/image/OrderedParallelLoop.h"

namespace {

using oxhost::RunBandPipeline;
using oxhost::RunOrderedParallelLoop;

TEST(OrderedParallelLoopTest, ConsumesEveryIndexOnceInOrderNeverPastTheWindow) {
    for (size_t threads : {1, 2, 4}) {
        constexpr size_t kCount = 300;
        constexpr size_t kWindow = 3;
        std::vector<std::atomic<int>> worked(kCount);
        std::atomic<size_t> consumed{0};
        std::atomic<size_t> beyondWindow{0};
        std::atomic<size_t> badWorker{0};
        std::vector<size_t> order;
        RunOrderedParallelLoop(
            kCount, threads, kWindow,
            [&](size_t index, size_t worker) {
                if (index >= consumed + kWindow) {
                    ++beyondWindow;
                }
                if (worker >= threads) {
                    ++badWorker;
                }
                ++worked[index];
            },
            [&](size_t index) {
                EXPECT_EQ(worked[index], 1) << index;
                order.push_back(index);
                ++consumed;
            });
        ASSERT_EQ(order.size(), kCount) << threads;
        for (size_t index = 0; index < kCount; ++index) {
            EXPECT_EQ(order[index], index);
            EXPECT_EQ(worked[index], 1);
        }
        EXPECT_EQ(beyondWindow, 0u);
        EXPECT_EQ(badWorker, 0u);
    }
}

TEST(OrderedParallelLoopTest, FirstFailureStopsTheLoopAndIsRethrown) {
    std::vector<size_t> consumedIndices;
    EXPECT_THROW(RunOrderedParallelLoop(
                     100, 2, 4,
                     [](size_t index, size_t) {
                         if (index == 37) {
                             throw std::runtime_error("work failed");
                         }
                     },
                     [&](size_t index) { consumedIndices.push_back(index); }),
                 std::runtime_error);
    ASSERT_FALSE(consumedIndices.empty());
    EXPECT_LT(consumedIndices.back(), 37u);

    std::atomic<size_t> highestWorked{0};
    EXPECT_THROW(RunOrderedParallelLoop(
                     100, 2, 4,
                     [&](size_t index, size_t) {
                         size_t seen = highestWorked;
                         while (index > seen && !highestWorked.compare_exchange_weak(seen, index)) {
                         }
                     },
                     [](size_t index) {
                         if (index == 10) {
                             throw std::runtime_error("consume failed");
                         }
                     }),
                 std::runtime_error);
    EXPECT_LT(highestWorked, 10u + 4u);
}

TEST(BandPipelineTest, HandsEveryBandOverInOrderAndStopsAtTheFirstFailure) {
    constexpr size_t kBandBytes = 64;
    std::vector<size_t> seen;
    RunBandPipeline(
        50, 3, kBandBytes,
        [](size_t band, uint8_t* buffer) {
            for (size_t index = 0; index < kBandBytes; ++index) {
                buffer[index] = uint8_t(band * 7 + index);
            }
        },
        [&](size_t band, const uint8_t* buffer) {
            for (size_t index = 0; index < kBandBytes; ++index) {
                ASSERT_EQ(buffer[index], uint8_t(band * 7 + index)) << band;
            }
            seen.push_back(band);
        });
    ASSERT_EQ(seen.size(), 50u);
    for (size_t band = 0; band < seen.size(); ++band) {
        EXPECT_EQ(seen[band], band);
    }

    seen.clear();
    EXPECT_THROW(RunBandPipeline(
                     50, 3, kBandBytes,
                     [](size_t band, uint8_t*) {
                         if (band == 20) {
                             throw std::runtime_error("decoding failed");
                         }
                     },
                     [&](size_t band, const uint8_t*) { seen.push_back(band); }),
                 std::runtime_error);
    ASSERT_FALSE(seen.empty());
    EXPECT_LT(seen.back(), 20u);

    std::atomic<size_t> produced{0};
    EXPECT_THROW(RunBandPipeline(
                     50, 3, kBandBytes, [&](size_t, uint8_t*) { ++produced; },
                     [](size_t band, const uint8_t*) {
                         if (band == 5) {
                             throw std::runtime_error("no memory");
                         }
                     }),
                 std::runtime_error);
    EXPECT_LE(produced, 5u + 3u);
}

}  // namespace
