// A plug-in object for the bridge tests: it records which operations ran and
// does what the test scripts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "PluginObject.h"

struct PluginScript {
    int16_t startResult = 0;
    bool throwInStart = false;
    bool failCreation = false;
    int created = 0;
    int destroyed = 0;
    std::vector<std::string> calls;  // "start#2": operation and object number
    void Reset() { *this = PluginScript{}; }
};

extern PluginScript pluginScript;

class RecordingPlugin : public PluginObject {
public:
    explicit RecordingPlugin(int number) : number(number) {}
    ~RecordingPlugin() override { ++pluginScript.destroyed; }

    // Public for tests that reach the base operations directly.
    using PluginObject::DoContinue;

protected:
    int16_t DoAbout() override { return Record("about", 0); }
    int16_t DoParameters() override { return Record("parameters", 0); }
    int16_t DoPrepare() override { return Record("prepare", 0); }
    int16_t DoStart() override;
    int16_t DoFinish() override { return Record("finish", 0); }

private:
    int16_t Record(const char* operation, int16_t result) {
        pluginScript.calls.push_back(std::string(operation) + "#" + std::to_string(number));
        return result;
    }
    int number;
};
