#include "Anchors.h"

#include <unistd.h>

#include <sstream>

#include "BenchSupport.h"

namespace oxbench {

namespace {

// Debian's own Python, which the python3-scipy and python3-opencv packages
// serve: not whatever `python3` comes first on the path.
constexpr const char* kPython = "/usr/bin/python3";

}  // namespace

bool RunAnchors(const std::string& kind, const std::vector<std::string>& pamFiles,
                std::vector<AnchorFigure>& figures, std::string& note) {
    figures.clear();
    if (access(kPython, X_OK) != 0) {
        note = std::string(kPython) + " is missing";
        return false;
    }
    std::vector<std::string> arguments = {kPython, OX_ANCHOR_SCRIPT, kind};
    arguments.insert(arguments.end(), pamFiles.begin(), pamFiles.end());
    std::string output;
    const int status = RunProgram(arguments, output);
    std::istringstream lines(output);
    std::string line;
    if (status != 0) {
        std::getline(lines, line);
        note = line.empty() ? "anchors.py failed with status " + std::to_string(status) : line;
        return false;
    }
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        AnchorFigure figure{};
        if (std::getline(fields, figure.page, '\t') && fields >> figure.seconds >> figure.count) {
            figures.push_back(figure);
        }
    }
    return true;
}

}  // namespace oxbench
