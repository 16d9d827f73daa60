#include "FlatReport.h"

#include <cstdio>
#include <nlohmann/json.hpp>

#include "host/HostError.h"
#include "host/image/AtomicFile.h"

namespace oxhost {
namespace {

using nlohmann::json;

json PageObject(const PageReport& report) {
    json page = {{"input", report.input},
                 {"done", report.done},
                 {"areas_filled", report.areasFilled},
                 {"areas_flagged", report.areasFlagged},
                 {"areas_joined", report.areasJoined},
                 {"solid_black_kept", report.solidBlackKept},
                 {"gap_pixels_closed", report.gapPixels},
                 {"ink_share", report.inkShare},
                 {"threshold", report.threshold},
                 {"threshold_chosen", report.thresholdChosen},
                 {"seconds", report.seconds},
                 {"warnings", report.warnings},
                 {"outputs", report.outputs}};
    if (!report.done) {
        page["failure"] = report.failure;
    }
    return page;
}

std::string Plural(uint64_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::string SummaryLine(const PageReport& report) {
    if (!report.done) {
        return report.input + ": failed: " + report.failure;
    }
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f s", report.seconds);
    return report.input + ": " + Plural(report.areasFilled, "area", "areas") + " filled, " +
           std::to_string(report.areasFlagged) + " flagged, " + std::to_string(report.areasJoined) +
           " joined, " + std::to_string(report.solidBlackKept) + " solid black kept; threshold " +
           std::to_string(report.threshold) + (report.thresholdChosen ? " (chosen)" : "") + "; " +
           seconds;
}

std::string PageToJson(const PageReport& report) {
    return PageObject(report).dump();
}

PageReport PageFromJson(const std::string& line) {
    try {
        const json page = json::parse(line);
        PageReport report;
        report.input = page.at("input").get<std::string>();
        report.done = page.at("done").get<bool>();
        report.failure = page.value("failure", std::string());
        report.areasFilled = page.at("areas_filled").get<uint64_t>();
        report.areasFlagged = page.at("areas_flagged").get<uint64_t>();
        report.areasJoined = page.at("areas_joined").get<uint64_t>();
        report.solidBlackKept = page.at("solid_black_kept").get<uint64_t>();
        report.gapPixels = page.at("gap_pixels_closed").get<uint64_t>();
        report.inkShare = page.at("ink_share").get<double>();
        report.threshold = page.at("threshold").get<int>();
        report.thresholdChosen = page.at("threshold_chosen").get<bool>();
        report.seconds = page.at("seconds").get<double>();
        report.warnings = page.at("warnings").get<std::vector<std::string>>();
        report.outputs = page.at("outputs").get<std::vector<std::string>>();
        return report;
    } catch (const json::exception& error) {
        throw HostError(std::string("a page's report could not be read: ") + error.what());
    }
}

void SaveFlatReport(const std::string& path, const std::vector<PageReport>& pages) {
    json document = {{"pages", json::array()}};
    size_t failed = 0;
    for (const PageReport& page : pages) {
        document["pages"].push_back(PageObject(page));
        failed += page.done ? 0 : 1;
    }
    document["pages_done"] = pages.size() - failed;
    document["pages_failed"] = failed;
    const std::string text = document.dump(2) + "\n";
    AtomicFile file(path);
    if (std::fwrite(text.data(), 1, text.size(), file.Stream()) != text.size()) {
        throw HostError("cannot write the report '" + path + "'");
    }
    file.Commit();
}

}  // namespace oxhost
