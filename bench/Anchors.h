// The anchors of the benchmark tables: bench/anchors.py run with Debian's
// Python on pages the benchmarks wrote as PAM files (see that script).
#pragma once

#include <string>
#include <vector>

namespace oxbench {

struct AnchorFigure {
    std::string page;  // the file name
    double seconds;    // processor time
    long count;        // line pixels (edt) or labels (labels)
};

// Runs `anchors.py KIND FILE...`; false with a one-line `note` when it could
// not (no Python, numpy, scipy or OpenCV).
bool RunAnchors(const std::string& kind, const std::vector<std::string>& pamFiles,
                std::vector<AnchorFigure>& figures, std::string& note);

}  // namespace oxbench
