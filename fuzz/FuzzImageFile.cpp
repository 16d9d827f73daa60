// Image files are the host's main input: any bytes must load as a document
// or be refused with a HostError, never crash or allocate without bound. The
// readers' progress must keep its promise too: one total, never going back,
// never past the total.
//
// oxhost always reads under a pixel budget; so does this, one that fits the
// fuzzer's memory limit. Without it a few bytes of a format that packs blank
// pages tightly (fax TIFF, lossless WebP) rightly make documents of
// gigabytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "FuzzInputFile.h"
#include "host/HostError.h"
#include "host/image/DocumentAllocation.h"
#include "host/image/ImageFile.h"

namespace {

constexpr uint64_t kFuzzPixelBudget = 64u * 1000 * 1000;

struct ProgressCheck {
    int32_t done = 0;
    int32_t total = -1;

    void operator()(int32_t nowDone, int32_t nowTotal) {
        if ((total >= 0 && nowTotal != total) || nowDone < done || nowDone > nowTotal) {
            std::fprintf(stderr, "progress went from %d of %d to %d of %d\n", int(done), int(total),
                         int(nowDone), int(nowTotal));
            std::abort();
        }
        done = nowDone;
        total = nowTotal;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The name has no meaning to the reader, which goes by the first bytes.
    const std::string& path = WriteFuzzInputFile(data, size, ".img");
    oxhost::SetPixelBudget(kFuzzPixelBudget);
    try {
        oxhost::InspectImageFile(path);
        ProgressCheck check;
        oxhost::LoadImageFile(path, [&check](int32_t done, int32_t total) { check(done, total); });
    } catch (const oxhost::HostError&) {
    }
    return 0;
}
