// Owners of what Little CMS hands out, so that every context, profile,
// transform and tone curve is released exactly once.
#pragma once

#include <lcms2.h>

#include <memory>
#include <string>

namespace oxhost {

struct LcmsProfileCloser {
    void operator()(void* profile) const { cmsCloseProfile(profile); }
};
using LcmsProfile = std::unique_ptr<void, LcmsProfileCloser>;

struct LcmsTransformDeleter {
    void operator()(void* transform) const { cmsDeleteTransform(transform); }
};
using LcmsTransform = std::unique_ptr<void, LcmsTransformDeleter>;

struct LcmsToneCurveDeleter {
    void operator()(cmsToneCurve* curve) const { cmsFreeToneCurve(curve); }
};
using LcmsToneCurve = std::unique_ptr<cmsToneCurve, LcmsToneCurveDeleter>;

// A private lcms context whose error handler keeps the last message instead of
// printing it, so that lcms failures become HostErrors with lcms's reason.
// Everything made with this context must be released before it; not movable,
// because lcms holds its address as user data.
class LcmsContext {
public:
    LcmsContext();  // throws HostError when lcms cannot allocate the context
    ~LcmsContext();
    LcmsContext(const LcmsContext&) = delete;
    LcmsContext& operator=(const LcmsContext&) = delete;

    cmsContext Get() const { return context_; }

    // The last error lcms reported in this context (a generic text when it
    // reported none), and forgets it.
    std::string TakeLastError();

private:
    static void RecordError(cmsContext context, cmsUInt32Number code, const char* text);

    cmsContext context_ = nullptr;
    std::string lastError_;
};

}  // namespace oxhost
