/* Records are packed to 4 bytes on 32-bit Windows, where that equals the
   natural alignment of their fields; elsewhere natural alignment is kept so
   that native pointers stay aligned. Include before a record, and
   RecordPackingEnd.h after it. No include guard on purpose. */
#if defined(_WIN32) && !defined(_WIN64)
#pragma pack(push, 4)
#endif
