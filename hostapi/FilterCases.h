/* What the filter is applied to, as reported in FilterRecord.filterCase.
   Cases 1 and 2 are flat images (FilterRecord.planes counts the colour planes);
   from case 3 on, outLayerPlanes counts them and transparency is separate. */
#ifndef HOSTAPI_FILTERCASES_H
#define HOSTAPI_FILTERCASES_H

enum {
    filterCaseUnsupported = -1,
    filterCaseFlatImageNoSelection = 1,
    filterCaseFlatImageWithSelection = 2,
    filterCaseFloatingSelection = 3,
    filterCaseEditableTransparencyNoSelection = 4,
    filterCaseEditableTransparencyWithSelection = 5,
    filterCaseProtectedTransparencyNoSelection = 6,
    filterCaseProtectedTransparencyWithSelection = 7
};

#endif
