#include "tools/samplepage/LineArt.h"

#include <vector>

#include "tools/samplepage/FlatColoring.h"
#include "tools/samplepage/InkCanvas.h"
#include "tools/samplepage/PanelLayout.h"
#include "tools/samplepage/PanelScenes.h"
#include "tools/samplepage/Prng.h"

namespace oxlineart {

oxhost::Document DrawLineArtPage(const LineArtOptions& options) {
    Prng prng(options.seed);
    InkCanvas canvas(options.width, options.height);
    StrokeWidths widths{options.lineWidthMin, options.lineWidthMax};
    int sceneNumber = prng.Below(4);
    for (const Box& panel : LayoutPanels(options.width, options.height, prng)) {
        DrawPanel(canvas, panel, widths, sceneNumber++, prng);
    }
    std::vector<uint8_t> paperColors;
    if (options.flatColors) {
        paperColors = ColorAreas(canvas, prng);
    }
    return ComposePage(canvas, paperColors, options.cmyk);
}

}  // namespace oxlineart
