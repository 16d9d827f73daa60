// A host suite needed for one operation: acquired through the suite mechanism
// of the current call on first use, released at the end of the scope.
#pragma once

#include <cstdint>

#include "SPBasic.h"

class ScopedSuite {
public:
    // `name` must outlive the holder (a string literal).
    ScopedSuite(const char* name, int32_t version) : version_(version), name_(name) {}
    ~ScopedSuite();
    ScopedSuite(const ScopedSuite&) = delete;
    ScopedSuite& operator=(const ScopedSuite&) = delete;

    // The suite, acquired on the first call. Throws the host's code as an
    // int32_t: kSPBadParameterError ('Parm') when there is no suite mechanism,
    // else the non-zero result of AcquireSuite.
    const void* Get();

    template <typename Suite>
    const Suite* As() {
        return static_cast<const Suite*>(Get());
    }

    // Result of the last AcquireSuite.
    int32_t Error() const { return error_; }

private:
    const void* suite_ = nullptr;
    int32_t version_;
    const char* name_;
    int32_t error_ = kSPNoError;
    SPBasicSuite* acquiredFrom_ = nullptr;  // released through the same mechanism
};
