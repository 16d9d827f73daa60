/* "Photoshop GetFileList Suite for Plug-ins" version 4: the host's file and
   browser lists. 9 slots, in the order hosts lay them out (the number
   before each is its slot); the plug-ins call BrowseUrl only, which sits in
   slot 3 in every version from 1 to 6. */
#ifndef HOSTAPI_GETFILELISTSUITE_H
#define HOSTAPI_GETFILELISTSUITE_H

#include "SPBasic.h"

#define kGetFileListSuiteName "Photoshop GetFileList Suite for Plug-ins"
#define kGetFileListSuiteVersion 4

/* Opens `url` (a NUL-terminated full address, e.g. "http://host/") in the
   user's web browser and returns at once. kSPNoError when the browser was
   asked; any other code when it could not be. Callers may ignore the result. */
typedef SPErr(HOSTAPI_CALL* BrowseUrlProc)(const char* url);

/* A slot whose arguments and result are not declared here because no
   plug-in of ours calls it. Never call one through this type. */
typedef void(HOSTAPI_CALL* GetFileListUnusedSlot)(void);

#include "RecordPackingBegin.h"

typedef struct GetFileListSuite {
    GetFileListUnusedSlot GetFileHandleList;  /* 0 */
    GetFileListUnusedSlot GetBrowserNameList; /* 1 */
    /* 2: As BrowseUrl, with the browser at that index of the browser list. */
    SPErr(HOSTAPI_CALL* BrowseUrlWithIndexBrowser)(uint16_t browserIndex, const char* url);
    BrowseUrlProc BrowseUrl;                        /* 3 */
    GetFileListUnusedSlot GetBrowserFileSpec;       /* 4 */
    GetFileListUnusedSlot GetDefaultSystemScript;   /* 5 */
    GetFileListUnusedSlot HasDoubleByteInString;    /* 6 */
    GetFileListUnusedSlot GetWebTemplateFolderSpec; /* 7 */
    GetFileListUnusedSlot GetWebTemplateList;       /* 8 */
} GetFileListSuite;

#include "RecordPackingEnd.h"

#endif
