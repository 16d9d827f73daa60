// The host side of Tintflood's dialog tests: the toolkit's suites and a
// browser that only records, a scripted face, a scratch preferences folder,
// the swatch folder beside this program, and the parameters selector run
// through the host library.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "TintfloodSettings.h"
#include "host/color/ColorPickerScript.h"
#include "host/dialog/DialogToolkit.h"
#include "host/dialog/ScriptedFace.h"
#include "host/run/FilterRun.h"
#include "host/scripting/Descriptor.h"
#include "support/ScratchFolder.h"

namespace tintflooddialog {

// Addresses BrowseUrl was asked to open, in order.
std::vector<std::string>& BrowsedAddresses();

// Replaces the swatch folder's files with empty files of these names.
void SetSwatchFiles(const std::vector<std::string>& names);

struct ParametersRun {
    std::vector<oxhost::DialogStep> steps;
    std::vector<oxhost::PickedColor> picks;  // answers of the colour picker
    std::optional<int16_t> playInfo;         // none: the host offers no scripting
    std::optional<oxhost::Descriptor> replayed;
    bool thenStart = false;  // go on with prepare, start, continue and finish
};

struct ParametersOutcome {
    int16_t result = 0;
    int32_t dialogsShown = 0;
    std::vector<std::string> faceProblems;
    std::vector<uint8_t> block;       // the parameters handle's bytes; empty when none
    std::vector<uint8_t> firstPixel;  // after a run with thenStart
};

class DialogHostTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs the parameters selector through PluginMain; the parameters handle
    // persists across calls within one test.
    ParametersOutcome RunParameters(const ParametersRun& run);
    // Runs an options dialog object directly on `record`, as the parameters
    // flow does; true for OK.
    bool RunDialog(TintfloodSettings& record, const std::vector<std::string>& paletteNames,
                   std::vector<oxhost::DialogStep> steps);
    bool PreferencesWritten() const;

    oxtest::ScratchFolder preferences;
    Handle parameters = nullptr;
    std::vector<std::string> lastProblems;
};

}  // namespace tintflooddialog
