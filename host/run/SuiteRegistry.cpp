#include "host/run/SuiteRegistry.h"

#include <cstdlib>
#include <cstring>

namespace oxhost {
namespace {

SPErr HOSTAPI_CALL AcquireSuiteProc(const char* name, int32_t version, const void** suite) {
    return SuiteRegistry::Instance().Acquire(name, version, suite);
}

SPErr HOSTAPI_CALL ReleaseSuiteProc(const char* name, int32_t version) {
    return SuiteRegistry::Instance().Release(name, version);
}

SPBoolean HOSTAPI_CALL IsEqualProc(const char* first, const char* second) {
    if (first == nullptr || second == nullptr) {
        return first == second;
    }
    return std::strcmp(first, second) == 0;
}

SPErr HOSTAPI_CALL AllocateBlockProc(size_t size, void** block) {
    if (block == nullptr) {
        return kSPBadParameterError;
    }
    *block = std::malloc(size == 0 ? 1 : size);
    return *block == nullptr ? kSPBadParameterError : kSPNoError;
}

SPErr HOSTAPI_CALL FreeBlockProc(void* block) {
    std::free(block);
    return kSPNoError;
}

SPErr HOSTAPI_CALL ReallocateBlockProc(void* block, size_t size, void** newBlock) {
    if (newBlock == nullptr) {
        return kSPBadParameterError;
    }
    void* grown = std::realloc(block, size == 0 ? 1 : size);
    if (grown == nullptr) {
        return kSPBadParameterError;  // the old block stays valid
    }
    *newBlock = grown;
    return kSPNoError;
}

SPErr HOSTAPI_CALL UndefinedProc() {
    return kSPUnimplementedError;
}

SPBasicSuite basicSuite = {AcquireSuiteProc, ReleaseSuiteProc,    IsEqualProc,  AllocateBlockProc,
                           FreeBlockProc,    ReallocateBlockProc, UndefinedProc};

}  // namespace

SuiteRegistry& SuiteRegistry::Instance() {
    static SuiteRegistry registry;
    return registry;
}

SPBasicSuite* SuiteRegistry::BasicSuite() {
    return &basicSuite;
}

void SuiteRegistry::Register(const std::string& name, int32_t version, const void* suite) {
    suites[{name, version}].suite = suite;
}

void SuiteRegistry::Unregister(const std::string& name, int32_t version) {
    suites.erase({name, version});
}

SPErr SuiteRegistry::Acquire(const char* name, int32_t version, const void** suite) {
    if (name == nullptr || suite == nullptr) {
        return kSPBadParameterError;
    }
    auto it = suites.find({name, version});
    if (it == suites.end()) {
        return kSPSuiteNotFoundError;
    }
    *suite = it->second.suite;
    ++it->second.acquired;
    return kSPNoError;
}

SPErr SuiteRegistry::Release(const char* name, int32_t version) {
    if (name == nullptr) {
        return kSPBadParameterError;
    }
    auto it = suites.find({name, version});
    if (it == suites.end() || it->second.acquired == 0) {
        return kSPSuiteNotFoundError;
    }
    --it->second.acquired;
    return kSPNoError;
}

int32_t SuiteRegistry::OutstandingAcquisitions() const {
    int32_t total = 0;
    for (const auto& entry : suites) {
        total += entry.second.acquired;
    }
    return total;
}

}  // namespace oxhost
