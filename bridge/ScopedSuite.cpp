#include "ScopedSuite.h"

#include "PluginGlobals.h"

const void* ScopedSuite::Get() {
    if (suite_ != nullptr) {
        return suite_;
    }
    if (basicSuite == nullptr || basicSuite->AcquireSuite == nullptr) {
        throw int32_t(kSPBadParameterError);
    }
    error_ = basicSuite->AcquireSuite(name_, version_, &suite_);
    if (error_ != kSPNoError) {
        suite_ = nullptr;
        throw int32_t(error_);
    }
    acquiredFrom_ = basicSuite;
    return suite_;
}

ScopedSuite::~ScopedSuite() {
    if (suite_ != nullptr && name_ != nullptr && acquiredFrom_ != nullptr &&
        acquiredFrom_->ReleaseSuite != nullptr) {
        acquiredFrom_->ReleaseSuite(name_, version_);
        suite_ = nullptr;
    }
}
