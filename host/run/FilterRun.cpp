#include "host/run/FilterRun.h"

#include <utility>

#include "AboutRecord.h"
#include "FilterCases.h"
#include "FilterSelectors.h"
#include "ImageModes.h"
#include "ResultCodes.h"
#include "host/run/HostHandles.h"
#include "host/run/SuiteRegistry.h"

namespace oxhost {
namespace {

FilterRun* activeRun = nullptr;

// Sets the run whose callbacks the plug-in reaches for the length of one call.
class ActiveRunScope {
public:
    explicit ActiveRunScope(FilterRun* run) : previous(activeRun) { activeRun = run; }
    ~ActiveRunScope() { activeRun = previous; }
    ActiveRunScope(const ActiveRunScope&) = delete;
    ActiveRunScope& operator=(const ActiveRunScope&) = delete;

private:
    FilterRun* previous;
};

OSErr HOSTAPI_CALL AdvanceStateProc() {
    return activeRun != nullptr ? activeRun->AdvanceState() : OSErr(paramErr);
}
Boolean HOSTAPI_CALL TestAbortProc() {
    return activeRun != nullptr && activeRun->TestAbort();
}
void HOSTAPI_CALL ProgressProcFn(int32_t done, int32_t total) {
    if (activeRun != nullptr) {
        activeRun->ReportProgress(done, total);
    }
}
OSErr HOSTAPI_CALL ColorServicesProcFn(ColorServicesInfo* info) {
    return activeRun != nullptr ? activeRun->ServeColor(info) : OSErr(paramErr);
}

Fixed ToFixed(double value) {
    return Fixed(value * 65536.0 + 0.5);
}

// A plausible sRGB display: gamma 2.2, Rec. 709 primaries, D65 white.
PlugInMonitor SrgbMonitor() {
    PlugInMonitor monitor{};
    monitor.gamma = ToFixed(2.2);
    monitor.redX = ToFixed(0.64);
    monitor.redY = ToFixed(0.33);
    monitor.greenX = ToFixed(0.30);
    monitor.greenY = ToFixed(0.60);
    monitor.blueX = ToFixed(0.15);
    monitor.blueY = ToFixed(0.06);
    monitor.whiteX = ToFixed(0.3127);
    monitor.whiteY = ToFixed(0.3290);
    return monitor;
}

constexpr int32_t kMaxSpace = 1 << 30;
constexpr int32_t kMaxContinueCalls = 1 << 20;

}  // namespace

FilterRun::FilterRun(PluginEntryProc entry, Document& document, RunOptions options)
    : entry(entry),
      document(document),
      working(options.keepDocumentOnFailure ? document : Document()),
      edited(options.keepDocumentOnFailure ? working : document),
      options(std::move(options)) {
    InitialiseState();
}

FilterRun::~FilterRun() = default;

void FilterRun::InitialiseState() {
    const bool cmyk = edited.model == ColorModel::CMYK;
    const int16_t height = int16_t(edited.height);
    const int16_t width = int16_t(edited.width);
    const int16_t colorPlanes = int16_t(edited.ColorPlanes());

    state = FilterRecord{};
    state.abortProc = TestAbortProc;
    state.progressProc = ProgressProcFn;
    state.parameters = options.parameters != nullptr ? *options.parameters : nullptr;
    state.imageSize = Point16{height, width};
    state.planes = int16_t(edited.TotalPlanes());
    state.filterRect = Rect16{0, 0, height, width};
    state.background = RGBColor{65535, 65535, 65535};
    state.foreground = RGBColor{0, 0, 0};
    state.maxSpace = kMaxSpace;
    // Paper white and full black, in the document's values (CMYK: 255 is no ink).
    for (int i = 0; i < 4; ++i) {
        state.backColor[i] = (cmyk || i < 3) ? 255 : 0;
        state.foreColor[i] = 0;
    }
    state.hostSig = HOSTAPI_FOURCC('O', 'X', 'H', 'S');
    state.imageMode = cmyk ? plugInModeCMYKColor : plugInModeRGBColor;
    state.imageHRes = 72 << 16;
    state.imageVRes = 72 << 16;
    state.wholeSize = state.imageSize;
    state.monitor = SrgbMonitor();
    state.platformData = &platformData;
    state.handleProcs = options.offerHandleProcs ? HostHandles::Instance().Procs() : nullptr;
    state.filterCase = edited.hasAlpha ? int16_t(filterCaseEditableTransparencyWithSelection)
                                       : int16_t(filterCaseFlatImageNoSelection);
    state.inputRate = 1 << 16;
    state.maskRate = 1 << 16;
    state.colorServices = ColorServicesProcFn;
    if (edited.hasAlpha) {
        state.inLayerPlanes = state.outLayerPlanes = state.absLayerPlanes = colorPlanes;
        state.inTransparencyMask = state.outTransparencyMask = state.absTransparencyMask = 1;
    }
    state.inTileHeight = state.outTileHeight = state.absTileHeight = height;
    state.inTileWidth = state.outTileWidth = state.absTileWidth = width;
    state.descriptorParameters = options.descriptorParameters;
    state.errorString = &errorString;
    state.sSPBasic = SuiteRegistry::Instance().BasicSuite();
    state.plugInRef = options.plugInRef;
    state.depth = 8;
}

int16_t FilterRun::Call(int16_t selector) {
    // A record of its own for every call: a plug-in that keeps the address of
    // an earlier one reads freed memory, which the sanitizer builds catch.
    if (options.beforeCall) {
        options.beforeCall(selector);
    }
    auto record = std::make_unique<FilterRecord>(state);
    record->advanceState = offerAdvanceState ? AdvanceStateProc : nullptr;
    current = record.get();
    int16_t result = noErr;
    {
        ActiveRunScope scope(this);
        entry(selector, record.get(), &dataSlot, &result);
    }
    current = nullptr;
    state = *record;
    if (options.parameters != nullptr) {
        *options.parameters = state.parameters;
    }
    if (options.afterCall) {
        options.afterCall(selector);
    }
    return result;
}

OSErr FilterRun::AdvanceState() {
    ++advanceStateCalls;
    if (advanceStateFailure != noErr) {
        return advanceStateFailure;
    }
    if (current == nullptr) {
        return paramErr;
    }
    std::string problem;
    if (!CommitOutput(problem)) {
        guardProblem = problem;
        return paramErr;
    }
    return DeliverRequest(*current);
}

OSErr FilterRun::DeliverRequest(FilterRecord& record) {
    if (!RequestFits(edited, record.inRect, record.inLoPlane, record.inHiPlane) ||
        !RequestFits(edited, record.outRect, record.outLoPlane, record.outHiPlane)) {
        return paramErr;
    }
    if (InputCanBeDocumentRows(record)) {
        inBuffer = RequestBuffer::OverDocumentRows(edited, record.inRect, options.layout);
    } else {
        inBuffer = RequestBuffer(edited, record.inRect, record.inLoPlane, record.inHiPlane,
                                 options.layout);
    }
    if (OutputCanBeDocumentRows(record)) {
        outBuffer = RequestBuffer::OverDocumentRows(edited, record.outRect, options.layout);
    } else {
        outBuffer = RequestBuffer(edited, record.outRect, record.outLoPlane, record.outHiPlane,
                                  options.layout);
    }
    record.inData = inBuffer.Data();
    record.inRowBytes = inBuffer.RowBytes();
    record.inColumnBytes = inBuffer.ReportedColumnBytes();
    record.inPlaneBytes = inBuffer.ReportedPlaneBytes();
    record.outData = outBuffer.Data();
    record.outRowBytes = outBuffer.RowBytes();
    record.outColumnBytes = outBuffer.ReportedColumnBytes();
    record.outPlaneBytes = outBuffer.ReportedPlaneBytes();
    return noErr;
}

// The input may be the document's own rows only where that cannot change the
// outcome: a plug-in that writes into its input then writes into the
// document, but only inside the output request, whose commit overwrites those
// pixels just as it would with a copy.
bool FilterRun::InputCanBeDocumentRows(const FilterRecord& record) const {
    const Rect16& in = record.inRect;
    const Rect16& out = record.outRect;
    return RequestBuffer::CanUseDocumentRows(edited, in, record.inLoPlane, record.inHiPlane,
                                             options.layout) &&
           RequestBuffer::CanUseDocumentRows(edited, out, record.outLoPlane, record.outHiPlane,
                                             options.layout) &&
           out.top <= in.top && in.bottom <= out.bottom;
}

// The output may be the document's own rows (the working copy when the
// document is kept) when no input is requested: nothing then reads the rows
// the plug-in writes but the plug-in itself, and they hold what the commit
// would have put there. It loses its guard bytes, as such an input has none.
bool FilterRun::OutputCanBeDocumentRows(const FilterRecord& record) const {
    return RectIsEmpty(record.inRect) &&
           RequestBuffer::CanUseDocumentRows(edited, record.outRect, record.outLoPlane,
                                             record.outHiPlane, options.layout);
}

bool FilterRun::CommitOutput(std::string& problem) {
    if (!inBuffer.GuardsIntact() || !outBuffer.GuardsIntact()) {
        problem = "the plug-in wrote outside the buffers it was given";
        return false;
    }
    outBuffer.MoveInto(edited);
    // The buffers belong to the call that received them; drop them so that a
    // later call cannot use them unnoticed.
    inBuffer = RequestBuffer();
    outBuffer = RequestBuffer();
    return true;
}

std::string FilterRun::PluginMessage() const {
    const size_t length = errorString[0];
    return std::string(reinterpret_cast<const char*>(&errorString[1]), length);
}

bool FilterRun::RequestPending() const {
    return !RectIsEmpty(state.outRect) || !RectIsEmpty(state.inRect);
}

Boolean FilterRun::TestAbort() {
    return options.progress != nullptr && options.progress->AbortRequested();
}

void FilterRun::ReportProgress(int32_t done, int32_t total) {
    if (options.progress != nullptr) {
        options.progress->Report(done, total);
    }
}

OSErr FilterRun::ServeColor(ColorServicesInfo* info) {
    if (!options.colorServices) {
        return paramErr;
    }
    return options.colorServices(info);
}

RunResult FilterRun::Run() {
    RunResult outcome;
    auto fail = [&](int16_t selector, int16_t code) {
        outcome.result = code;
        outcome.failedSelector = selector;
        outcome.hostProblem = guardProblem;
        outcome.pluginMessage = PluginMessage();
        return outcome;
    };
    // The host ends a run itself: the plug-in's object still sits in the slot,
    // and finish lets it go.
    auto stop = [&](int16_t code, const std::string& problem) {
        Call(filterSelectorFinish);
        outcome.result = code;
        outcome.hostProblem = problem;
        return outcome;
    };

    if (options.callParameters) {
        if (int16_t result = Call(filterSelectorParameters); result != noErr) {
            return fail(filterSelectorParameters, result);
        }
    }
    if (int16_t result = Call(filterSelectorPrepare); result != noErr) {
        return fail(filterSelectorPrepare, result);
    }
    if (int16_t result = Call(filterSelectorStart); result != noErr) {
        return fail(filterSelectorStart, result);
    }
    std::string problem;
    if (!guardProblem.empty() || !CommitOutput(problem)) {
        return stop(paramErr, guardProblem.empty() ? problem : guardProblem);
    }

    for (int32_t calls = 0; RequestPending(); ++calls) {
        if (calls == kMaxContinueCalls) {
            return stop(paramErr, "the plug-in never stopped requesting data");
        }
        if (TestAbort()) {
            return stop(userCanceledErr, "");
        }
        if (DeliverRequest(state) != noErr) {
            return stop(paramErr, "the plug-in requested data outside the document");
        }
        if (int16_t result = Call(filterSelectorContinue); result != noErr) {
            return fail(filterSelectorContinue, result);
        }
        if (!guardProblem.empty() || !CommitOutput(problem)) {
            return stop(paramErr, guardProblem.empty() ? problem : guardProblem);
        }
    }

    if (int16_t result = Call(filterSelectorFinish); result != noErr) {
        return fail(filterSelectorFinish, result);
    }
    if (&edited == &working) {
        document = std::move(working);
    }
    return outcome;
}

int16_t RunAbout(PluginEntryProc entry, void* plugInRef) {
    PlatformData platformData{};
    AboutRecord record{};
    record.platformData = &platformData;
    record.sSPBasic = SuiteRegistry::Instance().BasicSuite();
    record.plugInRef = plugInRef;
    intptr_t dataSlot = 0;
    int16_t result = noErr;
    entry(filterSelectorAbout, &record, &dataSlot, &result);
    return result;
}

}  // namespace oxhost
