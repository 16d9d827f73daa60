#include "TestProfiles.h"

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

#include "host/color/LcmsHandles.h"

namespace oxtest {
namespace {

constexpr double kDotGain = 0.7;  // printed ink = ink^kDotGain
constexpr double kBlackShare = 0.5;
constexpr int kCmykGridPoints = 11;
constexpr int kLabGridPoints = 49;

using oxhost::LcmsProfile;
using oxhost::LcmsTransform;

struct PipelineDeleter {
    void operator()(cmsPipeline* pipeline) const { cmsPipelineFree(pipeline); }
};
struct StageDeleter {
    void operator()(cmsStage* stage) const { cmsStageFree(stage); }
};
using Stage = std::unique_ptr<cmsStage, StageDeleter>;

// Lab <-> sRGB conversions the samplers need, in double precision.
struct SrgbLabTransforms {
    LcmsTransform labToRgb;
    LcmsTransform rgbToLab;
};

void CheckLcms(bool ok, const char* what) {
    if (!ok) {
        throw std::runtime_error(std::string("test profile: lcms failed to ") + what);
    }
}

// Printed CMYK (after gain) to Lab: r = (1 - c)(1 - k) and likewise g, b, as sRGB.
int SamplePrintedCmykToLab(const cmsUInt16Number in[], cmsUInt16Number out[], void* cargo) {
    const double white = 1.0 - in[3] / 65535.0;
    double rgb[3];
    for (int i = 0; i < 3; ++i) {
        rgb[i] = (1.0 - in[i] / 65535.0) * white;
    }
    cmsCIELab lab;
    cmsDoTransform(static_cast<SrgbLabTransforms*>(cargo)->rgbToLab.get(), rgb, &lab, 1);
    cmsFloat2LabEncoded(out, &lab);
    return TRUE;
}

// Lab to printed CMYK with only part of the grey in K. Colours outside sRGB
// are separated unclamped so that the CLUT nodes beyond the gamut continue
// the inside smoothly instead of piling up on its edge.
int SampleLabToPrintedCmyk(const cmsUInt16Number in[], cmsUInt16Number out[], void* cargo) {
    cmsCIELab lab;
    cmsLabEncoded2Float(&lab, in);
    double rgb[3];
    cmsDoTransform(static_cast<SrgbLabTransforms*>(cargo)->labToRgb.get(), &lab, rgb, 1);
    const double black = kBlackShare * (1.0 - std::max({rgb[0], rgb[1], rgb[2]}));
    double ink[4] = {0.0, 0.0, 0.0, black};
    for (int i = 0; i < 3; ++i) {
        ink[i] = (1.0 - rgb[i] - black) / (1.0 - black);
    }
    for (int i = 0; i < 4; ++i) {
        out[i] = static_cast<cmsUInt16Number>(std::lround(std::clamp(ink[i], 0.0, 1.0) * 65535.0));
    }
    return TRUE;
}

void AppendStage(cmsPipeline& pipeline, Stage stage) {
    CheckLcms(stage != nullptr, "allocate a stage");
    CheckLcms(cmsPipelineInsertStage(&pipeline, cmsAT_END, stage.get()), "build a pipeline");
    stage.release();  // the pipeline owns it now
}

// A gain curve y = x^exponent on each of channels.
Stage GainCurves(int channels, double exponent) {
    const double parameters[1] = {exponent};
    std::unique_ptr<cmsToneCurve, oxhost::LcmsToneCurveDeleter> curve(
        cmsBuildParametricToneCurve(nullptr, 1, parameters));
    CheckLcms(curve != nullptr, "build a gain curve");
    std::vector<cmsToneCurve*> curves(channels, curve.get());
    return Stage(cmsStageAllocToneCurves(nullptr, channels, curves.data()));
}

// Input curves, CLUT, output curves: the shape the mAB/mBA tag types take.
void WriteClutTag(cmsHPROFILE profile, cmsTagSignature tag, Stage inputCurves, Stage outputCurves,
                  cmsUInt32Number gridPoints, cmsSAMPLER16 sampler, SrgbLabTransforms& cargo) {
    CheckLcms(inputCurves != nullptr && outputCurves != nullptr, "allocate curves");
    const int inputs = cmsStageInputChannels(inputCurves.get());
    const int outputs = cmsStageOutputChannels(outputCurves.get());
    std::unique_ptr<cmsPipeline, PipelineDeleter> pipeline(
        cmsPipelineAlloc(nullptr, inputs, outputs));
    CheckLcms(pipeline != nullptr, "allocate a pipeline");
    Stage clut(cmsStageAllocCLut16bit(nullptr, gridPoints, inputs, outputs, nullptr));
    CheckLcms(clut != nullptr, "allocate a CLUT");
    CheckLcms(cmsStageSampleCLut16bit(clut.get(), sampler, &cargo, 0), "sample a CLUT");
    AppendStage(*pipeline, std::move(inputCurves));
    AppendStage(*pipeline, std::move(clut));
    AppendStage(*pipeline, std::move(outputCurves));
    CheckLcms(cmsWriteTag(profile, tag, pipeline.get()), "write a CLUT tag");
}

}  // namespace

TemporaryFile::TemporaryFile() {
    std::string pattern = "/tmp/ox_color_test_XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int descriptor = mkstemp(name.data());
    if (descriptor < 0) {
        throw std::runtime_error("cannot create a temporary file");
    }
    close(descriptor);
    path_ = name.data();
}

TemporaryFile::~TemporaryFile() {
    unlink(path_.c_str());
}

void WriteTestCmykProfile(const std::string& path) {
    const LcmsProfile srgb(cmsCreate_sRGBProfile());
    const LcmsProfile lab(cmsCreateLab4Profile(nullptr));
    SrgbLabTransforms cargo{
        LcmsTransform(cmsCreateTransform(lab.get(), TYPE_Lab_DBL, srgb.get(), TYPE_RGB_DBL,
                                         INTENT_RELATIVE_COLORIMETRIC, 0)),
        LcmsTransform(cmsCreateTransform(srgb.get(), TYPE_RGB_DBL, lab.get(), TYPE_Lab_DBL,
                                         INTENT_RELATIVE_COLORIMETRIC, 0))};
    CheckLcms(cargo.labToRgb != nullptr && cargo.rgbToLab != nullptr, "create transforms");

    const LcmsProfile profile(cmsCreateProfilePlaceholder(nullptr));
    CheckLcms(profile != nullptr, "create a profile");
    cmsSetProfileVersion(profile.get(), 4.3);
    cmsSetDeviceClass(profile.get(), cmsSigOutputClass);
    cmsSetColorSpace(profile.get(), cmsSigCmykData);
    cmsSetPCS(profile.get(), cmsSigLabData);
    CheckLcms(cmsWriteTag(profile.get(), cmsSigMediaWhitePointTag, cmsD50_XYZ()), "write white");
    WriteClutTag(profile.get(), cmsSigAToB0Tag, GainCurves(4, kDotGain), GainCurves(3, 1.0),
                 kCmykGridPoints, SamplePrintedCmykToLab, cargo);
    WriteClutTag(profile.get(), cmsSigBToA0Tag, GainCurves(3, 1.0), GainCurves(4, 1.0 / kDotGain),
                 kLabGridPoints, SampleLabToPrintedCmyk, cargo);
    CheckLcms(cmsSaveProfileToFile(profile.get(), path.c_str()), "save the CMYK profile");
}

void WriteSrgbProfile(const std::string& path) {
    const LcmsProfile srgb(cmsCreate_sRGBProfile());
    CheckLcms(cmsSaveProfileToFile(srgb.get(), path.c_str()), "save the sRGB profile");
}

void WriteTextFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

}  // namespace oxtest
