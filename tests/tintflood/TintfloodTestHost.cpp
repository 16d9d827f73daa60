#include "TintfloodTestHost.h"

#include <filesystem>
#include <fstream>

#include "HostFolder.h"
#include "host/color/ColorServicesHost.h"
#include "host/run/HostHandles.h"
#include "host/run/ProgressSink.h"

extern "C" void PluginMain(int16_t selector, void* block, intptr_t* data, int16_t* result);

namespace tintfloodtest {
namespace {

void Put16(std::vector<uint8_t>& bytes, size_t offset, uint16_t value) {
    bytes[offset] = uint8_t(value);
    bytes[offset + 1] = uint8_t(value >> 8);
}

void Put32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[offset + size_t(i)] = uint8_t(value >> (8 * i));
    }
}

class ProgressLog : public oxhost::ProgressSink {
public:
    explicit ProgressLog(int abortAfterRows) : abortAfterRows(abortAfterRows) {}
    void Report(int32_t done, int32_t total) override { reports.push_back({done, total}); }
    bool AbortRequested() override {
        return abortAfterRows >= 0 && !reports.empty() && reports.back().first >= abortAfterRows;
    }
    std::vector<std::pair<int32_t, int32_t>> reports;
    int abortAfterRows;
};

std::string SwatchFolderOfThisProgram() {
    return HostFolder() + "Presets/Color Swatches/";
}

}  // namespace

std::vector<uint8_t> ParameterBlockBytes(const TintfloodSettings& settings) {
    std::vector<uint8_t> bytes(296, 0);
    Put32(bytes, 0, settings.signature);
    Put16(bytes, 4, uint16_t(settings.version));
    Put16(bytes, 8, settings.fillColor.red);
    Put16(bytes, 10, settings.fillColor.green);
    Put16(bytes, 12, settings.fillColor.blue);
    for (size_t i = 0; i < 256 && settings.paletteFile[i] != 0; ++i) {
        bytes[14 + i] = uint8_t(settings.paletteFile[i]);
    }
    Put16(bytes, 270, settings.tolerance);
    bytes[272] = settings.reservedFlag;
    bytes[273] = settings.randomColors;
    bytes[274] = settings.measureArea;
    bytes[275] = settings.flagAreas;
    Put16(bytes, 276, settings.flagColor.red);
    Put16(bytes, 278, settings.flagColor.green);
    Put16(bytes, 280, settings.flagColor.blue);
    Put32(bytes, 284, settings.flagSize);
    bytes[288] = settings.joinAreas;
    Put32(bytes, 292, settings.joinSize);
    return bytes;
}

FillOutcome RunTintflood(oxhost::Document& document, const TintfloodSettings& settings,
                         int abortAfterRows,
                         const std::function<void(oxhost::RunOptions&)>& adjust) {
    oxhost::HostHandles& handles = oxhost::HostHandles::Instance();
    const std::vector<uint8_t> block = ParameterBlockBytes(settings);
    Handle parameters = handles.New(int32_t(block.size()));
    std::copy(block.begin(), block.end(), *parameters);

    oxhost::ColorServicesHost colorServices{oxhost::ColorConverter(), oxhost::ColorPickerScript()};
    ProgressLog progress(abortAfterRows);
    oxhost::RunOptions options;
    options.parameters = &parameters;
    options.progress = &progress;
    options.colorServices = [&colorServices](ColorServicesInfo* info) {
        return colorServices.Serve(info);
    };
    if (adjust) {
        adjust(options);
    }
    oxhost::FilterRun run(PluginMain, document, options);
    FillOutcome outcome;
    outcome.result = run.Run();
    outcome.progress = progress.reports;
    handles.Dispose(parameters);
    return outcome;
}

void WriteSwatchFile(const std::string& name, const std::vector<std::vector<uint16_t>>& entries) {
    std::filesystem::create_directories(SwatchFolderOfThisProgram());
    std::ofstream file(SwatchFolderOfThisProgram() + name, std::ios::binary);
    auto put = [&file](uint16_t value) {
        file.put(char(value >> 8));
        file.put(char(value & 0xFF));
    };
    put(1);
    put(uint16_t(entries.size()));
    for (const auto& entry : entries) {
        for (uint16_t value : entry) {
            put(value);
        }
    }
}

void RemoveSwatchFile(const std::string& name) {
    std::filesystem::remove(SwatchFolderOfThisProgram() + name);
}

oxhost::Document RgbDocument(const std::vector<std::string>& rows) {
    oxhost::Document document;
    document.height = int(rows.size());
    document.width = int(rows[0].size());
    for (const std::string& row : rows) {
        for (char c : row) {
            const uint8_t value = c == 'K' ? 0 : c == 'G' ? 150 : 255;
            document.pixels.insert(document.pixels.end(), {value, value, value});
        }
    }
    return document;
}

std::vector<uint8_t> PixelAt(const oxhost::Document& document, int row, int column) {
    const uint8_t* pixel = document.Pixel(row, column);
    return std::vector<uint8_t>(pixel, pixel + document.ColorPlanes());
}

}  // namespace tintfloodtest
