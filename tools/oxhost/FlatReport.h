// What `oxhost flat` says about each page: one summary line for the user, and
// the same figures with the warnings as JSON, both for --report and for the
// line a book's worker process hands back to the book.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace oxhost {

struct PageReport {
    std::string input;
    bool done = false;             // every output written
    std::string failure;           // why not, when not done
    int threshold = -1;            // the ink threshold used
    bool thresholdChosen = false;  // chosen for the page rather than given
    uint64_t areasFilled = 0;      // separate areas the flood found
    uint64_t areasFlagged = 0;     // of them left in the flag colour
    uint64_t areasJoined = 0;      // of them given a neighbour's colour
    uint64_t solidBlackKept = 0;   // solid black areas given a flat of their own
    uint64_t gapPixels = 0;        // pixels added to close gaps in the lines
    double inkShare = 0;           // of the page, 0 to 1
    double seconds = 0;
    std::vector<std::string> warnings;
    std::vector<std::string> outputs;  // the files written
};

// "page.png: 143 areas filled, 2 flagged, 5 joined, 1 solid black kept;
// threshold 118 (chosen); 1.4 s", or "page.png: failed: WHY".
std::string SummaryLine(const PageReport& report);

// One line of JSON, and back. PageFromJson throws HostError when the text is
// not such a line.
std::string PageToJson(const PageReport& report);
PageReport PageFromJson(const std::string& line);

// Writes every page's report to `path` (replaced whole, or not at all).
void SaveFlatReport(const std::string& path, const std::vector<PageReport>& pages);

}  // namespace oxhost
