/* The host's file-list suite, of which the plug-ins use one call: opening a
   web address in the user's browser. Acquired by name and version through
   SPBasicSuite. */
#ifndef HOSTAPI_GETFILELISTSUITE_H
#define HOSTAPI_GETFILELISTSUITE_H

#include "SPBasic.h"

#define kGetFileListSuiteName "Photoshop GetFileList Suite for Plug-ins"
#define kGetFileListSuiteVersion 4

/* Opens `url` (a NUL-terminated full address, e.g. "http://host/") in the
   user's web browser and returns at once. kSPNoError when the browser was
   asked; any other code when it could not be. Callers may ignore the result. */
typedef SPErr(HOSTAPI_CALL* BrowseUrlProc)(const char* url);

#include "RecordPackingBegin.h"

typedef struct GetFileListSuite {
    /* File listing operations that no plug-in of ours calls; hosts may leave
       them null and plug-ins must not call them. */
    void* reservedFileListing;
    void* reservedBrowserListing;
    BrowseUrlProc BrowseUrl;
} GetFileListSuite;

#include "RecordPackingEnd.h"

#endif
