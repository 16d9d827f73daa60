/* Result codes that cross the plug-in interface. */
#ifndef HOSTAPI_RESULTCODES_H
#define HOSTAPI_RESULTCODES_H

enum {
    noErr = 0,
    paramErr = -50,               /* a host callback was given a bad argument */
    memFullErr = -108,            /* out of memory */
    nilHandleErr = -109,          /* a null handle was passed */
    userCanceledErr = -128,       /* the user aborted or cancelled */
    filterBadParameters = -30100, /* missing or bad parameters or services */
    filterBadMode = -30101        /* the plug-in cannot work in this image mode */
};

#endif
