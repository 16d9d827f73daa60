// Tintflood's plug-in object: the multi flood fill. Start takes the run's
// settings, requests the whole document, and floods every 4-connected area of
// the colour to replace with a fill colour of its own; small areas are then
// flagged, or joined to the colour of the nearest normal area.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "ColorRange.h"
#include "PluginObject.h"
#include "SwatchPalette.h"
#include "TintfloodSettings.h"

// A pixel position: row in the high 16 bits, column in the low 16 bits.
using PackedPoint = uint32_t;

class TintfloodPlugin : public PluginObject {
public:
    TintfloodPlugin();
    ~TintfloodPlugin() override;

    // The channels compared and painted for a count of colour planes: the
    // count taken as a byte, at most 4, and 3 when that gives none.
    static uint8_t ChannelCountForPlanes(int16_t colorPlanes);

    // Rebuilds the range in force around `color` (converted to the document's
    // space) with per-channel distance `tolerance`.
    void SetRange(const RGBColor16& color, uint16_t tolerance);
    // Floods the area containing (column, row) with areaColor.
    void FillArea(uint16_t column, uint16_t row);
    // The fill test: paints (column, row) with areaColor when it is inside
    // the request and in range.
    bool FillPixel(int32_t column, int32_t row);
    // Leaves a usable fill colour for the next area in areaColor, if any.
    void ChooseFillColor();
    // areaColor is neither in the range in force nor too dark.
    bool IsUsableFillColor() const;
    void AddJoinSeed(uint16_t column, uint16_t row);
    // The joining pass over joinSeeds. When `stoppable`, it reports progress
    // (seeds done of all) and asks the host's abort from time to time, and
    // returns false when the user stopped it; otherwise it runs to the end.
    bool JoinSmallAreas(bool stoppable);

    std::vector<PackedPoint> joinSeeds;
    uint32_t areaPixels = 0;
    int32_t areaLeft = 0;
    int32_t areaTop = 0;
    int32_t areaRight = 0;
    int32_t areaBottom = 0;
    uint8_t channelCount = 3;
    ColorRange range;  // the range in force
    uint8_t areaColor[4] = {0, 0, 0, 0};
    std::unique_ptr<SwatchPalette> swatchPalette;
    TintfloodSettings settings;  // of the run in progress

protected:
    int16_t DoAbout() override;
    // Settles the settings of the coming run: preferences, replayed keys and
    // the options dialog, left in the parameter block.
    int16_t DoParameters() override;
    int16_t DoPrepare() override;
    int16_t DoStart() override;

private:
    // The fill of the whole document once the buffer is there; returns the
    // start result of the pass (0, userCanceledErr or filterBadParameters).
    int16_t ScanAndFill();
    void HandleSmallArea(uint16_t column, uint16_t row);
    bool IsSmall(uint32_t limit) const;
    bool IsJoinSource(const uint8_t* pixel);
    bool SwatchToDocumentColor(const SwatchEntry& entry, uint8_t color[4]);
    void ReportNoUsableFillColor();
    uint8_t* PixelAddress(uint32_t column, uint32_t row) const {
        return imageBase + intptr_t(row) * rowBytes + intptr_t(column) * columnStep;
    }

    // The delivered buffer and its steps, taken once per start call.
    uint8_t* imageBase = nullptr;
    int32_t rowBytes = 0;
    int32_t columnStep = 0;
    int32_t planeStep = 1;
};

// The object whose fill is in progress: FillPixel is a plain callback.
extern TintfloodPlugin* activeTintflood;
