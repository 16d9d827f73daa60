#include "host/image/ImageThreads.h"

#include <pthread.h>
#include <signal.h>

#include <algorithm>
#include <thread>

namespace oxhost {
namespace {

constexpr size_t kMostWorkerThreads = 4;

}  // namespace

size_t ImageWorkerThreads() {
    const size_t cores = std::thread::hardware_concurrency();
    return std::clamp<size_t>(cores, 1, kMostWorkerThreads);
}

void BlockInterruptsOnThisThread() {
    sigset_t interrupts;
    sigemptyset(&interrupts);
    sigaddset(&interrupts, SIGINT);
    sigaddset(&interrupts, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &interrupts, nullptr);
}

}  // namespace oxhost
