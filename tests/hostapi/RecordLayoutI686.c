/* Compiled for 32-bit x86 only (gcc -m32 -ffreestanding -fsyntax-only): the
   records must sit where real hosts put them, field by field. */
#include <stddef.h>

#include "ADMBasicSuite.h"
#include "ADMDialogSuite.h"
#include "ADMDrawerSuite.h"
#include "ADMEntrySuite.h"
#include "ADMItemSuite.h"
#include "ADMListSuite.h"
#include "ADMNotifierSuite.h"
#include "ADMTrackerSuite.h"
#include "AboutRecord.h"
#include "ColorServices.h"
#include "Descriptors.h"
#include "FilterRecord.h"
#include "GetFileListSuite.h"
#include "HandleProcs.h"
#include "SPAccessSuite.h"
#include "SPBasic.h"

#define AT(type, field, offset) \
    _Static_assert(offsetof(type, field) == (offset), #type "." #field " is misplaced")
/* Suites are called by slot: 4 bytes a slot, counted from 0. */
#define SLOT(suite, field, slot) \
    _Static_assert(offsetof(suite, field) == 4 * (slot), #suite "." #field " is not slot " #slot)

_Static_assert(sizeof(void*) == 4, "compile this check for i686");

AT(FilterRecord, serial, 0x000);
AT(FilterRecord, abortProc, 0x004);
AT(FilterRecord, progressProc, 0x008);
AT(FilterRecord, parameters, 0x00C);
AT(FilterRecord, imageSize, 0x010);
AT(FilterRecord, planes, 0x014);
AT(FilterRecord, filterRect, 0x016);
AT(FilterRecord, background, 0x01E);
AT(FilterRecord, foreground, 0x024);
AT(FilterRecord, maxSpace, 0x02C);
AT(FilterRecord, bufferSpace, 0x030);
AT(FilterRecord, inRect, 0x034);
AT(FilterRecord, inLoPlane, 0x03C);
AT(FilterRecord, inHiPlane, 0x03E);
AT(FilterRecord, outRect, 0x040);
AT(FilterRecord, outLoPlane, 0x048);
AT(FilterRecord, outHiPlane, 0x04A);
AT(FilterRecord, inData, 0x04C);
AT(FilterRecord, inRowBytes, 0x050);
AT(FilterRecord, outData, 0x054);
AT(FilterRecord, outRowBytes, 0x058);
AT(FilterRecord, isFloating, 0x05C);
AT(FilterRecord, haveMask, 0x05D);
AT(FilterRecord, autoMask, 0x05E);
AT(FilterRecord, maskRect, 0x060);
AT(FilterRecord, maskData, 0x068);
AT(FilterRecord, maskRowBytes, 0x06C);
AT(FilterRecord, backColor, 0x070);
AT(FilterRecord, foreColor, 0x074);
AT(FilterRecord, hostSig, 0x078);
AT(FilterRecord, hostProc, 0x07C);
AT(FilterRecord, imageMode, 0x080);
AT(FilterRecord, imageHRes, 0x084);
AT(FilterRecord, imageVRes, 0x088);
AT(FilterRecord, floatCoord, 0x08C);
AT(FilterRecord, wholeSize, 0x090);
AT(FilterRecord, monitor, 0x094);
AT(FilterRecord, platformData, 0x0BC);
AT(FilterRecord, bufferProcs, 0x0C0);
AT(FilterRecord, resourceProcs, 0x0C4);
AT(FilterRecord, processEvent, 0x0C8);
AT(FilterRecord, displayPixels, 0x0CC);
AT(FilterRecord, handleProcs, 0x0D0);
AT(FilterRecord, supportsDummyChannels, 0x0D4);
AT(FilterRecord, supportsAlternateLayouts, 0x0D5);
AT(FilterRecord, wantLayout, 0x0D6);
AT(FilterRecord, filterCase, 0x0D8);
AT(FilterRecord, dummyPlaneValue, 0x0DA);
AT(FilterRecord, premiereHook, 0x0DC);
AT(FilterRecord, advanceState, 0x0E0);
AT(FilterRecord, supportsAbsolute, 0x0E4);
AT(FilterRecord, wantsAbsolute, 0x0E5);
AT(FilterRecord, getPropertyObsolete, 0x0E8);
AT(FilterRecord, cannotUndo, 0x0EC);
AT(FilterRecord, supportsPadding, 0x0ED);
AT(FilterRecord, inputPadding, 0x0EE);
AT(FilterRecord, outputPadding, 0x0F0);
AT(FilterRecord, maskPadding, 0x0F2);
AT(FilterRecord, samplingSupport, 0x0F4);
AT(FilterRecord, reservedByte, 0x0F5);
AT(FilterRecord, inputRate, 0x0F8);
AT(FilterRecord, maskRate, 0x0FC);
AT(FilterRecord, colorServices, 0x100);
AT(FilterRecord, inLayerPlanes, 0x104);
AT(FilterRecord, outLayerPlanes, 0x10E);
AT(FilterRecord, absLayerPlanes, 0x118);
AT(FilterRecord, inPreDummyPlanes, 0x122);
AT(FilterRecord, outPostDummyPlanes, 0x128);
AT(FilterRecord, inColumnBytes, 0x12C);
AT(FilterRecord, inPlaneBytes, 0x130);
AT(FilterRecord, outColumnBytes, 0x134);
AT(FilterRecord, outPlaneBytes, 0x138);
AT(FilterRecord, imageServicesProcs, 0x13C);
AT(FilterRecord, propertyProcs, 0x140);
AT(FilterRecord, inTileHeight, 0x144);
AT(FilterRecord, absTileHeight, 0x14C);
AT(FilterRecord, outTileHeight, 0x154);
AT(FilterRecord, maskTileHeight, 0x15C);
AT(FilterRecord, maskTileOrigin, 0x160);
AT(FilterRecord, descriptorParameters, 0x164);
AT(FilterRecord, errorString, 0x168);
AT(FilterRecord, channelPortProcs, 0x16C);
AT(FilterRecord, documentInfo, 0x170);
AT(FilterRecord, sSPBasic, 0x174);
AT(FilterRecord, plugInRef, 0x178);
AT(FilterRecord, depth, 0x17C);
AT(FilterRecord, iCCprofileData, 0x180);
AT(FilterRecord, iCCprofileSize, 0x184);
AT(FilterRecord, canUseICCProfiles, 0x188);
AT(FilterRecord, reserved, 0x18C);
_Static_assert(sizeof(FilterRecord) == 452, "FilterRecord size");

AT(AboutRecord, platformData, 0);
AT(AboutRecord, sSPBasic, 4);
AT(AboutRecord, plugInRef, 8);
_Static_assert(sizeof(AboutRecord) == 256, "AboutRecord size");

AT(HandleProcs, newProc, 4);
AT(HandleProcs, disposeProc, 8);
AT(HandleProcs, getSizeProc, 12);
AT(HandleProcs, setSizeProc, 16);
AT(HandleProcs, lockProc, 20);
AT(HandleProcs, unlockProc, 24);
AT(HandleProcs, recoverSpaceProc, 28);
AT(HandleProcs, disposeRegularHandleProc, 32);
_Static_assert(sizeof(HandleProcs) == 36, "HandleProcs size");

AT(ColorServicesInfo, selector, 4);
AT(ColorServicesInfo, sourceSpace, 6);
AT(ColorServicesInfo, resultSpace, 8);
AT(ColorServicesInfo, resultGamutInfoValid, 10);
AT(ColorServicesInfo, resultInGamut, 11);
AT(ColorServicesInfo, reservedSourceSpaceInfo, 12);
AT(ColorServicesInfo, reservedResultSpaceInfo, 16);
AT(ColorServicesInfo, colorComponents, 20);
AT(ColorServicesInfo, reserved, 28);
AT(ColorServicesInfo, selectorParameter, 32);
_Static_assert(sizeof(ColorServicesInfo) == 36, "ColorServicesInfo size");

AT(PIDescriptorParameters, playInfo, 2);
AT(PIDescriptorParameters, recordInfo, 4);
AT(PIDescriptorParameters, descriptor, 8);
AT(PIDescriptorParameters, writeDescriptorProcs, 12);
AT(PIDescriptorParameters, readDescriptorProcs, 16);
_Static_assert(sizeof(PIDescriptorParameters) == 20, "PIDescriptorParameters size");
_Static_assert(sizeof(ReadDescriptorProcs) == 4 + 18 * 4, "ReadDescriptorProcs size");
_Static_assert(sizeof(WriteDescriptorProcs) == 4 + 16 * 4, "WriteDescriptorProcs size");

AT(SPBasicSuite, ReleaseSuite, 4);
AT(SPBasicSuite, IsEqual, 8);
AT(SPBasicSuite, AllocateBlock, 12);
AT(SPBasicSuite, FreeBlock, 16);
AT(SPBasicSuite, ReallocateBlock, 20);
AT(SPBasicSuite, Undefined, 24);
_Static_assert(sizeof(SPBasicSuite) == 28, "SPBasicSuite size");

/* The dialog toolkit suites: every slot the plug-ins call or our host
   serves, the last declared slot, and the size of each whole table. */
SLOT(ADMDialogSuite, Create, 0);
SLOT(ADMDialogSuite, Modal, 1);
SLOT(ADMDialogSuite, Destroy, 4);
SLOT(ADMDialogSuite, SetDrawProc, 5);
SLOT(ADMDialogSuite, DefaultDraw, 7);
SLOT(ADMDialogSuite, SetTrackProc, 8);
SLOT(ADMDialogSuite, DefaultTrack, 10);
SLOT(ADMDialogSuite, SetNotifyProc, 13);
SLOT(ADMDialogSuite, DefaultNotify, 15);
SLOT(ADMDialogSuite, SetDestroyProc, 19);
SLOT(ADMDialogSuite, SetUserData, 23);
SLOT(ADMDialogSuite, GetUserData, 24);
SLOT(ADMDialogSuite, SetLocalRect, 37);
SLOT(ADMDialogSuite, GetLocalRect, 38);
SLOT(ADMDialogSuite, Size, 42);
SLOT(ADMDialogSuite, SetText, 54);
SLOT(ADMDialogSuite, GetTextLength, 56);
SLOT(ADMDialogSuite, GetItem, 69);
SLOT(ADMDialogSuite, CreateItem, 70);
SLOT(ADMDialogSuite, GetDefaultItemID, 75);
SLOT(ADMDialogSuite, GetCancelItemID, 77);
SLOT(ADMDialogSuite, EndModal, 78);
SLOT(ADMDialogSuite, IsDialogContextHidden, 89);
_Static_assert(sizeof(ADMDialogSuite) == 90 * 4, "ADMDialogSuite size");

SLOT(ADMItemSuite, Create, 0);
SLOT(ADMItemSuite, Destroy, 1);
SLOT(ADMItemSuite, SetDrawProc, 2);
SLOT(ADMItemSuite, DefaultDraw, 4);
SLOT(ADMItemSuite, SetTrackProc, 5);
SLOT(ADMItemSuite, DefaultTrack, 7);
SLOT(ADMItemSuite, SetMask, 8);
SLOT(ADMItemSuite, GetMask, 9);
SLOT(ADMItemSuite, SetNotifyProc, 10);
SLOT(ADMItemSuite, DefaultNotify, 12);
SLOT(ADMItemSuite, SetDestroyProc, 16);
SLOT(ADMItemSuite, SetUserData, 20);
SLOT(ADMItemSuite, GetUserData, 21);
SLOT(ADMItemSuite, GetID, 22);
SLOT(ADMItemSuite, GetList, 25);
SLOT(ADMItemSuite, SetItemStyle, 31);
SLOT(ADMItemSuite, Show, 33);
SLOT(ADMItemSuite, IsVisible, 34);
SLOT(ADMItemSuite, Enable, 35);
SLOT(ADMItemSuite, IsEnabled, 36);
SLOT(ADMItemSuite, GetLocalRect, 42);
SLOT(ADMItemSuite, SetBoundsRect, 43);
SLOT(ADMItemSuite, GetBoundsRect, 44);
SLOT(ADMItemSuite, Invalidate, 52);
SLOT(ADMItemSuite, Update, 54);
SLOT(ADMItemSuite, SetPictureID, 57);
SLOT(ADMItemSuite, SetTipString, 63);
SLOT(ADMItemSuite, SetText, 72);
SLOT(ADMItemSuite, GetText, 73);
SLOT(ADMItemSuite, SetUnits, 82);
SLOT(ADMItemSuite, SetBooleanValue, 86);
SLOT(ADMItemSuite, GetBooleanValue, 87);
SLOT(ADMItemSuite, SetIntValue, 88);
SLOT(ADMItemSuite, GetIntValue, 89);
SLOT(ADMItemSuite, SetMinIntValue, 94);
SLOT(ADMItemSuite, SetMaxIntValue, 98);
SLOT(ADMItemSuite, SetAllowUnits, 110);
SLOT(ADMItemSuite, SetFloatToTextProc, 114);
SLOT(ADMItemSuite, DefaultFloatToText, 116);
SLOT(ADMItemSuite, SetTextToFloatProc, 117);
SLOT(ADMItemSuite, DefaultTextToFloat, 119);
SLOT(ADMItemSuite, GetHierarchyList, 126);
_Static_assert(sizeof(ADMItemSuite) == 127 * 4, "ADMItemSuite size (slots 0 to 126)");

SLOT(ADMListSuite, InsertEntry, 21);
SLOT(ADMListSuite, IndexEntry, 24);
SLOT(ADMListSuite, GetActiveEntry, 27);
SLOT(ADMListSuite, NumberOfEntries, 29);
SLOT(ADMListSuite, GetNotifierData, 34);
_Static_assert(sizeof(ADMListSuite) == 35 * 4, "ADMListSuite size");

SLOT(ADMEntrySuite, SetID, 8);
SLOT(ADMEntrySuite, GetID, 9);
SLOT(ADMEntrySuite, Select, 12);
SLOT(ADMEntrySuite, IsSelected, 13);
SLOT(ADMEntrySuite, SetText, 39);
SLOT(ADMEntrySuite, GetText, 40);
SLOT(ADMEntrySuite, AbortTimer, 43);
_Static_assert(sizeof(ADMEntrySuite) == 44 * 4, "ADMEntrySuite size");

SLOT(ADMDrawerSuite, SetRGBColor, 15);
SLOT(ADMDrawerSuite, SetADMColor, 17);
SLOT(ADMDrawerSuite, DrawLine, 22);
SLOT(ADMDrawerSuite, DrawRect, 25);
SLOT(ADMDrawerSuite, FillRect, 26);
SLOT(ADMDrawerSuite, GetUpdateRect, 62);
_Static_assert(sizeof(ADMDrawerSuite) == 63 * 4, "ADMDrawerSuite size");

SLOT(ADMNotifierSuite, GetItem, 0);
SLOT(ADMNotifierSuite, GetDialog, 1);
SLOT(ADMNotifierSuite, IsNotifierType, 2);
SLOT(ADMNotifierSuite, GetNotifierType, 3);
SLOT(ADMNotifierSuite, SkipNextClipboardOperation, 4);
_Static_assert(sizeof(ADMNotifierSuite) == 5 * 4, "ADMNotifierSuite size");

SLOT(ADMTrackerSuite, GetPoint, 0);
SLOT(ADMTrackerSuite, GetAction, 1);
SLOT(ADMTrackerSuite, GetCharacter, 10);
_Static_assert(sizeof(ADMTrackerSuite) == 11 * 4, "ADMTrackerSuite size");

_Static_assert(sizeof(ADMBasicSuite) == 36 * 4, "ADMBasicSuite size");

_Static_assert(sizeof(ADMRect) == 16, "ADMRect size");
AT(ADMRect, top, 4);
AT(ADMRect, right, 8);
AT(ADMRect, bottom, 12);
_Static_assert(sizeof(ADMPoint) == 8, "ADMPoint size");
AT(ADMPoint, v, 4);
_Static_assert(sizeof(ADMBoolean) == 4, "ADMBoolean size");

SLOT(GetFileListSuite, BrowseUrl, 3);
SLOT(GetFileListSuite, GetWebTemplateList, 8);
_Static_assert(sizeof(GetFileListSuite) == 9 * 4, "GetFileListSuite size");

SLOT(SPAccessSuite, GetPluginAccess, 2);
SLOT(SPAccessSuite, GetAccessInfo, 6);
SLOT(SPAccessSuite, SetCurrentPlugin, 11);
_Static_assert(sizeof(SPAccessSuite) == 12 * 4, "SPAccessSuite size");
AT(SPPlatformAccessInfo, resourceAccess, 4);
AT(SPPlatformAccessInfo, lastAccessTicks, 8);
_Static_assert(sizeof(SPPlatformAccessInfo) == 12, "SPPlatformAccessInfo size");
