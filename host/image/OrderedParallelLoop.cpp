#include "host/image/OrderedParallelLoop.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace oxhost {
namespace {

// The state the threads share; every member is guarded by `lock`.
class LoopState {
public:
    LoopState(size_t count, size_t window) : count_(count), window_(window), done_(count, 0) {}

    // Waits for an index to work on; false when there is none left or the
    // loop stopped.
    bool Claim(size_t& index) {
        std::unique_lock<std::mutex> guard(lock_);
        changed_.wait(guard, [&] { return stopped_ || next_ >= count_ || Claimable(); });
        if (stopped_ || next_ >= count_) {
            return false;
        }
        index = next_++;
        return true;
    }

    void Finish(size_t index) {
        std::lock_guard<std::mutex> guard(lock_);
        done_[index] = 1;
        changed_.notify_all();
    }

    void Fail(std::exception_ptr failure) {
        std::lock_guard<std::mutex> guard(lock_);
        if (!failure_) {
            failure_ = failure;
        }
        stopped_ = true;
        changed_.notify_all();
    }

    // What the calling thread should do next.
    enum class Step { Consume, Work, Stop };
    Step NextStep(size_t& index) {
        std::unique_lock<std::mutex> guard(lock_);
        changed_.wait(guard, [&] {
            return stopped_ || consumed_ >= count_ || done_[consumed_] != 0 ||
                   (next_ < count_ && Claimable());
        });
        if (stopped_ || consumed_ >= count_) {
            return Step::Stop;
        }
        if (done_[consumed_] != 0) {
            index = consumed_;
            return Step::Consume;
        }
        index = next_++;
        return Step::Work;
    }

    void Consumed() {
        std::lock_guard<std::mutex> guard(lock_);
        ++consumed_;
        changed_.notify_all();
    }

    void Stop() {
        std::lock_guard<std::mutex> guard(lock_);
        stopped_ = true;
        changed_.notify_all();
    }

    std::exception_ptr Failure() {
        std::lock_guard<std::mutex> guard(lock_);
        return failure_;
    }

private:
    bool Claimable() const { return next_ < consumed_ + window_; }

    std::mutex lock_;
    std::condition_variable changed_;
    const size_t count_;
    const size_t window_;
    std::vector<char> done_;
    size_t next_ = 0;
    size_t consumed_ = 0;
    bool stopped_ = false;
    std::exception_ptr failure_;
};

void WorkOne(LoopState& state, const std::function<void(size_t, size_t)>& work, size_t index,
             size_t worker) {
    try {
        work(index, worker);
        state.Finish(index);
    } catch (...) {
        state.Fail(std::current_exception());
    }
}

}  // namespace

void RunOrderedParallelLoop(size_t count, size_t threads, size_t window,
                            const std::function<void(size_t, size_t)>& work,
                            const std::function<void(size_t)>& consume) {
    LoopState state(count, std::max<size_t>(window, 1));
    std::vector<std::thread> helpers;
    const size_t helperCount = std::min(threads, count) > 1 ? std::min(threads, count) - 1 : 0;
    for (size_t worker = 1; worker <= helperCount; ++worker) {
        try {
            helpers.emplace_back([&state, &work, worker] {
                BlockInterruptsOnThisThread();
                size_t index = 0;
                while (state.Claim(index)) {
                    WorkOne(state, work, index, worker);
                }
            });
        } catch (const std::system_error&) {
            break;  // fewer threads only make it slower
        }
    }
    size_t index = 0;
    for (LoopState::Step step; (step = state.NextStep(index)) != LoopState::Step::Stop;) {
        if (step == LoopState::Step::Work) {
            WorkOne(state, work, index, 0);
            continue;
        }
        try {
            consume(index);
            state.Consumed();
        } catch (...) {
            state.Fail(std::current_exception());
        }
    }
    state.Stop();
    for (std::thread& helper : helpers) {
        helper.join();
    }
    if (std::exception_ptr failure = state.Failure()) {
        std::rethrow_exception(failure);
    }
}

}  // namespace oxhost
