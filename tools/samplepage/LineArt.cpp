#include "tools/samplepage/LineArt.h"

#include <vector>

#include "tools/samplepage/FlatColoring.h"
#include "tools/samplepage/InkCanvas.h"
#include "tools/samplepage/OutlineGaps.h"
#include "tools/samplepage/PanelLayout.h"
#include "tools/samplepage/PanelScenes.h"
#include "tools/samplepage/Prng.h"

namespace oxlineart {

oxhost::Document DrawLineArtPage(const LineArtOptions& options, int* designedAreas) {
    Prng prng(options.seed);
    InkCanvas canvas(options.width, options.height, options.edgeSoftness);
    StrokeWidths widths{options.lineWidthMin, options.lineWidthMax};
    int sceneNumber = prng.Below(4);
    const std::vector<Box> panels = LayoutPanels(options.width, options.height, prng);
    for (const Box& panel : panels) {
        DrawPanel(canvas, panel, widths, sceneNumber++, prng);
    }
    if (designedAreas != nullptr) {
        *designedAreas = CountAreas(canvas);
    }
    if (options.widestGap > 0) {
        // Its own generator, so that cutting gaps leaves the page's other
        // random choices alone.
        Prng gapPrng(options.seed ^ 0x6761707300000000u);
        CutOutlineGaps(canvas, options.widestGap, int(panels.size()), gapPrng);
    }
    std::vector<uint8_t> paperColors;
    if (options.flatColors) {
        paperColors = ColorAreas(canvas, prng);
    }
    PageInk ink;
    ink.cmyk = options.cmyk;
    ink.red = options.inkRed;
    ink.green = options.inkGreen;
    ink.blue = options.inkBlue;
    ink.transparentPaper = options.transparentPaper;
    return ComposePage(canvas, paperColors, ink);
}

}  // namespace oxlineart
