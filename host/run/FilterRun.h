// Runs a filter plug-in on a document the way a host does: prepare, start,
// continue while a request rectangle is non-empty, finish; each call gets a
// FilterRecord of its own, and the data slot is kept between the calls. The
// document changes only when the whole run succeeds, unless the caller gives
// that up to save a copy of it.
//
// Memory: an input buffer of whole interleaved rows that the output request
// covers is the document's own rows, and so is an output buffer of whole
// interleaved rows when no input is requested (a plug-in that works in its
// output); any other output is a guarded copy of the requested pixels. A
// whole-image run of a plug-in that reads and writes thus takes the
// document, one copy for the output, and one more for the document kept on
// failure; one that only writes takes the document, and the copy kept.
//
// Host callbacks carry no context, so one run is active per process at a time.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "ColorServices.h"
#include "FilterRecord.h"
#include "PluginEntry.h"
#include "host/image/Document.h"
#include "host/run/BufferLayout.h"
#include "host/run/ProgressSink.h"
#include "host/run/RequestBuffer.h"

namespace oxhost {

struct RunOptions {
    BufferLayout layout;
    ProgressSink* progress = nullptr;  // none: no progress shown, never aborted
    // Answers the plug-in's colour services requests; none: paramErr.
    std::function<OSErr(ColorServicesInfo*)> colorServices;
    // The parameters handle kept between runs; the run reads and updates it.
    Handle* parameters = nullptr;
    // Offered to the plug-in as the scripting block; may be null.
    PIDescriptorParameters* descriptorParameters = nullptr;
    // Call the parameters selector before prepare.
    bool callParameters = false;
    void* plugInRef = nullptr;
    // Offer the host's memory handles; without them a plug-in uses its own.
    bool offerHandleProcs = true;
    // Keep the document as it was when the run fails, at the cost of a whole
    // copy of it while the run lasts. A caller that drops the document after a
    // failure clears this: the run then works in the document itself, which a
    // failed run leaves partly filtered.
    bool keepDocumentOnFailure = true;
    // Called around every selector call (scripting refills the replayed
    // descriptor before each call and collects the recorded one after).
    std::function<void(int16_t selector)> beforeCall;
    std::function<void(int16_t selector)> afterCall;
};

struct RunResult {
    int16_t result = 0;           // the host result code of the run
    int16_t failedSelector = -1;  // the selector that returned it, -1 when none failed
    std::string hostProblem;      // set when the host itself stopped the run
    std::string pluginMessage;    // what the plug-in put in errorString, if anything
};

class FilterRun {
public:
    FilterRun(PluginEntryProc entry, Document& document, RunOptions options);
    ~FilterRun();
    FilterRun(const FilterRun&) = delete;
    FilterRun& operator=(const FilterRun&) = delete;

    // The whole run; on success the document holds the filtered pixels. The
    // caller leaves the document alone until the run is over.
    RunResult Run();

    // Calls one selector with a fresh FilterRecord (tests drive runs step by step).
    int16_t Call(int16_t selector);

    // The record state between calls: what the plug-in requested last.
    const FilterRecord& State() const { return state; }
    intptr_t DataSlot() const { return dataSlot; }
    int32_t AdvanceStateCalls() const { return advanceStateCalls; }

    // Served to the plug-in through the record's callbacks.
    OSErr AdvanceState();
    Boolean TestAbort();
    void ReportProgress(int32_t done, int32_t total);
    OSErr ServeColor(ColorServicesInfo* info);

    // Leaves advanceState out of the records, as hosts that cannot serve it do.
    void WithoutAdvanceState() { offerAdvanceState = false; }
    // Makes advanceState fail with the code (tests of the error path).
    void FailAdvanceStateWith(OSErr code) { advanceStateFailure = code; }

private:
    void InitialiseState();
    OSErr DeliverRequest(FilterRecord& record);
    bool InputCanBeDocumentRows(const FilterRecord& record) const;
    bool OutputCanBeDocumentRows(const FilterRecord& record) const;
    bool CommitOutput(std::string& problem);
    bool RequestPending() const;
    std::string PluginMessage() const;

    PluginEntryProc entry;
    Document& document;
    Document working;  // the copy kept apart when the document must survive a failure
    Document& edited;  // what the run reads and commits to: working or the document
    RunOptions options;
    FilterRecord state{};
    FilterRecord* current = nullptr;
    intptr_t dataSlot = 0;
    RequestBuffer inBuffer;
    RequestBuffer outBuffer;
    Str255 errorString{};
    PlatformData platformData{};
    bool offerAdvanceState = true;
    OSErr advanceStateFailure = 0;
    int32_t advanceStateCalls = 0;
    std::string guardProblem;
};

// Calls the about selector with an AboutRecord; returns the plug-in's result.
int16_t RunAbout(PluginEntryProc entry, void* plugInRef);

}  // namespace oxhost
