#include "host/color/LcmsHandles.h"

#include "host/HostError.h"

namespace oxhost {

LcmsContext::LcmsContext() {
    context_ = cmsCreateContext(nullptr, this);
    if (context_ == nullptr) {
        throw HostError("colour management: Little CMS could not create its context");
    }
    cmsSetLogErrorHandlerTHR(context_, &LcmsContext::RecordError);
}

LcmsContext::~LcmsContext() {
    cmsDeleteContext(context_);
}

std::string LcmsContext::TakeLastError() {
    std::string message = lastError_.empty() ? "no reason given by Little CMS" : lastError_;
    lastError_.clear();
    return message;
}

void LcmsContext::RecordError(cmsContext context, cmsUInt32Number /*code*/, const char* text) {
    auto* owner = static_cast<LcmsContext*>(cmsGetContextUserData(context));
    if (owner != nullptr) {
        owner->lastError_ = text != nullptr ? text : "";
    }
}

}  // namespace oxhost
