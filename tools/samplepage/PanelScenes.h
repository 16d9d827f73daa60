// The drawing inside one panel: a small scene of closed shapes and crossing
// lines, in line widths drawn from the page's range.
#pragma once

#include "tools/samplepage/InkCanvas.h"
#include "tools/samplepage/PanelLayout.h"
#include "tools/samplepage/Prng.h"

namespace oxlineart {

// The page's range of line widths, in pixels; roles pick from parts of it so
// that borders come out thickest and details thinnest.
struct StrokeWidths {
    double thinnest = 1;
    double thickest = 1;

    // A width between the fractions `low` and `high` of the range.
    double Pick(Prng& prng, double low, double high) const {
        return thinnest + (thickest - thinnest) * prng.Uniform(low, high);
    }
    double Border(Prng& prng) const { return Pick(prng, 0.8, 1.0); }
    double Outline(Prng& prng) const { return Pick(prng, 0.35, 0.75); }
    double Detail(Prng& prng) const { return Pick(prng, 0.0, 0.3); }
};

// Draws the panel's border and, clipped to its inside, one of four scenes
// (landscape, character, still life, street; chosen by `sceneNumber` modulo
// 4, so consecutive numbers vary the page), sometimes with a speech balloon.
void DrawPanel(InkCanvas& canvas, const Box& panel, const StrokeWidths& widths, int sceneNumber,
               Prng& prng);

}  // namespace oxlineart
