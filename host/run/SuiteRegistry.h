// The suites the host serves through SPBasicSuite, by name and version. The
// suite table's functions carry no context, so the registry is process-wide.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "SPBasic.h"

namespace oxhost {

class SuiteRegistry {
public:
    static SuiteRegistry& Instance();

    // The table to put in FilterRecord.sSPBasic and AboutRecord.sSPBasic.
    SPBasicSuite* BasicSuite();

    // Makes a suite available; a later registration of the same name and
    // version replaces it.
    void Register(const std::string& name, int32_t version, const void* suite);
    void Unregister(const std::string& name, int32_t version);

    SPErr Acquire(const char* name, int32_t version, const void** suite);
    SPErr Release(const char* name, int32_t version);

    // Acquisitions not yet released, over all suites: 0 after a well-behaved run.
    int32_t OutstandingAcquisitions() const;

private:
    struct Entry {
        const void* suite = nullptr;
        int32_t acquired = 0;
    };
    std::map<std::pair<std::string, int32_t>, Entry> suites;
};

}  // namespace oxhost
