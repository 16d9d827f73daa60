// What answers the file-list suite's BrowseUrl in this host. Without a
// display nothing is opened: the addresses are only kept, so that a run can
// report them and tests can check them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "GetFileListSuite.h"

namespace oxhost {

// Opens one address; returns kSPNoError when the browser was asked.
using BrowserProc = std::function<SPErr(const std::string& address)>;

// Replaces what opens addresses; an empty function restores keeping them only.
void SetWebBrowser(BrowserProc browser);
// Every address asked for since the program started, in order.
const std::vector<std::string>& BrowsedAddresses();

const GetFileListSuite* FileListSuiteTable();

}  // namespace oxhost
