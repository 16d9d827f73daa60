// Where a run's progress goes and where the user's wish to stop comes from.
#pragma once

#include <cstdint>

namespace oxhost {

class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void Report(int32_t done, int32_t total) = 0;
    virtual bool AbortRequested() = 0;
};

}  // namespace oxhost
