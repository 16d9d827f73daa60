// A FilterRecord wired to fake host handles and fake host descriptors.
#pragma once

#include <gtest/gtest.h>

#include "FakeDescriptorHost.h"
#include "FakeHostHandles.h"
#include "FilterRecord.h"
#include "tintflood/ScriptKeys.h"
#include "tintflood/ScriptParameters.h"

namespace scripttest {

inline Entry ColorObject(DescriptorKeyID key, const Entries& channels) {
    return Entry::Object(key, classRGBColor, channels);
}

class ScriptingTest : public ::testing::Test {
protected:
    ScriptingTest() {
        record.handleProcs = handles.Procs();
        record.descriptorParameters = host.Parameters();
    }

    // Puts a replayed descriptor holding `entries` into the block.
    void Replay(const Entries& entries) {
        host.parameters.descriptor = host.MakeDescriptor(entries);
    }
    // Reads `entries` into a copy of `before` and returns the copy.
    TintfloodSettings ReadOnto(const TintfloodSettings& before, const Entries& entries) {
        Replay(entries);
        TintfloodSettings settings = before;
        ReadScriptParameters(&record, settings);
        return settings;
    }
    // The entries of the descriptor in the block.
    Entries Recorded() const { return host.EntriesOf(host.parameters.descriptor); }

    FakeHostHandles handles;
    FakeDescriptorHost host{handles};
    FilterRecord record{};
};

}  // namespace scripttest
