// The C tables of the dialog toolkit suites and "SP Access Suite", served
// through SuiteRegistry. Every function checks the references it is given
// against DialogToolkit and ignores unknown ones.
#pragma once

#include "ADMBasicSuite.h"
#include "ADMDialogSuite.h"
#include "ADMDrawerSuite.h"
#include "ADMEntrySuite.h"
#include "ADMItemSuite.h"
#include "ADMListSuite.h"
#include "ADMNotifierSuite.h"
#include "ADMTrackerSuite.h"
#include "SPAccessSuite.h"

namespace oxhost {

const ADMBasicSuite* BasicSuiteTable();
const ADMDialogSuite* DialogSuiteTable();
const ADMItemSuite* ItemSuiteTable();
const ADMListSuite* ListSuiteTable();
const ADMEntrySuite* EntrySuiteTable();
const ADMNotifierSuite* NotifierSuiteTable();
const ADMTrackerSuite* TrackerSuiteTable();
const ADMDrawerSuite* DrawerSuiteTable();
const SPAccessSuite* AccessSuiteTable();

// Registers the eight toolkit suites, "SP Access Suite" 3 and the file-list
// suite 4 (WebBrowser.h) with SuiteRegistry, or takes them away again. A
// program linking this library has them registered from its start.
void RegisterDialogToolkitSuites();
void UnregisterDialogToolkitSuites();

}  // namespace oxhost
