#include "FlatPage.h"

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "FilterOnDocument.h"
#include "PluginLookup.h"
#include "host/HostError.h"
#include "host/flat/AreaLabels.h"
#include "host/flat/Composite.h"
#include "host/flat/GapClosing.h"
#include "host/flat/LineExtraction.h"
#include "host/flat/PreparedPage.h"
#include "host/flat/SameColourCheck.h"
#include "host/flat/SolidBlack.h"
#include "host/image/AtomicFile.h"
#include "host/image/DocumentAllocation.h"
#include "host/image/ImageFile.h"
#include "host/image/ImageProgress.h"
#include "host/image/PsdFile.h"
#include "host/run/InterruptWatch.h"
#include "host/run/TerminalProgress.h"

namespace oxhost {
namespace {

// Merged flats are worth a line each, but not thousands of them.
constexpr size_t kMergeWarningsShown = 5;

// Tintflood's size rule for its flag and join limits: by pixel count, or by
// width and height both at most the limit; a limit of 0 never matches.
bool SmallBy(const AreaInfo& area, uint32_t limit, bool measureArea) {
    if (measureArea) {
        return area.pixels <= limit;
    }
    return uint32_t(area.right - area.left) < limit && uint32_t(area.bottom - area.top) < limit;
}

struct SmallAreaRule {
    bool flag = false;
    bool join = false;
    uint32_t flagSize = 20;
    uint32_t joinSize = 10;
    bool measureArea = false;

    bool Joined(const AreaInfo& area) const { return join && SmallBy(area, joinSize, measureArea); }
    bool Flagged(const AreaInfo& area) const {
        return flag && !Joined(area) && SmallBy(area, flagSize, measureArea);
    }
};

SmallAreaRule SmallAreaRuleOf(const TintfloodChoices& choices) {
    SmallAreaRule rule;
    rule.flag = choices.flagSize.has_value();
    rule.join = choices.joinSize.has_value();
    rule.flagSize = choices.flagSize.value_or(rule.flagSize);
    rule.joinSize = choices.joinSize.value_or(rule.joinSize);
    rule.measureArea = choices.measureArea.value_or(false);
    return rule;
}

std::string HexColour(const uint8_t* rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", rgb[0], rgb[1], rgb[2]);
    return text;
}

std::string AreaPlace(const AreaInfo& area) {
    return "(" + std::to_string(area.seedX) + ", " + std::to_string(area.seedY) + ")";
}

// Areas meant to share a colour (joined to a neighbour, or flagged) are not
// news; two normal areas that became one flat are.
void WarnMergedAreas(const AreaLabels& labels, const Document& flats, const SmallAreaRule& rule,
                     PageReport& report) {
    const std::vector<MergedAreas> pairs = FindMergedAreas(labels, flats, 10000);
    size_t shown = 0;
    size_t merged = 0;
    for (const MergedAreas& pair : pairs) {
        const AreaInfo& first = labels.areas[pair.first];
        const AreaInfo& second = labels.areas[pair.second];
        if (rule.Joined(first) || rule.Joined(second) || rule.Flagged(first) ||
            rule.Flagged(second)) {
            continue;
        }
        ++merged;
        if (shown < kMergeWarningsShown) {
            ++shown;
            report.warnings.push_back("the touching areas at " + AreaPlace(first) + " and " +
                                      AreaPlace(second) + " both got " + HexColour(pair.rgb) +
                                      " and make one flat");
        }
    }
    if (merged > shown) {
        report.warnings.push_back(std::to_string(merged - shown) +
                                  " more pairs of touching areas got the same colour");
    }
}

// Ends the run of a stage when the user asked to stop.
struct Interrupted {};

void CheckInterrupt() {
    if (InterruptWatch::Interrupted()) {
        throw Interrupted{};
    }
}

void RunOneFilter(const PluginModule& module, Document& document, const Options& options,
                  TerminalProgress& progress, const std::string& pageName, PageReport& report) {
    progress.Start(PlainPluginName(module.Properties().name) + " " + pageName);
    const FilterOutcome outcome = RunFilterOnDocument(module, document, options, &progress);
    if (outcome.interrupted) {
        throw Interrupted{};
    }
    report.warnings.insert(report.warnings.end(), outcome.warnings.begin(), outcome.warnings.end());
}

// The flats, and the other files asked for, put in place together.
void WriteOutputs(const FlatPage& page, const Document& original, const Document& flats,
                  TerminalProgress& progress, PageReport& report) {
    AtomicCommitGroup outputs;
    progress.Start("Writing " + std::filesystem::path(page.flatsPath).filename().string());
    SaveImageFile(flats, page.flatsPath, ProgressOnBar(progress));
    report.outputs.push_back(page.flatsPath);
    if (!page.compositePath.empty() || !page.layersPath.empty()) {
        const Document composite = MultiplyOver(original, flats);
        if (!page.compositePath.empty()) {
            SaveImageFile(composite, page.compositePath);
            report.outputs.push_back(page.compositePath);
        }
        if (!page.layersPath.empty()) {
            const Document lineArt = LineArtLayer(original);
            SavePsdFile(page.layersPath, flats.width, flats.height,
                        {PsdLayer{"Flats", &flats, "norm", 255},
                         PsdLayer{"Line art", &lineArt, "mul ", 255}},
                        composite);
            report.outputs.push_back(page.layersPath);
        }
    }
    CheckInterrupt();
    outputs.Commit();
}

void FlattenPageOrThrow(const FlatPage& page, const Options& options, const FlatModules& modules,
                        TerminalProgress& progress, PageReport& report) {
    const FlatChoices& flat = options.flat;
    for (const std::string* output : {&page.flatsPath, &page.compositePath, &page.layersPath}) {
        if (!output->empty()) {
            CheckReplaceable(*output);
        }
    }
    progress.Start("Loading " + page.name);
    const Document original = LoadImageFile(page.input, ProgressOnBar(progress));
    CheckInterrupt();
    progress.Start("Finding the lines of " + page.name);

    const std::vector<uint8_t> darkness = PixelDarkness(original);
    report.thresholdChosen = !flat.threshold.has_value();
    report.threshold = flat.threshold ? *flat.threshold : OtsuThreshold(darkness);
    InkMask mask = ThresholdInk(darkness, original.width, original.height, report.threshold);
    size_t inkPixels = 0;
    for (uint8_t ink : mask.ink) {
        inkPixels += ink;
    }
    report.inkShare = mask.ink.empty() ? 0 : double(inkPixels) / double(mask.ink.size());
    if (inkPixels == 0) {
        report.warnings.push_back("no ink found (threshold " + std::to_string(report.threshold) +
                                  "): the page becomes one flat");
    }
    size_t gapPixels = 0;
    mask = CloseGaps(mask, flat.closeGaps.value_or(kDefaultGapWidth), &gapPixels);
    report.gapPixels = gapPixels;
    if (flat.keepSolidBlack) {
        size_t regions = 0;
        mask = KeepSolidBlackAreas(mask,
                                   flat.solidBlackThickness.value_or(kDefaultSolidBlackThickness),
                                   kDefaultSolidBlackPixels, &regions);
        report.solidBlackKept = regions;
    }
    const AreaLabels labels = LabelPaperAreas(mask);
    const SmallAreaRule rule = SmallAreaRuleOf(options.tintflood);
    report.areasFilled = labels.areas.size();
    for (const AreaInfo& area : labels.areas) {
        report.areasJoined += rule.Joined(area) ? 1 : 0;
        report.areasFlagged += rule.Flagged(area) ? 1 : 0;
    }
    if (labels.areas.empty()) {
        report.warnings.push_back("no area to fill: the line work covers the whole page");
    }
    CheckInterrupt();

    Document flats = PreparedDocument(mask);
    mask = InkMask();
    RunOneFilter(*modules.tintflood, flats, options, progress, page.name, report);
    Options virararOptions = options;  // Virarar has no options; Tintflood's are refused
    virararOptions.tintflood = TintfloodChoices();
    RunOneFilter(*modules.virarar, flats, virararOptions, progress, page.name, report);
    WarnMergedAreas(labels, flats, rule, report);
    WriteOutputs(page, original, flats, progress, report);
}

}  // namespace

FlatModules OpenFlatModules(const Options& options) {
    const std::vector<std::string> folders = PluginFolders(options.pluginFolders);
    FlatModules modules;
    modules.tintflood = PluginModule::Open(FindPluginModule("tintflood", folders));
    modules.virarar = PluginModule::Open(FindPluginModule("virarar", folders));
    return modules;
}

PageReport FlattenPage(const FlatPage& page, const Options& options, const FlatModules& modules,
                       bool showProgress, bool& interrupted) {
    const auto start = std::chrono::steady_clock::now();
    PageReport report;
    report.input = page.input;
    interrupted = false;
    TerminalProgress progress(std::string(), options.quiet || !showProgress);
    try {
        FlattenPageOrThrow(page, options, modules, progress, report);
        report.done = true;
    } catch (const Interrupted&) {
        interrupted = true;
        report.failure = "stopped";
    } catch (const HostError& error) {
        report.failure = error.what();
    } catch (const std::bad_alloc&) {
        report.failure = "not enough memory";
    }
    progress.Finish();
    if (!report.done) {
        report.outputs.clear();
    }
    report.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return report;
}

}  // namespace oxhost
