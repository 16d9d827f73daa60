// The file-list suite as this host serves it: BrowseUrl only. Header only,
// so that each part of the host that answers BrowseUrl its own way (the
// dialog toolkit, the native boxes) builds its table alike.
#pragma once

#include "GetFileListSuite.h"
#include "host/dialog/NotServed.h"

namespace oxhost {

// All 9 slots in the published order: `browseUrl` in slot 3, and slots
// that do nothing around it.
inline GetFileListSuite FileListSuiteServing(BrowseUrlProc browseUrl) {
    return {
        NotServed,  // 0 GetFileHandleList
        NotServed,  // 1 GetBrowserNameList
        NotServed,  // 2 BrowseUrlWithIndexBrowser
        browseUrl,  // 3 BrowseUrl
        NotServed,  // 4 GetBrowserFileSpec
        NotServed,  // 5 GetDefaultSystemScript
        NotServed,  // 6 HasDoubleByteInString
        NotServed,  // 7 GetWebTemplateFolderSpec
        NotServed,  // 8 GetWebTemplateList
    };
}

}  // namespace oxhost
