/* The toolkit's interface headers must compile as plain C. */
#include "ADMBasicSuite.h"
#include "ADMDialogSuite.h"
#include "ADMDrawerSuite.h"
#include "ADMEntrySuite.h"
#include "ADMItemSuite.h"
#include "ADMListSuite.h"
#include "ADMNotifierSuite.h"
#include "ADMTrackerSuite.h"
#include "ADMTypes.h"
#include "SPAccessSuite.h"

int ToolkitHeadersCompileAsC(void) {
    ADMRect rect = {0, 0, 1, 1};
    SPPlatformAccessInfo info = {0, 0, 0};
    return (int)sizeof(ADMItemSuite) > 0 && rect.right == 1 && info.defaultAccess == 0;
}
