/* Every interface header must compile as plain C: hosts and plug-ins written
   in C include them too. */
#include "AboutRecord.h"
#include "ColorServices.h"
#include "Descriptors.h"
#include "FilterCases.h"
#include "FilterRecord.h"
#include "FilterSelectors.h"
#include "HandleProcs.h"
#include "HostTypes.h"
#include "ImageModes.h"
#include "PiplKeys.h"
#include "PlatformData.h"
#include "PluginEntry.h"
#include "ResultCodes.h"
#include "SPBasic.h"

int main(void) {
    /* Four-character codes read in reading order. */
    if (PIFilterKind != 0x3842464Du) return 1;
    if (kSPBadParameterError != 0x5061726D) return 2;
    if (sizeof(Point16) != 4 || sizeof(Rect16) != 8 || sizeof(RGBColor) != 6) return 3;
    if (filterBadParameters != -30100 || userCanceledErr != -128) return 4;
    return 0;
}
