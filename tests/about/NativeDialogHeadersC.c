/* The suite headers of the About box compile as plain C, and the message
   codes keep the values both platforms share. */
#include "GetFileListSuite.h"
#include "NativeDialogSuite.h"

static SPErr HOSTAPI_CALL Browse(const char* url) {
    return url != 0 ? kSPNoError : kSPBadParameterError;
}

int main(void) {
    GetFileListSuite fileList = {.BrowseUrl = Browse};
    NativeDialogSuite dialogs = {0};
    if (fileList.BrowseUrl("http://www.oxlen.example") != kSPNoError)
        return 1;
    if (dialogs.RunModal != 0)
        return 2;
    if (kOxDialogInitMessage != 0x0110 || kOxDialogCommandMessage != 0x0111)
        return 3;
    if (kOxDialogCharacterMessage != 0x0102 || kOxDialogLeftButtonDownMessage != 0x0201)
        return 4;
    if (kGetFileListSuiteVersion != 4 || kOxNativeDialogSuiteVersion != 1)
        return 5;
    return 0;
}
