// Virarar's plug-in object: no options; start requests the whole image and
// runs the flatting pass over it.
#pragma once

#include "FlattenImage.h"
#include "NearestSearch.h"
#include "PluginObject.h"

class FlattenPlugin : public PluginObject, private StripReporter {
public:
    // Shared by every line pixel of the run, so each ring is built once.
    NearestSearch nearestSearch;

protected:
    int16_t DoAbout() override;
    int16_t DoPrepare() override;
    int16_t DoStart() override;

private:
    bool ReportStrip(int32_t rows) override;

    int32_t rowsDone = 0;
};
