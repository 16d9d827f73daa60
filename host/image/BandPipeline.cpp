#include "host/image/BandPipeline.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "host/image/ImageThreads.h"

namespace oxhost {
namespace {

// Bands move from the producer to the consumer through `slots` buffers used
// in turn: band b in buffer b % slots. Every member is guarded by `lock`.
class Handover {
public:
    explicit Handover(size_t slots) : slots_(slots) {}

    // Waits until band `band` may be written; false when stopped.
    bool WaitToProduce(size_t band) {
        std::unique_lock<std::mutex> guard(lock_);
        changed_.wait(guard, [&] { return stopped_ || band < consumed_ + slots_; });
        return !stopped_;
    }
    void Produced() { Advance(produced_); }

    // Waits until band `band` may be read; false when stopped.
    bool WaitToConsume(size_t band) {
        std::unique_lock<std::mutex> guard(lock_);
        changed_.wait(guard, [&] { return stopped_ || band < produced_; });
        return band < produced_;
    }
    void Consumed() { Advance(consumed_); }

    void Fail(std::exception_ptr failure) {
        std::lock_guard<std::mutex> guard(lock_);
        if (!failure_) {
            failure_ = failure;
        }
        stopped_ = true;
        changed_.notify_all();
    }
    std::exception_ptr Failure() {
        std::lock_guard<std::mutex> guard(lock_);
        return failure_;
    }

private:
    void Advance(size_t& counter) {
        std::lock_guard<std::mutex> guard(lock_);
        ++counter;
        changed_.notify_all();
    }

    std::mutex lock_;
    std::condition_variable changed_;
    const size_t slots_;
    size_t produced_ = 0;
    size_t consumed_ = 0;
    bool stopped_ = false;
    std::exception_ptr failure_;
};

void RunInTurn(size_t count, uint8_t* buffer, const std::function<void(size_t, uint8_t*)>& produce,
               const std::function<void(size_t, const uint8_t*)>& consume) {
    for (size_t band = 0; band < count; ++band) {
        produce(band, buffer);
        consume(band, buffer);
    }
}

}  // namespace

void RunBandPipeline(size_t count, size_t slots, size_t bandBytes,
                     const std::function<void(size_t, uint8_t*)>& produce,
                     const std::function<void(size_t, const uint8_t*)>& consume) {
    slots = std::max<size_t>(slots, 1);
    std::vector<uint8_t> buffers(slots * bandBytes);
    if (ImageWorkerThreads() < 2 || count < 2) {
        RunInTurn(count, buffers.data(), produce, consume);
        return;
    }
    Handover handover(slots);
    auto bufferOf = [&](size_t band) { return buffers.data() + (band % slots) * bandBytes; };
    std::thread producer;
    try {
        producer = std::thread([&] {
            BlockInterruptsOnThisThread();
            try {
                for (size_t band = 0; band < count && handover.WaitToProduce(band); ++band) {
                    produce(band, bufferOf(band));
                    handover.Produced();
                }
            } catch (...) {
                handover.Fail(std::current_exception());
            }
        });
    } catch (const std::system_error&) {
        RunInTurn(count, buffers.data(), produce, consume);
        return;
    }
    try {
        for (size_t band = 0; band < count && handover.WaitToConsume(band); ++band) {
            consume(band, bufferOf(band));
            handover.Consumed();
        }
    } catch (...) {
        handover.Fail(std::current_exception());
    }
    producer.join();
    if (std::exception_ptr failure = handover.Failure()) {
        std::rethrow_exception(failure);
    }
}

}  // namespace oxhost
