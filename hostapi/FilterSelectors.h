/* The selectors with which a host calls a filter's entry point, in run order. */
#ifndef HOSTAPI_FILTERSELECTORS_H
#define HOSTAPI_FILTERSELECTORS_H

enum {
    filterSelectorAbout = 0,      /* block is an AboutRecord; a run of its own */
    filterSelectorParameters = 1, /* ask the user for settings (optional) */
    filterSelectorPrepare = 2,    /* say how much buffer memory is wanted */
    filterSelectorStart = 3,      /* first request, usually the whole work */
    filterSelectorContinue = 4,   /* called while a request rectangle is non-empty */
    filterSelectorFinish = 5      /* end of a run */
};

#endif
